// SPDX-License-Identifier: GPL-3.0-or-later
// A second yardstick for start-up: the bare window with one line of text on it, built
// against Qt Widgets alone. Between it and the bare window lies what the platform's
// text stack (fontconfig, Qt's font database, the first face) costs any Qt program
// that shows a word; the budget script prints it beside the game's figure.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.setFixedSize(640, 480);
  QLabel caption(QStringLiteral("Player One Name:"), &window);
  caption.move(16, 16);
  caption.adjustSize();
  window.show();
  return QApplication::exec();
}
