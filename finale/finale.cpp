#include "finale/finale.h"

#include "finale/verdicts.h"
#include "host/host_lists.h"
#include "shell/game.h"

namespace zndl {

Finale::Finale(Game& game) : Screen(game, kAppTitle), prizes(builtin::prizes()) {}

Picture& Finale::petPicture(int type) {
  switch (type) {
    case 1:
      return goldfish;
    case 2:
      return mouse;
    case 3:
      return dog;
    default:
      return hamster;
  }
}

void Finale::prepare(int winner) {
  // A finale left with Alt-F4 after the anvil fell must not open on the fallen anvil.
  fallenAnvil.visible = false;
  if (winner != 1 && winner != 2) return;
  const TitleScreen& title = game_.titleScreen;
  hostLine.text = honoursCall(winner == 1 ? title.name1 : title.name2);
  const int loserType = winner == 1 ? title.petType2 : title.petType1;
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
  if (winner == 1 || winner == 2) {
    const TitleScreen& title = game_.titleScreen;
    const std::string prize =
        prizes.count() >= 2 ? prizes.at(1 + game_.randomBelow(prizes.count() - 1)) : std::string();
    hostLine.text = prizeLine(winner == 1 ? title.name1 : title.name2, prize);
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
  g.questionStep = 0;
  g.questionNo = 0;
  g.quizScreen.resetForNextGame(kBackAtTitleCountdown);
  g.titleScreen.titleTune.open("ZNDL.MID");
}

void Finale::savePrizes() const {
  saveListToFile(prizes, kPrizesFile);
}

}  // namespace zndl
