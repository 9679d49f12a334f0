#include "finale/zndl8.h"

#include "shell/game.h"

namespace zndl {

void TTieBreakBox::StartTieBreak() {
  Game& g = game_;
  const TZNDLbox1& title = g.ZNDLbox1;
  Label2.text = title.Name1;
  Label3.text = title.Name2;
  Label4.text = title.PetName1;
  Label5.text = title.PetName2;
  Label6.text = title.petType1Text();
  Label7.text = title.petType2Text();
  Button1.caption = "TOSS THE COIN";
  Button1.enabled = true;
  Label1.text = "Tie Break";
  g.CoinCount = 0;
  g.CoinCall = 0;
  g.CoinCaller = g.Random(2);
  g.Form4.Label1.text = "Please call," + (g.CoinCaller == 0 ? title.Name1 : title.Name2);
  show();
  g.Form4.show();
}

void TTieBreakBox::Button1Click() {
  Game& g = game_;
  if (Button1.caption == "KILL THE PET") {
    // Held until the coin has landed: before that this toss has decided nothing.
    if (g.CoinCount > 0) return;
    g.AnvilBox.PrepareFinale(g.Winner);
    g.AnvilBox.show();
    close();
    return;
  }
  if (Button1.caption == "TOSS THE COIN") {
    g.CoinResult = 1 + g.Random(2);
    Button1.caption = "KILL THE PET";
    Button1.enabled = false;
    g.CoinCount = kSpinTicks;
  }
}

void TTieBreakBox::Timer1Timer() {
  Game& g = game_;
  if (g.CoinCount <= 0) return;
  --g.CoinCount;
  Label1.text = g.CoinCount % 2 == 0 ? "Heads" : "Tails";
  if (g.CoinCount > 0) return;
  Label1.text = g.CoinResult == 1 ? "Heads" : "Tails";
  const bool callRight = g.CoinCall == g.CoinResult;
  const bool playerOneCalled = g.CoinCaller == 0;
  g.Winner = playerOneCalled == callRight ? 1 : 2;
  Button1.enabled = true;
}

}  // namespace zndl
