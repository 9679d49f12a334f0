#include "finale/zndl7.h"

#include "finale/verdicts.h"
#include "host/host_lists.h"
#include "shell/game.h"

namespace zndl {

TAnvilBox::TAnvilBox(Game& game) : Screen(game, kAppTitle), Prizes(builtin::prizes()) {}

Picture& TAnvilBox::petPicture(int type) {
  switch (type) {
    case 1:
      return Goldfish;
    case 2:
      return Mouse;
    case 3:
      return Dog;
    default:
      return Hamster;
  }
}

void TAnvilBox::PrepareFinale(int winner) {
  if (winner != 1 && winner != 2) return;
  const TZNDLbox1& title = game_.ZNDLbox1;
  ChatText.text = honoursCall(winner == 1 ? title.Name1 : title.Name2);
  const int loserType = winner == 1 ? title.PetType2 : title.PetType1;
  for (Picture* pet : {&Hamster, &Goldfish, &Mouse, &Dog}) pet->visible = false;
  petPicture(loserType).visible = true;
}

void TAnvilBox::KillClick() {
  if (Kill.caption == "Back To Title") {
    backToTitle();
    return;
  }
  if (Kill.caption != "Kill") return;
  Kill.caption = "Back To Title";
  Image2.visible = true;
  const int winner = game_.Winner;
  if (winner == 1 || winner == 2) {
    const TZNDLbox1& title = game_.ZNDLbox1;
    const std::string prize =
        Prizes.count() >= 2 ? Prizes.at(1 + game_.Random(Prizes.count() - 1)) : std::string();
    ChatText.text = prizeLine(winner == 1 ? title.Name1 : title.Name2, prize);
  }
  ++chatRepaints;
}

void TAnvilBox::backToTitle() {
  Game& g = game_;
  g.PlayBox.close();
  g.EndGameBox.close();
  g.ChatBox.close();
  close();
  Image2.visible = false;
  g.QuestionStep = 0;
  g.QuestionNo = 0;
  g.PlayBox.resetForNextGame("3.1");
  g.ZNDLbox1.MediaBox.open("ZNDL.MID");
}

void TAnvilBox::savePrizes() const {
  saveListToFile(Prizes, kPrizesFile);
}

}  // namespace zndl
