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
class Notice : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Bubbles", "2", "3", "5", "5"));
    writeFile("two.set", kTwoQuestions);
    writeFile("prizes", "Prizes\r\nA toaster\r\n");
    for (const char* list : {"banter", "describe", "jobs", "after.job"})
      writeFile(list, "first\r\nsecond\r\n");
    t->start();
    ASSERT_TRUE(t.errors.shown.empty());
    t.run([&] { t->ZNDLbox1.ComboBox1Change("two.set"); });
  }

  // Play, skip the introduction, and answer the two questions: player one first.
  void playGame(bool oneRight, bool twoRight) {
    t.run([&] { t->ZNDLbox1.PlayButClick(); });
    t.run([&] { t->ChatBox.Button1Click(); });
    ASSERT_TRUE(t->PlayBox.visible());
    answerQuestion(oneRight);
    answerQuestion(twoRight);
    t.run([&] { t->PlayBox.Button2Click(); });
    ASSERT_TRUE(t->EndGameBox.visible());
    ASSERT_FALSE(t->PlayBox.visible());
  }
  void answerQuestion(bool right) {
    TPlayBox& quiz = t->PlayBox;
    t.run([&] { quiz.Button2Click(); });
    for (int i = 0; i < 4; ++i) t.run([&] { quiz.Timer1Timer(); });
    ASSERT_EQ(t->QuestionStep, kCountdown);
    const int slot = right ? t->CorrectSlot : t->CorrectSlot % 3 + 1;
    t.run([&] { slot == 1 ? quiz.AClick() : slot == 2 ? quiz.BClick() : quiz.CClick(); });
    t.run([&] { quiz.Timer1Timer(); });
  }
  void ok() {
    t.run([&] { t->EndGameBox.Button1Click(); });
  }
  // Tosses the coin for a tie break under way and lets it land.
  void settleTieBreak() {
    t.run([&] { t->Form4.Button1Click(); });
    t.run([&] { t->TieBreakBox.Button1Click(); });
    for (int i = 0; i < TTieBreakBox::kSpinTicks; ++i) t.run([&] { t->TieBreakBox.Timer1Timer(); });
    t.run([&] { t->TieBreakBox.Button1Click(); });
  }
  void kill() {
    t.run([&] { t->AnvilBox.KillClick(); });
  }

  TestGame t;
};

TEST_F(Notice, OpensWithTheDeadHeatSentenceOfSeventySevenCharacters) {
  EXPECT_EQ(t->EndGameBox.ChatText.text, kDeadHeat);
  const auto bytes = cp1252::fromUtf8(kDeadHeat);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 77u);
  EXPECT_EQ(t->EndGameBox.Button1.caption, "OK");
  EXPECT_STREQ(TEndGameBox::kButton1Hint, "Cut the crap and kill the pet.");
  EXPECT_FALSE(t->EndGameBox.visible());
}

TEST_F(Notice, OkAfterADeadHeatStartsTheTieBreakOverTheNotice) {
  playGame(true, true);
  EXPECT_EQ(t->EndGameBox.ChatText.text, kDeadHeat);
  ok();
  EXPECT_TRUE(t->TieBreakBox.visible());
  EXPECT_TRUE(t->Form4.visible());
  EXPECT_FALSE(t->AnvilBox.visible());
  EXPECT_TRUE(t->EndGameBox.visible()) << "the notice stays open beneath";
  EXPECT_GT(t->TieBreakBox.frontOrder(), t->EndGameBox.frontOrder());
  EXPECT_EQ(t->TieBreakBox.Label2.text, "Ann");
  EXPECT_EQ(t->TieBreakBox.Label3.text, "Bob");
}

TEST_F(Notice, OkAfterAWinShowsThePreparedFinaleOverTheNotice) {
  playGame(true, false);
  EXPECT_EQ(t->EndGameBox.ChatText.text, morePointsVerdict("Ann", "Bob", "Dog", "Bubbles"));
  ok();
  EXPECT_TRUE(t->AnvilBox.visible());
  EXPECT_TRUE(t->AnvilBox.Dog.visible);
  EXPECT_EQ(t->AnvilBox.ChatText.text, honoursCall("Ann"));
  EXPECT_FALSE(t->TieBreakBox.visible());
  EXPECT_FALSE(t->Form4.visible());
  EXPECT_TRUE(t->EndGameBox.visible());
  EXPECT_GT(t->AnvilBox.frontOrder(), t->EndGameBox.frontOrder());
}

TEST_F(Notice, OnlyTheExactDeadHeatSentenceLeadsToTheTieBreak) {
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
    t->AnvilBox.hide();
    t->EndGameBox.ChatText.text = verdict;
    t->EndGameBox.show();
    ok();
    EXPECT_TRUE(t->AnvilBox.visible());
    EXPECT_FALSE(t->TieBreakBox.visible());
    EXPECT_FALSE(t->Form4.visible());
  }
}

TEST_F(Notice, EveryLevelGameOfARunLeadsToTheTieBreak) {
  // First game: level, settled by the coin.
  playGame(false, false);
  ok();
  ASSERT_TRUE(t->TieBreakBox.visible());
  settleTieBreak();
  ASSERT_TRUE(t->AnvilBox.visible());
  kill();
  kill();  // Back To Title
  EXPECT_FALSE(t->EndGameBox.visible()) << "Back To Title closes the notice";

  // Second game: a win on points in between.
  playGame(false, true);
  EXPECT_EQ(t->Winner, 2);
  ok();
  EXPECT_TRUE(t->AnvilBox.visible());
  EXPECT_FALSE(t->TieBreakBox.visible());
  kill();
  kill();

  // Third game: level again, and again to the tie break with its call dialog.
  playGame(true, true);
  EXPECT_EQ(t->Winner, 0);
  EXPECT_EQ(t->EndGameBox.ChatText.text, kDeadHeat);
  ok();
  EXPECT_TRUE(t->TieBreakBox.visible());
  EXPECT_TRUE(t->Form4.visible());
  EXPECT_FALSE(t->AnvilBox.visible());
  EXPECT_EQ(t->TieBreakBox.Button1.caption, "TOSS THE COIN");
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST_F(Notice, StaysOpenUntilBackToTitle) {
  playGame(true, false);
  ok();
  EXPECT_TRUE(t->EndGameBox.visible());
  kill();
  EXPECT_TRUE(t->EndGameBox.visible()) << "the kill leaves the notice beneath the finale";
  kill();
  EXPECT_FALSE(t->EndGameBox.visible());
  EXPECT_FALSE(t->AnvilBox.visible());
  EXPECT_TRUE(t->ZNDLbox1.visible());
}

}  // namespace
