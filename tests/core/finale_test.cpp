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
class Finale : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Bubbles", "0", "1", "10", "15"));
    for (const char* list : {"banter", "describe", "jobs", "after.job"})
      writeFile(list, "first\r\nsecond\r\n");
    writeFile("one.set", "[1]\r\nOne plus one?\r\nTwo\r\nThree\r\nFour\r\n");
    t->start();
    t.run([&] { t->ZNDLbox1.ComboBox1Change("one.set"); });
    ASSERT_TRUE(t.errors.shown.empty());
  }

  TAnvilBox& box() { return t->AnvilBox; }
  void kill() {
    t.run([&] { box().KillClick(); });
  }
  // Ends a game with these scores and lives through the game-end decision.
  void endGame(const std::string& s1, const std::string& s2, int l1 = 5, int l2 = 5) {
    t->PlayBox.Score1 = s1;
    t->PlayBox.Score2 = s2;
    t->PlayBox.Lives1 = l1;
    t->PlayBox.Lives2 = l2;
    t.run([&] { t->PlayBox.EndOfGame(); });
  }
  // Which pet pictures are shown, in the order Hamster, Goldfish, Mouse, Dog.
  std::string petsShown() {
    std::string out;
    out += box().Hamster.visible ? 'H' : '-';
    out += box().Goldfish.visible ? 'G' : '-';
    out += box().Mouse.visible ? 'M' : '-';
    out += box().Dog.visible ? 'D' : '-';
    return out;
  }

  TestGame t;
};

TEST_F(Finale, StartsInItsDesignState) {
  EXPECT_FALSE(box().visible());
  EXPECT_EQ(box().Kill.caption, "Kill");
  EXPECT_EQ(petsShown(), "----");
  EXPECT_FALSE(box().Image2.visible);
  EXPECT_EQ(box().ChatText.text, kDesignLine);
  ASSERT_EQ(box().Prizes.count(), 1);
  EXPECT_EQ(box().Prizes.at(0), "Prizes");
  EXPECT_EQ(box().caption(), kAppTitle);
}

TEST_F(Finale, PrepareShowsOnlyTheLosersPetAndCallsTheWinner) {
  const char* pets[] = {"H---", "-G--", "--M-", "---D"};
  for (int type = 0; type < 4; ++type) {
    t->ZNDLbox1.PetType1 = type;
    t->ZNDLbox1.PetType2 = 3 - type;
    box().PrepareFinale(2);
    EXPECT_EQ(petsShown(), pets[type]) << "player one lost with pet type " << type;
    EXPECT_EQ(box().ChatText.text, "\u201CBob would you do the honours?\u201D");
    box().PrepareFinale(1);
    EXPECT_EQ(petsShown(), pets[3 - type]) << "player two lost with pet type " << 3 - type;
    EXPECT_EQ(box().ChatText.text, "\u201CAnn would you do the honours?\u201D");
  }
  // The pictures stand where the stage has room for them.
  EXPECT_EQ(box().Hamster.left, 275);
  EXPECT_EQ(box().Hamster.top, 313);
  EXPECT_EQ(box().Goldfish.left, 252);
  EXPECT_EQ(box().Goldfish.top, 281);
  EXPECT_EQ(box().Mouse.left, 257);
  EXPECT_EQ(box().Mouse.top, 322);
  EXPECT_EQ(box().Dog.left, 232);
  EXPECT_EQ(box().Dog.top, 252);
}

TEST_F(Finale, PrepareChangesNothingWithoutAWinner) {
  box().PrepareFinale(1);
  const std::string before = petsShown();
  for (int winner : {0, 3, -1}) {
    box().PrepareFinale(winner);
    EXPECT_EQ(petsShown(), before);
    EXPECT_EQ(box().ChatText.text, honoursCall("Ann"));
  }
  t->ZNDLbox1.Name2 = "";
  box().PrepareFinale(2);
  EXPECT_EQ(box().ChatText.text, "\u201C would you do the honours?\u201D");
}

