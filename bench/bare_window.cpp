// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up: a frameless 640 x 480 window and nothing else, built
// against Qt Widgets alone.
//
// With --caption the window shows one line of text. Between that and the bare window
// lies what the platform's text stack (fontconfig, Qt's font database, the first face)
// costs any Qt program that shows a word; the budget script prints it beside the game's
// figure.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
  const bool caption = argc > 1 && std::strcmp(argv[1], "--caption") == 0;
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.setFixedSize(640, 480);
  if (caption) {
    auto* line = new QLabel(QStringLiteral("Player One Name:"), &window);
    line->move(16, 16);
    line->adjustSize();
  }
  window.show();
  return QApplication::exec();
}
