// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exchange/group_exchange.h"
#include "exchange/group_writer.h"
#include "exchange/html_entities.h"
#include "exchange/opentdb.h"
#include "exchange/opentdb_text.h"
#include "fakes/trivia_json.h"
#include "platform/cp1252.h"
#include "platform/file_io.h"

using namespace zndl;
using namespace zndl::exchange;
using zndl::testing::sampleTriviaRows;
using zndl::testing::sampleTriviaRowsAsHtml;
using zndl::testing::TriviaEncoding;
using zndl::testing::triviaJson;
using zndl::testing::TriviaRow;

namespace {

std::string rowsOf(const Import& r) {
  std::string out;
  for (const auto& p : r.problems) out += std::to_string(p.row) + ": " + p.message + "\n";
  return out;
}

TriviaRow row(std::string question, std::string correct, std::vector<std::string> incorrect) {
  TriviaRow r;
  r.question = std::move(question);
  r.correct = std::move(correct);
  r.incorrect = std::move(incorrect);
  return r;
}

std::filesystem::path source(const std::string& relative) {
  return std::filesystem::path(ZNDL_SOURCE_DIR) / relative;
}

}  // namespace

// ---- Encodings --------------------------------------------------------------------------

TEST(OpenTdbImport, EachEncodingGivesTheSameGroup) {
  const OpenTdbImport html =
      importOpenTdb(triviaJson(sampleTriviaRowsAsHtml(), TriviaEncoding::Html));
  const OpenTdbImport url = importOpenTdb(triviaJson(sampleTriviaRows(), TriviaEncoding::Url3986));
  const OpenTdbImport base64 =
      importOpenTdb(triviaJson(sampleTriviaRows(), TriviaEncoding::Base64, true));
  EXPECT_EQ(html.encoding, OpenTdbEncoding::Html);
  EXPECT_EQ(url.encoding, OpenTdbEncoding::Url3986);
  EXPECT_EQ(base64.encoding, OpenTdbEncoding::Base64);
  for (const OpenTdbImport* r : {&html, &url, &base64}) {
    EXPECT_TRUE(r->problems.empty()) << rowsOf(*r);
    EXPECT_TRUE(r->acceptable(false));
    ASSERT_EQ(r->group.questions.size(), 4u);
    EXPECT_TRUE(unwritableTexts(r->group).empty());
  }
  const auto& q = html.group.questions;
  EXPECT_EQ(q[0].wrong,
            (std::vector<std::string>{"Tiramisu", "Cr\u00e8me br\u00fbl\u00e9e", "Baklava"}));
  EXPECT_EQ(q[1].text, "Which planet's day is longer than its year?");
  EXPECT_EQ(q[2].text, "Which symbol is called an \"ampersand\"?");
  EXPECT_EQ(q[2].right, std::vector<std::string>{"&"});
  EXPECT_EQ(q[3].text, "How many cents make one euro (\u20ac)?");
  EXPECT_EQ(url.group, html.group);
  EXPECT_EQ(base64.group, html.group);
}

TEST(OpenTdbImport, TheEncodingIsToldFromTheWholeFile) {
  using opentdb::detectEncoding;
  // Plain words read the same in the default and the percent encodings; a space or a
  // question mark shows the default.
  EXPECT_EQ(detectEncoding({"multiple"}, {"Paris", "Lyon", "What%20now%3F"}),
            OpenTdbEncoding::Url3986);
  EXPECT_EQ(detectEncoding({"multiple"}, {"Paris", "Lyon", "What now?", "100%25"}),
            OpenTdbEncoding::Html);
  EXPECT_EQ(detectEncoding({"multiple"}, {"Paris", "Lyon"}), OpenTdbEncoding::Html);
  EXPECT_EQ(detectEncoding({"multiple"}, {"50%"}), OpenTdbEncoding::Html);
  EXPECT_EQ(detectEncoding({"multiple"}, {"What+now%3F"}), OpenTdbEncoding::UrlLegacy);
  EXPECT_EQ(detectEncoding({"bXVsdGlwbGU=", "Ym9vbGVhbg=="}, {"V2hhdD8="}),
            OpenTdbEncoding::Base64);
  // One type that is not base64 makes the file the default's, whatever the texts.
  EXPECT_EQ(detectEncoding({"bXVsdGlwbGU=", "multiple"}, {"V2hhdD8="}), OpenTdbEncoding::Html);

  TriviaRow legacy = row("Who+wrote+%22Hamlet%22%3F", "William+Shakespeare",
                         {"Christopher+Marlowe", "Ben+Jonson", "John+Milton"});
  legacy.category = "Art+%26+Books";
  const OpenTdbImport r = importOpenTdb(triviaJson({legacy}, TriviaEncoding::Html));
  EXPECT_EQ(r.encoding, OpenTdbEncoding::UrlLegacy);
  ASSERT_EQ(r.group.questions.size(), 1u) << rowsOf(r);
  EXPECT_EQ(r.group.questions[0].text, "Who wrote \"Hamlet\"?");
  EXPECT_EQ(r.group.notes[2], "Category: Art & Books");
}

