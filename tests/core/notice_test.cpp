// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "fakes/test_game.h"
#include "finale/verdicts.h"
#include "platform/cp1252.h"

using namespace zndl;
using zndl::testing::namesFile;
using zndl::testing::TestGame;
using zndl::testing::writeFile;

namespace {

// Two questions to play; the third CONTINUE finds no marker for question four and
// ends the game.
constexpr const char* kTwoQuestions =
    "[1]\r\nOne plus one?\r\nTwo\r\nThree\r\nFour\r\n"
    "[2]\r\nTwo plus two?\r\nFour\r\nFive\r\nSix\r\n"
    "[3]\r\nThree plus three?\r\nSix\r\nSeven\r\nEight\r\n";

// A run of games, driven through the screens' own handlers from the title screen on.
class NoticeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Bubbles", "2", "3", "5", "5"));
    writeFile("two.set", kTwoQuestions);
    writeFile("prizes", "Prizes\r\nA toaster\r\n");
    for (const char* list : {"banter", "describe", "jobs", "after.job"})
      writeFile(list, "first\r\nsecond\r\n");
    t->start();
    ASSERT_TRUE(t.errors.shown.empty());
    t.run([&] { t->screen<TitleScreen>().onGroupChanged("two.set"); });
  }

  // Play, skip the introduction, and answer the two questions: player one first.
  void playGame(bool oneRight, bool twoRight) {
    t.run([&] { t->screen<TitleScreen>().onPlay(); });
    t.run([&] { t->screen<Introduction>().onSkip(); });
    ASSERT_TRUE(t->screen<QuizScreen>().visible());
    answerQuestion(oneRight);
    answerQuestion(twoRight);
    t.run([&] { t->screen<QuizScreen>().onContinue(); });
    ASSERT_TRUE(t->screen<Notice>().visible());
    ASSERT_FALSE(t->screen<QuizScreen>().visible());
  }
  void answerQuestion(bool right) {
    QuizScreen& quiz = t->screen<QuizScreen>();
    t.run([&] { quiz.onContinue(); });
    for (int i = 0; i < 4; ++i) t.run([&] { quiz.onTick(); });
    ASSERT_EQ(t->screen<QuizScreen>().step, QuestionStep::countdown);
    const int slot =
        right ? t->screen<QuizScreen>().correctSlot : t->screen<QuizScreen>().correctSlot % 3 + 1;
    t.run([&] {
      slot == 1 ? quiz.onAnswer(kSlotA) : slot == 2 ? quiz.onAnswer(kSlotB) : quiz.onAnswer(kSlotC);
    });
    t.run([&] { quiz.onTick(); });
  }
  void ok() {
    t.run([&] { t->screen<Notice>().onOk(); });
  }
  // Tosses the coin for a tie break under way and lets it land.
  void settleTieBreak() {
    t.run([&] { t->screen<CoinCall>().onHeads(); });
    t.run([&] { t->screen<TieBreak>().onTossPressed(); });
    for (int i = 0; i < TieBreak::kSpinTicks; ++i) t.run([&] { t->screen<TieBreak>().onTick(); });
    t.run([&] { t->screen<TieBreak>().onTossPressed(); });
  }
  void kill() {
    t.run([&] { t->screen<Finale>().onKillPressed(); });
  }

  TestGame t;
};

TEST_F(NoticeTest, OpensWithTheDeadHeatSentenceOfSeventySevenCharacters) {
  EXPECT_EQ(t->screen<Notice>().hostLine.text, kDeadHeat);
  const auto bytes = cp1252::fromUtf8(kDeadHeat);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 77u);
  EXPECT_EQ(t->screen<Notice>().okButton.caption, "OK");
  EXPECT_STREQ(Notice::kOkHint, "Cut the crap and kill the pet.");
  EXPECT_FALSE(t->screen<Notice>().visible());
}

TEST_F(NoticeTest, OkAfterADeadHeatStartsTheTieBreakOverTheNotice) {
  playGame(true, true);
  EXPECT_EQ(t->screen<Notice>().hostLine.text, kDeadHeat);
  ok();
  EXPECT_TRUE(t->screen<TieBreak>().visible());
  EXPECT_TRUE(t->screen<CoinCall>().visible());
  EXPECT_FALSE(t->screen<Finale>().visible());
  EXPECT_TRUE(t->screen<Notice>().visible()) << "the notice stays open beneath";
  EXPECT_GT(t->screen<TieBreak>().frontOrder(), t->screen<Notice>().frontOrder());
  EXPECT_EQ(t->screen<TieBreak>().sides[kFirstContestant].name.text, "Ann");
  EXPECT_EQ(t->screen<TieBreak>().sides[kSecondContestant].name.text, "Bob");
}

