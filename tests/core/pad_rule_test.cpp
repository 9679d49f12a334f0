// SPDX-License-Identifier: GPL-3.0-or-later
// The one rule every pad follows: whom each screen waits for, what each contestant's
// pad shows and what it may press, and what it may type in before Play.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "pads/pad_rule.h"
#include "quiz_play.h"

using namespace zndl;
using zndl::testing::QuizGame;
using zndl::testing::sectionedGroup;
using zndl::testing::writeFile;

namespace {

using Actions = std::vector<PadAction>;

struct PadGame : QuizGame {
  PadGame() : QuizGame(sectionedGroup(2)) {}
  Actions actions(Contestant c, bool seated = true) { return padView(*game, c, seated).actions; }
  bool press(Contestant c, PadAction action, bool seated = true) {
    bool pressed = false;
    run([&] { pressed = pressOnPad(*game, c, action, seated); });
    return pressed;
  }
  // Play from the title, the introduction skipped: the quiz waits for its CONTINUE.
  void toQuiz() {
    game->screen<TitleScreen>().groupBox.text = "default.set";
    run([&] { game->screen<TitleScreen>().onPlay(); });
    run([&] { game->screen<Introduction>().onSkip(); });
  }
  // A game that ends with player two ahead: the notice names them the winner.
  void toNotice() {
    toQuiz();
    for (int i = 0; i < 2; ++i) {
      reveal();
      answer(game->screen<QuizScreen>().turn == kFirstContestant
                 ? wrongSlot()
                 : game->screen<QuizScreen>().correctSlot);
      tick();
    }
    pressContinue();
  }
};

const Actions kAnswers = {PadAction::answerA, PadAction::answerB, PadAction::answerC};

}  // namespace

TEST(PadRule, TheTitleTakesPlayFromEitherPadOnceBothAreSeated) {
  PadGame t;
  EXPECT_EQ(frontPadScreen(*t.game), PadScreen::title);
  EXPECT_EQ(awaitedContestant(*t.game), std::nullopt);
  EXPECT_EQ(t.actions(kFirstContestant, false), Actions{});
  EXPECT_EQ(t.actions(kSecondContestant, true), Actions{PadAction::play});
  EXPECT_FALSE(t.press(kFirstContestant, PadAction::play, false));
  EXPECT_FALSE(t->screen<Introduction>().visible());

  const PadView view = padView(*t.game, kSecondContestant, true);
  EXPECT_EQ(view.entry.name, "Beta");
  EXPECT_EQ(view.entry.petName, "Bubbles");
  EXPECT_EQ(view.entry.petType, kGoldfish);
  EXPECT_EQ(view.group, kChooseAGroup);
  EXPECT_EQ(view.names, (Contestants<std::string>{"Alpha", "Beta"}));

  // Play from a pad is the title's own Play: refused without a group, as on the PC.
  EXPECT_TRUE(t.press(kSecondContestant, PadAction::play));
  EXPECT_TRUE(t->screen<TitleScreen>().groupBox.red);
  EXPECT_FALSE(t->screen<Introduction>().visible());
  t->screen<TitleScreen>().groupBox.text = "default.set";
  EXPECT_TRUE(t.press(kFirstContestant, PadAction::play));
  EXPECT_TRUE(t->screen<Introduction>().visible());
  EXPECT_EQ(frontPadScreen(*t.game), PadScreen::introduction);
  EXPECT_EQ(t.actions(kFirstContestant), Actions{}) << "the host speaks";
}

