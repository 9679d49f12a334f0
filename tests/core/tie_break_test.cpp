// SPDX-License-Identifier: GPL-3.0-or-later
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
class TieBreakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Bubbles", "0", "1", "15", "15"));
    t->start();
    t.errors.shown.clear();
  }

  Game& g() { return *t; }
  TieBreak& box() { return t->screen<TieBreak>(); }

  // Starts a tie break with the given caller (0 player one, 1 player two).
  void start(int caller) {
    t.random.script.push_back(caller);
    t.run([&] { box().start(); });
  }
  void call(int face) {
    t.run([&] {
      face == kHeads ? t->screen<CoinCall>().onHeads() : t->screen<CoinCall>().onTails();
    });
  }
  // Presses TOSS THE COIN with the face the coin will land on.
  void toss(int face) {
    t.random.script.push_back(face - 1);
    press();
  }
  void press() {
    t.run([&] { box().onTossPressed(); });
  }
  void tick(int times = 1) {
    for (int i = 0; i < times; ++i) t.run([&] { box().onTick(); });
  }

  TestGame t;
};

TEST_F(TieBreakTest, TheCallerWinsOnARightCallAndTheOtherContestantOnAWrongOne) {
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
    // The opposite, so a missing write shows.
    g().winner = c.winner == 1 ? kPlayerTwoWins : kPlayerOneWins;
    start(c.caller);
    call(c.call);
    toss(c.face);
    tick(TieBreak::kSpinTicks);
    EXPECT_EQ(g().screen<TieBreak>().tossedFace, c.face);
    EXPECT_EQ(box().coinFace.text, c.face == kHeads ? "Heads" : "Tails");
    EXPECT_EQ(g().winner, c.winner);
  }
}

TEST_F(TieBreakTest, TheCalledFaceStandsOnTheLeftWhoeverCalled) {
  for (int caller : {0, 1}) {
    start(caller);
    call(kTails);
    EXPECT_EQ(box().tails.left, 20);
    EXPECT_EQ(box().heads.left, 340);
    EXPECT_EQ(g().screen<TieBreak>().calledFace, kTails);
    EXPECT_FALSE(t->screen<CoinCall>().visible()) << "a call closes the dialog";

    start(caller);
    call(kHeads);
    EXPECT_EQ(box().heads.left, 20);
    EXPECT_EQ(box().tails.left, 340);
    EXPECT_EQ(g().screen<TieBreak>().calledFace, kHeads);
  }
  // Both faces stay at the top of the screen.
  EXPECT_EQ(box().heads.top, 8);
  EXPECT_EQ(box().tails.top, 8);
}

TEST_F(TieBreakTest, PicturesKeepTheLastCallsPlacesUntilTheNextCall) {
  EXPECT_EQ(box().heads.left, 20) << "heads on the left before the first call of the run";
  EXPECT_EQ(box().tails.left, 340);
  start(0);
  call(kTails);
  start(1);
  EXPECT_EQ(box().tails.left, 20) << "a new tie break does not move the coin";
  EXPECT_EQ(box().heads.left, 340);
}

TEST_F(TieBreakTest, StartingShowsTheScreenAndTheCallDialogNamingTheDrawnCaller) {
  start(0);
  EXPECT_EQ(t->screen<CoinCall>().prompt.text, "Please call,Ann");
  EXPECT_EQ(g().screen<TieBreak>().coinCaller, 0);
  EXPECT_EQ(t.random.asked.back(), 2);
  EXPECT_TRUE(box().visible());
  EXPECT_TRUE(t->screen<CoinCall>().visible());
  EXPECT_GT(t->screen<CoinCall>().frontOrder(), box().frontOrder())
      << "the dialog stands over the screen";
  EXPECT_EQ(t->screen<CoinCall>().caption(), "Call please...");

  start(1);
  EXPECT_EQ(t->screen<CoinCall>().prompt.text, "Please call,Bob");
  EXPECT_EQ(g().screen<TieBreak>().coinCaller, 1);
}

