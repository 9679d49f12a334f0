// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "checker/group_check.h"
#include "checker/group_show.h"
#include "fakes/fakes.h"
#include "host/text_list.h"
#include "platform/random.h"
#include "quiz/question_store.h"

using namespace zndl;
using namespace zndl::check;

namespace {

// Ten pixels a character, except a wide "C" so that the widest answer prefix is
// "C- "; eighteen-pixel lines, so the 73-pixel question box holds four of them.
class FixedWidthMeasurer : public TextMeasurer {
 public:
  int width(std::string_view text) const override {
    int px = 0;
    for (const char c : text) {
      if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;  // UTF-8 continuation
      px += c == 'C' ? 14 : 10;
    }
    return px;
  }
  int lineHeight() const override { return 18; }
  int wrappedLineCount(std::string_view text, int box) const override {
    int lines = 1;
    int used = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find(' ', start);
      if (end == std::string_view::npos) end = text.size();
      const int w = width(text.substr(start, end - start));
      if (used == 0) {
        used = w;
      } else if (used + 10 + w <= box) {
        used += 10 + w;
      } else {
        ++lines;
        used = w;
      }
      start = end + 1;
    }
    return lines;
  }
};

// Everything fits: for checking structure and encoding alone.
class RoomyMeasurer : public TextMeasurer {
 public:
  int width(std::string_view) const override { return 1; }
  int lineHeight() const override { return 1; }
  int wrappedLineCount(std::string_view, int) const override { return 1; }
};

std::string join(const std::vector<std::string>& lines, std::string_view lineBreak = "\r\n") {
  std::string out;
  for (const auto& line : lines) out += line + std::string(lineBreak);
  return out;
}

std::vector<std::string> sectioned() {
  return {"(ZNDL v4)",
          "[1]",  // line 2
          "What colour is a ripe banana?",
          "[1-YES]",
          "Yellow",
          "[1-NO]",  // line 6
          "Blue",
          "Purple",
          "[2]",  // line 9
          "How many legs has a spider?",
          "[2-YES]",  // line 11
          "Eight",
          "8",
          "[2-NO]",  // line 14
          "Six",
          "Ten",
          "[3]",  // line 17
          "Which planet is closest to the Sun?",
          "[3-YES]",  // line 19
          "Mercury",
          "[3-NO]",  // line 21
          "Venus",
          "Mars",
          "Jupiter",
          "[4]"};  // line 25
}

std::vector<std::string> classic() {
  return {"Capitals",
          "[1]",  // line 2
          "What is the capital of Norway?",
          "Oslo",
          "Bergen",
          "Stockholm",
          "[2]",  // line 7
          "What is the capital of Peru?",
          "Lima",
          "Cusco",
          "Quito",
          "[3]",  // line 12
          "What is the capital of Japan?",
          "Tokyo",
          "Osaka",
          "Kyoto",
          "Nagoya",
          "[4]"};  // line 18
}

std::vector<Problem> problemsOf(const std::vector<std::string>& lines) {
  return checkGroup(join(lines), FixedWidthMeasurer());
}

std::string describe(const std::vector<Problem>& problems) {
  std::string out;
  for (const auto& p : problems) out += std::to_string(p.line) + ": " + p.message + "\n";
  return out;
}

// The group has exactly one problem, at `line`, whose explanation holds every piece.
void expectOnly(const std::vector<Problem>& problems, int line,
                std::initializer_list<std::string_view> pieces) {
  ASSERT_EQ(problems.size(), 1u) << describe(problems);
  EXPECT_EQ(problems[0].line, line) << problems[0].message;
  for (const auto piece : pieces)
    EXPECT_NE(problems[0].message.find(piece), std::string::npos)
        << "missing \"" << piece << "\" in: " << problems[0].message;
}

std::vector<std::string> erase(std::vector<std::string> lines, int line) {
  lines.erase(lines.begin() + (line - 1));
  return lines;
}

std::vector<std::string> replace(std::vector<std::string> lines, int line, std::string text) {
  lines[static_cast<std::size_t>(line - 1)] = std::move(text);
  return lines;
}