TEST(PadRule, TheQuizTakesAnswersFromTheAnsweringPadOnlyWhileTheClockRuns) {
  PadGame t;
  t.toQuiz();
  EXPECT_EQ(frontPadScreen(*t.game), PadScreen::quiz);
  EXPECT_EQ(awaitedContestant(*t.game), kFirstContestant);
  EXPECT_EQ(t.actions(kFirstContestant), Actions{PadAction::continueQuiz});
  EXPECT_EQ(t.actions(kSecondContestant), Actions{});
  EXPECT_FALSE(t.press(kSecondContestant, PadAction::continueQuiz));
  EXPECT_FALSE(t.press(kFirstContestant, PadAction::answerA)) << "no question yet";
  EXPECT_TRUE(t.press(kFirstContestant, PadAction::continueQuiz));
  EXPECT_EQ(t.step(), QuestionStep::revealQuestion);

  // While the lines come up, nothing; the answers are shown to both pads as they come.
  t.tick(2);
  EXPECT_EQ(t.actions(kFirstContestant), Actions{});
  PadView view = padView(*t.game, kSecondContestant, true);
  EXPECT_EQ(view.question, "Question 1?");
  EXPECT_NE(view.answers[0], "");
  EXPECT_EQ(view.answers[1], "") << "answer B is not revealed yet";
  t.tick(2);
  EXPECT_EQ(t.actions(kFirstContestant), kAnswers);
  EXPECT_EQ(t.actions(kSecondContestant), Actions{});
  view = padView(*t.game, kSecondContestant, true);
  EXPECT_EQ(view.turn, kFirstContestant);
  EXPECT_EQ(view.clock, "4");

  // The other contestant cannot answer; the answering one answers once.
  const auto right = static_cast<PadAction>(static_cast<int>(PadAction::answerA) +
                                            t->screen<QuizScreen>().correctSlot - 1);
  EXPECT_FALSE(t.press(kSecondContestant, right));
  EXPECT_EQ(t.step(), QuestionStep::countdown);
  EXPECT_TRUE(t.press(kFirstContestant, right));
  EXPECT_FALSE(t.press(kFirstContestant, right)) << "the answer is in";
  t.tick();
  view = padView(*t.game, kFirstContestant, true);
  EXPECT_EQ(view.result, "CORRECT");
  EXPECT_EQ(view.scores[kFirstContestant], 1);
  EXPECT_EQ(view.lives, (Contestants<int>{5, 5}));
  // Now player two answers next, and CONTINUE is theirs.
  EXPECT_EQ(awaitedContestant(*t.game), kSecondContestant);
  EXPECT_EQ(t.actions(kSecondContestant), Actions{PadAction::continueQuiz});
  EXPECT_EQ(t.actions(kFirstContestant), Actions{});
}

TEST(PadRule, TheNoticeAndTheFinaleWaitForTheWinner) {
  PadGame t;
  t.toNotice();
  ASSERT_EQ(frontPadScreen(*t.game), PadScreen::notice);
  ASSERT_EQ(t->winner, kPlayerTwoWins);
  EXPECT_EQ(awaitedContestant(*t.game), kSecondContestant);
  EXPECT_EQ(padView(*t.game, kFirstContestant, true).hostLine, t->screen<Notice>().hostLine.text);
  EXPECT_FALSE(t.press(kFirstContestant, PadAction::okNotice));
  EXPECT_TRUE(t.press(kSecondContestant, PadAction::okNotice));
  ASSERT_EQ(frontPadScreen(*t.game), PadScreen::finale);
  EXPECT_EQ(t.actions(kSecondContestant), Actions{PadAction::kill});
  EXPECT_EQ(t.actions(kFirstContestant), Actions{});
  EXPECT_FALSE(t.press(kSecondContestant, PadAction::backToTitle)) << "Kill comes first";
  EXPECT_TRUE(t.press(kSecondContestant, PadAction::kill));
  EXPECT_TRUE(t->screen<Finale>().fallenAnvil.visible);
  EXPECT_EQ(t.actions(kSecondContestant), Actions{PadAction::backToTitle});
  EXPECT_TRUE(t.press(kSecondContestant, PadAction::backToTitle));
  EXPECT_EQ(frontPadScreen(*t.game), PadScreen::title);
  EXPECT_FALSE(t->screen<Finale>().visible());
}

TEST(PadRule, TheTieBreakWaitsForTheCallerAndThenTheWinner) {
  PadGame t;
  t.random.script = {1};  // player two calls
  t.run([&] { t->screen<TieBreak>().start(); });
  ASSERT_EQ(frontPadScreen(*t.game), PadScreen::coinCall);
  EXPECT_EQ(awaitedContestant(*t.game), kSecondContestant);
  EXPECT_EQ(t.actions(kSecondContestant), (Actions{PadAction::callHeads, PadAction::callTails}));
  EXPECT_EQ(t.actions(kFirstContestant), Actions{});
  EXPECT_EQ(padView(*t.game, kFirstContestant, true).hostLine, "Please call,Beta");
  EXPECT_FALSE(t.press(kFirstContestant, PadAction::callHeads));
  EXPECT_TRUE(t.press(kSecondContestant, PadAction::callTails));
  EXPECT_EQ(t->screen<TieBreak>().calledFace, kTails);

  ASSERT_EQ(frontPadScreen(*t.game), PadScreen::tieBreak);
  EXPECT_EQ(t.actions(kSecondContestant), Actions{PadAction::tossCoin});
  EXPECT_FALSE(t.press(kFirstContestant, PadAction::tossCoin));
  t.random.script = {1};  // tails: the caller wins
  EXPECT_TRUE(t.press(kSecondContestant, PadAction::tossCoin));
  EXPECT_EQ(t.actions(kSecondContestant), Actions{}) << "the coin still spins";
  EXPECT_FALSE(t.press(kSecondContestant, PadAction::killThePet));
  for (int i = 0; i < TieBreak::kSpinTicks; ++i) t.run([&] { t->screen<TieBreak>().onTick(); });
  ASSERT_EQ(t->winner, kPlayerTwoWins);
  EXPECT_EQ(padView(*t.game, kFirstContestant, true).hostLine, "Tails");
  EXPECT_EQ(t.actions(kFirstContestant), Actions{});
  EXPECT_EQ(t.actions(kSecondContestant), Actions{PadAction::killThePet});
  EXPECT_TRUE(t.press(kSecondContestant, PadAction::killThePet));
  EXPECT_EQ(frontPadScreen(*t.game), PadScreen::finale);
}