TEST_F(Finale, KillDropsTheAnvilAndHandsAnnHerPrize) {
  box().Prizes = TextList{"Prizes", "a year's supply of fish"};
  t->Winner = 1;
  box().PrepareFinale(1);
  const int repaints = box().chatRepaints;
  kill();
  EXPECT_EQ(box().Kill.caption, "Back To Title");
  EXPECT_TRUE(box().Image2.visible);
  EXPECT_EQ(box().ChatText.text,
            "\u201CThank you, Ann and enjoy your Winner\u2019s Prize, a year's supply of "
            "fish.\u201D");
  EXPECT_EQ(box().chatRepaints, repaints + 1) << "the line is repainted at once";
  EXPECT_EQ(petsShown(), "-G--") << "the anvil covers the pet; the picture stays";
}

TEST_F(Finale, PrizesComeFromLinesOneOnwardInFairShares) {
  box().Prizes = TextList{"Prizes", "a toaster", "a kettle"};
  t->Winner = 2;
  std::map<std::string, int> drawn;
  constexpr int kPresses = 2000;
  for (int i = 0; i < kPresses; ++i) {
    box().Kill.caption = "Kill";  // as the title screen's Play sets it
    kill();
    ++drawn[box().ChatText.text];
    EXPECT_EQ(t.random.asked.back(), 2) << "a draw over lines 1 to n - 1";
  }
  EXPECT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn.count(prizeLine("Bob", "Prizes")), 0u) << "line 0 is never drawn";
  EXPECT_NEAR(drawn[prizeLine("Bob", "a toaster")], kPresses / 2, kPresses / 10);
  EXPECT_NEAR(drawn[prizeLine("Bob", "a kettle")], kPresses / 2, kPresses / 10);
}

