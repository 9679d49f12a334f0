// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fakes/test_game.h"
#include "finale/verdicts.h"

using namespace zndl;
using zndl::testing::namesFile;
using zndl::testing::TestGame;
using zndl::testing::writeFile;

namespace {

constexpr const char* kDesignLine = "\u201CIt\u2019s just not the same...\u201D";

// A started game with Ann and Bob; the finale is driven as the game end and the
// title screen drive it.
class FinaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Bubbles", "0", "1", "10", "15"));
    for (const char* list : {"banter", "describe", "jobs", "after.job"})
      writeFile(list, "first\r\nsecond\r\n");
    writeFile("one.set", "[1]\r\nOne plus one?\r\nTwo\r\nThree\r\nFour\r\n");
    t->start();
    t.run([&] { t->screen<TitleScreen>().onGroupChanged("one.set"); });
    ASSERT_TRUE(t.errors.shown.empty());
  }

  Finale& box() { return t->screen<Finale>(); }
  void kill() {
    t.run([&] { box().onKillPressed(); });
  }
  // Ends a game with these scores and lives through the game-end decision.
  void endGame(int s1, int s2, int l1 = 5, int l2 = 5) {
    t->screen<QuizScreen>().scores[kFirstContestant] = s1;
    t->screen<QuizScreen>().scores[kSecondContestant] = s2;
    t->screen<QuizScreen>().lives[kFirstContestant] = l1;
    t->screen<QuizScreen>().lives[kSecondContestant] = l2;
    t.run([&] { t->screen<QuizScreen>().endGame(); });
  }
  // Which pet pictures are shown, in the order Hamster, Goldfish, Mouse, Dog.
  std::string petsShown() {
    std::string out;
    out += box().hamster.visible ? 'H' : '-';
    out += box().goldfish.visible ? 'G' : '-';
    out += box().mouse.visible ? 'M' : '-';
    out += box().dog.visible ? 'D' : '-';
    return out;
  }

  TestGame t;
};

TEST_F(FinaleTest, StartsInItsDesignState) {
  EXPECT_FALSE(box().visible());
  EXPECT_EQ(box().killButton().caption, "Kill");
  EXPECT_EQ(petsShown(), "----");
  EXPECT_FALSE(box().fallenAnvil.visible);
  EXPECT_EQ(box().hostLine.text, kDesignLine);
  ASSERT_EQ(box().prizes.count(), 1);
  EXPECT_EQ(box().prizes.at(0), "Prizes");
  EXPECT_EQ(box().caption(), kAppTitle);
}

TEST_F(FinaleTest, PrepareShowsOnlyTheLosersPetAndCallsTheWinner) {
  const char* pets[] = {"H---", "-G--", "--M-", "---D"};
  for (int type = 0; type < 4; ++type) {
    t->screen<TitleScreen>().entries[kFirstContestant].petType = type;
    t->screen<TitleScreen>().entries[kSecondContestant].petType = 3 - type;
    box().prepare(kPlayerTwoWins);
    EXPECT_EQ(petsShown(), pets[type]) << "player one lost with pet type " << type;
    EXPECT_EQ(box().hostLine.text, "\u201CBob would you do the honours?\u201D");
    box().prepare(kPlayerOneWins);
    EXPECT_EQ(petsShown(), pets[3 - type]) << "player two lost with pet type " << 3 - type;
    EXPECT_EQ(box().hostLine.text, "\u201CAnn would you do the honours?\u201D");
  }
  // The pictures stand where the stage has room for them.
  EXPECT_EQ(box().hamster.left, 275);
  EXPECT_EQ(box().hamster.top, 313);
  EXPECT_EQ(box().goldfish.left, 252);
  EXPECT_EQ(box().goldfish.top, 281);
  EXPECT_EQ(box().mouse.left, 257);
  EXPECT_EQ(box().mouse.top, 322);
  EXPECT_EQ(box().dog.left, 232);
  EXPECT_EQ(box().dog.top, 252);
}

TEST_F(FinaleTest, PrepareChangesNothingWithoutAWinner) {
  box().prepare(kPlayerOneWins);
  const std::string before = petsShown();
  for (int winner : {0, 3, -1}) {
    box().prepare(static_cast<Winner>(winner));
    EXPECT_EQ(petsShown(), before);
    EXPECT_EQ(box().hostLine.text, honoursCall("Ann"));
  }
  t->screen<TitleScreen>().entries[kSecondContestant].name = "";
  box().prepare(kPlayerTwoWins);
  EXPECT_EQ(box().hostLine.text, "\u201C would you do the honours?\u201D");
}

