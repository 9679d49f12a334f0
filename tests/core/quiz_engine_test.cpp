// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/quiz_play.h"
#include "quiz/quiz_screen.h"
#include "shell/game.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

const char* const kTimesUpText = "TIME\u2019S UP!";

// Which lines are shown, and the countdown: "QAB-|3".
std::string display(const QuizScreen& box) {
  std::string out;
  out += box.question.visible ? 'Q' : '-';
  out += box.answerA.visible ? 'A' : '-';
  out += box.answerB.visible ? 'B' : '-';
  out += box.answerC.visible ? 'C' : '-';
  return out + "|" + box.countdownText();
}

std::size_t indexOf(const std::vector<std::string>& log, const std::string& entry) {
  return static_cast<std::size_t>(std::find(log.begin(), log.end(), entry) - log.begin());
}

// A classic group with question markers [1] to [last].
TextList classicGroupUpTo(int last) {
  TextList lines{"Classic questions"};
  for (int i = 1; i < last; ++i) {
    const std::string n = std::to_string(i);
    for (const std::string& line :
         {questionMarker(i), "Classic " + n + "?", "Yes " + n, "No " + n + "a", "No " + n + "b"})
      lines.append(line);
  }
  lines.append(questionMarker(last));
  return lines;
}

}  // namespace

