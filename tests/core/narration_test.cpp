// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/quiz_play.h"
#include "fakes/test_game.h"
#include "shell/game.h"
#include "shell/narration.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

using Lines = std::vector<std::string>;

// A quiz game narrated the way its window does it: an update after every handler,
// everything said collected in order.
struct NarratedQuiz : QuizGame {
  QuizNarrator narrator;
  Lines said;
  bool onView = true;

  explicit NarratedQuiz(const std::string& time1 = "5", const std::string& time2 = "5")
      : QuizGame(sectionedGroup(3), time1, time2) {
    box().playerNames[kFirstContestant].text = "Alpha";
    box().playerNames[kSecondContestant].text = "Beta";
    update();
  }
  void update() {
    for (std::string& line : narrator.update(onView, box())) said.push_back(line);
  }
  Lines take() {
    Lines out;
    out.swap(said);
    return out;
  }
  void tickNarrated(int times = 1) {
    for (int i = 0; i < times; ++i) {
      tick();
      update();
    }
  }
  void continueNarrated() {
    pressContinue();
    update();
  }
  void answerNarrated(int slot) {
    answer(slot);
    update();
  }
};

}  // namespace

// ---- The host's line --------------------------------------------------------------

TEST(LineNarrator, SaysTheHostsLineOnViewAndEachNewOneButNothingHidden) {
  LineNarrator narrator;
  Label line{"\u201CHello\u201D"};
  EXPECT_EQ(narrator.update(false, line), Lines{}) << "window off view";
  EXPECT_EQ(narrator.update(true, line), Lines{"\u201CHello\u201D"});
  EXPECT_EQ(narrator.update(true, line), Lines{});
  line.text = "\u201CBye\u201D";
  EXPECT_EQ(narrator.update(true, line), Lines{"\u201CBye\u201D"});
  line.visible = false;
  line.text = "\u201CSecret\u201D";
  EXPECT_EQ(narrator.update(true, line), Lines{}) << "label hidden";
}

// ---- Wording ----------------------------------------------------------------------

TEST(NarrationWording, AResultGivesBothContestantsPointsAndLives) {
  QuizGame t;
  QuizScreen& quiz = t.box();
  quiz.playerNames[kFirstContestant].text = "Ann";
  quiz.playerNames[kSecondContestant].text = "Bob";
  quiz.resultPanel.text = "CORRECT";
  quiz.scores[kFirstContestant] = 1;
  quiz.lives[kSecondContestant] = 4;
  EXPECT_EQ(resultLine(quiz), "CORRECT. Ann 1 point, 5 lives; Bob 0 points, 4 lives");
  quiz.resultPanel.text = kTimesUp;
  quiz.lives[kFirstContestant] = 1;
  EXPECT_EQ(resultLine(quiz), "TIME\u2019S UP! Ann 1 point, 1 life; Bob 0 points, 4 lives")
      << "no full stop after an exclamation mark";
  quiz.playerNames[kSecondContestant].text.clear();
  quiz.turn = kSecondContestant;
  EXPECT_EQ(turnLine(quiz), "Player two to answer") << "a blank name is still somebody";
}

// ---- The quiz ---------------------------------------------------------------------

TEST(QuizNarration, AQuestionIsHeardFromTurnToResultInTheOrderItIsRevealed) {
  NarratedQuiz q;
  EXPECT_EQ(q.take(), Lines{}) << "the welcome on the board is read with the window";

  q.continueNarrated();
  EXPECT_EQ(q.take(), Lines{"Alpha to answer"});
  q.tickNarrated();
  EXPECT_EQ(q.take(), Lines{"Question 1?"});
  q.tickNarrated();
  EXPECT_EQ(q.take(), Lines{q.box().answerA.text});
  EXPECT_EQ(q.box().answerA.text.rfind("A- ", 0), 0u);
  q.tickNarrated();
  EXPECT_EQ(q.take(), Lines{q.box().answerB.text});
  q.tickNarrated();
  // The last answer and the clock come up in the same tick; a five-second clock shows
  // four at once and is not called again.
  EXPECT_EQ(q.take(), (Lines{q.box().answerC.text, "4 seconds"}));
  q.tickNarrated(2);
  EXPECT_EQ(q.take(), Lines{}) << "the clock is not read every second";

  q.answerNarrated(q->screen<QuizScreen>().correctSlot);
  EXPECT_EQ(q.take(), Lines{}) << "judged at the next tick";
  q.tickNarrated();
  EXPECT_EQ(q.take(), Lines{"CORRECT. Alpha 1 point, 5 lives; Beta 0 points, 5 lives"});
  q.tickNarrated(3);
  EXPECT_EQ(q.take(), Lines{}) << "the result is said once";

  q.continueNarrated();
  q.tickNarrated(4);
  const Lines second = q.take();
  ASSERT_EQ(second.size(), 6u);
  EXPECT_EQ(second[0], "Beta to answer");
  EXPECT_EQ(second[1], "Question 2?");
  q.answerNarrated(q.wrongSlot());
  q.tickNarrated();
  EXPECT_EQ(q.take(), Lines{"WRONG. Alpha 1 point, 5 lives; Beta 0 points, 4 lives"});
}

TEST(QuizNarration, ALongClockIsCalledAtItsStartAndOnceNearItsEnd) {
  NarratedQuiz q("15");
  q.continueNarrated();
  q.tickNarrated(4);
  Lines said = q.take();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.back(), "14 seconds");
  q.tickNarrated(8);
  EXPECT_EQ(q.box().countdownText(), "6");
  EXPECT_EQ(q.take(), Lines{});
  q.tickNarrated();
  EXPECT_EQ(q.take(), Lines{"5 seconds"});
  q.tickNarrated(4);
  EXPECT_EQ(q.take(), Lines{});
  q.tickNarrated();
  EXPECT_EQ(q.take(), Lines{"TIME\u2019S UP! Alpha 0 points, 4 lives; Beta 0 points, 5 lives"});
}

TEST(QuizNarration, NothingIsHeardWhileTheQuizIsOffViewAndItStartsAfreshWhenBack) {
  NarratedQuiz q;
  q.onView = false;
  q.continueNarrated();
  q.tickNarrated(2);
  EXPECT_EQ(q.take(), Lines{});
  q.onView = true;
  q.update();
  EXPECT_EQ(q.take(), Lines{}) << "what stood on the board as it came back is not news";
  q.tickNarrated();
  EXPECT_EQ(q.take(), Lines{q.box().answerB.text}) << "but the next line is";
}
