// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/ports.h"
#include "shell/contestants.h"
#include "shell/screen.h"
#include "shell/screen_list.h"

namespace zndl {

// The outside world as the game sees it.
struct Ports {
  TunePlayer& titleTune;  // the title screen's tune
  TunePlayer& quizTune;   // the quiz screen's countdown and result tunes
  ErrorBox& errorBox;
  Desktop& desktop;
  FilePicker& filePicker;
  RandomSource& random;
  fileio::WriteSteps& writeSteps;  // how the player's files are saved
};

// How a contestant stood when the game ended.
struct Standing {
  int score = 0;
  int lives = 0;
  bool operator==(const Standing&) const = default;
};

// A screen that ticks: its period, what each tick does, and whether a tick would do
// anything at all now (a screen at rest ignores its ticks).
struct TickingScreen {
  std::size_t screen;  // its place in GameScreens
  const Timer* period;
  std::function<void()> tick;
  std::function<bool()> wanted;
};

// A screen as the game makes it: the screen, its creation step if it has one, and its
// timer if it ticks.
struct MadeScreen {
  std::unique_ptr<Screen> screen;
  std::function<void()> create;
  std::optional<TickingScreen> ticking;
};

// Makes a screen of GameScreens. Each screen's own file instantiates it (MAKE_SCREEN in
// shell/make_screen.h), so the game makes every screen from the list alone.
template <class S>
MadeScreen makeScreen(Game& game);

// The whole game: the screens, made in their fixed order (shell/screen_list.h), and
// what the game itself shares between them: the contestants' standings at the end, the
// winner and the random source. Everything else belongs to one screen, and other
// screens change it through that screen's methods.
class Game {
 public:
  explicit Game(const Ports& ports);
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Shows the title and runs every screen's creation step in order; a failing step is
  // reported and skips only the rest of its own step.
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

  // One of the screens of GameScreens; its header says what it is.
  template <class S>
  S& screen() {
    return static_cast<S&>(*screens_[GameScreens::indexOf<S>()]);
  }
  template <class S>
  const S& screen() const {
    return static_cast<const S&>(*screens_[GameScreens::indexOf<S>()]);
  }
  // Every screen, in creation order.
  const std::vector<std::unique_ptr<Screen>>& screens() const { return screens_; }
  // The screens with a timer, in creation order.
  const std::vector<TickingScreen>& tickingScreens() const { return ticking_; }

  const Ports ports;

  Winner winner = kNoWinner;
  Contestants<Standing> finalStandings;

 private:
  std::uint64_t frontCounter_ = 0;
  bool ended_ = false;
  std::vector<std::unique_ptr<Screen>> screens_;
  std::vector<std::function<void()>> creationSteps_;
  std::vector<TickingScreen> ticking_;
};

}  // namespace zndl
