// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "fakes/checker_run.h"
#include "fakes/crlf_lines.h"
#include "host/text_list.h"
#include "platform/random.h"
#include "quiz/question_store.h"

using namespace zndl;
using zndl::testing::CheckerRun;
using zndl::testing::crlfLines;
using zndl::testing::runChecker;

namespace {

void writeBytes(const QString& path, const std::string& bytes) {
  std::ofstream out(path.toStdString(), std::ios::binary);
  out << bytes;
}

// A one-question sectioned group around the given question and answers.
std::string oneQuestion(std::string_view question, std::string_view answer) {
  return crlfLines(
      {"(ZNDL v4)", "[1]", question, "[1-YES]", answer, "[1-NO]", "No", "Nope", "[2]"});
}

std::string shippedGroupsDir() {
  return (std::filesystem::path(ZNDL_SOURCE_DIR) / "assets" / "groups").string();
}

}  // namespace

TEST(GroupCheckProgram, ShippedGroupsAreCleanAtTheGameFont) {
  QStringList files;
  for (const auto& entry : std::filesystem::directory_iterator(shippedGroupsDir()))
    if (entry.path().extension() == ".set") files << QString::fromStdString(entry.path().string());
  ASSERT_GE(files.size(), 4);
  const CheckerRun run = runChecker(files);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
}

TEST(GroupCheckProgram, ExitStatusTellsCleanFromProblemsFromUnreadable) {
  QTemporaryDir dir;
  writeBytes(dir.filePath("good.set"), oneQuestion("Is this fine?", "Yes"));
  writeBytes(dir.filePath("broken.set"), crlfLines({"(ZNDL v4)", "[1]", "Q?", "[1-YES]", "A"}));
  const CheckerRun good = runChecker({"good.set"}, dir.path());
  EXPECT_EQ(good.status, 0);
  EXPECT_EQ(good.out, "");

  const CheckerRun broken = runChecker({"good.set", "broken.set"}, dir.path());
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.out.rfind("broken.set:2: ", 0), 0u) << broken.out;

  // An unreadable file wins over problems, and the other files are still checked.
  QDir(dir.path()).mkdir("folder.set");
  const CheckerRun unreadable = runChecker({"missing.set", "broken.set", "folder.set"}, dir.path());
  EXPECT_EQ(unreadable.status, 2);
  EXPECT_EQ(unreadable.err,
            "zandoodle-check: cannot read missing.set\nzandoodle-check: cannot read folder.set\n");
  EXPECT_NE(unreadable.out.find("broken.set:2: "), std::string::npos);
}

TEST(GroupCheckProgram, CommandLineMistakesGiveUsageAndStatusTwo) {
  const CheckerRun none = runChecker({});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.err, "usage: zandoodle-check [--show] FILE.set ...\n");
  EXPECT_EQ(none.out, "");
  const CheckerRun unknown = runChecker({"--shwo", "a.set"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown option --shwo"), std::string::npos);
  const CheckerRun help = runChecker({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: zandoodle-check", 0), 0u);
  EXPECT_NE(help.out.find("--show"), std::string::npos);
  EXPECT_NE(help.out.find("--version"), std::string::npos);
  const CheckerRun version = runChecker({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("zandoodle-check 4.2\n", 0), 0u);
  EXPECT_EQ(version.err, "");
  // After "--" a name that starts with a dash is a file.
  const CheckerRun dashed = runChecker({"--", "--show"});
  EXPECT_EQ(dashed.status, 2);
  EXPECT_EQ(dashed.err, "zandoodle-check: cannot read --show\n");
}

TEST(GroupCheckProgram, TheGameFontDecidesWhatFits) {
  QTemporaryDir dir;
  // The authoring guide's limits hold for ordinary text: 90 characters of question,
  // 22 characters of answer.
  const std::string question90 =
      "Which of these famous composers wrote a symphony while he was completely deaf, at age 53?";
  ASSERT_EQ(question90.size(), 89u);
  writeBytes(dir.filePath("fits.set"), oneQuestion(question90 + "!", "Ludwig van Beethoven!!"));
  const CheckerRun fits = runChecker({"fits.set"}, dir.path());
  EXPECT_EQ(fits.status, 0) << fits.out;

  std::string longQuestion;
  for (int i = 0; i < 6; ++i) longQuestion += question90 + " ";
  writeBytes(dir.filePath("long.set"), oneQuestion(longQuestion, "WWWWWWWWWWWWWWWWWWWWWW"));
  const CheckerRun tooLong = runChecker({"long.set"}, dir.path());
  EXPECT_EQ(tooLong.status, 1);
  EXPECT_NE(tooLong.out.find("long.set:3: question 1 takes "), std::string::npos) << tooLong.out;
  EXPECT_NE(tooLong.out.find("which has room for 4"), std::string::npos) << tooLong.out;
  EXPECT_NE(tooLong.out.find("long.set:5: the answer \"WWWWWWWWWWWWWWWWWWWWWW\" is too wide"),
            std::string::npos)
      << tooLong.out;
}

TEST(GroupCheckProgram, ShowPrintsTheGuideExampleAsTheEngineLoadsIt) {
  // The sectioned example of the authoring guide, saved as a group.
  std::ifstream guide(std::filesystem::path(ZNDL_SOURCE_DIR) / "docs" / "question-groups.md");
  std::string line;
  std::string bytes;
  bool inside = false;
  std::string previous;
  while (std::getline(guide, line)) {
    if (!inside && previous == "```" && line == "(ZNDL v4)") inside = true;
    if (inside && line == "```") break;
    if (inside) bytes += line + "\r\n";
    previous = line;
  }
  ASSERT_FALSE(bytes.empty());
  QTemporaryDir dir;
  writeBytes(dir.filePath("example.set"), bytes);
  const CheckerRun run = runChecker({"--show", "example.set"}, dir.path());
  ASSERT_EQ(run.status, 0) << run.out;

  // What the output says is always shown, per question: the correct answer and the
  // first and second wrong answers.
  std::map<int, std::map<std::string, std::string>> shown;
  std::map<int, std::string> texts;
  int question = 0;
  std::size_t start = 0;
  while (start < run.out.size()) {
    const std::size_t end = run.out.find('\n', start);
    const std::string row = run.out.substr(start, end - start);
    start = end + 1;
    if (row.rfind("Question ", 0) == 0) {
      question = std::stoi(row.substr(9));
      texts[question] = row.substr(row.find(": ") + 2);
    }
    for (const char* kind : {"correct", "wrong"}) {
      for (const char* when : {"always shown", "always shown first", "always shown second"}) {
        const std::string tag = std::string(", ") + when + ": ";
        const auto at = row.find(tag);
        if (row.rfind(std::string("  ") + kind + ", line ", 0) == 0 && at != std::string::npos)
          shown[question][std::string(kind) + " " + when] = row.substr(at + tag.size());
      }
    }
  }
  ASSERT_EQ(texts.size(), 2u) << run.out;
  const QuestionStore store(TextList::fromBytes(bytes));
  for (int seed = 0; seed < 10; ++seed) {
    ClockRandom random(static_cast<std::uint64_t>(seed) + 1);
    for (int n = 1; n <= 2; ++n) {
      TextList wrong;
      TextList correct;
      const LoadedQuestion q = loadQuestion(store, n, wrong, correct, random);
      EXPECT_EQ(texts[n], q.text);
      EXPECT_EQ(shown[n]["correct always shown"], q.correct);
      EXPECT_EQ(shown[n]["wrong always shown first"], q.wrong0);
      EXPECT_EQ(shown[n]["wrong always shown second"], q.wrong1);
    }
  }
}
