// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "checker/group_show.h"
#include "fakes/fakes.h"
#include "host/text_list.h"
#include "platform/random.h"
#include "quiz/question_store.h"

using namespace zndl;
using namespace zndl::check;
using zndl::testing::EveryDraw;

namespace {

// The final places each entry of a pool of `count` can take in the game's shuffle.
std::vector<std::set<int>> reachablePlaces(int count) {
  std::vector<std::set<int>> places(static_cast<std::size_t>(count));
  long long sequences = 1;
  for (int i = 0; i < count; ++i) sequences *= std::max(1, count - 1);
  for (long long s = 0; s < sequences; ++s) {
    TextList pool;
    for (int i = 0; i < count; ++i) pool.append(std::to_string(i));
    EveryDraw draws(s);
    shufflePool(pool, draws);
    for (int place = 0; place < count; ++place)
      places[static_cast<std::size_t>(std::stoi(pool.at(place)))].insert(place);
  }
  return places;
}

Showing expectedWrong(const std::set<int>& places) {
  const bool first = places.count(0) > 0;
  const bool second = places.count(1) > 0;
  const bool elsewhere = places.size() > static_cast<std::size_t>(first) + second;
  if (!first && !second) return Showing::Never;
  if (elsewhere) return Showing::Sometimes;
  if (first && second) return Showing::Always;
  return first ? Showing::AlwaysFirst : Showing::AlwaysSecond;
}

Showing expectedCorrect(const std::set<int>& places) {
  if (!places.count(0)) return Showing::Never;
  return places.size() == 1 ? Showing::Always : Showing::Sometimes;
}

// The two-question example of the authoring guide, as a group file.
std::string guideExample() {
  std::ifstream in(std::filesystem::path(ZNDL_SOURCE_DIR) / "docs" / "question-groups.md");
  std::string line;
  std::string bytes;
  bool inside = false;
  while (std::getline(in, line)) {
    if (!inside && line == "```") {
      std::string next;
      if (!std::getline(in, next)) break;
      if (next != "(ZNDL v4)") continue;
      inside = true;
      line = next;
    } else if (inside && line == "```") {
      break;
    }
    if (inside) bytes += line + "\r\n";
  }
  return bytes;
}

}  // namespace

TEST(GroupShow, ChancesOfEachEntryMatchTheGameShuffle) {
  for (int count = 1; count <= 6; ++count) {
    const auto places = reachablePlaces(count);
    for (int i = 0; i < count; ++i) {
      SCOPED_TRACE("entry " + std::to_string(i) + " of " + std::to_string(count));
      EXPECT_EQ(wrongAnswerShowing(i, count), expectedWrong(places[static_cast<std::size_t>(i)]));
      EXPECT_EQ(correctAnswerShowing(i, count),
                expectedCorrect(places[static_cast<std::size_t>(i)]));
    }
  }
}

TEST(GroupShow, GuideExampleShowsWhatTheEngineLoads) {
  const std::string bytes = guideExample();
  ASSERT_FALSE(bytes.empty()) << "the guide's sectioned example was not found";
  const QuestionStore store(TextList::fromBytes(bytes));
  EXPECT_EQ(formatShow("example.set", store),
            "example.set: sectioned layout, the game asks 2 questions\n"
            "Question 1, line 3: What colour is a ripe banana?\n"
            "  correct, line 5, always shown: Yellow\n"
            "  wrong, line 7, always shown second: Blue\n"
            "  wrong, line 8, always shown first: Purple\n"
            "Question 2, line 10: How many legs has a spider?\n"
            "  correct, line 12, never shown: Eight\n"
            "  correct, line 13, always shown: 8\n"
            "  wrong, line 15, always shown second: Six\n"
            "  wrong, line 16, always shown first: Ten\n");
  const auto asked = askedQuestions(store);
  ASSERT_EQ(asked.size(), 2u);
  for (int seed = 0; seed < 20; ++seed) {
    ClockRandom random(static_cast<std::uint64_t>(seed));
    for (const auto& q : asked) {
      TextList wrong;
      TextList correct;
      const LoadedQuestion loaded = loadQuestion(store, q.number, wrong, correct, random);
      EXPECT_EQ(loaded.text, q.text);
      for (const auto& e : q.correct)
        if (e.showing == Showing::Always) {
          EXPECT_EQ(loaded.correct, e.text);
        }
      for (const auto& e : q.wrong) {
        if (e.showing == Showing::AlwaysFirst) {
          EXPECT_EQ(loaded.wrong0, e.text);
        }
        if (e.showing == Showing::AlwaysSecond) {
          EXPECT_EQ(loaded.wrong1, e.text);
        }
      }
    }
  }
}

