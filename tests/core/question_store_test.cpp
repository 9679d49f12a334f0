// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "core/quiz_play.h"
#include "fakes/fakes.h"
#include "host/text_list.h"
#include "platform/error.h"
#include "platform/random.h"
#include "quiz/question_store.h"
#include "quiz/quiz_screen.h"

using namespace zndl;
using zndl::testing::EveryDraw;
using zndl::testing::ScriptedRandom;
using zndl::testing::sectionedGroup;
using zndl::testing::TempDir;
using zndl::testing::writeFile;

namespace {

const TextList kBananaSpider = zndl::testing::workedExample();

const TextList kBananaSpiderClassic{"Questions on fruit and spiders",
                                    "[1]",
                                    "What colour is a ripe banana?",
                                    "Yellow",
                                    "Blue",
                                    "Purple",
                                    "[2]",
                                    "How many legs has a spider?",
                                    "Eight",
                                    "Six",
                                    "Ten",
                                    "[3]"};

// Loads question n the way CONTINUE does, into fresh pools.
struct Loader {
  explicit Loader(TextList lines) : store(std::move(lines)) {}
  LoadedQuestion load(int n) { return loadQuestion(store, n, wrong, correct, random); }
  QuestionStore store;
  TextList wrong{"Memo1"};
  TextList correct{"Yes"};
  ClockRandom random{7};
};

TextList pool(int size) {
  TextList list;
  for (int i = 0; i < size; ++i) list.append("entry " + std::to_string(i));
  return list;
}

}  // namespace

TEST(QuestionStore, WorkedSectionedExampleGivesItsAnswersInShuffledOrder) {
  const QuestionStore store(kBananaSpider);
  TextList wrongPool{"Memo1"}, correctPool{"Yes"};
  ScriptedRandom random;

  const LoadedQuestion q1 = loadQuestion(store, 1, wrongPool, correctPool, random);
  EXPECT_EQ(q1.text, "What colour is a ripe banana?");
  EXPECT_EQ(q1.correct, "Yellow");
  EXPECT_EQ(q1.wrong0, "Purple");
  EXPECT_EQ(q1.wrong1, "Blue");
  EXPECT_EQ(wrongPool, (TextList{"Purple", "Blue"}));
  EXPECT_EQ(correctPool, TextList{"Yellow"});
  // Two draws for the wrong answers first, then one for the single correct answer.
  EXPECT_EQ(random.asked, (std::vector<int>{1, 1, 0}));

  random.asked.clear();
  const LoadedQuestion q2 = loadQuestion(store, 2, wrongPool, correctPool, random);
  EXPECT_EQ(q2.text, "How many legs has a spider?");
  EXPECT_EQ(q2.correct, "8");
  EXPECT_EQ(q2.wrong0, "Ten");
  EXPECT_EQ(q2.wrong1, "Six");
  EXPECT_EQ(correctPool, (TextList{"8", "Eight"}));
  EXPECT_EQ(random.asked, (std::vector<int>{1, 1, 1, 1}));
  EXPECT_EQ(store.find("[3]"), 16) << "the end marker";
}

TEST(QuestionStore, WorkedClassicExampleTakesTheLineBelowTheQuestionAsCorrect) {
  const QuestionStore store(kBananaSpiderClassic);
  TextList wrongPool{"Memo1"}, correctPool{"Yes"};
  ScriptedRandom random;

  const LoadedQuestion q1 = loadQuestion(store, 1, wrongPool, correctPool, random);
  EXPECT_EQ(q1.text, "What colour is a ripe banana?");
  EXPECT_EQ(q1.correct, "Yellow");
  EXPECT_EQ(q1.wrong0, "Purple");
  EXPECT_EQ(q1.wrong1, "Blue");
  const LoadedQuestion q2 = loadQuestion(store, 2, wrongPool, correctPool, random);
  EXPECT_EQ(q2.text, "How many legs has a spider?");
  EXPECT_EQ(q2.correct, "Eight");
  EXPECT_EQ(q2.wrong0, "Ten");
  EXPECT_EQ(q2.wrong1, "Six");
  // The classic layout never draws for, nor touches, the correct-answer pool.
  EXPECT_EQ(random.asked, (std::vector<int>{1, 1, 1, 1}));
  EXPECT_EQ(correctPool, TextList{"Yes"});
}

