// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "shell/screen.h"

namespace zndl {

// The coin-call dialog: the drawn caller calls Heads or Tails.
class CoinCall : public Screen {
 public:
  explicit CoinCall(Game& game) : Screen(game, "Call please...") {}

  Label prompt{""};
  Button headsButton{"Heads"};
  Button tailsButton{"Tails"};

  // The tie break asks its caller for a call.
  void ask(const std::string& caller);
  void onHeads();
  void onTails();
};

}  // namespace zndl
