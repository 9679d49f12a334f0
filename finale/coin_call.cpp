// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/coin_call.h"

#include "finale/tie_break.h"
#include "shell/game.h"
#include "shell/make_screen.h"

namespace zndl {

void CoinCall::ask(const std::string& caller) {
  prompt.text = "Please call," + caller;
  show();
}

void CoinCall::onHeads() {
  game_.screen<TieBreak>().onCall(kHeads);
  close();
}

void CoinCall::onTails() {
  game_.screen<TieBreak>().onCall(kTails);
  close();
}

MAKE_SCREEN(CoinCall);

}  // namespace zndl