TEST(QuestionStore, ShuffleSwapsEachPlaceWithADrawBelowTheLastPlace) {
  TextList four{"a", "b", "c", "d"};
  ScriptedRandom random;
  random.script = {2, 0, 1, 2};
  shufflePool(four, random);
  // a b c d -> c b a d -> b c a d -> b a c d -> b a d c
  EXPECT_EQ(four, (TextList{"b", "a", "d", "c"}));
  EXPECT_EQ(random.asked, (std::vector<int>{3, 3, 3, 3}));

  TextList one{"only"};
  random.asked.clear();
  shufflePool(one, random);
  EXPECT_EQ(one, TextList{"only"});
  EXPECT_EQ(random.asked, std::vector<int>{0}) << "a pool of one still takes its draw";

  TextList none;
  random.asked.clear();
  shufflePool(none, random);
  EXPECT_TRUE(random.asked.empty());
}

TEST(QuestionStore, ShuffleNeverLeavesTheLastEntryLastAndReversesAPairForAnySeed) {
  for (std::uint64_t seed = 1; seed <= 400; ++seed) {
    ClockRandom random(seed);
    TextList pair{"first", "second"};
    shufflePool(pair, random);
    EXPECT_EQ(pair, (TextList{"second", "first"})) << seed;
    for (int size = 3; size <= 6; ++size) {
      TextList list = pool(size);
      shufflePool(list, random);
      EXPECT_NE(list.at(size - 1), "entry " + std::to_string(size - 1)) << seed;
      std::vector<std::string> sorted = list.entries();
      std::sort(sorted.begin(), sorted.end());
      EXPECT_EQ(sorted, pool(size).entries()) << "a shuffle only moves entries";
    }
  }
}

TEST(QuestionStore, ShownAnswersFollowThePoolRulesForAnySeed) {
  const TextList group{"(ZNDL v4)",   "[1]",          "Pick one", "[1-YES]",
                       "Right first", "Right second", "[1-NO]",   "Wrong x",
                       "Wrong y",     "Wrong last",   "[2]"};
  Loader loader(group);
  bool lastShownFirst = false, lastShownSecond = false;
  for (std::uint64_t seed = 1; seed <= 400; ++seed) {
    loader.random = ClockRandom(seed);
    const LoadedQuestion q = loader.load(1);
    EXPECT_EQ(q.correct, "Right second") << seed;
    EXPECT_TRUE(q.wrong0 == "Wrong last" || q.wrong1 == "Wrong last") << seed;
    EXPECT_NE(q.wrong0, q.wrong1);
    lastShownFirst = lastShownFirst || q.wrong0 == "Wrong last";
    lastShownSecond = lastShownSecond || q.wrong1 == "Wrong last";
  }
  EXPECT_TRUE(lastShownFirst && lastShownSecond) << "the draws really vary";
}

TEST(QuestionStore, ShuffleReachNamesEveryPlaceTheShuffleTakesAnEntryTo) {
  for (int count = 1; count <= 8; ++count) {
    TextList start;
    for (int i = 0; i < count; ++i) start.append(std::string(1, static_cast<char>('0' + i)));
    std::vector<ShuffleReach> seen(static_cast<std::size_t>(count));
    const auto shuffleAndNote = [&](RandomSource& random) {
      TextList pool = start;
      shufflePool(pool, random);
      for (int place = 0; place < count; ++place) {
        ShuffleReach& r = seen[static_cast<std::size_t>(pool.at(place)[0] - '0')];
        (place == 0 ? r.first : place == 1 ? r.second : r.further) = true;
      }
    };
    // Every sequence of draws up to seven entries; eight take millions of sequences,
    // so they are drawn at random instead (every place is reached by then).
    if (count <= 7) {
      long long sequences = 1;
      for (int i = 0; i < count; ++i) sequences *= std::max(1, count - 1);
      for (long long s = 0; s < sequences; ++s) {
        EveryDraw draws(s);
        shuffleAndNote(draws);
      }
    } else {
      ClockRandom random(7);
      for (int round = 0; round < 20000; ++round) shuffleAndNote(random);
    }
    for (int i = 0; i < count; ++i) {
      SCOPED_TRACE("entry " + std::to_string(i) + " of " + std::to_string(count));
      const ShuffleReach reach = shuffleReach(i, count);
      const ShuffleReach& shuffled = seen[static_cast<std::size_t>(i)];
      EXPECT_EQ(reach.first, shuffled.first);
      EXPECT_EQ(reach.second, shuffled.second);
      EXPECT_EQ(reach.further, shuffled.further);
    }
  }
  for (auto [index, count] : {std::pair{-1, 3}, std::pair{3, 3}, std::pair{0, 0}}) {
    const ShuffleReach none = shuffleReach(index, count);
    EXPECT_FALSE(none.first || none.second || none.further) << index << " of " << count;
  }
}