std::vector<std::string> insert(std::vector<std::string> lines, int before,
                                std::vector<std::string> more) {
  lines.insert(lines.begin() + (before - 1), more.begin(), more.end());
  return lines;
}

}  // namespace

TEST(GroupCheck, WellFormedGroupsOfBothLayoutsAndAnyLineBreaksAreClean) {
  for (const auto& lines : {sectioned(), classic()}) {
    for (const std::string_view lineBreak : {"\r\n", "\n", "\r"}) {
      EXPECT_EQ(describe(checkGroup(join(lines, lineBreak), FixedWidthMeasurer())), "")
          << "line break "
          << (lineBreak == "\r"   ? "CR"
              : lineBreak == "\n" ? "LF"
                                  : "CR LF");
    }
    // No final line break, and empty lines after the end marker, are fine too.
    std::string bytes = join(lines);
    EXPECT_TRUE(checkGroup(bytes.substr(0, bytes.size() - 2), FixedWidthMeasurer()).empty());
    EXPECT_TRUE(checkGroup(bytes + "\r\n\r\n", FixedWidthMeasurer()).empty());
  }
  // Markers in lower case are found by the game all the same.
  EXPECT_TRUE(problemsOf(replace(replace(sectioned(), 11, "[2-yes]"), 14, "[2-No]")).empty());
}

TEST(GroupCheck, NearVersionLineIsReportedWithTheClassicLayoutItCauses) {
  for (const char* first : {"(zndl v4)", "(ZNDL V4)", "(ZNDL v4) ", " (ZNDL v4)", "(ZNDL  v4)"}) {
    SCOPED_TRACE(first);
    expectOnly(
        problemsOf(replace(sectioned(), 1, first)), 1,
        {std::string("\"") + first + "\"", "exactly (ZNDL v4)", "classic layout", "[n-YES]"});
  }
}

TEST(GroupCheck, SectionedMarkersInAGroupWithoutVersionLineAreReportedOnce) {
  const auto problems = problemsOf(insert(replace(sectioned(), 1, "Science"), 2, {"(ZNDL v4)"}));
  expectOnly(problems, 5, {"\"[1-YES]\"", "classic layout", "line 2 holds the version line"});
}

TEST(GroupCheck, MissingEndMarkerNamesTheQuestionThatIsNeverAsked) {
  expectOnly(problemsOf(erase(sectioned(), 25)), 17, {"question 3 is never asked", "[4]"});
  expectOnly(problemsOf(erase(classic(), 18)), 12, {"question 3 is never asked", "[4]"});
}

TEST(GroupCheck, GapInTheNumbersIsReportedAtTheBlockAfterIt) {
  // [3] renumbered [4] and the end marker [5]: no [3] anywhere.
  auto lines = replace(replace(replace(sectioned(), 17, "[4]"), 19, "[4-YES]"), 21, "[4-NO]");
  lines = replace(lines, 25, "[5]");
  expectOnly(problemsOf(lines), 17, {"[3] is missing before [4]", "never asks question 2"});
  expectOnly(problemsOf(replace(replace(classic(), 12, "[4]"), 18, "[5]")), 12,
             {"[3] is missing before [4]", "never asks question 2"});
  // Without [2] the game has nothing to ask.
  expectOnly(problemsOf(replace(replace(replace(classic(), 7, "[3]"), 12, "[4]"), 18, "[5]")), 7,
             {"[2] is missing before [3]", "asks no question at all"});
}

TEST(GroupCheck, MissingFirstMarkerSaysTheFirstLineBecomesTheQuestion) {
  expectOnly(problemsOf(erase(sectioned(), 2)), 8,
             {"[1] is missing before [2]", "first line \"(ZNDL v4)\" as its question"});
  expectOnly(problemsOf(erase(classic(), 2)), 6,
             {"[1] is missing before [2]", "first line \"Capitals\" as its question"});
}

