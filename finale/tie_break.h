// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/screen.h"

namespace zndl {

// The coin-toss tie break after a dead heat: a drawn caller calls in the coin-call
// dialog, the coin spins for fifty ticks, and the call decides the winner.
class TieBreak : public Screen {
 public:
  explicit TieBreak(Game& game) : Screen(game, kAppTitle) {}

  Label coinFace{"Tie Break"};
  Label playerName1{"Player One"};
  Label playerName2{"Player Two"};
  Label petName1{"Pet One"};
  Label petName2{"Pet Two"};
  Label petType1{"Type One"};
  Label petType2{"Type Two"};
  Button tossButton{"TOSS THE COIN"};
  Picture heads{true, 20, 8};   // heads
  Picture tails{true, 340, 8};  // tails
  static constexpr int kTickInterval = 100;
  static constexpr int kSpinTicks = 50;

  void start();
  void onTossPressed();
  void onTick();
};

}  // namespace zndl
