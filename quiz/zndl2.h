#pragma once

#include <set>
#include <string>

#include "host/text_list.h"
#include "platform/ports.h"
#include "quiz/question_store.h"
#include "shell/screen.h"

namespace zndl {

// Step values of the question under way.
enum QuestionSteps : int {
  kIdle = 0,
  kCountdown = 5,
  kTimeUp = 101,
  kCorrect = 102,
  kWrong = 103,
};

inline constexpr const char* kTimesUp = "TIME\u2019S UP!";

// The quiz screen and its engine: CONTINUE loads the next question, the one-second
// tick reveals it, counts down and judges, and the end test hands a finished game to
// the game-end decision.
class TPlayBox : public Screen {
 public:
  explicit TPlayBox(Game& game);

  Label MainLabel{"Zandoodle v3.1"};
  Label Label6{"Welcome to Zandoodle v3.1"};  // question line
  Label Label7{"By Vormle Co."};              // answer line A
  Label Label8{""};                           // answer line B
  Label Label9{""};                           // answer line C
  Label Label10{"X"};                         // countdown
  Label Panel{"CORRECT", false};              // result panel
  Button Button2{"CONTINUE"};
  Button Button1{"Exit (Alt-F4)"};
  std::string Score1 = "0";
  std::string Score2 = "0";
  int Lives1 = 5;
  int Lives2 = 5;
  int TrackBar1 = 0;  // whose turn: 0 player one, 1 player two
  Label Label11{"PLAYER ONE"};
  Label Label12{"PLAYER TWO"};

  QuestionStore Questions{TextList{"Questions"}};
  TextList Memo1{"Memo1"};  // wrong-answer pool
  TextList Yes{"Yes"};      // correct-answer pool
  TunePlayer& TimeTune;
  static constexpr int kTimer1Interval = 1000;

  void FormCreate();
  void Button2Click();
  void Timer1Timer();
  void AClick() { answer(1); }
  void BClick() { answer(2); }
  void CClick() { answer(3); }
  void Button1Click();

  // The game-end decision: verdict, winner, prizes, finale, and the quiz put away.
  void EndOfGame();
  // Puts the screen back in its opening state for the next game.
  void resetForNextGame(const std::string& countdownText);

 private:
  void answer(int slot);
  void judge();
  void playTune(const std::string& fileName);
  std::set<std::string> tunesReported_;
};

}  // namespace zndl
