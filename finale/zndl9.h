#pragma once

#include "shell/screen.h"

namespace zndl {

// The coin-call dialog: the drawn caller calls Heads or Tails.
class TForm4 : public Screen {
 public:
  explicit TForm4(Game& game) : Screen(game, "Call please...") {}

  Label Label1{""};
  Button Button1{"Heads"};
  Button Button2{"Tails"};

  void Button1Click();
  void Button2Click();
};

}  // namespace zndl