TEST(GroupCheck, BlockOutOfOrderIsReportedOnceAtItsMarker) {
  // Blocks 2 and 3 swapped: lines 9-16 move after line 24.
  auto lines = sectioned();
  std::vector<std::string> swapped(lines.begin(), lines.begin() + 8);
  swapped.insert(swapped.end(), lines.begin() + 16, lines.begin() + 24);
  swapped.insert(swapped.end(), lines.begin() + 8, lines.begin() + 16);
  swapped.push_back("[4]");
  expectOnly(problemsOf(swapped), 9, {"block [3] is out of order", "before [2] (line 17)"});

  auto plain = classic();
  std::vector<std::string> classicSwapped(plain.begin(), plain.begin() + 6);
  classicSwapped.insert(classicSwapped.end(), plain.begin() + 11, plain.begin() + 17);
  classicSwapped.insert(classicSwapped.end(), plain.begin() + 6, plain.begin() + 11);
  classicSwapped.push_back("[4]");
  expectOnly(problemsOf(classicSwapped), 7, {"block [3] is out of order", "before [2] (line 13)"});
}

TEST(GroupCheck, RepeatedBlockIsReportedOnceAsADuplicateMarker) {
  // Block 2 pasted twice, in either layout.
  auto lines = sectioned();
  const std::vector<std::string> block2(lines.begin() + 8, lines.begin() + 16);
  lines.insert(lines.begin() + 16, block2.begin(), block2.end());
  expectOnly(problemsOf(lines), 17, {"[2] appears a second time (first at line 9)", "question 2"});
  auto plain = classic();
  const std::vector<std::string> classic2(plain.begin() + 6, plain.begin() + 11);
  plain.insert(plain.begin() + 11, classic2.begin(), classic2.end());
  expectOnly(problemsOf(plain), 12, {"[2] appears a second time (first at line 7)"});
  // A repeated end marker.
  expectOnly(problemsOf(insert(classic(), 18, {"[4]"})), 18,
             {"the same as the marker [4] at line 19", "keep only one end marker"});
}

TEST(GroupCheck, LineThatEqualsAMarkerIsReportedWhereTheGameWouldStop) {
  // A wrong answer of question 1 that reads like question 2's wrong-answer marker.
  expectOnly(problemsOf(replace(sectioned(), 8, "[2-no]")), 8,
             {"reads \"[2-no]\"", "marker [2-NO] at line 14", "takes this one for the marker"});
  // A wrong answer that reads like the next question marker.
  expectOnly(problemsOf(replace(classic(), 6, "[2]")), 6,
             {"reads \"[2]\"", "marker [2] at line 7", "takes this one for the marker"});
  // A note above the first question.
  expectOnly(problemsOf(insert(sectioned(), 2, {"[1]", "a note"})), 2,
             {"reads \"[1]\"", "marker [1] at line 4"});
}

TEST(GroupCheck, TooFewAnswersAreReportedAtTheirBlock) {
  expectOnly(problemsOf(erase(erase(sectioned(), 24), 23)), 21,
             {"question 3 has only one wrong answer"});
  expectOnly(problemsOf(erase(erase(sectioned(), 16), 15)), 14,
             {"question 2 has no wrong answers"});
  expectOnly(problemsOf(erase(sectioned(), 20)), 19,
             {"question 3 has no correct answer between [3-YES] and [3-NO]"});
  expectOnly(problemsOf(erase(erase(classic(), 17), 16)), 12,
             {"question 3 has only one wrong answer"});
  expectOnly(problemsOf(erase(erase(classic(), 6), 5)), 2,
             {"question 1 has no wrong answers", "\"Oslo\" as a wrong answer too"});
  expectOnly(problemsOf(erase(sectioned(), 3)), 2,
             {"question 1 has no question line", "\"[1-YES]\" as its question"});
}

TEST(GroupCheck, AnswerThatCouldShowTwiceIsReported) {
  expectOnly(problemsOf(replace(sectioned(), 8, "yellow")), 8,
             {"\"yellow\" of question 1 is also its correct answer at line 5"});
  expectOnly(problemsOf(replace(sectioned(), 24, "Venus")), 24,
             {"\"Venus\" of question 3 repeats line 22"});
  expectOnly(problemsOf(replace(classic(), 17, "Tokyo")), 17, {"also its correct answer"});
}

