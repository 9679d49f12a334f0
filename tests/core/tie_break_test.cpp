#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/test_game.h"
#include "finale/verdicts.h"

using namespace zndl;
using zndl::testing::namesFile;
using zndl::testing::TestGame;
using zndl::testing::writeFile;

namespace {

constexpr int kHeads = 1;
constexpr int kTails = 2;

// A started game with Ann (a hamster called Fluffy) against Bob (a goldfish called
// Bubbles), ready for a tie break.
class TieBreak : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Bubbles", "0", "1", "15", "15"));
    t->start();
    t.errors.shown.clear();
  }

  Game& g() { return *t; }
  TTieBreakBox& box() { return t->TieBreakBox; }

  // Starts a tie break with the given caller (0 player one, 1 player two).
  void start(int caller) {
    t.random.script.push_back(caller);
    t.run([&] { box().StartTieBreak(); });
  }
  void call(int face) {
    t.run([&] { face == kHeads ? t->Form4.Button1Click() : t->Form4.Button2Click(); });
  }
  // Presses TOSS THE COIN with the face the coin will land on.
  void toss(int face) {
    t.random.script.push_back(face - 1);
    press();
  }
  void press() {
    t.run([&] { box().Button1Click(); });
  }
  void tick(int times = 1) {
    for (int i = 0; i < times; ++i) t.run([&] { box().Timer1Timer(); });
  }

  TestGame t;
};

