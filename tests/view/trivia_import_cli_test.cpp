// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <set>
#include <string>
#include <vector>

#include "fakes/checker_run.h"
#include "fakes/trivia_json.h"
#include "host/text_list.h"
#include "platform/file_io.h"
#include "platform/random.h"
#include "quiz/question_store.h"

using namespace zndl;
using zndl::testing::CheckerRun;
using zndl::testing::runChecker;
using zndl::testing::sampleTriviaRows;
using zndl::testing::sampleTriviaRowsAsHtml;
using zndl::testing::TriviaEncoding;
using zndl::testing::triviaJson;
using zndl::testing::TriviaRow;

namespace {

std::string readFile(const QString& path) {
  return fileio::readAll(path.toStdString()).value_or("");
}

// The questions the game asks from the group file, as its question store finds them.
int askedQuestions(const QuestionStore& store) {
  int n = 0;
  while (questionFollows(store, n + 1)) ++n;
  return n;
}

}  // namespace

TEST(TriviaImportProgram, EachEncodingImportsIntoAGroupTheGamePlays) {
  struct Case {
    const char* name;
    std::string json;
  };
  const std::vector<Case> cases{
      {"default.json", triviaJson(sampleTriviaRowsAsHtml(), TriviaEncoding::Html)},
      {"url3986.json", triviaJson(sampleTriviaRows(), TriviaEncoding::Url3986)},
      // A bare list of results, saved under a name that says nothing of JSON.
      {"base64.txt", triviaJson(sampleTriviaRows(), TriviaEncoding::Base64, true)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    ASSERT_TRUE(fileio::replaceAtomically(dir.filePath(c.name).toStdString(), c.json));
    const CheckerRun imported = runChecker({"--import", c.name, "-o", "trivia.set"}, dir.path());
    EXPECT_EQ(imported.status, 0) << imported.out << imported.err;
    EXPECT_EQ(imported.out, "");
    EXPECT_EQ(imported.err, "");
    const CheckerRun checked = runChecker({"trivia.set"}, dir.path());
    EXPECT_EQ(checked.status, 0) << checked.out;
    EXPECT_EQ(checked.out, "");

    const std::string bytes = readFile(dir.filePath("trivia.set"));
    EXPECT_NE(bytes.find("\r\nSource: Open Trivia Database, https://opentdb.com/"),
              std::string::npos);
    EXPECT_NE(bytes.find("\r\nLicence: CC BY-SA 4.0, "), std::string::npos);
    EXPECT_NE(bytes.find("\r\nCategories: Food & Drink (2), Science & Nature (2)\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("\r\nDifficulty: 1 easy, 2 medium, 1 hard\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nCr\xE8"
                         "me br\xFBl\xE9"
                         "e\r\n"),
              std::string::npos)
        << "Windows-1252";

    const QuestionStore store(TextList::fromBytes(bytes));
    ASSERT_TRUE(isSectioned(store));
    ASSERT_EQ(askedQuestions(store), 4);
    const auto rows = sampleTriviaRows();
    ClockRandom random(7);
    for (int n = 1; n <= 4; ++n) {
      const TriviaRow& row = rows[static_cast<std::size_t>(n - 1)];
      TextList wrong;
      TextList correct;
      const LoadedQuestion q = loadQuestion(store, n, wrong, correct, random);
      EXPECT_EQ(q.text, row.question);
      EXPECT_EQ(q.correct, row.correct);
      const std::set<std::string> pool(row.incorrect.begin(), row.incorrect.end());
      EXPECT_EQ(pool.count(q.wrong0), 1u) << q.wrong0;
      EXPECT_EQ(pool.count(q.wrong1), 1u) << q.wrong1;
      EXPECT_NE(q.wrong0, q.wrong1);
      // All three wrong answers are in the pool the game draws from.
      EXPECT_EQ(locateQuestion(store, n).wrong.count(), 3);
    }
  }
}

TEST(TriviaImportProgram, TrueFalseAndBadRowsAreReportedByRow) {
  QTemporaryDir dir;
  auto rows = sampleTriviaRowsAsHtml();
  TriviaRow trueFalse;
  trueFalse.type = "boolean";
  trueFalse.question = "Penguins can fly.";
  trueFalse.correct = "False";
  trueFalse.incorrect = {"True"};
  rows.insert(rows.begin() + 1, trueFalse);
  rows[3].question = "Which snowman is this: &#9731;?";  // row 4 of the file
  ASSERT_TRUE(fileio::replaceAtomically(dir.filePath("trivia.json").toStdString(),
                                        triviaJson(rows, TriviaEncoding::Html)));
  const CheckerRun refused = runChecker({"--import", "trivia.json", "-o", "out.set"}, dir.path());
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out,
            "trivia.json:2: a true/false question, which cannot be converted: the game offers "
            "three answers to choose from, and a true/false question has only two\n"
            "trivia.json:4: the question holds \"\u2603\" (U+2603), which Windows-1252 cannot "
            "hold\n"
            "trivia.json: nothing written: 2 rows cannot be converted (--skip-bad-rows writes "
            "the others)\n");
  EXPECT_FALSE(QFile::exists(dir.filePath("out.set")));

  const CheckerRun skipped =
      runChecker({"--import", "trivia.json", "--skip-bad-rows", "-o", "out.set"}, dir.path());
  EXPECT_EQ(skipped.status, 1);
  EXPECT_NE(skipped.out.find("trivia.json: 2 rows skipped; 3 questions written to out.set\n"),
            std::string::npos)
      << skipped.out;
  const QuestionStore store(TextList::fromBytes(readFile(dir.filePath("out.set"))));
  EXPECT_EQ(askedQuestions(store), 3);
  EXPECT_EQ(runChecker({"out.set"}, dir.path()).status, 0);

  // A download that went wrong: not JSON at all, or the database's refusal.
  ASSERT_TRUE(fileio::replaceAtomically(dir.filePath("broken.json").toStdString(),
                                        "<html>Too many requests</html>"));
  const CheckerRun broken = runChecker({"--import", "broken.json", "-o", "b.set"}, dir.path());
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.out.rfind("broken.json: the file is not JSON: at line 1, column 1, ", 0), 0u)
      << broken.out;
  EXPECT_FALSE(QFile::exists(dir.filePath("b.set")));
  EXPECT_EQ(runChecker({"--import", "missing.json", "-o", "b.set"}, dir.path()).status, 2);
}

TEST(TriviaImportProgram, HelpNamesTheOpenTriviaDatabase) {
  const CheckerRun help = runChecker({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--import FILE.json -o GROUP.set"), std::string::npos);
  EXPECT_NE(help.out.find("Open Trivia Database"), std::string::npos);
  EXPECT_NE(help.out.find("CC BY-SA 4.0"), std::string::npos);
}
