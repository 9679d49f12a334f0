// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up: a frameless 640 x 480 window and nothing else, built
// against Qt Widgets alone.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.setFixedSize(640, 480);
  window.show();
  return QApplication::exec();
}