TEST_F(TieBreakTest, ASecondTieBreakShowsFreshTextsAndAFreshCaller) {
  start(0);
  call(kHeads);
  toss(kTails);
  tick(TieBreak::kSpinTicks);
  press();  // KILL THE PET
  ASSERT_FALSE(box().visible());

  // The contestants changed their entries before the next game.
  t->screen<TitleScreen>().entries[kFirstContestant].name = "Cid";
  t->screen<TitleScreen>().entries[kSecondContestant].name = "Dee";
  t->screen<TitleScreen>().entries[kFirstContestant].petName = "Rex";
  t->screen<TitleScreen>().entries[kSecondContestant].petName = "Squeak";
  t->screen<TitleScreen>().entries[kFirstContestant].petType = 3;
  t->screen<TitleScreen>().entries[kSecondContestant].petType = 2;
  start(1);
  EXPECT_EQ(box().tossButton().caption, "TOSS THE COIN");
  EXPECT_TRUE(box().tossButton().enabled);
  EXPECT_EQ(box().coinFace.text, "Tie Break");
  EXPECT_EQ(box().sides[kFirstContestant].name.text, "Cid");
  EXPECT_EQ(box().sides[kSecondContestant].name.text, "Dee");
  EXPECT_EQ(box().sides[kFirstContestant].petName.text, "Rex");
  EXPECT_EQ(box().sides[kSecondContestant].petName.text, "Squeak");
  EXPECT_EQ(box().sides[kFirstContestant].petType.text, "Dog");
  EXPECT_EQ(box().sides[kSecondContestant].petType.text, "Mouse");
  EXPECT_EQ(t->screen<CoinCall>().prompt.text, "Please call,Dee");
  EXPECT_EQ(g().screen<TieBreak>().calledFace, 0)
      << "the last tie break's call does not carry over";
  EXPECT_EQ(g().screen<TieBreak>().spinTicksLeft, 0);
  EXPECT_TRUE(t->screen<CoinCall>().visible());
}

TEST_F(TieBreakTest, ATossWithNoCallLetsTheCallerLose) {
  for (int caller : {0, 1}) {
    for (int face : {kHeads, kTails}) {
      start(caller);
      toss(face);
      tick(TieBreak::kSpinTicks);
      EXPECT_EQ(g().winner, caller == 0 ? 2 : 1);
      EXPECT_TRUE(t->screen<CoinCall>().visible()) << "nobody called, so the dialog is still up";
    }
  }
}

TEST_F(TieBreakTest, ACallMadeWhileTheCoinSpinsStillCounts) {
  start(1);
  toss(kHeads);
  tick(30);
  call(kHeads);
  tick(TieBreak::kSpinTicks - 30);
  EXPECT_EQ(g().winner, 2);
}

TEST_F(TieBreakTest, TheLabelAlternatesFromTailsToTailsThenShowsTheFace) {
  start(0);
  call(kHeads);
  toss(kHeads);
  EXPECT_EQ(box().tossButton().caption, "KILL THE PET");
  EXPECT_EQ(g().screen<TieBreak>().spinTicksLeft, 50);
  EXPECT_EQ(box().coinFace.text, "Tie Break") << "the toss itself shows nothing yet";
  std::vector<std::string> seen;
  for (int i = 0; i < 49; ++i) {
    tick();
    seen.push_back(box().coinFace.text);
  }
  for (size_t i = 0; i < seen.size(); ++i)
    EXPECT_EQ(seen[i], i % 2 == 0 ? "Tails" : "Heads") << "tick " << i + 1;
  EXPECT_EQ(seen.front(), "Tails");
  EXPECT_EQ(seen.back(), "Tails");
  EXPECT_EQ(g().winner, 0) << "no winner before the coin lands";
  tick();
  EXPECT_EQ(box().coinFace.text, "Heads");
  EXPECT_EQ(g().screen<TieBreak>().spinTicksLeft, 0);
  EXPECT_EQ(g().winner, 1);

  // The toss is over: later ticks change nothing.
  g().winner = kPlayerTwoWins;
  tick(100);
  EXPECT_EQ(box().coinFace.text, "Heads");
  EXPECT_EQ(g().winner, 2);
}

TEST_F(TieBreakTest, TheTimerNeverTouchesTheWinnerOfADecidedGame) {
  // Ann won on points; the finale waits a long while for the Kill press.
  t->screen<QuizScreen>().scores[kFirstContestant] = 3;
  t->screen<QuizScreen>().scores[kSecondContestant] = 1;
  t.run([&] { t->screen<QuizScreen>().endGame(); });
  ASSERT_EQ(g().winner, 1);
  t.run([&] { t->screen<Notice>().onOk(); });
  tick(10000);
  EXPECT_EQ(g().winner, 1);
  EXPECT_EQ(box().coinFace.text, "Tie Break");
  EXPECT_FALSE(box().visible());
  t.run([&] { t->screen<Finale>().onKillPressed(); });
  EXPECT_EQ(t->screen<Finale>().hostLine.text.rfind("\u201CThank you, Ann and", 0), 0u);
}

