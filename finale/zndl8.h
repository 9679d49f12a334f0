#pragma once

#include "shell/screen.h"

namespace zndl {

// The coin-toss tie break after a dead heat: a drawn caller calls in the coin-call
// dialog, the coin spins for fifty ticks, and the call decides the winner.
class TTieBreakBox : public Screen {
 public:
  explicit TTieBreakBox(Game& game) : Screen(game, kAppTitle) {}

  Label Label1{"Tie Break"};
  Label Label2{"Player One"};
  Label Label3{"Player Two"};
  Label Label4{"Pet One"};
  Label Label5{"Pet Two"};
  Label Label6{"Type One"};
  Label Label7{"Type Two"};
  Button Button1{"TOSS THE COIN"};
  Picture Image4{true, 20, 8};   // heads
  Picture Image5{true, 340, 8};  // tails
  static constexpr int kTimer1Interval = 100;
  static constexpr int kSpinTicks = 50;

  void StartTieBreak();
  void Button1Click();
  void Timer1Timer();
};

}  // namespace zndl
