// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/screen.h"

namespace zndl {

// A face of the coin: the one called, the one it lands on.
enum CoinFace : int {
  kNoFace = 0,  // not called yet
  kHeads = 1,
  kTails = 2,
};

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
  // The coin's two faces rest side by side; the called face stands on the left.
  static constexpr int kLeftFace = 20;
  static constexpr int kRightFace = 340;
  static constexpr int kFaceTop = 8;
  Picture heads{true, kLeftFace, kFaceTop};
  Picture tails{true, kRightFace, kFaceTop};
  static constexpr int kTickInterval = 100;
  static constexpr int kSpinTicks = 50;

  void start();
  void onTossPressed();
  void onTick();
};

}  // namespace zndl