TEST(GroupCheck, MissingOrMisplacedSectionMarkersAreReported) {
  expectOnly(problemsOf(erase(sectioned(), 11)), 9, {"question 2 has no [2-YES] marker"});
  expectOnly(problemsOf(erase(sectioned(), 14)), 9, {"question 2 has no [2-NO] marker"});
  expectOnly(problemsOf(erase(erase(sectioned(), 14), 11)), 9, {"no [2-YES] and no [2-NO]"});
  // [2-NO] and its answers before [2-YES].
  auto lines = sectioned();
  std::rotate(lines.begin() + 10, lines.begin() + 13, lines.begin() + 16);
  expectOnly(problemsOf(lines), 11, {"[2-NO] is out of order", "before [2-YES] (line 14)"});
}

TEST(GroupCheck, MarkerSpoiltBySpacesOrZerosIsANearMarker) {
  expectOnly(problemsOf(replace(sectioned(), 17, "[3] ")), 17,
             {"\"[3] \" is not the marker [3]", "no spaces", "never asks question 2"});
  expectOnly(problemsOf(replace(sectioned(), 17, " [3]")), 17, {"no spaces"});
  expectOnly(problemsOf(replace(classic(), 12, "[03]")), 12, {"no leading zeros"});
  expectOnly(problemsOf(replace(sectioned(), 19, "[3-YES ]")), 19,
             {"not the marker [3-YES]", "cannot find the answers of question 3"});
  expectOnly(problemsOf(replace(sectioned(), 25, "[4]\t")), 25, {"never asks question 3"});
}

TEST(GroupCheck, TextTooBigForTheQuizScreenIsMeasured) {
  // Thirty characters a line at the stand-in font: four lines fit, five do not.
  std::string fourLines;
  for (int i = 0; i < 4; ++i) fourLines += (i ? " " : "") + std::string(29, 'a');
  EXPECT_TRUE(problemsOf(replace(sectioned(), 10, fourLines)).empty());
  expectOnly(problemsOf(replace(sectioned(), 10, fourLines + " more")), 10,
             {"question 2 takes 5 lines", "room for 4"});
  expectOnly(problemsOf(replace(sectioned(), 10, std::string(31, 'w') + " ok?")), 10,
             {"the word \"" + std::string(31, 'w') + "\" is 310 pixels wide"});
  // "C- " is the widest prefix here: 14 + 20 + 27 * 10 = 304 fits, one more does not.
  EXPECT_TRUE(problemsOf(replace(sectioned(), 16, std::string(27, 't'))).empty());
  expectOnly(problemsOf(replace(sectioned(), 16, std::string(28, 't'))), 16,
             {"too wide for its answer line", "\"C- \"", "314 pixels"});
  expectOnly(problemsOf(replace(classic(), 4, std::string(28, 'o'))), 4, {"too wide"});
}

TEST(GroupCheck, Utf8TextIsShownAsThePlayerWouldSeeIt) {
  expectOnly(problemsOf(replace(sectioned(), 22, "Caf\xC3\xA9 Venus")), 22,
             {"UTF-8", "\"Caf\u00e9\" as \"Caf\u00c3\u00a9\"", "Windows-1252"});
  expectOnly(problemsOf(replace(classic(), 3, "It\xE2\x80\x99s Norway\xE2\x80\x99s capital?")), 3,
             {"\"It\u2019s\" as \"It\u00e2\u20ac\u2122s\""});
  // The same letters in Windows-1252 are what the game wants.
  EXPECT_TRUE(problemsOf(replace(classic(), 9, "Bras\xEDlia")).empty());
}

TEST(GroupCheck, ByteOrderMarkIsReportedWithTheLayoutItSpoils) {
  expectOnly(checkGroup("\xEF\xBB\xBF" + join(sectioned()), FixedWidthMeasurer()), 1,
             {"byte-order mark", "\"\u00ef\u00bb\u00bf\"", "classic layout"});
  const auto classicProblems = checkGroup("\xEF\xBB\xBF" + join(classic()), FixedWidthMeasurer());
  expectOnly(classicProblems, 1, {"byte-order mark"});
  EXPECT_EQ(classicProblems[0].message.find("classic layout"), std::string::npos);
}

