#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "finale/zndl6.h"
#include "finale/zndl7.h"
#include "finale/zndl8.h"
#include "finale/zndl9.h"
#include "host/zndl3.h"
#include "host/zndl4.h"
#include "platform/error.h"
#include "platform/ports.h"
#include "quiz/zndl2.h"
#include "shell/zndl1.h"
#include "shell/zndl10.h"

namespace zndl {

// The outside world as the game sees it.
struct Ports {
  TunePlayer& titleTune;  // the title screen's MediaBox
  TunePlayer& quizTune;   // the quiz screen's TimeTune
  ErrorBox& errorBox;
  Desktop& desktop;
  FilePicker& filePicker;
  RandomSource& random;
};

// The whole game: the nine screens, made in their fixed order, and the few
// process-wide numbers they hand each other. A handler reaches another screen
// through here, the way the screens call on each other by name.
class Game {
 public:
  explicit Game(const Ports& ports);
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Runs every screen's creation step in order; a failing step is reported and
  // skips only the rest of its own step. Ends with the title screen shown.
  void start();

  // Runs one handler; a zndl::Error ends it and is shown in the error box.
  template <class Handler>
  bool guarded(Handler&& handler) {
    try {
      handler();
      return true;
    } catch (const Error& e) {
      report(e);
      return false;
    }
  }
  void report(const Error& e);

  // Random(n): 0 .. n-1 from the one process-wide source.
  int Random(int n) { return ports.random.below(n); }

  // The title screen has closed: the program ends.
  bool ended() const { return ended_; }
  void end() { ended_ = true; }

  std::uint64_t nextFrontOrder() { return ++frontCounter_; }

  const Ports ports;

  int QuestionNo = 0;
  int QuestionStep = 0;
  int CorrectSlot = 0;
  int FinalScore1 = 0;
  int FinalScore2 = 0;
  int FinalLives1 = 0;
  int FinalLives2 = 0;
  int Winner = 0;
  int ScriptLine = 0;
  int CoinCaller = 0;
  int CoinCall = 0;
  int CoinResult = 0;
  int CoinCount = 0;

 private:
  std::uint64_t frontCounter_ = 0;
  bool ended_ = false;

 public:
  // The screens, in creation order.
  TZNDLbox1 ZNDLbox1;
  TPlayBox PlayBox;
  TChatBox ChatBox;
  TForm1 Form1;
  TEndGameBox EndGameBox;
  TAnvilBox AnvilBox;
  TTieBreakBox TieBreakBox;
  TForm4 Form4;
  TForm3 Form3;
};

}  // namespace zndl
