// SPDX-License-Identifier: GPL-3.0-or-later
// zandoodle-check: reports the mistakes in question group files before a game finds
// them, and with --show prints each question as the game would ask it.

#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "checker/group_check.h"
#include "checker/group_show.h"
#include "editor/quiz_font.h"
#include "exchange/group_exchange.h"
#include "host/text_list.h"
#include "platform/file_io.h"
#include "quiz/question_store.h"

namespace {

constexpr std::string_view kUsage = "usage: zandoodle-check [--show] FILE.set ...\n";
constexpr std::string_view kExchangeUsage =
    "usage: zandoodle-check --import FILE.csv|FILE.json [--skip-bad-rows] -o GROUP.set\n"
    "       zandoodle-check --export GROUP.set -o FILE.csv\n";

constexpr std::string_view kVersion =
    "zandoodle-check " ZNDL_VERSION
    "\n"
    "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

constexpr std::string_view kHelp =
    "Checks Zandoodle question groups and lists every problem as FILE:LINE: explanation.\n"
    "\n"
    "It reads each file the way the game does and reports what would go wrong in play:\n"
    "a first line that is nearly but not exactly (ZNDL v4), markers that are missing,\n"
    "repeated, out of order or spoilt by spaces, a missing end marker, other lines that\n"
    "equal a marker, questions with too few answers, questions and answers too long for\n"
    "the quiz screen, and text saved as UTF-8 instead of Windows-1252.\n"
    "\n"
    "  --show   also print each question as the game asks it: its text, its correct\n"
    "           answer or alternatives and its wrong answers, with which of them the\n"
    "           game's shuffle can put on the screen\n"
    "  --help   print this help\n"
    "  --version\n"
    "           print the version\n"
    "\n"
    "  --import FILE.csv -o GROUP.set\n"
    "           turn a spreadsheet saved as CSV or TSV into a group: one row a question,\n"
    "           columns question, right answer, wrong answers, or named in a header row\n"
    "           Question, Right, Wrong; problems are listed as FILE:ROW: explanation\n"
    "           and nothing is written while a row cannot be converted\n"
    "  --import FILE.json -o GROUP.set\n"
    "           the same for questions downloaded from the Open Trivia Database\n"
    "           (https://opentdb.com/, CC BY-SA 4.0) in any of its encodings: its\n"
    "           multiple-choice questions become the group's, true/false ones cannot be\n"
    "           converted; ROW is the question's place in the file, and the group's\n"
    "           notes name the source, the licence, the categories and the difficulties\n"
    "  --skip-bad-rows\n"
    "           with --import, write the rows that can be converted and leave out the rest\n"
    "  --export GROUP.set -o FILE.csv\n"
    "           write the questions the game asks from a group as a spreadsheet (UTF-8,\n"
    "           comma-separated, with a header row)\n"
    "\n"
    "Exit status: 0 when every file is clean, 1 when problems were found, 2 when a file\n"
    "could not be read or the command line was wrong. --import and --export: 0 when\n"
    "written, 1 when rows were refused, 2 when a file could not be read or written or\n"
    "the command line was wrong.\n";

// Qt's chatter about the environment (no runtime directory and the like) is no
// business of someone checking a group; only real failures get through.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "zandoodle-check: %s\n", message.toLocal8Bit().constData());
}

void print(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

int main(int argc, char** argv) {
  bool show = false;
  bool optionsDone = false;
  bool skipBadRows = false;
  std::string importFrom;
  std::string exportFrom;
  std::string output;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool takesValue = arg == "--import" || arg == "--export" || arg == "-o";
    if (!optionsDone && takesValue) {
      if (i + 1 >= argc) {
        print(stderr, "zandoodle-check: " + std::string(arg) + " needs a file name\n");
        print(stderr, kExchangeUsage);
        return 2;
      }
      (arg == "--import" ? importFrom : arg == "--export" ? exportFrom : output) = argv[++i];
    } else if (!optionsDone && arg == "--skip-bad-rows") {
      skipBadRows = true;
    } else if (!optionsDone && arg == "--") {
      optionsDone = true;
    } else if (!optionsDone && (arg == "--help" || arg == "-h")) {
      print(stdout, kUsage);
      print(stdout, kExchangeUsage);
      print(stdout, "\n");
      print(stdout, kHelp);
      return 0;
    } else if (!optionsDone && arg == "--version") {
      print(stdout, kVersion);
      return 0;
    } else if (!optionsDone && arg == "--show") {
      show = true;
    } else if (!optionsDone && arg.size() > 1 && arg.front() == '-') {
      print(stderr, "zandoodle-check: unknown option " + std::string(arg) + "\n");
      print(stderr, kUsage);
      return 2;
    } else {
      files.emplace_back(arg);
    }
  }
  const bool exchanging = !importFrom.empty() || !exportFrom.empty();
  if (exchanging || !output.empty() || skipBadRows) {
    if (importFrom.empty() == exportFrom.empty() || output.empty() || !files.empty() || show ||
        (skipBadRows && importFrom.empty())) {
      print(stderr, kExchangeUsage);
      return 2;
    }
    const auto result = importFrom.empty()
                            ? zndl::exchange::exportFile(exportFrom, output)
                            : zndl::exchange::importFile(importFrom, output, skipBadRows);
    for (const auto& message : result.messages)
      print(result.status == 2 ? stderr : stdout, message + "\n");
    return result.status;
  }
  if (files.empty()) {
    print(stderr, kUsage);
    return 2;
  }

  // Only the font metrics are needed, never a window: the offscreen platform works
  // without a display. Our own arguments stay out of Qt's hands.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(quietQtMessages);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  const QFont font = zndl::editor::quizFont();
  const QString family = QFontInfo(font).family();
  if (family != QStringLiteral("DejaVu Sans"))
    print(stderr,
          "zandoodle-check: the font DejaVu Sans is not installed; widths are measured "
          "with " +
              family.toStdString() + " and may differ from the game's\n");
  const zndl::editor::QuizFontMeasurer measurer;

  int status = 0;
  bool first = true;
  for (const auto& name : files) {
    const auto bytes = zndl::fileio::readAll(name);
    if (!bytes) {
      print(stderr, "zandoodle-check: cannot read " + name + "\n");
      status = 2;
      continue;
    }
    if (show) {
      if (!first) print(stdout, "\n");
      const zndl::QuestionStore store(zndl::TextList::fromBytes(*bytes));
      print(stdout, zndl::check::formatShow(name, store));
    }
    first = false;
    const auto problems = zndl::check::checkGroup(*bytes, measurer);
    for (const auto& problem : problems)
      print(stdout, name + ":" + std::to_string(problem.line) + ": " + problem.message + "\n");
    if (!problems.empty()) status = std::max(status, 1);
  }
  return status;
}
