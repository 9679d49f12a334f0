// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/finale.h"

#include "finale/verdicts.h"
#include "host/host_lists.h"
#include "shell/game.h"

namespace zndl {

Finale::Finale(Game& game) : Screen(game, kAppTitle), prizes(builtin::prizes()) {}

namespace {

// One of the prize list's entries after its heading, or nothing when it has none.
std::string drawPrize(Game& game, const TextList& prizes) {
  if (prizes.count() < 2) return {};
  return prizes.at(1 + game.randomBelow(prizes.count() - 1));
}

bool hasWinner(int winner) {
  return winner == kPlayerOneWins || winner == kPlayerTwoWins;
}

}  // namespace

Picture& Finale::petPicture(int type) {
  switch (type) {
    case kGoldfish:
      return goldfish;
    case kMouse:
      return mouse;
    case kDog:
      return dog;
    default:
      return hamster;
  }
}

void Finale::prepare(int winner) {
  // A finale left with Alt-F4 after the anvil fell must not open on the fallen anvil.
  fallenAnvil.visible = false;
  if (!hasWinner(winner)) return;
  const TitleScreen& title = game_.titleScreen;
  hostLine.text = honoursCall(winner == kPlayerOneWins ? title.name1 : title.name2);
  const int loserType = winner == kPlayerOneWins ? title.petType2 : title.petType1;
  for (Picture* pet : {&hamster, &goldfish, &mouse, &dog}) pet->visible = false;
  petPicture(loserType).visible = true;
}

void Finale::onKillPressed() {
  if (killButton.caption == "Back To Title") {
    backToTitle();
    return;
  }
  if (killButton.caption != "Kill") return;
  killButton.caption = "Back To Title";
  fallenAnvil.visible = true;
  const int winner = game_.winner;
  if (hasWinner(winner)) {
    const TitleScreen& title = game_.titleScreen;
    const std::string prize = drawPrize(game_, prizes);
    hostLine.text = prizeLine(winner == kPlayerOneWins ? title.name1 : title.name2, prize);
  }
  ++hostLineRepaints;
}

void Finale::backToTitle() {
  Game& g = game_;
  g.quizScreen.close();
  g.notice.close();
  g.introduction.close();
  close();
  fallenAnvil.visible = false;
  g.questionStep = kIdle;
  g.questionNo = 0;
  g.quizScreen.resetForNextGame(kCountdownAfterFinale);
  g.titleScreen.titleTune.open("ZNDL.MID");
}

void Finale::savePrizes() const {
  saveListToFile(prizes, kPrizesFile);
}

}  // namespace zndl
