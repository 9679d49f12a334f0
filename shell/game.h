// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "finale/coin_call.h"
#include "finale/finale.h"
#include "finale/notice.h"
#include "finale/tie_break.h"
#include "host/introduction.h"
#include "host/settings_dialog.h"
#include "platform/error.h"
#include "platform/ports.h"
#include "quiz/quiz_screen.h"
#include "shell/internet_sites.h"
#include "shell/title_screen.h"

namespace zndl {

// Who has won the game under way: nobody yet (or a dead heat), or a contestant.
enum Winner : int {
  kNoWinner = 0,
  kPlayerOneWins = 1,
  kPlayerTwoWins = 2,
};

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
  // skips only the rest of its own step. The title screen is shown first.
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
  int randomBelow(int n) { return ports.random.below(n); }

  // The title screen has closed: the program ends.
  bool ended() const { return ended_; }
  void end() { ended_ = true; }

  std::uint64_t nextFrontOrder() { return ++frontCounter_; }

  const Ports ports;

  int questionNo = 0;
  int questionStep = 0;
  int correctSlot = 0;
  int finalScore1 = 0;
  int finalScore2 = 0;
  int finalLives1 = 0;
  int finalLives2 = 0;
  int winner = kNoWinner;  // Winner
  int scriptLine = 0;
  int coinCaller = kFirstContestant;  // Contestant
  int calledFace = kNoFace;           // CoinFace
  int tossedFace = kNoFace;           // CoinFace
  int spinTicksLeft = 0;

 private:
  std::uint64_t frontCounter_ = 0;
  bool ended_ = false;

 public:
  // The screens, in creation order.
  TitleScreen titleScreen;
  QuizScreen quizScreen;
  Introduction introduction;
  SettingsDialog settingsDialog;
  Notice notice;
  Finale finale;
  TieBreak tieBreak;
  CoinCall coinCall;
  InternetSites internetSites;
};

}  // namespace zndl