TEST(QuestionStore, OnlyTheExactVersionLineMakesAGroupSectioned) {
  TextList sectioned = kBananaSpider;
  EXPECT_EQ(Loader(sectioned).load(1).correct, "Yellow");

  for (const char* first : {"(ZNDL v4) ", "(zndl v4)", " (ZNDL v4)", "(ZNDL  v4)"}) {
    TextList lines = kBananaSpider;
    lines.set(0, first);
    Loader loader(lines);
    const LoadedQuestion q = loader.load(1);
    // Read as classic: the marker below the question shows as the correct answer and
    // everything down to the next question is a wrong answer.
    EXPECT_EQ(q.correct, "[1-YES]") << first;
    EXPECT_EQ(loader.wrong.count(), 4) << first;
    EXPECT_EQ(loader.correct, TextList{"Yes"}) << first;
  }
}

TEST(QuestionStore, MarkersAreFoundInAnyLetterCase) {
  TextList lines = sectionedGroup(3);
  // [3-YES] and [3-NO] written in other cases.
  lines.set(lines.find("[3-YES]"), "[3-yes]");
  lines.set(lines.find("[3-NO]"), "[3-No]");
  Loader loader(lines);
  EXPECT_EQ(loader.store.find("[3-YES]"), lines.find("[3-yes]"));
  const LoadedQuestion q = loader.load(3);
  EXPECT_EQ(q.text, "Question 3?");
  EXPECT_EQ(q.correct, "Right 3");
  EXPECT_EQ(loader.wrong.count(), 2);
}

TEST(QuestionStore, FindTakesTheFirstWholeLineIgnoringCaseLikeTheTextList) {
  const TextList lines{"[1]", "[2-Yes]", "[2-YES]", " [3]",   "[3] ", "[3]",   "Plain",
                       "[]",  "[x]",     "[1]",     "[4-no]", "[10]", "plain", "[ 5]"};
  const QuestionStore store(lines);
  EXPECT_EQ(store.find("[2-yes]"), 1);
  EXPECT_EQ(store.find("[3]"), 5) << "no trimming";
  EXPECT_EQ(store.find("[1]"), 0) << "the first occurrence";
  EXPECT_EQ(store.find("[4-NO]"), 10);
  EXPECT_EQ(store.find("[1"), -1);
  EXPECT_EQ(store.find("[5]"), -1);
  // Whatever the text, the store answers exactly as a search from the top would.
  for (const std::string key : {"[1]", "[2-YES]", " [3]", "[3] ", "PLAIN", "[]", "[X]", "[10]",
                                "[ 5]", "[01]", "", "[1-YES]", "[4-No]"})
    EXPECT_EQ(store.find(key), lines.find(key)) << key;
}

