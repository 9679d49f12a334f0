// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "checker/group_show.h"
#include "editor/group_checks.h"
#include "exchange/group_document.h"
#include "exchange/group_writer.h"
#include "fakes/crlf_lines.h"
#include "host/text_list.h"
#include "platform/file_io.h"
#include "platform/random.h"
#include "quiz/question_store.h"

using namespace zndl;
using namespace zndl::editor;
using namespace zndl::exchange;
using zndl::testing::crlfLines;

namespace {

std::vector<std::filesystem::path> shippedGroups() {
  std::vector<std::filesystem::path> out;
  for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(ZNDL_SOURCE_DIR) /
                                                           "assets" / "groups"))
    if (e.path().extension() == ".set") out.push_back(e.path());
  return out;
}

// Every question as the game loads it, with the same draws for the original and
// the copy.
std::vector<LoadedQuestion> asked(const QuestionStore& store, std::uint64_t seed) {
  std::vector<LoadedQuestion> out;
  const int count = check::questionsAsked(store);
  for (int n = 1; n <= count; ++n) {
    ClockRandom random(seed + static_cast<std::uint64_t>(n));
    TextList wrong;
    TextList correct;
    out.push_back(loadQuestion(store, n, wrong, correct, random));
  }
  return out;
}

bool sameQuestions(const std::vector<LoadedQuestion>& a, const std::vector<LoadedQuestion>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].text != b[i].text || a[i].correct != b[i].correct || a[i].wrong0 != b[i].wrong0 ||
        a[i].wrong1 != b[i].wrong1)
      return false;
  return true;
}

// Ten pixels a character, eighteen-pixel lines: the question box holds four lines of
// thirty characters, an answer line thirty characters with its prefix.
class TenPixels : public check::TextMeasurer {
 public:
  int width(std::string_view t) const override {
    int n = 0;
    for (const char c : t) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return 10 * n;
  }
  int lineHeight() const override { return 18; }
  int wrappedLineCount(std::string_view t, int box) const override {
    return 1 + width(t) / std::max(1, box);
  }
};

Question q(std::string text, std::vector<std::string> right, std::vector<std::string> wrong) {
  return {std::move(text), std::move(right), std::move(wrong)};
}

}  // namespace

TEST(GroupDocument, ReadsBothLayoutsAsTheGameAsksThem) {
  const Group sectioned =
      groupFromBytes(crlfLines({"(ZNDL v4)", "My title", "[1]", "Q one?", "[1-YES]", "Eight", "8",
                                "[1-NO]", "Six", "Ten", "[2]"}));
  ASSERT_EQ(sectioned.questions.size(), 1u);
  EXPECT_EQ(sectioned.notes, std::vector<std::string>{"My title"});
  EXPECT_EQ(sectioned.questions[0], q("Q one?", {"Eight", "8"}, {"Six", "Ten"}));

  const Group classic =
      groupFromBytes(crlfLines({"Capitals", "[1]", "Norway?", "Oslo", "Bergen", "Bodo", "[2]",
                                "Peru?", "Lima", "Cusco", "Quito", "[3]"}));
  EXPECT_EQ(classic.notes, std::vector<std::string>{"Capitals"});
  ASSERT_EQ(classic.questions.size(), 2u);
  EXPECT_EQ(classic.questions[1], q("Peru?", {"Lima"}, {"Cusco", "Quito"}));

  // Without its end marker the last question is never asked, so the editor does not
  // see it either.
  const Group open =
      groupFromBytes(crlfLines({"(ZNDL v4)", "[1]", "Q?", "[1-YES]", "A", "[1-NO]", "B", "C"}));
  EXPECT_TRUE(open.questions.empty());
}

TEST(GroupDocument, KeepsTheNotesOfAGroupWithoutQuestions) {
  // A group begun with only its title and notes: opening and saving it keeps them.
  const Group sectioned =
      groupFromBytes(crlfLines({"(ZNDL v4)", "My title", "To do: ten questions"}));
  EXPECT_EQ(sectioned.notes, (std::vector<std::string>{"My title", "To do: ten questions"}));
  EXPECT_TRUE(sectioned.questions.empty());
  EXPECT_EQ(groupFromBytes(writeGroup(sectioned).bytes), sectioned);

  const Group classic = groupFromBytes("Capitals\r\nfor the finals");
  EXPECT_EQ(classic.notes, (std::vector<std::string>{"Capitals", "for the finals"}));
  EXPECT_TRUE(classic.questions.empty());
}

