// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/tie_break.h"

#include "finale/coin_call.h"
#include "finale/finale.h"
#include "shell/game.h"
#include "shell/title_screen.h"
#include "shell/make_screen.h"

namespace zndl {

const Button TieBreak::tossButton() const {
  Button button{phase == Phase::toss ? "TOSS THE COIN" : "KILL THE PET"};
  // Held until the coin has landed: before that this toss has decided nothing.
  button.enabled = spinTicksLeft <= 0;
  return button;
}

void TieBreak::start() {
  Game& g = game_;
  const auto& entries = g.screen<TitleScreen>().entries;
  for (Contestant c : kBothContestants) {
    sides[c].name.text = entries[c].name;
    sides[c].petName.text = entries[c].petName;
    sides[c].petType.text = entries[c].petTypeText();
  }
  phase = Phase::toss;
  coinFace.text = "Tie Break";
  spinTicksLeft = 0;
  calledFace = kNoFace;
  coinCaller = static_cast<Contestant>(g.randomBelow(2));
  show();
  g.screen<CoinCall>().ask(entries[coinCaller].name);
}

// The face called stands on the left, over player one's panel, whoever called.
void TieBreak::onCall(CoinFace face) {
  heads.left = face == kHeads ? kLeftFace : kRightFace;
  tails.left = face == kHeads ? kRightFace : kLeftFace;
  calledFace = face;
}

void TieBreak::onTossPressed() {
  Game& g = game_;
  // One press is one step: the later phase is looked at first.
  if (phase == Phase::killThePet) {
    if (!tossButton().enabled) return;
    Finale& finale = g.screen<Finale>();
    finale.prepare(g.winner);
    finale.show();
    // A call never made is of no use now; the dialog must not float over the finale.
    g.screen<CoinCall>().close();
    close();
    return;
  }
  tossedFace = g.randomBelow(2) == 0 ? kHeads : kTails;
  phase = Phase::killThePet;
  spinTicksLeft = kSpinTicks;
}

void TieBreak::onTick() {
  if (spinTicksLeft <= 0) return;
  --spinTicksLeft;
  coinFace.text = spinTicksLeft % 2 == 0 ? "Heads" : "Tails";
  if (spinTicksLeft > 0) return;
  coinFace.text = tossedFace == kHeads ? "Heads" : "Tails";
  const bool callRight = calledFace == tossedFace;
  game_.winner = winnerIs(callRight ? coinCaller : otherContestant(coinCaller));
}

MAKE_SCREEN(TieBreak);

}  // namespace zndl