TEST(PadRule, AfterADeadHeatTheNoticeWaitsForPlayerOne) {
  PadGame t;
  t.toQuiz();
  for (int i = 0; i < 2; ++i) t.playCorrect();
  t.pressContinue();
  ASSERT_EQ(t->winner, kNoWinner);
  EXPECT_EQ(awaitedContestant(*t.game), kFirstContestant);
  EXPECT_TRUE(t.press(kFirstContestant, PadAction::okNotice));
  EXPECT_EQ(frontPadScreen(*t.game), PadScreen::coinCall);
}

TEST(PadEntries, OnlyWhatThePcsFieldsTakeAndOnlyBeforePlay) {
  PadGame t;
  const auto enter = [&](Contestant c, EntryField field, const std::string& value) {
    return enterOnPad(*t.game, c, field, value);
  };
  const ContestantEntry& one = t->screen<TitleScreen>().entries[kFirstContestant];
  EXPECT_TRUE(enter(kFirstContestant, EntryField::name, "Zoë"));
  EXPECT_EQ(one.name, "Zoë");
  EXPECT_TRUE(enter(kFirstContestant, EntryField::petName, "Mr \u201CWhiskers\u201D"));
  for (const std::string& refused :
       {std::string("Ann\nBob"), std::string("A\rB"), std::string("Snow\u2603man"),
        std::string("Tab\there"), std::string("Nul\0x", 5), std::string("C1\u0081"),
        std::string("\xff\xfe"), std::string(kEntryLength + 1, 'x')}) {
    EXPECT_FALSE(enter(kFirstContestant, EntryField::name, refused)) << refused;
    EXPECT_EQ(one.name, "Zoë");
  }
  EXPECT_TRUE(enter(kFirstContestant, EntryField::name, std::string(kEntryLength, 'x')));
  EXPECT_TRUE(enter(kSecondContestant, EntryField::petType, "3"));
  EXPECT_EQ(t->screen<TitleScreen>().entries[kSecondContestant].petType, kDog);
  for (const char* type : {"4", "-1", "", "03", "x"})
    EXPECT_FALSE(enter(kSecondContestant, EntryField::petType, type)) << type;
  EXPECT_TRUE(enter(kFirstContestant, EntryField::answerTime, "10"));
  EXPECT_EQ(one.answerTime.text, "10");
  EXPECT_FALSE(enter(kFirstContestant, EntryField::answerTime, "7"));
  // A group from the list only: a pad names no other file.
  writeFile("capitals.set",
            "(ZNDL v4)\r\n[1]\r\nQ?\r\n[1-YES]\r\nA\r\n[1-NO]\r\nB\r\nC\r\n[2]\r\n");
  t->screen<TitleScreen>().groupBox.items = {"capitals.set"};
  EXPECT_FALSE(enter(kFirstContestant, EntryField::group, "../names.etc"));
  EXPECT_FALSE(enter(kFirstContestant, EntryField::group, "default.set"));
  EXPECT_TRUE(enter(kSecondContestant, EntryField::group, "capitals.set"));
  EXPECT_EQ(t->screen<TitleScreen>().groupBox.text, "capitals.set");
  EXPECT_EQ(t->screen<QuizScreen>().questions.at(2), "Q?") << "picked as on the PC";

  t.toQuiz();
  EXPECT_FALSE(enter(kFirstContestant, EntryField::name, "Late")) << "the game is on";
  EXPECT_EQ(one.name, std::string(kEntryLength, 'x'));
}
