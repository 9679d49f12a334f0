// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
  static constexpr const char* kOkHint = "Cut the crap and kill the pet.";

  void onOk();
};

}  // namespace zndl