TEST_F(TieBreakTest, KillThePetIsHeldWhileTheCoinSpins) {
  g().winner = kNoWinner;  // the dead heat left no winner
  start(1);
  call(kTails);
  toss(kTails);
  EXPECT_FALSE(box().tossButton().enabled) << "the button looks disabled while the coin spins";
  for (int i = 0; i < TieBreak::kSpinTicks; ++i) {
    press();
    EXPECT_TRUE(box().visible()) << "held at tick " << i;
    EXPECT_FALSE(t->screen<Finale>().visible()) << "held at tick " << i;
    EXPECT_EQ(box().tossButton().caption, "KILL THE PET");
    tick();
  }
  EXPECT_EQ(g().winner, 2);
  EXPECT_TRUE(box().tossButton().enabled);
  EXPECT_FALSE(t->screen<Finale>().fallenAnvil.visible);

  press();
  EXPECT_FALSE(box().visible());
  EXPECT_TRUE(t->screen<Finale>().visible());
  EXPECT_EQ(t->screen<Finale>().hostLine.text, honoursCall("Bob"));
  EXPECT_TRUE(t->screen<Finale>().hamster.visible) << "Ann's hamster is the loser's pet";
  EXPECT_FALSE(t->screen<Finale>().goldfish.visible);
  EXPECT_EQ(g().screen<TieBreak>().spinTicksLeft, 0);
}

TEST_F(TieBreakTest, KillThePetShowsTheFinaleForTheTossWinner) {
  start(0);
  call(kHeads);
  toss(kHeads);
  tick(TieBreak::kSpinTicks);
  ASSERT_EQ(g().winner, 1);
  t->screen<Finale>().dog.visible = true;  // a pet left from an earlier game
  press();
  EXPECT_TRUE(t->screen<Finale>().visible());
  EXPECT_GT(t->screen<Finale>().frontOrder(), box().frontOrder());
  EXPECT_EQ(t->screen<Finale>().hostLine.text, "\u201CAnn would you do the honours?\u201D");
  EXPECT_TRUE(t->screen<Finale>().goldfish.visible) << "Bob's goldfish";
  EXPECT_FALSE(t->screen<Finale>().dog.visible);
  EXPECT_FALSE(t->screen<Finale>().hamster.visible);
  EXPECT_FALSE(t->screen<Finale>().mouse.visible);
  EXPECT_FALSE(box().visible());
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST_F(TieBreakTest, CallersAndFacesComeUpAboutHalfTheTimeEach) {
  // Unscripted draws: the game's own generator.
  int playerOneCalls = 0, heads = 0;
  constexpr int kTosses = 2000;
  for (int i = 0; i < kTosses; ++i) {
    t.run([&] { box().start(); });
    press();
    playerOneCalls += g().screen<TieBreak>().coinCaller == 0;
    heads += g().screen<TieBreak>().tossedFace == kHeads;
    EXPECT_TRUE(g().screen<TieBreak>().coinCaller == 0 || g().screen<TieBreak>().coinCaller == 1);
    EXPECT_TRUE(g().screen<TieBreak>().tossedFace == kHeads ||
                g().screen<TieBreak>().tossedFace == kTails);
  }
  EXPECT_NEAR(playerOneCalls, kTosses / 2, kTosses / 10);
  EXPECT_NEAR(heads, kTosses / 2, kTosses / 10);
}

TEST_F(TieBreakTest, KillThePetPutsAwayACallNeverMade) {
  start(0);
  ASSERT_TRUE(t->screen<CoinCall>().visible());
  toss(kHeads);
  tick(TieBreak::kSpinTicks);
  press();  // KILL THE PET
  EXPECT_TRUE(t->screen<Finale>().visible());
  EXPECT_FALSE(box().visible());
  EXPECT_FALSE(t->screen<CoinCall>().visible()) << "the call dialog would float over the finale";
}

}  // namespace