TEST(GroupWriter, WritesTheSectionedLayoutInWindows1252WithCrLf) {
  Group g;
  g.notes = {"Café quiz"};
  g.questions.push_back(q("Où?", {"Ici", "Là"}, {"Nowhere", "Everywhere"}));
  g.questions.push_back(q("Two?", {"2"}, {"1", "3", "4"}));
  const WrittenGroup w = writeGroup(g);
  EXPECT_EQ(w.bytes, crlfLines({"(ZNDL v4)", "Caf\xE9 quiz", "[1]", "O\xF9?", "[1-YES]", "Ici",
                                "L\xE0", "[1-NO]", "Nowhere", "Everywhere", "[2]", "Two?",
                                "[2-YES]", "2", "[2-NO]", "1", "3", "4", "[3]"}));
  ASSERT_EQ(w.lines.size(), 19u);
  EXPECT_EQ(w.lines[6], (Place{0, Column::Right, 1}));
  EXPECT_EQ(w.lines[14], (Place{1, Column::Wrong, -1}));
  EXPECT_EQ(w.lines[18].row, -1);
  EXPECT_EQ(groupFromBytes(w.bytes), g);
}

TEST(GroupWriter, EveryShippedGroupIsAskedTheSameAfterSaving) {
  const auto groups = shippedGroups();
  ASSERT_GE(groups.size(), 4u);
  bool sawClassic = false;
  bool sawSectioned = false;
  for (const auto& path : groups) {
    SCOPED_TRACE(path.filename().string());
    const auto bytes = fileio::readAll(path.string());
    ASSERT_TRUE(bytes);
    const QuestionStore original(TextList::fromBytes(*bytes));
    (isSectioned(original) ? sawSectioned : sawClassic) = true;
    const Group group = groupFromStore(original);
    ASSERT_GT(group.questions.size(), 10u);

    const auto file =
        std::filesystem::temp_directory_path() / ("zndl-roundtrip-" + path.filename().string());
    std::string error;
    ASSERT_TRUE(saveGroup(file.string(), group, error)) << error;
    QuestionStore copy;
    copy.loadFromFile(file.string());
    std::filesystem::remove(file);
    EXPECT_TRUE(isSectioned(copy));
    for (std::uint64_t seed : {1u, 77u, 1234u})
      EXPECT_TRUE(sameQuestions(asked(original, seed), asked(copy, seed)));
    EXPECT_EQ(groupFromStore(copy), group);
  }
  EXPECT_TRUE(sawClassic);
  EXPECT_TRUE(sawSectioned);
}

TEST(GroupWriter, RefusesTextsTheFileCannotHoldAndKeepsTheOldFile) {
  const auto file = std::filesystem::temp_directory_path() / "zndl-refused.set";
  ASSERT_TRUE(fileio::replaceAtomically(file.string(), "old"));
  Group g;
  g.questions.push_back(q("Snow \u2603 man?", {"Yes"}, {"No", "Two\nlines"}));
  std::string error;
  EXPECT_FALSE(saveGroup(file.string(), g, error));
  EXPECT_NE(error.find("U+2603"), std::string::npos) << error;
  EXPECT_NE(error.find("the question of row 1"), std::string::npos) << error;
  EXPECT_NE(error.find("wrong answer 2 of row 1 holds a line break"), std::string::npos) << error;
  EXPECT_EQ(fileio::readAll(file.string()), "old");
  std::filesystem::remove(file);
  // The bytes for the checker stay a well-formed file all the same.
  EXPECT_EQ(groupFromBytes(writeGroup(g).bytes).questions[0].text, "Snow ? man?");
  // A broken sequence costs only its own byte, never the character after it.
  g.questions[0].text = "Caf\xC3(e)?";
  EXPECT_EQ(groupFromBytes(writeGroup(g).bytes).questions[0].text, "Caf?(e)?");
}

TEST(GroupDocument, NamesCharactersAndSpotsMarkerLookalikes) {
  EXPECT_EQ(unencodableCharacters("caf\u00e9 \u20ac"), "");  // é and € are in Windows-1252
  EXPECT_EQ(unencodableCharacters("a \u2603 b \u2603 \U0001F600"),
            "\"\u2603\" (U+2603), \"\U0001F600\" (U+1F600)");
  // Bytes that are not UTF-8 (here an encoded surrogate) are named one by one.
  EXPECT_EQ(unencodableCharacters("a\xED\xA0\x80z"), "byte 0xED, byte 0xA0, byte 0x80");
  EXPECT_TRUE(looksLikeMarker("[3]"));
  EXPECT_TRUE(looksLikeMarker("[12-no]"));
  EXPECT_TRUE(looksLikeMarker("[7-Yes]"));
  EXPECT_FALSE(looksLikeMarker("[07]"));
  EXPECT_FALSE(looksLikeMarker("[3] "));
  EXPECT_FALSE(looksLikeMarker("[x]"));
  EXPECT_FALSE(looksLikeMarker("[3-maybe]"));
}