TEST(GroupShow, EveryAnswerTheEngineShowsIsMarkedAsShowable) {
  // The shipped groups and a few broken ones, which the game still plays its own way.
  std::vector<std::string> groups;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(ZNDL_SOURCE_DIR) / "assets" / "groups"))
    if (entry.path().extension() == ".set")
      groups.push_back(zndl::testing::readFile(entry.path().string()));
  groups.push_back("Classic\r\n[1]\r\nQ?\r\nRight\r\n[2]\r\nQ2?\r\nR\r\nW\r\n[3]\r\n");
  groups.push_back("(ZNDL v4)\r\n[1]\r\nQ?\r\n[1-NO]\r\nA\r\nB\r\n[1-YES]\r\nC\r\n[2]\r\n");
  groups.push_back("(ZNDL v4)\r\n[2]\r\nQ?\r\n[2-YES]\r\nA\r\n[2-NO]\r\nB\r\nC\r\n[3]\r\n");
  for (const auto& bytes : groups) {
    const QuestionStore store(TextList::fromBytes(bytes));
    for (const auto& q : askedQuestions(store)) {
      std::set<std::string> correct;
      std::set<std::string> first;
      std::set<std::string> second;
      for (const auto& e : q.correct)
        if (e.showing != Showing::Never) correct.insert(e.text);
      for (const auto& e : q.wrong) {
        if (e.showing != Showing::Never && e.showing != Showing::AlwaysSecond) first.insert(e.text);
        if (e.showing != Showing::Never && e.showing != Showing::AlwaysFirst) second.insert(e.text);
      }
      if (q.correct.empty()) correct.insert("");
      if (q.wrong.size() < 2) second.insert("");
      if (q.wrong.empty()) first.insert("");
      for (int seed = 0; seed < 40; ++seed) {
        ClockRandom random(static_cast<std::uint64_t>(seed) * 7919);
        TextList wrong;
        TextList yes;
        const LoadedQuestion loaded = loadQuestion(store, q.number, wrong, yes, random);
        ASSERT_EQ(loaded.text, q.text);
        ASSERT_TRUE(correct.count(loaded.correct)) << q.number << ": " << loaded.correct;
        ASSERT_TRUE(first.count(loaded.wrong0)) << q.number << ": " << loaded.wrong0;
        ASSERT_TRUE(second.count(loaded.wrong1)) << q.number << ": " << loaded.wrong1;
      }
    }
  }
}

TEST(GroupShow, ClassicFallbackAndShortPoolsAreSpelledOut) {
  // Question 1 has no wrong answer: the game shows the line before [2] instead.
  const QuestionStore store(
      TextList::fromBytes("Classic\r\n[1]\r\nQ?\r\nRight\r\n[2]\r\nQ2?\r\nR\r\nW\r\n[3]\r\n"));
  EXPECT_EQ(formatShow("c.set", store),
            "c.set: classic layout, the game asks 2 questions\n"
            "Question 1, line 3: Q?\n"
            "  correct, line 4, always shown: Right\n"
            "  wrong, line 4, always shown first: Right\n"
            "  wrong: only one, the second wrong answer shows empty\n"
            "Question 2, line 6: Q2?\n"
            "  correct, line 7, always shown: R\n"
            "  wrong, line 8, always shown first: W\n"
            "  wrong: only one, the second wrong answer shows empty\n");
  EXPECT_EQ(formatShow("e.set", QuestionStore(TextList::fromBytes("(ZNDL v4)\r\n"))),
            "e.set: sectioned layout, the game asks no question\n");
  const QuestionStore empty(
      TextList::fromBytes("(ZNDL v4)\r\n[1]\r\nQ?\r\n[1-YES]\r\n[1-NO]\r\n[2]\r\n"));
  EXPECT_EQ(formatShow("s.set", empty),
            "s.set: sectioned layout, the game asks 1 question\n"
            "Question 1, line 3: Q?\n"
            "  correct: none, the correct answer shows empty\n"
            "  wrong: none, both wrong answers show empty\n");
}
