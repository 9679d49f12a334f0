// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/notice.h"

#include "shell/game.h"

namespace zndl {

void Notice::onOk() {
  if (hostLine.text == kDeadHeat)
    game_.tieBreak.start();
  else
    game_.finale.show();
}

}  // namespace zndl