TEST(QuizEngine, AFiveSecondQuestionRevealsCountsDownAndTimesOut) {
  QuizGame t(sectionedGroup(3), "5", "10");
  Game& g = *t;
  QuizScreen& box = t.box();
  EXPECT_EQ(g.screen<QuizScreen>().questionNo, 1);
  // Before the first CONTINUE the tick has nothing to do.
  t.tick(5);
  EXPECT_EQ(box.countdownText(), "X");
  EXPECT_TRUE(t.quizTune.log.empty());

  t.pressContinue();
  EXPECT_EQ(t.step(), QuestionStep::revealQuestion);
  EXPECT_FALSE(box.continueButton.visible);
  EXPECT_FALSE(box.resultPanel.visible);
  EXPECT_EQ(box.question.text, "Question 1?");
  const std::vector<std::string> expected = {"Q---|X", "QA--|X", "QAB-|X", "QABC|4",
                                             "QABC|3", "QABC|2", "QABC|1"};
  for (const std::string& want : expected) {
    t.tick();
    EXPECT_EQ(display(box), want);
    EXPECT_FALSE(box.resultPanel.visible);
  }
  EXPECT_EQ(t.quizTune.played(), std::vector<std::string>{"5.MID"});
  EXPECT_EQ(t.step(), QuestionStep::countdown);

  t.tick();
  EXPECT_EQ(display(box), "QABC|15");
  EXPECT_EQ(box.resultPanel.text, kTimesUpText);
  EXPECT_TRUE(box.resultPanel.visible);
  EXPECT_TRUE(box.continueButton.visible);
  EXPECT_EQ(box.lives[kFirstContestant], 4);
  EXPECT_EQ(box.lives[kSecondContestant], 5);
  EXPECT_EQ(box.scores[kFirstContestant], 0);
  EXPECT_EQ(box.turn, 1);
  EXPECT_EQ(g.screen<QuizScreen>().questionNo, 2);
  EXPECT_EQ(t.step(), QuestionStep::idle);
  EXPECT_EQ(t.quizTune.played(), (std::vector<std::string>{"5.MID", "101.MID"}));
  // The countdown tune is stopped and rewound before the result tune starts.
  const auto& log = t.quizTune.log;
  EXPECT_LT(indexOf(log, "open 5.MID"), indexOf(log, "rewind"));
  EXPECT_LT(indexOf(log, "rewind"), indexOf(log, "open 101.MID"));

  // Idle again: ticks change nothing until the next CONTINUE.
  const std::size_t logSize = log.size();
  t.tick(3);
  EXPECT_EQ(display(box), "QABC|15");
  EXPECT_EQ(box.lives[kFirstContestant], 4);
  EXPECT_EQ(log.size(), logSize);
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST(QuizEngine, OnlyTheFirstAnswerDuringTheCountdownCounts) {
  QuizGame t;
  Game& g = *t;
  QuizScreen& box = t.box();
  t.pressContinue();
  t.tick(2);  // the question and answer A are shown
  t.answer(g.screen<QuizScreen>().correctSlot);
  EXPECT_EQ(t.step(), QuestionStep::revealAnswerB);
  t.tick();
  t.answer(g.screen<QuizScreen>().correctSlot);
  EXPECT_EQ(t.step(), QuestionStep::revealAnswerC) << "answer C is not shown yet";
  t.tick();
  EXPECT_EQ(box.countdownText(), "4");
  t.answer(t.wrongSlot());
  EXPECT_EQ(t.step(), QuestionStep::answeredWrong);
  t.answer(g.screen<QuizScreen>().correctSlot);
  EXPECT_EQ(t.step(), QuestionStep::answeredWrong) << "a second answer changes nothing";
  EXPECT_EQ(box.countdownText(), "4") << "the countdown waits for the tick";
  t.tick();
  EXPECT_EQ(box.resultPanel.text, "WRONG");
  EXPECT_EQ(box.lives[kFirstContestant], 4);
  EXPECT_EQ(box.scores[kFirstContestant], 0);
  EXPECT_EQ(box.countdownText(), "15");
  EXPECT_EQ(t.quizTune.played().back(), "101.MID");

  // Player two, right then wrong: the right answer stands.
  t.reveal();
  t.answer(g.screen<QuizScreen>().correctSlot);
  t.answer(t.wrongSlot());
  t.tick();
  EXPECT_EQ(box.resultPanel.text, "CORRECT");
  EXPECT_EQ(box.scores[kSecondContestant], 1);
  EXPECT_EQ(box.lives[kSecondContestant], 5);
  EXPECT_EQ(t.quizTune.played().back(), "102.MID");

  // After the judgement answers are ignored again.
  t.answer(g.screen<QuizScreen>().correctSlot);
  t.tick();
  EXPECT_EQ(box.scores[kSecondContestant], 1);
  EXPECT_EQ(t.step(), QuestionStep::idle);
}

TEST(QuizEngine, ACorrectAnswerInTheLastSecondScoresWithoutBonus) {
  QuizGame t(sectionedGroup(3), "15", "15");
  QuizScreen& box = t.box();
  t.reveal();
  EXPECT_EQ(box.countdownText(), "14");
  t.tick(13);
  EXPECT_EQ(box.countdownText(), "1");
  t.answer(t->screen<QuizScreen>().correctSlot);
  t.tick();
  EXPECT_EQ(box.resultPanel.text, "CORRECT");
  EXPECT_EQ(box.scores[kFirstContestant], 1);
  EXPECT_EQ(box.lives[kFirstContestant], 5);
  // A second correct answer early in the countdown is worth just the same.
  t.reveal();
  t.tick();
  t.answer(t->screen<QuizScreen>().correctSlot);
  t.tick();
  t.playCorrect();
  EXPECT_EQ(box.scores[kFirstContestant], 2);
  EXPECT_EQ(box.scores[kSecondContestant], 1);
}

TEST(QuizEngine, TheCountdownRunsOnTheAnsweringPlayersTime) {
  QuizGame t(sectionedGroup(3), "10", "15");
  QuizScreen& box = t.box();
  t.reveal();
  EXPECT_EQ(box.countdownText(), "9");
  EXPECT_EQ(t.quizTune.played().back(), "10.MID");
  t.answer(t.wrongSlot());
  t.tick();
  t.reveal();
  EXPECT_EQ(box.countdownText(), "14");
  EXPECT_EQ(t.quizTune.played().back(), "15.MID");
  // The time is read when the countdown starts, not at CONTINUE.
  t.answer(t->screen<QuizScreen>().correctSlot);
  t.tick();
  t.pressContinue();
  t.tick(3);
  t->screen<TitleScreen>().entries[kFirstContestant].answerTime.text = "5";
  t.tick();
  EXPECT_EQ(box.countdownText(), "4");
  EXPECT_EQ(t.quizTune.played().back(), "5.MID");
}

TEST(QuizEngine, TheWorkedExampleFillsTheSlotsFromTheDrawsInOrder) {
  QuizGame t(workedExample());
  QuizScreen& box = t.box();
  // Question 1: the correct slot (C), two draws for the wrong answers, one for Yes.
  // Question 2: the correct slot (B), two draws for the wrong answers, two for Yes.
  t.random.script = {2, 0, 0, 0, 1, 0, 0, 0, 0};
  t.pressContinue();
  EXPECT_EQ(t->screen<QuizScreen>().correctSlot, 3);
  EXPECT_EQ(box.question.text, "What colour is a ripe banana?");
  EXPECT_EQ(box.answerA.text, "A- Purple");
  EXPECT_EQ(box.answerB.text, "B- Blue");
  EXPECT_EQ(box.answerC.text, "C- Yellow");
  t.tick(4);
  t.answer(3);
  t.tick();
  EXPECT_EQ(box.resultPanel.text, "CORRECT");

  t.pressContinue();
  EXPECT_EQ(t->screen<QuizScreen>().correctSlot, 2);
  EXPECT_EQ(box.question.text, "How many legs has a spider?");
  EXPECT_EQ(box.answerA.text, "A- Ten");
  EXPECT_EQ(box.answerB.text, "B- 8");
  EXPECT_EQ(box.answerC.text, "C- Six");
  EXPECT_EQ(t.random.asked, (std::vector<int>{3, 1, 1, 0, 3, 1, 1, 1, 1}));
  EXPECT_TRUE(t.random.script.empty());
}

TEST(QuizEngine, TheTurnPassesAfterEveryQuestionAndCarriesIntoTheNextGame) {
  QuizGame t(sectionedGroup(3), "5", "10");
  Game& g = *t;
  QuizScreen& box = t.box();
  t.playTimeOut();
  EXPECT_EQ(box.turn, 1);
  EXPECT_EQ(box.lives[kFirstContestant], 4);
  t.playTimeOut();
  EXPECT_EQ(box.turn, 0);
  EXPECT_EQ(box.lives[kSecondContestant], 4);
  t.playCorrect();
  EXPECT_EQ(box.turn, 1);
  t.pressContinue();
  ASSERT_TRUE(g.screen<Notice>().visible()) << "three questions, then the end marker";
  EXPECT_EQ(box.turn, 1);

  // The next game, after an Exit: player two answers first.
  t.run([&] { box.onExit(); });
  EXPECT_EQ(box.turn, 1);
  g.screen<QuizScreen>().questionNo = 1;
  box.show();
  t.reveal();
  EXPECT_EQ(box.countdownText(), "9");
  EXPECT_EQ(box.question.text, "Question 1?");
  t.tick(9);
  EXPECT_EQ(box.resultPanel.text, kTimesUpText);
  EXPECT_EQ(box.lives[kFirstContestant], 5);
  EXPECT_EQ(box.lives[kSecondContestant], 4);
  EXPECT_EQ(box.turn, 0);
}

TEST(QuizEngine, LivesNeverGoBelowNothing) {
  for (const bool timeOut : {false, true}) {
    QuizGame t;
    QuizScreen& box = t.box();
    t.reveal();
    box.lives[kFirstContestant] = 0;
    if (!timeOut) t.answer(t.wrongSlot());
    t.tick(10);
    EXPECT_EQ(box.resultPanel.text, timeOut ? kTimesUpText : "WRONG");
    EXPECT_EQ(box.lives[kFirstContestant], 0);
  }
}

TEST(QuizEngine, APlayerWithoutLivesEndsTheGameAtTheNextContinue) {
  QuizGame t(sectionedGroup(20));
  Game& g = *t;
  QuizScreen& box = t.box();
  for (int round = 0; round < 4; ++round) {
    t.playWrong();
    t.playCorrect();
  }
  t.playTimeOut();
  EXPECT_EQ(box.lives[kFirstContestant], 0);
  EXPECT_EQ(box.scores[kSecondContestant], 4);
  EXPECT_FALSE(g.screen<Notice>().visible()) << "the game ends only at CONTINUE";

  t.pressContinue();
  EXPECT_EQ(t.step(), QuestionStep::idle);
  EXPECT_EQ(g.screen<QuizScreen>().questionNo, 10);
  EXPECT_TRUE(g.screen<Notice>().visible());
  EXPECT_FALSE(box.visible());
  EXPECT_EQ(g.winner, 2);
  // The question loaded by that CONTINUE is never asked.
  t.tick(6);
  EXPECT_EQ(display(box), "----|15");
  EXPECT_EQ(box.lives[kFirstContestant], 0);
}

TEST(QuizEngine, MarkersOneToFiveAskFourQuestions) {
  QuizGame t(classicGroupUpTo(5));
  Game& g = *t;
  std::vector<std::string> asked;
  for (int guard = 0; guard < 10 && !g.screen<Notice>().visible(); ++guard) {
    t.pressContinue();
    if (t.step() == QuestionStep::idle) break;
    asked.push_back(t.box().question.text);
    t.tick(4);
    t.answer(g.screen<QuizScreen>().correctSlot);
    t.tick();
  }
  EXPECT_EQ(asked,
            (std::vector<std::string>{"Classic 1?", "Classic 2?", "Classic 3?", "Classic 4?"}));
  EXPECT_TRUE(g.screen<Notice>().visible());
  EXPECT_EQ(t.box().scores[kFirstContestant], 2);
  EXPECT_EQ(t.box().scores[kSecondContestant], 2);
}

TEST(QuizEngine, ExitResetsTheGameButLeavesTurnResultAndVisibilityAlone) {
  QuizGame t;
  Game& g = *t;
  QuizScreen& box = t.box();
  box.show();
  t.playCorrect();
  ASSERT_EQ(box.turn, 1);
  const std::size_t titleLog = t.titleTune.log.size();

  t.run([&] { box.onExit(); });
  EXPECT_EQ(t.step(), QuestionStep::idle);
  EXPECT_EQ(g.screen<QuizScreen>().questionNo, 0);
  EXPECT_EQ(box.scores[kFirstContestant], 0);
  EXPECT_EQ(box.scores[kSecondContestant], 0);
  EXPECT_EQ(box.lives[kFirstContestant], 5);
  EXPECT_EQ(box.lives[kSecondContestant], 5);
  EXPECT_TRUE(box.continueButton.visible);
  EXPECT_EQ(box.question.text, "ZANDOODLE CONTINUES...");
  EXPECT_EQ(box.answerA.text, "DO YOU DARE TO PLAY?");
  EXPECT_EQ(box.answerB.text, "DOES YOUR PET KNOW?");
  EXPECT_EQ(box.answerC.text, "DO YOU CARE?");
  EXPECT_EQ(box.countdownText(), "X");
  EXPECT_FALSE(box.visible());
  EXPECT_EQ(box.turn, 1);
  EXPECT_TRUE(box.resultPanel.visible);
  EXPECT_EQ(box.resultPanel.text, "CORRECT");
  EXPECT_EQ(display(box), "QABC|X");
  EXPECT_EQ(t.quizTune.log.back(), "close");
  // The title tune is opened again, but it does not play.
  EXPECT_EQ(std::vector<std::string>(t.titleTune.log.begin() + titleLog, t.titleTune.log.end()),
            std::vector<std::string>{"open ZNDL.MID"});

  // Exit in the middle of a question: the lines stay as shown, the question stops.
  g.screen<QuizScreen>().questionNo = 1;
  box.show();
  t.pressContinue();
  t.tick(2);
  t.run([&] { box.onExit(); });
  EXPECT_EQ(display(box), "QA--|X");
  EXPECT_FALSE(box.resultPanel.visible);
  EXPECT_TRUE(box.continueButton.visible);
  t.tick(20);
  EXPECT_EQ(display(box), "QA--|X");
  EXPECT_EQ(box.lives[kSecondContestant], 5);
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST(QuizEngine, AnAnswerTimeThatIsNotANumberTimesOutOnce) {
  for (const char* badTime : {"abc", "0", "-3", ""}) {
    QuizGame t(sectionedGroup(5), "5", "5");
    QuizScreen& box = t.box();
    t.quizTune.missing = {std::string(badTime) + ".MID"};
    t.pressContinue();
    t.tick(3);
    t->screen<TitleScreen>().entries[kFirstContestant].answerTime.text =
        badTime;  // edited on the title screen mid-game
    t.tick();
    EXPECT_EQ(t.step(), QuestionStep::idle) << badTime;
    EXPECT_EQ(box.resultPanel.text, kTimesUpText) << badTime;
    EXPECT_EQ(box.countdownText(), "15") << badTime;
    EXPECT_EQ(box.lives[kFirstContestant], 4) << badTime;
    EXPECT_EQ(box.turn, 1) << badTime;
    EXPECT_EQ(t->screen<QuizScreen>().questionNo, 2) << badTime;
    t.tick(10);
    // Player two plays normally; player one's next question times out the same way,
    // and the tune that will not open is reported only once.
    t.playCorrect();
    t.playTimeOut();
    EXPECT_EQ(box.lives[kFirstContestant], 3) << badTime;
    EXPECT_EQ(box.scores[kSecondContestant], 1) << badTime;
    EXPECT_EQ(t.errors.shown,
              std::vector<std::string>{"Cannot open file " + std::string(badTime) + ".MID."})
        << badTime;
  }
}

TEST(QuizEngine, QuestionsGoOnWhenTheTunesCannotPlay) {
  QuizGame t(sectionedGroup(5), "5", "5");
  t.quizTune.missing = {"5.MID", "101.MID", "102.MID"};
  t.playTimeOut();
  t.playCorrect();
  t.playWrong();
  t.playTimeOut();
  EXPECT_EQ(t.box().lives[kFirstContestant], 3);
  EXPECT_EQ(t.box().lives[kSecondContestant], 4);
  EXPECT_EQ(t.box().scores[kSecondContestant], 1);
  EXPECT_EQ(t->screen<QuizScreen>().questionNo, 5);
  EXPECT_EQ(t.errors.shown,
            (std::vector<std::string>{"Cannot open file 5.MID.", "Cannot open file 101.MID.",
                                      "Cannot open file 102.MID."}));
}

// A tune that will not open shows a modal box, and the timer goes on ticking in the
// box's own event loop: the question is judged once all the same.
TEST(QuizEngine, TicksWhileAnErrorBoxIsOpenJudgeTheQuestionOnce) {
  QuizGame t(sectionedGroup(3), "5", "5");
  t.quizTune.missing = {"5.MID", "101.MID", "102.MID"};
  int ticksUnderBox = 0;
  t.errors.whileOpen = [&] {
    for (int i = 0; i < 8; ++i, ++ticksUnderBox) t.run([&] { t.box().onTick(); });
  };
  t.reveal();  // the countdown tune fails at the fourth tick, the clock runs out under it
  EXPECT_GT(ticksUnderBox, 0);
  for (int guard = 0; t.step() != QuestionStep::idle && guard < 20; ++guard) t.tick();
  EXPECT_EQ(t->screen<QuizScreen>().questionNo, 2);
  EXPECT_EQ(t.box().lives[kFirstContestant], 4);
  EXPECT_EQ(t.box().lives[kSecondContestant], 5);

  // The result tune fails as the next answer is judged; the ticks under that box find
  // no question left.
  t.pressContinue();
  t.tick(4);
  t.answer(t->screen<QuizScreen>().correctSlot);
  t.tick();
  EXPECT_EQ(t.step(), QuestionStep::idle);
  EXPECT_EQ(t->screen<QuizScreen>().questionNo, 3);
  EXPECT_EQ(t.box().scores[kSecondContestant], 1);
  EXPECT_EQ(t.box().lives[kSecondContestant], 5);
  t.tick(3);
  EXPECT_EQ(t->screen<QuizScreen>().questionNo, 3);
}

// Alt-F4 on the notice (or the tie break, or the finale) skips Back To Title's reset;
// the next Play makes it, so the next game has its CONTINUE and opening lines.
TEST(QuizEngine, PlayAfterAGameEndedWithoutBackToTitleStartsFromTheResetQuiz) {
  QuizGame t(sectionedGroup(1), "5", "5");
  t->screen<TitleScreen>().groupBox.text = "one.set";
  t.playCorrect();
  t.pressContinue();  // the end of the game
  ASSERT_TRUE(t->screen<Notice>().visible());
  ASSERT_FALSE(t.box().continueButton.visible);
  t->screen<Notice>().close();  // Alt-F4
  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  EXPECT_TRUE(t.box().continueButton.visible);
  EXPECT_EQ(t.box().scores[kFirstContestant], 0);
  EXPECT_EQ(t.box().scores[kSecondContestant], 0);
  EXPECT_EQ(t.box().lives[kFirstContestant], 5);
  EXPECT_EQ(t.box().question.text, "ZANDOODLE CONTINUES...");
  EXPECT_EQ(t.box().countdownText(), "3.1");
  EXPECT_EQ(t->screen<QuizScreen>().questionNo, 1);
}

TEST(QuizEngine, AltF4DuringAQuestionStillCarriesScoresIntoTheNextGame) {
  QuizGame t(sectionedGroup(3), "5", "5");
  t->screen<TitleScreen>().groupBox.text = "three.set";
  t.playCorrect();
  t.playWrong();
  t.box().close();  // Alt-F4 on the quiz between questions
  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  EXPECT_EQ(t.box().scores[kFirstContestant], 1);
  EXPECT_EQ(t.box().lives[kSecondContestant], 4);
}