TEST(QuestionStore, ANewGroupReplacesTheOldOneEntirely) {
  TempDir dir;
  // Windows-1252 bytes, mixed line breaks.
  writeFile("spiders.set",
            "(ZNDL v4)\r\n[1]\r\nWhat\x92s a spider\x92s favourite?\n[1-YES]\rFlies\r\n"
            "[1-NO]\r\nSoup\r\nTea\r\n[2]\r\n");
  writeFile("other.set", "Classic\r\n[7]\r\nSeven?\r\n7\r\n6\r\n5\r\n[8]\r\n");
  QuestionStore store(TextList{"Questions"});
  store.loadFromFile("spiders.set");
  Loader loader(store.lines());
  EXPECT_EQ(loader.load(1).text, "What\u2019s a spider\u2019s favourite?");
  EXPECT_EQ(loader.load(1).correct, "Flies");

  store.loadFromFile("other.set");
  EXPECT_EQ(store.find("[1]"), -1);
  EXPECT_EQ(store.find("[2]"), -1);
  EXPECT_EQ(store.find("[8]"), 6);
  try {
    store.loadFromFile("missing.set");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot open file missing.set");
  }
  EXPECT_EQ(store.find("[8]"), 6) << "a failed load keeps the group";
}

TEST(QuestionStore, MalformedGroupsGiveOddQuestionsNeverErrors) {
  // No marker of question 1 while [2] exists: the text is the store's first line.
  EXPECT_EQ(Loader(TextList{"Title", "Orphan", "[2]", "Q2"}).load(1).text, "Title");

  // A classic block without wrong answers shows the line above the next marker.
  const LoadedQuestion bare = Loader(TextList{"Title", "[1]", "Q1", "Right", "[2]"}).load(1);
  EXPECT_EQ(bare.correct, "Right");
  EXPECT_EQ(bare.wrong0, "Right");
  EXPECT_EQ(bare.wrong1, "");

  // Sectioned: one wrong answer leaves the second empty, none leaves both empty.
  const LoadedQuestion one =
      Loader(TextList{"(ZNDL v4)", "[1]", "Q1", "[1-YES]", "Right", "[1-NO]", "Only wrong", "[2]"})
          .load(1);
  EXPECT_EQ(one.wrong0, "Only wrong");
  EXPECT_EQ(one.wrong1, "");
  Loader noWrong(TextList{"(ZNDL v4)", "[1]", "Q1", "[1-YES]", "Right", "[1-NO]", "[2]"});
  const LoadedQuestion none = noWrong.load(1);
  EXPECT_EQ(none.correct, "Right");
  EXPECT_EQ(none.wrong0, "");
  EXPECT_EQ(none.wrong1, "");
  EXPECT_EQ(noWrong.wrong.count(), 0);

  // Blocks out of order lose their wrong answers.
  const LoadedQuestion swapped = Loader(TextList{"Title", "[2]", "Q2", "R2", "W2", "W2b", "[1]",
                                                 "Q1", "R1", "W1", "W1b", "[3]"})
                                     .load(1);
  EXPECT_EQ(swapped.text, "Q1");
  EXPECT_EQ(swapped.correct, "R1");
  EXPECT_EQ(swapped.wrong0, "Title") << "the line above the marker of question 2";

  // Nothing at all.
  Loader empty{TextList{}};
  const LoadedQuestion nothing = empty.load(1);
  EXPECT_EQ(nothing.text, "");
  EXPECT_EQ(nothing.correct, "");
  EXPECT_EQ(nothing.wrong0, "");
}

// Loading question n must not grow with the group: the last question of a group of
// 100,000 loads about as fast as that of a group of ten.
TEST(QuestionStore, LoadingTheLastQuestionCostsTheSameInAHugeGroup) {
  const auto bestLoadTime = [](int questions) {
    Loader loader(sectionedGroup(questions));
    using Clock = std::chrono::steady_clock;
    auto best = Clock::duration::max();
    for (int round = 0; round < 15; ++round) {
      const auto start = Clock::now();
      for (int i = 0; i < 200; ++i) loader.load(questions);
      best = std::min(best, Clock::now() - start);
    }
    EXPECT_EQ(loader.load(questions).correct, "Right " + std::to_string(questions));
    return std::chrono::duration<double>(best).count();
  };
  const double small = bestLoadTime(10);
  const double huge = bestLoadTime(100000);
  EXPECT_LT(huge, 3 * small) << "10 questions: " << small << " s, 100000: " << huge << " s";
}
