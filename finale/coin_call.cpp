// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/coin_call.h"

#include "shell/game.h"

namespace zndl {

// The face called stands on the left, over player one's panel, whoever called.
void CoinCall::onHeads() {
  game_.tieBreak.heads.left = 20;
  game_.tieBreak.tails.left = 340;
  game_.calledFace = 1;
  close();
}

void CoinCall::onTails() {
  game_.tieBreak.heads.left = 340;
  game_.tieBreak.tails.left = 20;
  game_.calledFace = 2;
  close();
}

}  // namespace zndl