TEST(GroupChecks, PutTheCheckersFindingsOnTheirCells) {
  Group g;
  g.questions.push_back(q("Fine?", {"Yes"}, {"No", "Nope"}));
  g.questions.push_back(q("", {"A"}, {"B", "C"}));                        // empty question
  g.questions.push_back(q("Few?", {"A"}, {"B"}));                         // one wrong answer
  g.questions.push_back(q("Twice?", {"A"}, {"B", "B"}));                  // duplicate
  g.questions.push_back(q("Long?", {std::string(40, 'x')}, {"B", "C"}));  // too wide
  std::string longQuestion;
  for (int i = 0; i < 30; ++i) longQuestion += "word ";
  g.questions.push_back(q(longQuestion + "?", {"A"}, {"B", "C"}));  // too long
  g.questions.push_back(q("Snow?", {"\u2603"}, {"B", "C"}));        // unencodable
  g.questions.push_back(q("None?", {}, {"B", "C"}));                // no right
  g.questions.push_back(q("Marker?", {"A"}, {"B", "[2]"}));         // a marker
  const auto problems = checkCells(g, TenPixels());
  const auto on = [&](int row, Column column, int item) {
    std::vector<std::string> out;
    for (const auto& p : problems)
      if (p.place == Place{row, column, item}) out.push_back(p.message);
    return out;
  };
  EXPECT_TRUE(on(0, Column::Question, 0).empty());
  EXPECT_EQ(on(1, Column::Question, 0).size(), 1u);
  EXPECT_NE(on(1, Column::Question, 0)[0].find("is empty"), std::string::npos);
  ASSERT_EQ(on(2, Column::Wrong, -1).size(), 1u);
  EXPECT_NE(on(2, Column::Wrong, -1)[0].find("only one wrong answer"), std::string::npos);
  ASSERT_EQ(on(3, Column::Wrong, 1).size(), 1u);
  // The checker's "line N" becomes the cell that holds that line.
  EXPECT_NE(on(3, Column::Wrong, 1)[0].find("repeats wrong answer 1 of row 4"), std::string::npos)
      << on(3, Column::Wrong, 1)[0];
  ASSERT_EQ(on(4, Column::Right, 0).size(), 1u);
  EXPECT_NE(on(4, Column::Right, 0)[0].find("too wide"), std::string::npos);
  ASSERT_EQ(on(5, Column::Question, 0).size(), 1u);
  EXPECT_NE(on(5, Column::Question, 0)[0].find("lines in the question box"), std::string::npos);
  ASSERT_FALSE(on(6, Column::Right, 0).empty());
  EXPECT_NE(on(6, Column::Right, 0)[0].find("U+2603"), std::string::npos);
  EXPECT_FALSE(on(7, Column::Right, -1).empty());
  ASSERT_EQ(on(8, Column::Wrong, 1).size(), 1u);
  EXPECT_NE(on(8, Column::Wrong, 1)[0].find("(first at the question of row 2)"), std::string::npos)
      << on(8, Column::Wrong, 1)[0];
  for (std::size_t i = 1; i < problems.size(); ++i)
    EXPECT_LE(problems[i - 1].place.row, problems[i].place.row);
}

TEST(GroupChecks, NameCellsWithoutTouchingTheAuthorsText) {
  // The wrong answer quoted in the message holds "line 2" itself; only the checker's
  // own mention of the first copy becomes a cell.
  Group g;
  g.questions.push_back(q("Due?", {"Today"}, {"Deadline 2", "Deadline 2"}));
  const auto problems = checkCells(g, TenPixels());
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].place, (Place{0, Column::Wrong, 1}));
  EXPECT_EQ(problems[0].message,
            "the wrong answer \"Deadline 2\" of question 1 repeats wrong answer 1 of row 1, so "
            "both wrong answers can read the same");
}

TEST(GroupChecks, ShippedGroupsHaveNoFindingsButTheirWidths) {
  // The stand-in font is wider than the game's; only width findings may come up.
  for (const auto& path : shippedGroups()) {
    const Group g = groupFromBytes(*fileio::readAll(path.string()));
    for (const auto& p : checkCells(g, TenPixels()))
      EXPECT_TRUE(p.message.find("wide") != std::string::npos ||
                  p.message.find("lines in the question box") != std::string::npos)
          << path.filename() << ": " << p.message;
  }
}