TEST_F(FinaleTest, KillDropsTheAnvilAndHandsAnnHerPrize) {
  box().prizes = TextList{"Prizes", "a year's supply of fish"};
  t->winner = kPlayerOneWins;
  box().prepare(kPlayerOneWins);
  const int repaints = box().hostLineRepaints;
  kill();
  EXPECT_EQ(box().killButton().caption, "Back To Title");
  EXPECT_TRUE(box().fallenAnvil.visible);
  EXPECT_EQ(box().hostLine.text,
            "\u201CThank you, Ann and enjoy your Winner\u2019s Prize, a year's supply of "
            "fish.\u201D");
  EXPECT_EQ(box().hostLineRepaints, repaints + 1) << "the line is repainted at once";
  EXPECT_EQ(petsShown(), "-G--") << "the anvil covers the pet; the picture stays";
}

TEST_F(FinaleTest, PrizesComeFromLinesOneOnwardInFairShares) {
  box().prizes = TextList{"Prizes", "a toaster", "a kettle"};
  t->winner = kPlayerTwoWins;
  std::map<std::string, int> drawn;
  constexpr int kPresses = 2000;
  for (int i = 0; i < kPresses; ++i) {
    box().phase = Finale::Phase::kill;  // as the title screen's Play sets it
    kill();
    ++drawn[box().hostLine.text];
    EXPECT_EQ(t.random.asked.back(), 2) << "a draw over lines 1 to n - 1";
  }
  EXPECT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn.count(prizeLine("Bob", "Prizes")), 0u) << "line 0 is never drawn";
  EXPECT_NEAR(drawn[prizeLine("Bob", "a toaster")], kPresses / 2, kPresses / 10);
  EXPECT_NEAR(drawn[prizeLine("Bob", "a kettle")], kPresses / 2, kPresses / 10);
}

