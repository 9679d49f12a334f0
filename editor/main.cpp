// SPDX-License-Identifier: GPL-3.0-or-later
// zandoodle-editor: writes and edits question groups in a table, with the checker's
// findings on the cells and a preview of the quiz screen.

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <string>
#include <string_view>

#include "editor/editor_window.h"

namespace {

constexpr std::string_view kUsage = "usage: zandoodle-editor [FILE.set]\n";

constexpr std::string_view kHelp =
    "Edits Zandoodle question groups: one row a question, with its right answers\n"
    "(alternatives) and its wrong answers. Problems the game would run into are shown\n"
    "on their cells as you type, and the preview shows the selected question as the\n"
    "quiz screen does. Groups are saved in the sectioned layout, Windows-1252, CR LF.\n"
    "File > Import reads spreadsheets saved as CSV or TSV and the Open Trivia Database's\n"
    "JSON files; File > Export CSV writes a group as a spreadsheet.\n"
    "\n"
    "  --help      print this help\n"
    "  --version   print the version\n";

void print(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

int main(int argc, char** argv) {
  QString file;
  bool optionsDone = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!optionsDone && arg == "--") {
      optionsDone = true;
    } else if (!optionsDone && (arg == "--help" || arg == "-h")) {
      print(stdout, kUsage);
      print(stdout, "\n");
      print(stdout, kHelp);
      return 0;
    } else if (!optionsDone && arg == "--version") {
      print(stdout, "zandoodle-editor " ZNDL_VERSION "\n");
      return 0;
    } else if (!optionsDone && arg.size() > 1 && arg.front() == '-') {
      print(stderr, "zandoodle-editor: unknown option " + std::string(arg) + "\n");
      print(stderr, kUsage);
      return 2;
    } else if (file.isEmpty()) {
      file = QString::fromLocal8Bit(argv[i]);
    } else {
      print(stderr, "zandoodle-editor: one file at a time\n");
      print(stderr, kUsage);
      return 2;
    }
  }

  // Our own arguments were read above; Qt gets only the program name.
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QApplication::setOrganizationName(QStringLiteral("Vormle Co."));
  QApplication::setApplicationName(QStringLiteral("zandoodle-editor"));
  QApplication::setApplicationVersion(QStringLiteral(ZNDL_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("zandoodle-editor"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/art/editor_icon.svg")));

  zndl::editor::EditorWindow window;
  if (!file.isEmpty()) {
    QString error;
    if (!window.openFile(file, &error)) {
      print(stderr, "zandoodle-editor: " + error.toStdString() + "\n");
      return 2;
    }
  }
  window.show();
  return app.exec();
}
