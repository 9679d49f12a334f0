// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/coin_call.h"

#include "finale/tie_break.h"
#include "shell/game.h"

namespace zndl {

// The face called stands on the left, over player one's panel, whoever called.
void CoinCall::onHeads() {
  game_.tieBreak.heads.left = TieBreak::kLeftFace;
  game_.tieBreak.tails.left = TieBreak::kRightFace;
  game_.calledFace = kHeads;
  close();
}

void CoinCall::onTails() {
  game_.tieBreak.heads.left = TieBreak::kRightFace;
  game_.tieBreak.tails.left = TieBreak::kLeftFace;
  game_.calledFace = kTails;
  close();
}

}  // namespace zndl
