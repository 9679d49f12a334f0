// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "finale/verdicts.h"
#include "shell/screen.h"

namespace zndl {

// The end-of-game notice: the host's verdict, and OK that leads on to the tie break
// after a dead heat and to the finale after any other verdict.
class Notice : public Screen {
 public:
  explicit Notice(Game& game) : Screen(game, kAppTitle) {}

  Label hostLine{kDeadHeat};
  Button okButton{"OK"};
  VerdictKind verdict = VerdictKind::deadHeat;  // what the host's line announces
  static constexpr const char* kOkHint = "Cut the crap and kill the pet.";

  // The game-end decision's verdict, in the host's words.
  void announce(const Verdict& verdict, const std::string& line);
  void onOk();
};

}  // namespace zndl