TEST(OpenTdbImport, Base64AndPercentDecodersAreStrict) {
  using opentdb::fromBase64;
  using opentdb::fromPercent;
  EXPECT_EQ(fromBase64(""), "");
  EXPECT_EQ(fromBase64("Zg=="), "f");
  EXPECT_EQ(fromBase64("Zm8="), "fo");
  EXPECT_EQ(fromBase64("Zm9v"), "foo");
  EXPECT_EQ(fromBase64("w6k/"), "\u00e9?");
  for (const char* bad : {"Zg", "Zg=", "Z===", "Zm=v", "Zg==Zg==", "Zm9v\n", "Zm-v"})
    EXPECT_FALSE(fromBase64(bad)) << bad;
  EXPECT_EQ(fromPercent("a%20b%2Bc+d", false), "a b+c+d");
  EXPECT_EQ(fromPercent("a%20b%2Bc+d", true), "a b+c d");
  for (const char* bad : {"%", "%2", "%G0", "a%2"}) EXPECT_FALSE(fromPercent(bad, false)) << bad;
}

// ---- Entities ---------------------------------------------------------------------------

TEST(HtmlEntities, DecodeNamedAndNumberedReferencesAsBrowsersDo) {
  const auto decoded = [](std::string_view text) {
    const html::Decoded d = html::decode(text);
    EXPECT_TRUE(d.unknown.empty()) << text;
    return d.text;
  };
  EXPECT_EQ(decoded("&amp;&lt;&gt;&quot;&apos;&#039;&#39;&#x27;&#X27"), "&<>\"'''''");
  EXPECT_EQ(decoded("&eacute;&Eacute;&nbsp;&hellip;&ldquo;x&rdquo;&rsquo;&euro;&trade;&Scaron;"),
            "\u00e9\u00c9\u00a0\u2026\u201cx\u201d\u2019\u20ac\u2122\u0160");
  // Several names for one character, and a reference for two letters.
  EXPECT_EQ(decoded("&centerdot;&middot;&CenterDot;&fjlig;"), "\u00b7\u00b7\u00b7fj");
  // The oldest names are read without their ';', longest first; the others are not.
  EXPECT_EQ(decoded("&copy2024 &amp &ampersand &euro"), "\u00a92024 & &ersand &euro");
  // Numbers: Windows-1252's characters for 128 to 159, U+FFFD for what is no character.
  EXPECT_EQ(decoded("&#150;&#x80;&#129;"), "\u2013\u20ac\u0081");
  EXPECT_EQ(decoded("&#0;&#xD800;&#x110000;&#99999999999999999999;"), "\uFFFD\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(decoded("&#9731;"), "\u2603");
  // An '&' that starts no reference is an ampersand.
  EXPECT_EQ(decoded("AT&T & co &# &#x; &;"), "AT&T & co &# &#x; &;");

  const html::Decoded outside = html::decode("&hearts; &pi; &Nosuch; &amp;hearts;");
  EXPECT_EQ(outside.text, "&hearts; &pi; &Nosuch; &hearts;");
  EXPECT_EQ(outside.unknown, (std::vector<std::string>{"&hearts;", "&pi;", "&Nosuch;"}));
}

TEST(HtmlEntities, TheTableHoldsWhatAGroupFileCanHoldInOrder) {
  const auto table = html::entities();
  ASSERT_GT(table.size(), 190u);
  for (std::size_t i = 0; i < table.size(); ++i) {
    SCOPED_TRACE(std::string(table[i].name));
    if (i > 0) {
      EXPECT_LT(table[i - 1].name, table[i].name);
    }
    EXPECT_TRUE(cp1252::representable(table[i].text));
    EXPECT_FALSE(table[i].text.empty());
  }
  for (const char* name : {"AElig", "yuml", "euro", "OElig", "bdquo", "dagger", "permil", "thorn"})
    EXPECT_NE(html::findEntity(name), nullptr) << name;
  for (const char* name : {"hearts", "pi", "alpha", "rarr", "eacute;", ""})
    EXPECT_EQ(html::findEntity(name), nullptr) << name;
  EXPECT_TRUE(html::findEntity("eacute")->legacy);
  EXPECT_FALSE(html::findEntity("euro")->legacy);
}

// ---- Rows -------------------------------------------------------------------------------

TEST(OpenTdbImport, TrueFalseAndBadRowsAreRefusedByTheirPlace) {
  TriviaRow trueFalse = row("The Sun is a star.", "True", {"False"});
  trueFalse.type = "boolean";
  TriviaRow ranking = row("Rank these.", "A", {"B", "C"});
  ranking.type = "ranking";
  TriviaRow snowyCategory = row("Fine?", "Yes", {"No", "Nope"});
  snowyCategory.category = "Snow &#9731;";
  const std::string rows = triviaJson(
      {row("Good?", "Yes", {"No", "Nope", "Never"}), trueFalse,
       row("Snow &#9731;?", "Yes", {"No", "Nope"}), row("Pie?", "&pi; &#9731;", {"No", "Nope"}),
       row("Two?", "Yes", {"No&#10;way", "Nope"}), row("Few?", "Yes", {"No"}),
       row("", "Yes", {"No", "Nope"}), row("Marker?", "Yes", {"[3-no]", "Nope"}), ranking,
       snowyCategory, row("Also good?", "Yes", {"No", "Nope"})},
      TriviaEncoding::Html);
  // Rows that are no question object at all, and one with no answers, at the end.
  std::string text = rows.substr(0, rows.size() - 2) +
                     ",42,{\"type\":\"multiple\",\"question\":\"Q?\"},"
                     "{\"question\":\"Typed?\",\"correct_answer\":1,\"incorrect_answers\":"
                     "[\"No\",null]}]}";
  const OpenTdbImport r = importOpenTdb(text);
  ASSERT_EQ(r.problems.size(), 12u) << rowsOf(r);
  EXPECT_EQ(r.refusedRows, 12);
  const auto problem = [&](std::size_t i, int wantedRow) {
    EXPECT_EQ(r.problems[i].row, wantedRow) << rowsOf(r);
    return r.problems[i].message;
  };
  EXPECT_EQ(problem(0, 2),
            "a true/false question, which cannot be converted: the game offers three answers to "
            "choose from, and a true/false question has only two");
  EXPECT_EQ(problem(1, 3),
            "the question holds \"\u2603\" (U+2603), which Windows-1252 cannot hold");
  EXPECT_EQ(problem(2, 4),
            "the right answer holds \"&pi;\", which is no HTML entity for a character "
            "Windows-1252 can hold; the right answer \"&pi; \u2603\" holds \"\u2603\" (U+2603), "
            "which Windows-1252 cannot hold");
  EXPECT_EQ(problem(3, 5),
            "wrong answer 1 holds a line break, which a line of a group file cannot hold");
  EXPECT_EQ(problem(4, 6), "the row has only one wrong answer; a question needs at least two");
  EXPECT_EQ(problem(5, 7), "the question is empty");
  EXPECT_EQ(problem(6, 8),
            "wrong answer 1 \"[3-no]\" reads like a marker line, which the game would take for "
            "the marker");
  EXPECT_EQ(problem(7, 9),
            "the type \"ranking\" is neither multiple (choice) nor boolean "
            "(true/false)");
  EXPECT_EQ(problem(8, 10),
            "the category holds \"\u2603\" (U+2603), which Windows-1252 cannot hold");
  EXPECT_NE(problem(9, 12).find("this is not a question"), std::string::npos);
  EXPECT_EQ(problem(10, 13), "there is no correct_answer; there are no incorrect_answers");
  EXPECT_EQ(problem(11, 14),
            "correct_answer is not a string; wrong answer 2 is not a string; the row has only "
            "one wrong answer; a question needs at least two");
  ASSERT_EQ(r.group.questions.size(), 2u);
  EXPECT_EQ(r.group.questions[0].wrong, (std::vector<std::string>{"No", "Nope", "Never"}));
  EXPECT_EQ(r.group.questions[1].text, "Also good?");
  EXPECT_FALSE(r.acceptable(false));
  EXPECT_TRUE(r.acceptable(true));
}

TEST(OpenTdbImport, AFileThatIsNoListOfQuestionsIsRefusedWhole) {
  const auto refusal = [](std::string_view text) {
    const OpenTdbImport r = importOpenTdb(text);
    EXPECT_FALSE(r.usable) << text;
    EXPECT_TRUE(r.group.questions.empty());
    EXPECT_EQ(r.problems.size(), 1u) << rowsOf(r);
    return r.problems.empty() ? std::string()
                              : std::to_string(r.problems[0].row) + ": " + r.problems[0].message;
  };
  EXPECT_EQ(refusal("{\"response_code\": 0,\n \"results\": [}"),
            "0: the file is not JSON: at line 2, column 14, expected a value (an object, an "
            "array, a string, a number, true, false or null), found '}'");
  EXPECT_EQ(refusal("{\"response_code\":1,\"results\":[]}"),
            "0: the Open Trivia Database sent no questions: its response code 1 says it does "
            "not hold as many questions as were asked for; ask for fewer");
  EXPECT_EQ(refusal("{\"response_code\":5,\"results\":[]}"),
            "0: the Open Trivia Database sent no questions: its response code 5 says too many "
            "requests came at once; wait five seconds and ask again");
  EXPECT_EQ(refusal("{\"response_code\":\"0\",\"results\":[]}"),
            "0: response_code is not a number");
  EXPECT_EQ(refusal("{\"response_code\":0,\"results\":[]}"), "0: the file holds no question");
  EXPECT_EQ(refusal("[]"), "0: the file holds no question");
  EXPECT_EQ(refusal("{\"questions\":[]}"),
            "0: the object has no list of results, where the Open Trivia Database puts its "
            "questions");
  EXPECT_EQ(refusal("{\"results\":{}}"),
            "0: the object has no list of results, where the Open Trivia Database puts its "
            "questions");
  EXPECT_EQ(refusal("\"results\""),
            "0: the file holds a single JSON value, not a list of questions");
  EXPECT_EQ(refusal(std::string(17 * 1024 * 1024, ' ')),
            "0: the file cannot be read: the file is larger than 16777216 bytes, more than any "
            "question bank needs");
}

TEST(OpenTdbImport, NotesCarryTheSourceLicenceCategoriesAndDifficulties) {
  const OpenTdbImport mixed =
      importOpenTdb(triviaJson(sampleTriviaRowsAsHtml(), TriviaEncoding::Html));
  EXPECT_EQ(mixed.group.notes,
            (std::vector<std::string>{
                "Source: Open Trivia Database, https://opentdb.com/ (questions by its "
                "contributors)",
                "Licence: CC BY-SA 4.0, https://creativecommons.org/licenses/by-sa/4.0/ "
                "(converted to a Zandoodle group)",
                "Categories: Food & Drink (2), Science & Nature (2)",
                "Difficulty: 1 easy, 2 medium, 1 hard"}));

  // Only the questions taken count; a difficulty of the file's own follows the usual ones.
  TriviaRow odd = row("Odd?", "Yes", {"No", "Nope"});
  odd.difficulty = "tricky";
  odd.category = "Puzzles";
  TriviaRow skipped = row("Skipped?", "Yes", {"No"});
  skipped.category = "Never";
  TriviaRow hard = row("Hard?", "Yes", {"No", "Nope"});
  hard.difficulty = "hard";
  hard.category = "Puzzles";
  const OpenTdbImport one = importOpenTdb(triviaJson({odd, skipped, hard}, TriviaEncoding::Html));
  ASSERT_EQ(one.group.notes.size(), 4u);
  EXPECT_EQ(one.group.notes[2], "Category: Puzzles");
  EXPECT_EQ(one.group.notes[3], "Difficulty: 1 hard, 1 tricky");

  // The notes are written with the group and read back unchanged.
  EXPECT_EQ(groupFromBytes(writeGroup(mixed.group).bytes), mixed.group);
}

TEST(OpenTdbImport, TheDocumentedExampleImportsCleanly) {
  const auto bytes = fileio::readAll(source("docs/example-opentdb.json").string());
  ASSERT_TRUE(bytes);
  EXPECT_TRUE(looksLikeJson(*bytes));
  const OpenTdbImport r = importOpenTdb(*bytes);
  EXPECT_TRUE(r.problems.empty()) << rowsOf(r);
  EXPECT_EQ(r.encoding, OpenTdbEncoding::Html);
  EXPECT_GE(r.group.questions.size(), 4u);
  EXPECT_TRUE(unwritableTexts(r.group).empty());
}

// ---- Files ------------------------------------------------------------------------------

TEST(OpenTdbFiles, JsonIsToldFromSpreadsheetsByNameOrContent) {
  EXPECT_TRUE(looksLikeJson("\xEF\xBB\xBF \r\n[{}]"));
  EXPECT_TRUE(looksLikeJson("{"));
  EXPECT_FALSE(looksLikeJson("Question,Right,Wrong,Wrong"));
  EXPECT_FALSE(looksLikeJson(" "));
  const std::string json = triviaJson(sampleTriviaRowsAsHtml(), TriviaEncoding::Html);
  EXPECT_EQ(importQuestions("trivia.json", json).group.questions.size(), 4u);
  EXPECT_EQ(importQuestions("download.txt", json).group.questions.size(), 4u);
  // A file named as JSON is read as JSON, and says what is wrong with it as JSON.
  const Import notJson = importQuestions("trivia.JSON", "Q?,A,B,C\n");
  EXPECT_FALSE(notJson.usable);
  EXPECT_NE(rowsOf(notJson).find("the file is not JSON"), std::string::npos);
  // A spreadsheet whose first question starts with a bracket stays a spreadsheet.
  const Import sheet = importQuestions("sheet.csv", "[Bracketed] question?,A,B,C\n");
  EXPECT_EQ(sheet.group.questions.size(), 1u) << rowsOf(sheet);
  EXPECT_EQ(describeProblem("t.json", {3, "bad"}), "t.json:3: bad");
  EXPECT_EQ(describeProblem("t.json", {0, "bad"}), "t.json: bad");
}

TEST(OpenTdbFiles, ImportKeepsTheSpreadsheetsExitStatuses) {
  const auto dir = std::filesystem::temp_directory_path() / "zndl-trivia-files";
  std::filesystem::create_directories(dir);
  const std::string jsonPath = (dir / "trivia.json").string();
  const std::string setPath = (dir / "out.set").string();
  std::filesystem::remove(setPath);
  TriviaRow trueFalse = row("Ice floats.", "True", {"False"});
  trueFalse.type = "boolean";
  auto rows = sampleTriviaRowsAsHtml();
  rows.insert(rows.begin() + 1, trueFalse);
  ASSERT_TRUE(fileio::replaceAtomically(jsonPath, triviaJson(rows, TriviaEncoding::Html)));
  Exchange e = importFile(jsonPath, setPath, false);
  EXPECT_EQ(e.status, 1);
  ASSERT_EQ(e.messages.size(), 2u);
  EXPECT_EQ(e.messages[0].rfind(jsonPath + ":2: a true/false question", 0), 0u) << e.messages[0];
  EXPECT_EQ(e.messages[1], jsonPath +
                               ": nothing written: 1 row cannot be converted (--skip-bad-rows "
                               "writes the others)");
  EXPECT_FALSE(fileio::exists(setPath));
  e = importFile(jsonPath, setPath, true);
  EXPECT_EQ(e.status, 1);
  EXPECT_EQ(e.messages.back(), jsonPath + ": 1 row skipped; 4 questions written to " + setPath);
  const Group written = groupFromBytes(*fileio::readAll(setPath));
  EXPECT_EQ(written.questions.size(), 4u);
  EXPECT_EQ(written.notes.size(), 4u);

  ASSERT_TRUE(fileio::replaceAtomically(jsonPath, "{\"response_code\":4,\"results\":[]}"));
  e = importFile(jsonPath, setPath, true);
  EXPECT_EQ(e.status, 1);
  ASSERT_EQ(e.messages.size(), 2u);
  EXPECT_EQ(e.messages[0].rfind(jsonPath + ": the Open Trivia Database sent no questions", 0), 0u);
  EXPECT_EQ(e.messages[1], jsonPath + ": nothing written");
  EXPECT_EQ(importFile((dir / "missing.json").string(), setPath, false).status, 2);
  std::filesystem::remove_all(dir);
}
