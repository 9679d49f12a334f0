// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <set>
#include <string>

#include "host/text_list.h"
#include "platform/ports.h"
#include "quiz/question_store.h"
#include "shell/screen.h"

namespace zndl {

// Step values of the question under way. After CONTINUE each tick reveals one more
// line; the step after the last answer line is the countdown, and the judged steps
// name the tune that follows (101.MID and so on).
enum QuestionSteps : int {
  kIdle = 0,
  kRevealQuestion = 1,
  kRevealAnswerA = 2,
  kRevealAnswerB = 3,
  kRevealAnswerC = 4,  // and the countdown's start
  kCountdown = 5,
  kTimeUp = 101,
  kCorrect = 102,
  kWrong = 103,
};

// The two contestants in turn order: whose turn it is, who calls the coin.
enum Contestant : int {
  kFirstContestant = 0,
  kSecondContestant = 1,
};

// The answer lines, numbered as the correct answer's drawn slot is.
enum AnswerSlot : int {
  kSlotA = 1,
  kSlotB = 2,
  kSlotC = 3,
};

inline constexpr int kStartingLives = 5;

inline constexpr const char* kTimesUp = "TIME\u2019S UP!";
// What the countdown line reads between questions: after a judged question, before
// the first game and after the quiz's Exit, and after the finale's Back To Title.
inline constexpr const char* kCountdownAfterJudging = "15";
inline constexpr const char* kCountdownBeforePlay = "X";
inline constexpr const char* kCountdownAfterFinale = "3.1";

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
  Label countdown{kCountdownBeforePlay};  // seconds left while a question is open
  Label resultPanel{"CORRECT", false};    // the verdict, shown once a question is judged
  Button continueButton{"CONTINUE"};
  Button exitButton{"Exit (Alt-F4)"};
  std::string score1 = "0";
  std::string score2 = "0";
  int lives1 = kStartingLives;
  int lives2 = kStartingLives;
  int turn = kFirstContestant;  // whose turn, a Contestant
  Label playerName1{"PLAYER ONE"};
  Label playerName2{"PLAYER TWO"};

  QuestionStore questions{TextList{"Questions"}};
  TextList wrongPool{"Memo1"};  // the question's wrong answers, shuffled
  TextList correctPool{"Yes"};  // its correct answers, shuffled; sectioned layout only
  TunePlayer& countdownTune;
  static constexpr int kTickInterval = 1000;

  void create();
  void onContinue();
  void onTick();
  void onAnswerA() { answer(kSlotA); }
  void onAnswerB() { answer(kSlotB); }
  void onAnswerC() { answer(kSlotC); }
  void onExit();

  // The game-end decision: verdict, winner, prizes, finale, and the quiz put away.
  void endGame();
  // Puts the screen back in its opening state for the next game.
  void resetForNextGame(const std::string& countdownText);
  // A game has ended here and nothing has put the screen back since (its notice, tie
  // break or finale was closed with Alt-F4 instead of going Back To Title).
  bool leftUnreset() const { return leftUnreset_; }

 private:
  void answer(int slot);
  void judge();
  void playTune(const std::string& fileName);
  std::set<std::string> tunesReported_;
  bool leftUnreset_ = false;
};

}  // namespace zndl
