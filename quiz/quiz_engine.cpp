// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/numbers.h"
#include "quiz/quiz_layout.h"
#include "quiz/quiz_screen.h"
#include "shell/game.h"

namespace zndl {
namespace {

int livesAfterLoss(int lives) {
  return lives > 0 ? lives - 1 : 0;
}

int other(int contestant) {
  return contestant == kFirstContestant ? kSecondContestant : kFirstContestant;
}

}  // namespace

QuizScreen::QuizScreen(Game& game) : Screen(game, kAppTitle), countdownTune(game.ports.quizTune) {}

void QuizScreen::create() {
  game_.questionNo = 1;
}

void QuizScreen::onContinue() {
  const int n = game_.questionNo;
  continueButton.visible = false;
  resultPanel.visible = false;
  game_.questionStep = kRevealQuestion;
  question.visible = answerA.visible = answerB.visible = answerC.visible = false;
  game_.correctSlot = kSlotA + game_.randomBelow(3);
  const LoadedQuestion q = loadQuestion(questions, n, wrongPool, correctPool, game_.ports.random);
  question.text = q.text;
  // The correct answer takes its drawn slot; the wrong answers fill the other two in
  // pool order.
  const int slot = game_.correctSlot;
  const std::string& a = slot == kSlotA ? q.correct : q.wrong0;
  const std::string& b = slot == kSlotA ? q.wrong0 : slot == kSlotB ? q.correct : q.wrong1;
  const std::string& c = slot == kSlotC ? q.correct : q.wrong1;
  using quiz_layout::kAnswerPrefixes;
  answerA.text = std::string(kAnswerPrefixes[0]) + a;
  answerB.text = std::string(kAnswerPrefixes[1]) + b;
  answerC.text = std::string(kAnswerPrefixes[2]) + c;
  if (lives1 > 0 && lives2 > 0 && questionFollows(questions, n)) return;
  game_.questionStep = kIdle;
  endGame();
}

void QuizScreen::onTick() {
  int& step = game_.questionStep;
  std::string countdownTuneName;
  if (step == kRevealQuestion) question.visible = true;
  if (step == kRevealAnswerA) answerA.visible = true;
  if (step == kRevealAnswerB) answerB.visible = true;
  if (step == kRevealAnswerC) {
    answerC.visible = true;
    const std::string& time = turn == kFirstContestant ? game_.titleScreen.answerTime1.text
                                                       : game_.titleScreen.answerTime2.text;
    countdown.text = time;
    countdownTuneName = time + ".MID";
  }
  if (step >= kRevealQuestion && step <= kRevealAnswerC) ++step;
  // The tune starts once this tick's step is taken: a tune that will not open shows an
  // error box, and ticks that come while the box is open must find the step moved on.
  if (!countdownTuneName.empty()) playTune(countdownTuneName);
  if (step == kCountdown) {
    // Only a time box edited in mid-game makes the countdown anything but a positive
    // whole number; such a countdown has simply run out.
    const auto left = parseWholeNumber(countdown.text);
    countdown.text = left && *left > 0 ? std::to_string(*left - 1) : "0";
  }
  if (countdown.text == "0") step = kTimeUp;
  if (step < kTimeUp) return;
  judge();
}

void QuizScreen::judge() {
  int& step = game_.questionStep;
  ++game_.questionNo;
  int& lives = turn == kFirstContestant ? lives1 : lives2;
  std::string& score = turn == kFirstContestant ? score1 : score2;
  if (step == kTimeUp) {
    lives = livesAfterLoss(lives);
    resultPanel.text = kTimesUp;
  }
  if (step == kCorrect) {
    resultPanel.text = "CORRECT";
    score = std::to_string(parseWholeNumber(score).value_or(0) + 1);
  }
  if (step == kWrong) {
    lives = livesAfterLoss(lives);
    resultPanel.text = "WRONG";
    step = kTimeUp;
  }
  countdown.text = kCountdownAfterJudging;
  turn = other(turn);
  continueButton.visible = true;
  resultPanel.visible = true;
  // The question is judged before any tune can show an error box: ticks that come
  // while the box is open find no question left to judge.
  const int result = step;
  step = kIdle;
  countdownTune.stop();
  countdownTune.rewind();
  playTune(std::to_string(result) + ".MID");
}

void QuizScreen::playTune(const std::string& fileName) {
  // The questions go on whatever the music does; a tune that will not open is
  // reported once per run rather than at every question.
  countdownTune.stop();
  try {
    countdownTune.open(fileName);
    countdownTune.play();
  } catch (const Error& e) {
    if (tunesReported_.insert(fileName).second) game_.report(e);
  }
}

void QuizScreen::answer(int slot) {
  int& step = game_.questionStep;
  if (step != kCountdown) return;
  step = slot == game_.correctSlot ? kCorrect : kWrong;
}

void QuizScreen::resetForNextGame(const std::string& countdownText) {
  leftUnreset_ = false;
  score1 = "0";
  score2 = "0";
  lives1 = kStartingLives;
  lives2 = kStartingLives;
  continueButton.visible = true;
  question.text = "ZANDOODLE CONTINUES...";
  answerA.text = "DO YOU DARE TO PLAY?";
  answerB.text = "DOES YOUR PET KNOW?";
  answerC.text = "DO YOU CARE?";
  countdown.text = countdownText;
}

void QuizScreen::onExit() {
  game_.questionStep = kIdle;
  game_.questionNo = 0;
  resetForNextGame(kCountdownBeforePlay);
  close();
  countdownTune.close();
  game_.titleScreen.titleTune.open("ZNDL.MID");
}

}  // namespace zndl
