// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/tie_break.h"

#include "shell/game.h"

namespace zndl {

void TieBreak::start() {
  Game& g = game_;
  const TitleScreen& title = g.titleScreen;
  playerName1.text = title.name1;
  playerName2.text = title.name2;
  petName1.text = title.petName1;
  petName2.text = title.petName2;
  petType1.text = title.petType1Text();
  petType2.text = title.petType2Text();
  tossButton.caption = "TOSS THE COIN";
  tossButton.enabled = true;
  coinFace.text = "Tie Break";
  g.spinTicksLeft = 0;
  g.calledFace = kNoFace;
  g.coinCaller = g.randomBelow(2) == 0 ? kFirstContestant : kSecondContestant;
  g.coinCall.prompt.text =
      "Please call," + (g.coinCaller == kFirstContestant ? title.name1 : title.name2);
  show();
  g.coinCall.show();
}

void TieBreak::onTossPressed() {
  Game& g = game_;
  if (tossButton.caption == "KILL THE PET") {
    // Held until the coin has landed: before that this toss has decided nothing.
    if (g.spinTicksLeft > 0) return;
    g.finale.prepare(g.winner);
    g.finale.show();
    // A call never made is of no use now; the dialog must not float over the finale.
    g.coinCall.close();
    close();
    return;
  }
  if (tossButton.caption == "TOSS THE COIN") {
    g.tossedFace = g.randomBelow(2) == 0 ? kHeads : kTails;
    tossButton.caption = "KILL THE PET";
    tossButton.enabled = false;
    g.spinTicksLeft = kSpinTicks;
  }
}

void TieBreak::onTick() {
  Game& g = game_;
  if (g.spinTicksLeft <= 0) return;
  --g.spinTicksLeft;
  coinFace.text = g.spinTicksLeft % 2 == 0 ? "Heads" : "Tails";
  if (g.spinTicksLeft > 0) return;
  coinFace.text = g.tossedFace == kHeads ? "Heads" : "Tails";
  const bool callRight = g.calledFace == g.tossedFace;
  const bool playerOneCalled = g.coinCaller == kFirstContestant;
  g.winner = playerOneCalled == callRight ? kPlayerOneWins : kPlayerTwoWins;
  tossButton.enabled = true;
}

}  // namespace zndl
