// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/notice.h"

#include "finale/finale.h"
#include "finale/tie_break.h"
#include "shell/game.h"
#include "shell/make_screen.h"

namespace zndl {

void Notice::announce(const Verdict& decided, const std::string& line) {
  verdict = decided.kind;
  hostLine.text = line;
}

void Notice::onOk() {
  if (verdict == VerdictKind::deadHeat)
    game_.screen<TieBreak>().start();
  else
    game_.screen<Finale>().show();
}

MAKE_SCREEN(Notice);

}  // namespace zndl
