// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/contestants.h"
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
  // What the button does next, and so what it reads: "TOSS THE COIN", then "KILL THE
  // PET" (held while the coin spins).
  enum class Phase { toss, killThePet };

  // A contestant's panel: who faces the coin, with which pet.
  struct Side {
    Label name;
    Label petName;
    Label petType;
  };

  explicit TieBreak(Game& game) : Screen(game, kAppTitle) {}

  Label coinFace{"Tie Break"};
  Contestants<Side> sides{{{"Player One"}, {"Pet One"}, {"Type One"}},
                          {{"Player Two"}, {"Pet Two"}, {"Type Two"}}};
  Phase phase = Phase::toss;
  // The coin's two faces rest side by side; the called face stands on the left.
  static constexpr int kLeftFace = 20;
  static constexpr int kRightFace = 340;
  static constexpr int kFaceTop = 8;
  Picture heads{true, kLeftFace, kFaceTop};
  Picture tails{true, kRightFace, kFaceTop};
  static constexpr int kSpinTicks = 50;
  Timer tickTimer{100};

  Contestant coinCaller = kFirstContestant;  // drawn as the tie break starts
  CoinFace calledFace = kNoFace;
  CoinFace tossedFace = kNoFace;
  int spinTicksLeft = 0;

  // Derived from the phase and the spin: const, so nobody sets a caption that means nothing.
  const Button tossButton() const;

  void start();
  // The caller's call from the coin-call dialog.
  void onCall(CoinFace face);
  void onTossPressed();
  void onTick();
  // Only a spinning coin has anything to do at a tick.
  bool awaitsTick() const { return spinTicksLeft > 0; }
};

}  // namespace zndl