TEST_F(FinaleTest, APrizeListWithoutPrizesGivesAnEmptyPrize) {
  t->winner = kPlayerOneWins;
  kill();  // the built-in list: "Prizes" alone
  EXPECT_EQ(box().hostLine.text,
            "\u201CThank you, Ann and enjoy your Winner\u2019s Prize, .\u201D");
  box().prizes.clear();
  box().phase = Finale::Phase::kill;
  kill();
  EXPECT_EQ(box().hostLine.text, prizeLine("Ann", ""));
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST_F(FinaleTest, TheSecondPressGoesBackToTitleWithoutASecondDraw) {
  box().prizes = TextList{"Prizes", "a toaster", "a kettle"};
  t->winner = kPlayerOneWins;
  kill();
  const std::string prizeText = box().hostLine.text;
  const size_t draws = t.random.asked.size();
  const int repaints = box().hostLineRepaints;
  kill();
  EXPECT_EQ(t.random.asked.size(), draws);
  EXPECT_EQ(box().hostLine.text, prizeText);
  EXPECT_EQ(box().hostLineRepaints, repaints);
  EXPECT_FALSE(box().visible());
  EXPECT_TRUE(t->screen<TitleScreen>().visible());
}

TEST_F(FinaleTest, WithoutAWinnerTheAnvilStillFallsButTheLineStays) {
  t->winner = kNoWinner;
  box().hostLine.text = honoursCall("Ann");
  const int repaints = box().hostLineRepaints;
  kill();
  EXPECT_EQ(box().hostLine.text, honoursCall("Ann"));
  EXPECT_TRUE(box().fallenAnvil.visible);
  EXPECT_EQ(box().killButton().caption, "Back To Title");
  EXPECT_EQ(box().hostLineRepaints, repaints + 1);
}

TEST_F(FinaleTest, ALaterGameShowsOnlyItsOwnLosersPet) {
  t->screen<TitleScreen>().entries[kFirstContestant].petType = 0;   // Ann's hamster
  t->screen<TitleScreen>().entries[kSecondContestant].petType = 3;  // Bob's dog
  endGame(3, 1);
  EXPECT_EQ(petsShown(), "---D");
  kill();
  kill();
  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  EXPECT_EQ(petsShown(), "---D") << "the pictures wait for the next game end";
  endGame(0, 2);
  EXPECT_EQ(petsShown(), "H---");
  EXPECT_EQ(box().hostLine.text, honoursCall("Bob"));
  // Ann lost five lives while ahead on points: her pet again, Bob's call.
  t->screen<TitleScreen>().entries[kFirstContestant].petType = 2;
  endGame(3, 1, 0, 2);
  EXPECT_EQ(petsShown(), "--M-");
}

TEST_F(FinaleTest, BackToTitlePutsTheGameAwayAndResetsTheQuiz) {
  writeFile("prizes", "Prizes\r\nA toaster\r\n");
  t->screen<QuizScreen>().questionNo = 7;
  t->screen<QuizScreen>().step = QuestionStep::revealAnswerB;
  QuizScreen& quiz = t->screen<QuizScreen>();
  quiz.scores[kFirstContestant] = 4;
  quiz.scores[kSecondContestant] = 2;
  quiz.lives[kFirstContestant] = 1;
  quiz.lives[kSecondContestant] = 0;
  quiz.continueButton.visible = false;
  quiz.question.visible = false;
  quiz.answerA.text = "A- Paris";
  quiz.show();
  t->screen<Introduction>().show();
  endGame(4, 2, 1, 0);
  t.run([&] { t->screen<Notice>().onOk(); });
  ASSERT_TRUE(box().visible());
  kill();
  const std::string prizeText = box().hostLine.text;
  t.titleTune.log.clear();

  kill();
  EXPECT_FALSE(quiz.visible());
  EXPECT_FALSE(t->screen<Notice>().visible());
  EXPECT_FALSE(t->screen<Introduction>().visible());
  EXPECT_FALSE(box().visible());
  EXPECT_TRUE(t->screen<TitleScreen>().visible()) << "the title screen is what remains";
  EXPECT_FALSE(box().fallenAnvil.visible);
  EXPECT_EQ(t->screen<QuizScreen>().step, QuestionStep::idle);
  EXPECT_EQ(t->screen<QuizScreen>().questionNo, 0);
  EXPECT_EQ(quiz.scores[kFirstContestant], 0);
  EXPECT_EQ(quiz.scores[kSecondContestant], 0);
  EXPECT_EQ(quiz.lives[kFirstContestant], 5);
  EXPECT_EQ(quiz.lives[kSecondContestant], 5);
  EXPECT_TRUE(quiz.continueButton.visible);
  EXPECT_EQ(quiz.question.text, "ZANDOODLE CONTINUES...");
  EXPECT_EQ(quiz.answerA.text, "DO YOU DARE TO PLAY?");
  EXPECT_EQ(quiz.answerB.text, "DOES YOUR PET KNOW?");
  EXPECT_EQ(quiz.answerC.text, "DO YOU CARE?");
  EXPECT_EQ(quiz.countdownText(), "3.1");
  EXPECT_FALSE(quiz.question.visible) << "the lines keep their visibility";
  // The title tune is ready again, but the title screen stays silent.
  EXPECT_EQ(t.titleTune.log, std::vector<std::string>{"open ZNDL.MID"});
  EXPECT_FALSE(t.titleTune.playing);
  // The finale keeps its pet, its line and its caption until the next game.
  EXPECT_EQ(box().killButton().caption, "Back To Title");
  EXPECT_EQ(box().hostLine.text, prizeText);
  EXPECT_EQ(petsShown(), "-G--");
  EXPECT_TRUE(t.errors.shown.empty());

  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  EXPECT_EQ(box().killButton().caption, "Kill");
}

TEST_F(FinaleTest, AMissingTitleTuneIsReportedAfterEverythingElseIsPutAway) {
  t->winner = kPlayerOneWins;
  box().show();
  t->screen<QuizScreen>().scores[kFirstContestant] = 3;
  kill();
  t.titleTune.missing.insert("ZNDL.MID");
  kill();
  ASSERT_EQ(t.errors.shown, std::vector<std::string>{"Cannot open file ZNDL.MID."});
  EXPECT_FALSE(box().visible());
  EXPECT_EQ(t->screen<QuizScreen>().scores[kFirstContestant], 0);
  EXPECT_EQ(t->screen<QuizScreen>().countdownText(), "3.1");
}

TEST_F(FinaleTest, TheWinnersPrizeComesFromThePrizesFileReadAtGameEnd) {
  writeFile("prizes", "Prizes\r\nA \x93shiny\x94 kettle\r\n");
  endGame(1, 2);
  t.run([&] { t->screen<Notice>().onOk(); });
  kill();
  EXPECT_EQ(box().hostLine.text,
            "\u201CThank you, Bob and enjoy your Winner\u2019s Prize, A \u201Cshiny\u201D "
            "kettle.\u201D");
}

}  // namespace

// A finale closed with Alt-F4 after the anvil fell skips Back To Title; the next
// game's finale still opens with the pet on the stage.
TEST_F(FinaleTest, PreparingTheFinaleTakesAwayAFallenAnvil) {
  endGame(2, 1);
  t.run([&] { box().show(); });
  kill();
  ASSERT_TRUE(box().fallenAnvil.visible);
  box().close();
  t->screen<Finale>().phase = Finale::Phase::kill;  // the next Play
  endGame(1, 2);
  EXPECT_FALSE(box().fallenAnvil.visible);
  EXPECT_EQ(petsShown(), "H---");
  // Also when no winner is named.
  box().fallenAnvil.visible = true;
  t.run([&] { box().prepare(kNoWinner); });
  EXPECT_FALSE(box().fallenAnvil.visible);
}