TEST(GroupCheck, StraysOutsideTheBlocksAreReported) {
  expectOnly(problemsOf(insert(sectioned(), 26,
                               {"Question four?", "[4-YES]", "Yes", "[4-NO]", "No", "Nope"})),
             25, {"question 4 is never asked", "[5]"});
  expectOnly(problemsOf(insert(sectioned(), 26, {"A forgotten question?"})), 26,
             {"after the end marker [4]", "never read"});
  expectOnly(problemsOf(insert(sectioned(), 16, {""})), 16, {"empty line among the wrong answers"});
  expectOnly(problemsOf(insert(sectioned(), 11, {"A second question line"})), 11, {"never shown"});
  expectOnly(problemsOf({"(ZNDL v4)", "Nothing here"}), 1, {"no question marker [1]"});
  expectOnly(problemsOf({"[1]"}), 1, {"holds no question"});
  expectOnly(checkGroup("", FixedWidthMeasurer()), 1, {"no question marker [1]"});
  expectOnly(problemsOf(replace(classic(), 10, "Cu\x81sco")), 10, {"0x81"});
}

TEST(GroupCheck, ProblemsOfDifferentKindsAreAllListedInLineOrder) {
  auto lines = replace(replace(sectioned(), 22, std::string(40, 'v')), 17, "[3] ");
  lines = replace(lines, 7, "Bl\xC3\xBC");
  const auto problems = problemsOf(lines);
  ASSERT_EQ(problems.size(), 2u) << describe(problems);
  EXPECT_EQ(problems[0].line, 7);
  EXPECT_EQ(problems[1].line, 17);
  // With the marker mended, the answer of question 3 is measured as well.
  const auto mended = problemsOf(replace(lines, 17, "[3]"));
  ASSERT_EQ(mended.size(), 2u) << describe(mended);
  EXPECT_EQ(mended[1].line, 22);
}

TEST(GroupCheck, ShippedGroupsHaveNoProblem) {
  const auto dir = std::filesystem::path(ZNDL_SOURCE_DIR) / "assets" / "groups";
  int groups = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".set") continue;
    ++groups;
    const std::string bytes = zndl::testing::readFile(entry.path().string());
    EXPECT_EQ(describe(checkGroup(bytes, RoomyMeasurer())), "") << entry.path();
    const QuestionStore store(TextList::fromBytes(bytes));
    EXPECT_GE(questionsAsked(store), 30) << entry.path();
  }
  EXPECT_GE(groups, 4);
}

TEST(GroupCheck, ArbitraryBytesNeverBreakTheChecker) {
  // Marker-like pieces glued at random: whatever comes out, every problem names a line
  // of the file, and showing the group works too.
  const std::vector<std::string> pieces = {"[1]",       "[2]",       "[3]",          "[2-YES]",
                                           "[2-no]",    "[1-Yes]",   "[3-NO]",       "[0]",
                                           "[01]",      " [2] ",     "[999999999]",  "[9999999999]",
                                           "(ZNDL v4)", "(zndl v4)", "\xEF\xBB\xBF", "caf\xC3\xA9",
                                           "\x81",      "",          "answer",       "[",
                                           "]",         "-YES]",     "\r",           "\n",
                                           "\r\n",      " "};
  ClockRandom random(7);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    const int parts = random.below(40);
    for (int i = 0; i < parts; ++i) {
      bytes += pieces[static_cast<std::size_t>(random.below(static_cast<int>(pieces.size())))];
      if (random.below(2)) bytes += "\r\n";
    }
    const int lines = std::max(1, TextList::fromBytes(bytes).count());
    for (const auto& p : checkGroup(bytes, FixedWidthMeasurer())) {
      ASSERT_GE(p.line, 1) << bytes;
      ASSERT_LE(p.line, lines) << bytes;
      ASSERT_FALSE(p.message.empty());
    }
    (void)formatShow("fuzz.set", QuestionStore(TextList::fromBytes(bytes)));
  }
}
