#pragma once

#include "finale/verdicts.h"
#include "shell/screen.h"

namespace zndl {

// The end-of-game notice: the host's verdict, and OK that leads on to the tie break
// after a dead heat and to the finale after any other verdict.
class TEndGameBox : public Screen {
 public:
  explicit TEndGameBox(Game& game) : Screen(game, kAppTitle) {}

  Label ChatText{kDeadHeat};
  Button Button1{"OK"};
  static constexpr const char* kButton1Hint = "Cut the crap and kill the pet.";

  void Button1Click();
};

}  // namespace zndl