TEST_F(NoticeTest, OkAfterAWinShowsThePreparedFinaleOverTheNotice) {
  playGame(true, false);
  EXPECT_EQ(t->screen<Notice>().hostLine.text, morePointsVerdict("Ann", "Bob", "Dog", "Bubbles"));
  ok();
  EXPECT_TRUE(t->screen<Finale>().visible());
  EXPECT_TRUE(t->screen<Finale>().dog.visible);
  EXPECT_EQ(t->screen<Finale>().hostLine.text, honoursCall("Ann"));
  EXPECT_FALSE(t->screen<TieBreak>().visible());
  EXPECT_FALSE(t->screen<CoinCall>().visible());
  EXPECT_TRUE(t->screen<Notice>().visible());
  EXPECT_GT(t->screen<Finale>().frontOrder(), t->screen<Notice>().frontOrder());
}

TEST_F(NoticeTest, OnlyTheExactDeadHeatSentenceLeadsToTheTieBreak) {
  std::string straight = kDeadHeat;
  const std::string curly = "\u2019";
  straight.replace(straight.find(curly), curly.size(), "'");
  const std::string nearMisses[] = {
      straight,
      std::string(kDeadHeat) + " ",
      std::string(kDeadHeat).substr(0, std::string(kDeadHeat).size() - 3),  // no closing quote
      "\u201Cwell would you look at that? A dead heat! We\u2019ll have to have a "
      "tie-breaker.\u201D",
  };
  for (const std::string& verdict : nearMisses) {
    SCOPED_TRACE(verdict);
    t->screen<Finale>().hide();
    // A verdict on points whose line merely looks like the dead heat.
    t->screen<Notice>().announce({VerdictKind::morePoints, kPlayerOneWins}, verdict);
    t->screen<Notice>().show();
    ok();
    EXPECT_TRUE(t->screen<Finale>().visible());
    EXPECT_FALSE(t->screen<TieBreak>().visible());
    EXPECT_FALSE(t->screen<CoinCall>().visible());
  }
}

TEST_F(NoticeTest, EveryLevelGameOfARunLeadsToTheTieBreak) {
  // First game: level, settled by the coin.
  playGame(false, false);
  ok();
  ASSERT_TRUE(t->screen<TieBreak>().visible());
  settleTieBreak();
  ASSERT_TRUE(t->screen<Finale>().visible());
  kill();
  kill();  // Back To Title
  EXPECT_FALSE(t->screen<Notice>().visible()) << "Back To Title closes the notice";

  // Second game: a win on points in between.
  playGame(false, true);
  EXPECT_EQ(t->winner, 2);
  ok();
  EXPECT_TRUE(t->screen<Finale>().visible());
  EXPECT_FALSE(t->screen<TieBreak>().visible());
  kill();
  kill();

  // Third game: level again, and again to the tie break with its call dialog.
  playGame(true, true);
  EXPECT_EQ(t->winner, 0);
  EXPECT_EQ(t->screen<Notice>().hostLine.text, kDeadHeat);
  ok();
  EXPECT_TRUE(t->screen<TieBreak>().visible());
  EXPECT_TRUE(t->screen<CoinCall>().visible());
  EXPECT_FALSE(t->screen<Finale>().visible());
  EXPECT_EQ(t->screen<TieBreak>().tossButton().caption, "TOSS THE COIN");
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST_F(NoticeTest, StaysOpenUntilBackToTitle) {
  playGame(true, false);
  ok();
  EXPECT_TRUE(t->screen<Notice>().visible());
  kill();
  EXPECT_TRUE(t->screen<Notice>().visible()) << "the kill leaves the notice beneath the finale";
  kill();
  EXPECT_FALSE(t->screen<Notice>().visible());
  EXPECT_FALSE(t->screen<Finale>().visible());
  EXPECT_TRUE(t->screen<TitleScreen>().visible());
}

}  // namespace
