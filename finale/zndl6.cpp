#include "finale/zndl6.h"

#include "shell/game.h"

namespace zndl {

void TEndGameBox::Button1Click() {
  if (ChatText.text == kDeadHeat)
    game_.TieBreakBox.StartTieBreak();
  else
    game_.AnvilBox.show();
}

}  // namespace zndl
