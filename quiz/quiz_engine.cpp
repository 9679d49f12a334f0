// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/finale.h"
#include "platform/numbers.h"
#include "quiz/quiz_layout.h"
#include "quiz/quiz_screen.h"
#include "shell/game.h"
#include "shell/title_screen.h"
#include "shell/make_screen.h"

namespace zndl {
namespace {

int livesAfterLoss(int lives) {
  return lives > 0 ? lives - 1 : 0;
}

bool revealing(QuestionStep step) {
  return step >= QuestionStep::revealQuestion && step <= QuestionStep::revealAnswerC;
}

QuestionStep nextStep(QuestionStep step) {
  return static_cast<QuestionStep>(static_cast<int>(step) + 1);
}

// The result a question has come to, once it has been answered or its time is up.
std::optional<Result> judgedResult(QuestionStep step) {
  switch (step) {
    case QuestionStep::answeredRight:
      return Result::right;
    case QuestionStep::answeredWrong:
      return Result::wrong;
    case QuestionStep::timeUp:
      return Result::timeUp;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::string resultTune(Result result) {
  return result == Result::right ? "102.MID" : "101.MID";
}

std::string resultText(Result result) {
  switch (result) {
    case Result::right:
      return "CORRECT";
    case Result::wrong:
      return "WRONG";
    case Result::timeUp:
      break;
  }
  return kTimesUp;
}

QuizScreen::QuizScreen(Game& game) : Screen(game, kAppTitle), countdownTune(game.ports.quizTune) {}

void QuizScreen::create() {
  questionNo = 1;
}

Label& QuizScreen::answerLine(AnswerSlot slot) {
  return slot == kSlotA ? answerA : slot == kSlotB ? answerB : answerC;
}

const Label& QuizScreen::answerLine(AnswerSlot slot) const {
  return const_cast<QuizScreen&>(*this).answerLine(slot);
}

std::string QuizScreen::countdownText() const {
  switch (clockFace) {
    case ClockFace::beforePlay:
      return "X";
    case ClockFace::afterJudging:
      return "15";
    case ClockFace::afterFinale:
      return "3.1";
    case ClockFace::counting:
      break;
  }
  return std::to_string(secondsLeft);
}

void QuizScreen::loadGroup(const std::string& fileName) {
  questions.loadFromFile(fileName);
}

void QuizScreen::prepareForGame(const Contestants<ContestantEntry>& entries) {
  questionNo = 1;
  for (Contestant c : kBothContestants) playerNames[c].text = entries[c].name;
  countdownTune.open(entries[kFirstContestant].answerTime.text + ".MID");
}

void QuizScreen::onContinue() {
  const int n = questionNo;
  continueButton.visible = false;
  resultPanel.visible = false;
  step = QuestionStep::revealQuestion;
  question.visible = answerA.visible = answerB.visible = answerC.visible = false;
  correctSlot = kSlotA + game_.randomBelow(3);
  const LoadedQuestion q = loadQuestion(questions, n, wrongPool, correctPool, game_.ports.random);
  question.text = q.text;
  // The correct answer takes its drawn slot; the wrong answers fill the other two in
  // pool order.
  const int slot = correctSlot;
  const std::string& a = slot == kSlotA ? q.correct : q.wrong0;
  const std::string& b = slot == kSlotA ? q.wrong0 : slot == kSlotB ? q.correct : q.wrong1;
  const std::string& c = slot == kSlotC ? q.correct : q.wrong1;
  using quiz_layout::kAnswerPrefixes;
  answerA.text = std::string(kAnswerPrefixes[0]) + a;
  answerB.text = std::string(kAnswerPrefixes[1]) + b;
  answerC.text = std::string(kAnswerPrefixes[2]) + c;
  if (lives[kFirstContestant] > 0 && lives[kSecondContestant] > 0 && questionFollows(questions, n))
    return;
  step = QuestionStep::idle;
  endGame();
}

void QuizScreen::onTick() {
  std::string countdownTuneName;
  if (step == QuestionStep::revealQuestion) question.visible = true;
  if (step == QuestionStep::revealAnswerA) answerA.visible = true;
  if (step == QuestionStep::revealAnswerB) answerB.visible = true;
  if (step == QuestionStep::revealAnswerC) {
    answerC.visible = true;
    // The answer time is read as it stands now: only a time box edited in mid-game
    // makes it anything but a positive whole number, and such a clock has run out.
    const std::string& time = game_.screen<TitleScreen>().entries[turn].answerTime.text;
    const auto seconds = parseWholeNumber(time);
    clockFace = ClockFace::counting;
    secondsLeft = seconds && *seconds > 0 ? *seconds : 0;
    countdownTuneName = time + ".MID";
  }
  if (revealing(step)) step = nextStep(step);
  // The tune starts once this tick's step is taken: a tune that will not open shows an
  // error box, and ticks that come while the box is open must find the step moved on.
  if (!countdownTuneName.empty()) playTune(countdownTuneName);
  if (step == QuestionStep::countdown) {
    secondsLeft = secondsLeft > 0 ? secondsLeft - 1 : 0;
    if (secondsLeft == 0) step = QuestionStep::timeUp;
  }
  if (const auto result = judgedResult(step)) judge(*result);
}

void QuizScreen::judge(Result result) {
  ++questionNo;
  if (result == Result::right)
    ++scores[turn];
  else
    lives[turn] = livesAfterLoss(lives[turn]);
  resultPanel.text = resultText(result);
  clockFace = ClockFace::afterJudging;
  turn = otherContestant(turn);
  continueButton.visible = true;
  resultPanel.visible = true;
  // The question is judged before any tune can show an error box: ticks that come
  // while the box is open find no question left to judge.
  step = QuestionStep::idle;
  countdownTune.stop();
  countdownTune.rewind();
  playTune(resultTune(result));
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

void QuizScreen::onAnswer(AnswerSlot slot) {
  if (step != QuestionStep::countdown) return;
  step = slot == correctSlot ? QuestionStep::answeredRight : QuestionStep::answeredWrong;
}

void QuizScreen::resetForNextGame(ClockFace clock) {
  leftUnreset_ = false;
  step = QuestionStep::idle;
  questionNo = 0;
  for (Contestant c : kBothContestants) {
    scores[c] = 0;
    lives[c] = kStartingLives;
  }
  continueButton.visible = true;
  question.text = "ZANDOODLE CONTINUES...";
  answerA.text = "DO YOU DARE TO PLAY?";
  answerB.text = "DOES YOUR PET KNOW?";
  answerC.text = "DO YOU CARE?";
  clockFace = clock;
}

void QuizScreen::onExit() {
  resetForNextGame(ClockFace::beforePlay);
  close();
  countdownTune.close();
  game_.screen<TitleScreen>().reopenTitleTune();
}

MAKE_SCREEN(QuizScreen);

}  // namespace zndl
