// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exchange/csv.h"
#include "exchange/group_document.h"
#include "exchange/group_exchange.h"
#include "exchange/group_writer.h"
#include "platform/file_io.h"

using namespace zndl;
using namespace zndl::exchange;

namespace {

std::vector<std::string> fields(std::initializer_list<std::string> f) {
  return f;
}

std::string rowsOf(const CsvImport& r) {
  std::string out;
  for (const auto& p : r.problems) out += std::to_string(p.row) + ": " + p.message + "\n";
  return out;
}

std::filesystem::path source(const std::string& relative) {
  return std::filesystem::path(ZNDL_SOURCE_DIR) / relative;
}

}  // namespace

// ---- The reader -----------------------------------------------------------------------

TEST(CsvReader, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
  const auto records = csv::parse("a,\"b, c\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",x\r\nlast", ',');
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].fields, fields({"a", "b, c", "say \"hi\""}));
  EXPECT_EQ(records[1].fields, fields({"two\nlines", "x"}));
  EXPECT_EQ(records[1].row, 2);
  EXPECT_EQ(records[2].fields, fields({"last"}));
  EXPECT_EQ(records[2].row, 3);
}

TEST(CsvReader, LineEndsEmptyFieldsAndUnclosedQuotes) {
  // CR LF, LF and a lone CR all end a record; a final break adds none.
  const auto records = csv::parse("a;b\r\nc;;\nd\re;\"\"\n", ';');
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[1].fields, fields({"c", "", ""}));
  EXPECT_EQ(records[2].fields, fields({"d"}));
  EXPECT_EQ(records[3].fields, fields({"e", ""}));
  const auto open = csv::parse("a,\"never closed\nstill", ',');
  ASSERT_EQ(open.size(), 1u);
  EXPECT_TRUE(open[0].unclosedQuote);
  EXPECT_TRUE(csv::parse("", ',').empty());
}

TEST(CsvReader, DetectsTheSeparatorFromTheRowsShape) {
  EXPECT_EQ(csv::detectSeparator("q,a,b,c\r\nr,d,e,f\r\n"), ',');
  EXPECT_EQ(csv::detectSeparator("q\ta\tb\tc\nr\td\te\tf\n"), '\t');
  // Calc's semicolons, with commas inside the unquoted questions.
  EXPECT_EQ(csv::detectSeparator("Who, then?;A;B;C\nWhy, then, why?;D;E;F\n"), ';');
  // Commas, with a semicolon in one question only.
  EXPECT_EQ(csv::detectSeparator("Eat; drink?,A,B,C\nSleep?,D,E,F\n"), ',');
  EXPECT_EQ(csv::detectSeparator("Eat; drink?,A,B,C\n"), ',');
  // Rows of different lengths, as typed by hand.
  EXPECT_EQ(csv::detectSeparator("Who, then?;A;B;C\nWhy?;D;E;F;G;H\n"), ';');
}

TEST(CsvReader, DecodesUtf8WithOrWithoutBomElseWindows1252) {
  EXPECT_EQ(csv::decode("\xEF\xBB\xBF"
                        "caf\xC3\xA9")
                .text,
            "caf\u00e9");
  EXPECT_EQ(csv::decode("\xEF\xBB\xBF"
                        "caf\xC3\xA9")
                .encoding,
            csv::Encoding::Utf8WithBom);
  EXPECT_EQ(csv::decode("caf\xC3\xA9").encoding, csv::Encoding::Utf8);
  EXPECT_EQ(csv::decode("caf\xE9").text, "caf\u00e9");
  EXPECT_EQ(csv::decode("caf\xE9").encoding, csv::Encoding::Windows1252);
  // An overlong form is not UTF-8.
  EXPECT_EQ(csv::decode("\xC0\xAF").encoding, csv::Encoding::Windows1252);
  // Excel's "Unicode text": UTF-16 little-endian with its byte-order mark.
  EXPECT_EQ(csv::decode(std::string("\xFF\xFE"
                                    "c\0a\0f\0\xE9\0\x3D\xD8\x00\xDE",
                                    14))
                .text,
            "caf\u00e9\U0001F600");
}

TEST(CsvReader, FormatsWhatItReadsBack) {
  const std::vector<std::string> row{"plain", "a, comma", "a \"quote\"", "two\nlines", ""};
  const std::string text = csv::formatRecord(row, ',');
  EXPECT_EQ(text, "plain,\"a, comma\",\"a \"\"quote\"\"\",\"two\nlines\",\r\n");
  const auto back = csv::parse(text, ',');
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].fields, row);
}

