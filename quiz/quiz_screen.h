// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <set>
#include <string>

#include "host/text_list.h"
#include "platform/ports.h"
#include "quiz/question_store.h"
#include "shell/contestants.h"
#include "shell/screen.h"

namespace zndl {

struct ContestantEntry;

// Where the question under way stands. After CONTINUE each tick reveals one more line;
// the tick that reveals answer C starts the countdown, and the next tick after an
// answer, or the tick that runs out the time, judges it.
enum class QuestionStep {
  idle,
  revealQuestion,
  revealAnswerA,
  revealAnswerB,
  revealAnswerC,
  countdown,
  answeredRight,
  answeredWrong,
  timeUp,
};

// How a judged question went: what the result panel says and which tune follows.
enum class Result { timeUp, right, wrong };

// The answer lines, numbered as the correct answer's drawn slot is.
enum AnswerSlot : int {
  kSlotA = 1,
  kSlotB = 2,
  kSlotC = 3,
};
inline constexpr AnswerSlot kAnswerSlots[] = {kSlotA, kSlotB, kSlotC};

// What the countdown shows when no question is being timed: "X" before the first game
// and after the quiz's Exit, "15" after a judged question, "3.1" after Back To Title;
// and the seconds left while one is.
enum class ClockFace { beforePlay, afterJudging, afterFinale, counting };

inline constexpr int kStartingLives = 5;
inline constexpr const char* kTimesUp = "TIME\u2019S UP!";

// The tune that follows a result: 101.MID after a wrong answer or the time running out,
// 102.MID after a right one.
std::string resultTune(Result result);
std::string resultText(Result result);

// The quiz screen and its engine: CONTINUE loads the next question, the one-second
// tick reveals it, counts down and judges, and the end test hands a finished game to
// the game-end decision.
class QuizScreen : public Screen {
 public:
  explicit QuizScreen(Game& game);

  Label titleLine{"Zandoodle v3.1"};
  // Before the first question the question and answer lines greet the players.
  Label question{"Welcome to Zandoodle v3.1"};
  Label answerA{"By Vormle Co."};
  Label answerB{""};
  Label answerC{""};
  Label resultPanel{"CORRECT", false};  // the verdict, shown once a question is judged
  Button continueButton{"CONTINUE"};
  Button exitButton{"Exit (Alt-F4)"};
  Contestants<int> scores{0, 0};
  Contestants<int> lives{kStartingLives, kStartingLives};
  Contestant turn = kFirstContestant;  // whose turn it is
  Contestants<Label> playerNames{{"PLAYER ONE"}, {"PLAYER TWO"}};

  int questionNo = 0;  // the number of the next question
  QuestionStep step = QuestionStep::idle;
  int correctSlot = 0;  // the AnswerSlot of the question's correct answer, once drawn
  ClockFace clockFace = ClockFace::beforePlay;
  long long secondsLeft = 0;  // while the clock is counting

  QuestionStore questions{TextList{"Questions"}};
  TextList wrongPool{"Memo1"};  // the question's wrong answers, shuffled
  TextList correctPool{"Yes"};  // its correct answers, shuffled; sectioned layout only
  TunePlayer& countdownTune;
  Timer tickTimer{1000};

  void create();
  void onContinue();
  void onTick();
  // Only a question under way has anything to do at a tick.
  bool awaitsTick() const { return step != QuestionStep::idle; }
  void onAnswer(AnswerSlot slot);
  void onExit();

  // The answer line in a slot.
  Label& answerLine(AnswerSlot slot);
  const Label& answerLine(AnswerSlot slot) const;
  // What the countdown shows.
  std::string countdownText() const;

  // The group chosen on the title screen: its file read into the question store.
  void loadGroup(const std::string& fileName);
  // Play: the first question next, the contestants' names on their desks and player
  // one's countdown tune opened. A tune that will not open is thrown after the rest.
  void prepareForGame(const Contestants<ContestantEntry>& entries);
  // The game-end decision: verdict, winner, prizes, finale, and the quiz put away.
  void endGame();
  // Puts the screen back in its opening state for the next game.
  void resetForNextGame(ClockFace clock);
  // A game has ended here and nothing has put the screen back since (its notice, tie
  // break or finale was closed with Alt-F4 instead of going Back To Title).
  bool leftUnreset() const { return leftUnreset_; }

 private:
  void revealUpTo(QuestionStep step);
  void judge(Result result);
  void playTune(const std::string& fileName);
  std::set<std::string> tunesReported_;
  bool leftUnreset_ = false;
};

}  // namespace zndl