TEST_F(Finale, APrizeListWithoutPrizesGivesAnEmptyPrize) {
  t->Winner = 1;
  kill();  // the built-in list: "Prizes" alone
  EXPECT_EQ(box().ChatText.text,
            "\u201CThank you, Ann and enjoy your Winner\u2019s Prize, .\u201D");
  box().Prizes.clear();
  box().Kill.caption = "Kill";
  kill();
  EXPECT_EQ(box().ChatText.text, prizeLine("Ann", ""));
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST_F(Finale, TheSecondPressGoesBackToTitleWithoutASecondDraw) {
  box().Prizes = TextList{"Prizes", "a toaster", "a kettle"};
  t->Winner = 1;
  kill();
  const std::string prizeText = box().ChatText.text;
  const size_t draws = t.random.asked.size();
  const int repaints = box().chatRepaints;
  kill();
  EXPECT_EQ(t.random.asked.size(), draws);
  EXPECT_EQ(box().ChatText.text, prizeText);
  EXPECT_EQ(box().chatRepaints, repaints);
  EXPECT_FALSE(box().visible());
  EXPECT_TRUE(t->ZNDLbox1.visible());
}

TEST_F(Finale, WithoutAWinnerTheAnvilStillFallsButTheLineStays) {
  t->Winner = 0;
  box().ChatText.text = honoursCall("Ann");
  const int repaints = box().chatRepaints;
  kill();
  EXPECT_EQ(box().ChatText.text, honoursCall("Ann"));
  EXPECT_TRUE(box().Image2.visible);
  EXPECT_EQ(box().Kill.caption, "Back To Title");
  EXPECT_EQ(box().chatRepaints, repaints + 1);
}

TEST_F(Finale, ALaterGameShowsOnlyItsOwnLosersPet) {
  t->ZNDLbox1.PetType1 = 0;  // Ann's hamster
  t->ZNDLbox1.PetType2 = 3;  // Bob's dog
  endGame("3", "1");
  EXPECT_EQ(petsShown(), "---D");
  kill();
  kill();
  t.run([&] { t->ZNDLbox1.PlayButClick(); });
  EXPECT_EQ(petsShown(), "---D") << "the pictures wait for the next game end";
  endGame("0", "2");
  EXPECT_EQ(petsShown(), "H---");
  EXPECT_EQ(box().ChatText.text, honoursCall("Bob"));
  // Ann lost five lives while ahead on points: her pet again, Bob's call.
  t->ZNDLbox1.PetType1 = 2;
  endGame("3", "1", 0, 2);
  EXPECT_EQ(petsShown(), "--M-");
}

TEST_F(Finale, BackToTitlePutsTheGameAwayAndResetsTheQuiz) {
  writeFile("prizes", "Prizes\r\nA toaster\r\n");
  t->QuestionNo = 7;
  t->QuestionStep = 3;
  TPlayBox& quiz = t->PlayBox;
  quiz.Score1 = "4";
  quiz.Score2 = "2";
  quiz.Lives1 = 1;
  quiz.Lives2 = 0;
  quiz.Button2.visible = false;
  quiz.Label6.visible = false;
  quiz.Label7.text = "A- Paris";
  quiz.show();
  t->ChatBox.show();
  endGame("4", "2", 1, 0);
  t.run([&] { t->EndGameBox.Button1Click(); });
  ASSERT_TRUE(box().visible());
  kill();
  const std::string prizeText = box().ChatText.text;
  t.titleTune.log.clear();

  kill();
  EXPECT_FALSE(quiz.visible());
  EXPECT_FALSE(t->EndGameBox.visible());
  EXPECT_FALSE(t->ChatBox.visible());
  EXPECT_FALSE(box().visible());
  EXPECT_TRUE(t->ZNDLbox1.visible()) << "the title screen is what remains";
  EXPECT_FALSE(box().Image2.visible);
  EXPECT_EQ(t->QuestionStep, 0);
  EXPECT_EQ(t->QuestionNo, 0);
  EXPECT_EQ(quiz.Score1, "0");
  EXPECT_EQ(quiz.Score2, "0");
  EXPECT_EQ(quiz.Lives1, 5);
  EXPECT_EQ(quiz.Lives2, 5);
  EXPECT_TRUE(quiz.Button2.visible);
  EXPECT_EQ(quiz.Label6.text, "ZANDOODLE CONTINUES...");
  EXPECT_EQ(quiz.Label7.text, "DO YOU DARE TO PLAY?");
  EXPECT_EQ(quiz.Label8.text, "DOES YOUR PET KNOW?");
  EXPECT_EQ(quiz.Label9.text, "DO YOU CARE?");
  EXPECT_EQ(quiz.Label10.text, "3.1");
  EXPECT_FALSE(quiz.Label6.visible) << "the lines keep their visibility";
  // The title tune is ready again, but the title screen stays silent.
  EXPECT_EQ(t.titleTune.log, std::vector<std::string>{"open ZNDL.MID"});
  EXPECT_FALSE(t.titleTune.playing);
  // The finale keeps its pet, its line and its caption until the next game.
  EXPECT_EQ(box().Kill.caption, "Back To Title");
  EXPECT_EQ(box().ChatText.text, prizeText);
  EXPECT_EQ(petsShown(), "-G--");
  EXPECT_TRUE(t.errors.shown.empty());

  t.run([&] { t->ZNDLbox1.PlayButClick(); });
  EXPECT_EQ(box().Kill.caption, "Kill");
}

TEST_F(Finale, AMissingTitleTuneIsReportedAfterEverythingElseIsPutAway) {
  t->Winner = 1;
  box().show();
  t->PlayBox.Score1 = "3";
  kill();
  t.titleTune.missing.insert("ZNDL.MID");
  kill();
  ASSERT_EQ(t.errors.shown, std::vector<std::string>{"Cannot open file ZNDL.MID."});
  EXPECT_FALSE(box().visible());
  EXPECT_EQ(t->PlayBox.Score1, "0");
  EXPECT_EQ(t->PlayBox.Label10.text, "3.1");
}

TEST_F(Finale, TheWinnersPrizeComesFromThePrizesFileReadAtGameEnd) {
  writeFile("prizes", "Prizes\r\nA \x93shiny\x94 kettle\r\n");
  endGame("1", "2");
  t.run([&] { t->EndGameBox.Button1Click(); });
  kill();
  EXPECT_EQ(box().ChatText.text,
            "\u201CThank you, Bob and enjoy your Winner\u2019s Prize, A \u201Cshiny\u201D "
            "kettle.\u201D");
}

}  // namespace