// ---- Rows to questions ----------------------------------------------------------------

TEST(SpreadsheetImport, CalcStyleSemicolonsInWindows1252) {
  const CsvImport r = importCsv(
      "Capital of France, then?;Paris;Lyon;\"Nice; or not\"\r\n"
      "Caf\xE9 or tea?;Caf\xE9;Tea;\"Water, \"\"still\"\"\";\r\n");
  EXPECT_EQ(r.separator, ';');
  EXPECT_EQ(r.encoding, csv::Encoding::Windows1252);
  ASSERT_TRUE(r.problems.empty()) << rowsOf(r);
  ASSERT_EQ(r.group.questions.size(), 2u);
  EXPECT_EQ(r.group.questions[0].text, "Capital of France, then?");
  EXPECT_EQ(r.group.questions[0].wrong, fields({"Lyon", "Nice; or not"}));
  EXPECT_EQ(r.group.questions[1].text, "Caf\u00e9 or tea?");
  EXPECT_EQ(r.group.questions[1].right, fields({"Caf\u00e9"}));
  EXPECT_EQ(r.group.questions[1].wrong, fields({"Tea", "Water, \"still\""}));
}

TEST(SpreadsheetImport, Utf8WithBomAndAHeaderInAnyOrderAndCase) {
  const CsvImport r = importCsv(
      "\xEF\xBB\xBFwrong,QUESTION,Right,wrong,right,Wrong\r\n"
      "B,Caf\xC3\xA9?,A,C,A2,\r\n");
  EXPECT_EQ(r.encoding, csv::Encoding::Utf8WithBom);
  ASSERT_TRUE(r.problems.empty()) << rowsOf(r);
  ASSERT_EQ(r.group.questions.size(), 1u);
  EXPECT_EQ(r.group.questions[0].text, "Caf\u00e9?");
  EXPECT_EQ(r.group.questions[0].right, fields({"A", "A2"}));
  EXPECT_EQ(r.group.questions[0].wrong, fields({"B", "C"}));
}

TEST(SpreadsheetImport, TabSeparatedWithoutHeaderTakesEveryFurtherColumnAsWrong) {
  const CsvImport r = importCsv("Q1?\tR\tW1\t\tW2\tW3\nQ2?\tR\tW1\tW2\n");
  EXPECT_EQ(r.separator, '\t');
  ASSERT_TRUE(r.problems.empty()) << rowsOf(r);
  ASSERT_EQ(r.group.questions.size(), 2u);
  EXPECT_EQ(r.group.questions[0].wrong, fields({"W1", "W2", "W3"}));
}

TEST(SpreadsheetImport, RefusesBadRowsByTheirSpreadsheetRow) {
  const CsvImport r = importCsv(
      "Question,Right,Wrong,Wrong\r\n"
      "Good?,Yes,No,Nope\r\n"
      "\"Two\r\nlines?\",Yes,No,Nope\r\n"  // rows 3 and 4 in the spreadsheet's count
      "Snow \xE2\x98\x83?,Yes,No,Nope\r\n"
      ",Yes,No,Nope\r\n"
      "Few?,Yes,No,\r\n"
      "None?,,No,Nope\r\n"
      "Marker?,Yes,[3-no],Nope\r\n"
      "\r\n"
      "Also good?,Yes,No,Nope\r\n");
  EXPECT_EQ(r.refusedRows, 6) << rowsOf(r);
  ASSERT_EQ(r.problems.size(), 6u) << rowsOf(r);
  EXPECT_EQ(r.problems[0].row, 3);
  EXPECT_NE(r.problems[0].message.find("line break"), std::string::npos);
  EXPECT_EQ(r.problems[1].row, 4);
  EXPECT_NE(r.problems[1].message.find("\"\u2603\" (U+2603)"), std::string::npos);
  EXPECT_EQ(r.problems[2].row, 5);
  EXPECT_NE(r.problems[2].message.find("question is empty"), std::string::npos);
  EXPECT_NE(r.problems[3].message.find("only one wrong answer"), std::string::npos);
  EXPECT_NE(r.problems[4].message.find("no right answer"), std::string::npos);
  EXPECT_NE(r.problems[5].message.find("marker"), std::string::npos);
  ASSERT_EQ(r.group.questions.size(), 2u);
  EXPECT_EQ(r.group.questions[1].text, "Also good?");
}

