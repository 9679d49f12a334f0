#include "finale/zndl9.h"

#include "shell/game.h"

namespace zndl {

// The face called stands on the left, over player one's panel, whoever called.
void TForm4::Button1Click() {
  game_.TieBreakBox.Image4.left = 20;
  game_.TieBreakBox.Image5.left = 340;
  game_.CoinCall = 1;
  close();
}

void TForm4::Button2Click() {
  game_.TieBreakBox.Image4.left = 340;
  game_.TieBreakBox.Image5.left = 20;
  game_.CoinCall = 2;
  close();
}

}  // namespace zndl