TEST_F(TieBreak, TheCallerWinsOnARightCallAndTheOtherContestantOnAWrongOne) {
  struct Case {
    int caller, call, face, winner;
  };
  const std::vector<Case> cases = {
      {0, kHeads, kHeads, 1}, {0, kHeads, kTails, 2}, {1, kTails, kTails, 2},
      {1, kTails, kHeads, 1}, {0, kTails, kTails, 1}, {1, kHeads, kHeads, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("caller " + std::to_string(c.caller) + " call " + std::to_string(c.call) +
                 " face " + std::to_string(c.face));
    g().Winner = c.winner == 1 ? 2 : 1;  // the opposite, so a missing write shows
    start(c.caller);
    call(c.call);
    toss(c.face);
    tick(TTieBreakBox::kSpinTicks);
    EXPECT_EQ(g().CoinResult, c.face);
    EXPECT_EQ(box().Label1.text, c.face == kHeads ? "Heads" : "Tails");
    EXPECT_EQ(g().Winner, c.winner);
  }
}

TEST_F(TieBreak, TheCalledFaceStandsOnTheLeftWhoeverCalled) {
  for (int caller : {0, 1}) {
    start(caller);
    call(kTails);
    EXPECT_EQ(box().Image5.left, 20);
    EXPECT_EQ(box().Image4.left, 340);
    EXPECT_EQ(g().CoinCall, kTails);
    EXPECT_FALSE(t->Form4.visible()) << "a call closes the dialog";

    start(caller);
    call(kHeads);
    EXPECT_EQ(box().Image4.left, 20);
    EXPECT_EQ(box().Image5.left, 340);
    EXPECT_EQ(g().CoinCall, kHeads);
  }
  // Both faces stay at the top of the screen.
  EXPECT_EQ(box().Image4.top, 8);
  EXPECT_EQ(box().Image5.top, 8);
}

TEST_F(TieBreak, PicturesKeepTheLastCallsPlacesUntilTheNextCall) {
  EXPECT_EQ(box().Image4.left, 20) << "heads on the left before the first call of the run";
  EXPECT_EQ(box().Image5.left, 340);
  start(0);
  call(kTails);
  start(1);
  EXPECT_EQ(box().Image5.left, 20) << "a new tie break does not move the coin";
  EXPECT_EQ(box().Image4.left, 340);
}

TEST_F(TieBreak, StartingShowsTheScreenAndTheCallDialogNamingTheDrawnCaller) {
  start(0);
  EXPECT_EQ(t->Form4.Label1.text, "Please call,Ann");
  EXPECT_EQ(g().CoinCaller, 0);
  EXPECT_EQ(t.random.asked.back(), 2);
  EXPECT_TRUE(box().visible());
  EXPECT_TRUE(t->Form4.visible());
  EXPECT_GT(t->Form4.frontOrder(), box().frontOrder()) << "the dialog stands over the screen";
  EXPECT_EQ(t->Form4.caption(), "Call please...");

  start(1);
  EXPECT_EQ(t->Form4.Label1.text, "Please call,Bob");
  EXPECT_EQ(g().CoinCaller, 1);
}

TEST_F(TieBreak, ASecondTieBreakShowsFreshTextsAndAFreshCaller) {
  start(0);
  call(kHeads);
  toss(kTails);
  tick(TTieBreakBox::kSpinTicks);
  press();  // KILL THE PET
  ASSERT_FALSE(box().visible());

  // The contestants changed their entries before the next game.
  t->ZNDLbox1.Name1 = "Cid";
  t->ZNDLbox1.Name2 = "Dee";
  t->ZNDLbox1.PetName1 = "Rex";
  t->ZNDLbox1.PetName2 = "Squeak";
  t->ZNDLbox1.PetType1 = 3;
  t->ZNDLbox1.PetType2 = 2;
  start(1);
  EXPECT_EQ(box().Button1.caption, "TOSS THE COIN");
  EXPECT_TRUE(box().Button1.enabled);
  EXPECT_EQ(box().Label1.text, "Tie Break");
  EXPECT_EQ(box().Label2.text, "Cid");
  EXPECT_EQ(box().Label3.text, "Dee");
  EXPECT_EQ(box().Label4.text, "Rex");
  EXPECT_EQ(box().Label5.text, "Squeak");
  EXPECT_EQ(box().Label6.text, "Dog");
  EXPECT_EQ(box().Label7.text, "Mouse");
  EXPECT_EQ(t->Form4.Label1.text, "Please call,Dee");
  EXPECT_EQ(g().CoinCall, 0) << "the last tie break's call does not carry over";
  EXPECT_EQ(g().CoinCount, 0);
  EXPECT_TRUE(t->Form4.visible());
}

TEST_F(TieBreak, ATossWithNoCallLetsTheCallerLose) {
  for (int caller : {0, 1}) {
    for (int face : {kHeads, kTails}) {
      start(caller);
      toss(face);
      tick(TTieBreakBox::kSpinTicks);
      EXPECT_EQ(g().Winner, caller == 0 ? 2 : 1);
      EXPECT_TRUE(t->Form4.visible()) << "nobody called, so the dialog is still up";
    }
  }
}

TEST_F(TieBreak, ACallMadeWhileTheCoinSpinsStillCounts) {
  start(1);
  toss(kHeads);
  tick(30);
  call(kHeads);
  tick(TTieBreakBox::kSpinTicks - 30);
  EXPECT_EQ(g().Winner, 2);
}

TEST_F(TieBreak, TheLabelAlternatesFromTailsToTailsThenShowsTheFace) {
  start(0);
  call(kHeads);
  toss(kHeads);
  EXPECT_EQ(box().Button1.caption, "KILL THE PET");
  EXPECT_EQ(g().CoinCount, 50);
  EXPECT_EQ(box().Label1.text, "Tie Break") << "the toss itself shows nothing yet";
  std::vector<std::string> seen;
  for (int i = 0; i < 49; ++i) {
    tick();
    seen.push_back(box().Label1.text);
  }
  for (size_t i = 0; i < seen.size(); ++i)
    EXPECT_EQ(seen[i], i % 2 == 0 ? "Tails" : "Heads") << "tick " << i + 1;
  EXPECT_EQ(seen.front(), "Tails");
  EXPECT_EQ(seen.back(), "Tails");
  EXPECT_EQ(g().Winner, 0) << "no winner before the coin lands";
  tick();
  EXPECT_EQ(box().Label1.text, "Heads");
  EXPECT_EQ(g().CoinCount, 0);
  EXPECT_EQ(g().Winner, 1);

  // The toss is over: later ticks change nothing.
  g().Winner = 2;
  tick(100);
  EXPECT_EQ(box().Label1.text, "Heads");
  EXPECT_EQ(g().Winner, 2);
}

TEST_F(TieBreak, TheTimerNeverTouchesTheWinnerOfADecidedGame) {
  // Ann won on points; the finale waits a long while for the Kill press.
  t->PlayBox.Score1 = "3";
  t->PlayBox.Score2 = "1";
  t.run([&] { t->PlayBox.EndOfGame(); });
  ASSERT_EQ(g().Winner, 1);
  t.run([&] { t->EndGameBox.Button1Click(); });
  tick(10000);
  EXPECT_EQ(g().Winner, 1);
  EXPECT_EQ(box().Label1.text, "Tie Break");
  EXPECT_FALSE(box().visible());
  t.run([&] { t->AnvilBox.KillClick(); });
  EXPECT_EQ(t->AnvilBox.ChatText.text.rfind("\u201CThank you, Ann and", 0), 0u);
}

TEST_F(TieBreak, KillThePetIsHeldWhileTheCoinSpins) {
  g().Winner = 0;  // the dead heat left no winner
  start(1);
  call(kTails);
  toss(kTails);
  EXPECT_FALSE(box().Button1.enabled) << "the button looks disabled while the coin spins";
  for (int i = 0; i < TTieBreakBox::kSpinTicks; ++i) {
    press();
    EXPECT_TRUE(box().visible()) << "held at tick " << i;
    EXPECT_FALSE(t->AnvilBox.visible()) << "held at tick " << i;
    EXPECT_EQ(box().Button1.caption, "KILL THE PET");
    tick();
  }
  EXPECT_EQ(g().Winner, 2);
  EXPECT_TRUE(box().Button1.enabled);
  EXPECT_FALSE(t->AnvilBox.Image2.visible);

  press();
  EXPECT_FALSE(box().visible());
  EXPECT_TRUE(t->AnvilBox.visible());
  EXPECT_EQ(t->AnvilBox.ChatText.text, honoursCall("Bob"));
  EXPECT_TRUE(t->AnvilBox.Hamster.visible) << "Ann's hamster is the loser's pet";
  EXPECT_FALSE(t->AnvilBox.Goldfish.visible);
  EXPECT_EQ(g().CoinCount, 0);
}

TEST_F(TieBreak, KillThePetShowsTheFinaleForTheTossWinner) {
  start(0);
  call(kHeads);
  toss(kHeads);
  tick(TTieBreakBox::kSpinTicks);
  ASSERT_EQ(g().Winner, 1);
  t->AnvilBox.Dog.visible = true;  // a pet left from an earlier game
  press();
  EXPECT_TRUE(t->AnvilBox.visible());
  EXPECT_GT(t->AnvilBox.frontOrder(), box().frontOrder());
  EXPECT_EQ(t->AnvilBox.ChatText.text, "\u201CAnn would you do the honours?\u201D");
  EXPECT_TRUE(t->AnvilBox.Goldfish.visible) << "Bob's goldfish";
  EXPECT_FALSE(t->AnvilBox.Dog.visible);
  EXPECT_FALSE(t->AnvilBox.Hamster.visible);
  EXPECT_FALSE(t->AnvilBox.Mouse.visible);
  EXPECT_FALSE(box().visible());
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST_F(TieBreak, CallersAndFacesComeUpAboutHalfTheTimeEach) {
  // Unscripted draws: the game's own generator.
  int playerOneCalls = 0, heads = 0;
  constexpr int kTosses = 2000;
  for (int i = 0; i < kTosses; ++i) {
    t.run([&] { box().StartTieBreak(); });
    press();
    playerOneCalls += g().CoinCaller == 0;
    heads += g().CoinResult == kHeads;
    EXPECT_TRUE(g().CoinCaller == 0 || g().CoinCaller == 1);
    EXPECT_TRUE(g().CoinResult == kHeads || g().CoinResult == kTails);
  }
  EXPECT_NEAR(playerOneCalls, kTosses / 2, kTosses / 10);
  EXPECT_NEAR(heads, kTosses / 2, kTosses / 10);
}

}  // namespace