TEST(SpreadsheetImport, AHeaderMustNameEveryColumnThatHoldsText) {
  const CsvImport missing = importCsv("Right,Wrong,Wrong\nA,B,C\n");
  EXPECT_FALSE(missing.usable);
  EXPECT_NE(rowsOf(missing).find("1: the header row names no Question column"), std::string::npos);
  const CsvImport extra = importCsv("Question,Right,Wrong,Wrong,\nQ?,A,B,C,lost\nQ2?,A,B,C,\n");
  EXPECT_EQ(extra.refusedRows, 1);
  EXPECT_NE(rowsOf(extra).find("2: column 5 has no role"), std::string::npos) << rowsOf(extra);
  EXPECT_EQ(extra.group.questions.size(), 1u);
  EXPECT_FALSE(importCsv("").usable);
}

// ---- Both ways ----------------------------------------------------------------------------

TEST(SpreadsheetExport, EveryShippedGroupComesBackTheSame) {
  int groups = 0;
  for (const auto& e : std::filesystem::directory_iterator(source("assets/groups"))) {
    if (e.path().extension() != ".set") continue;
    ++groups;
    SCOPED_TRACE(e.path().filename().string());
    Group g = groupFromBytes(*fileio::readAll(e.path().string()));
    const std::string text = exportCsv(g);
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBFQuestion,Right,"));
    const CsvImport back = importCsv(text);
    EXPECT_TRUE(back.problems.empty()) << rowsOf(back);
    g.notes.clear();  // a spreadsheet has no place for them
    EXPECT_EQ(back.group, g);
  }
  EXPECT_GE(groups, 4);
}

TEST(SpreadsheetExport, AwkwardTextsSurviveTheTrip) {
  Group g;
  g.questions.push_back({"\"Quoted\", with commas; semicolons\tand tabs?",
                         {"  spaced  ", "B"},
                         {"Caf\u00e9 \u20ac5", "\"", "Question"}});
  g.questions.push_back({"Right", {"Wrong"}, {"Question", "Right"}});
  EXPECT_EQ(importCsv(exportCsv(g)).group, g);
}

TEST(SpreadsheetExport, TheDocumentedExampleImportsCleanly) {
  const auto bytes = fileio::readAll(source("docs/example-group.csv").string());
  ASSERT_TRUE(bytes);
  const CsvImport r = importCsv(*bytes);
  EXPECT_TRUE(r.problems.empty()) << rowsOf(r);
  ASSERT_EQ(r.group.questions.size(), 5u);
  EXPECT_EQ(r.group.questions[1].right, fields({"Eight", "8"}));
  EXPECT_EQ(r.group.questions[4].wrong[0], "Pembril's \"mood\"");
  EXPECT_TRUE(unwritableTexts(r.group).empty());
}

TEST(SpreadsheetFiles, ImportWritesNothingWhileARowIsRefused) {
  const auto dir = std::filesystem::temp_directory_path() / "zndl-sheet-files";
  std::filesystem::create_directories(dir);
  const std::string csvPath = (dir / "in.csv").string();
  const std::string setPath = (dir / "out.set").string();
  std::filesystem::remove(setPath);
  ASSERT_TRUE(fileio::replaceAtomically(csvPath, "Q?,A,B,C\nBad?,A,B\nQ2?,A,B,C\n"));
  Exchange e = importFile(csvPath, setPath, false);
  EXPECT_EQ(e.status, 1);
  ASSERT_FALSE(e.messages.empty());
  EXPECT_EQ(e.messages[0].rfind(csvPath + ":2: ", 0), 0u) << e.messages[0];
  EXPECT_FALSE(fileio::exists(setPath));
  e = importFile(csvPath, setPath, true);
  EXPECT_EQ(e.status, 1);
  EXPECT_EQ(groupFromBytes(*fileio::readAll(setPath)).questions.size(), 2u);
  ASSERT_TRUE(fileio::replaceAtomically(csvPath, "Q?,A,B,C\n"));
  EXPECT_EQ(importFile(csvPath, setPath, false).status, 0);
  EXPECT_EQ(exportFile(setPath, (dir / "out.csv").string()).status, 0);
  EXPECT_EQ(exportFile((dir / "missing.set").string(), (dir / "x.csv").string()).status, 2);
  std::filesystem::remove_all(dir);
}
