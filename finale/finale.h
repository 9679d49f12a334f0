// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "host/text_list.h"
#include "shell/contestants.h"
#include "shell/screen.h"

namespace zndl {

// The finale: the loser's pet on the stage, Kill drops the anvil and hands the winner
// a prize, and Back To Title puts every game screen away for the next game.
class Finale : public Screen {
 public:
  // What the button does next, and so what it reads: "Kill", then "Back To Title".
  enum class Phase { kill, backToTitle };

  explicit Finale(Game& game);

  Picture hamster{false, 275, 313};
  Picture goldfish{false, 252, 281};
  Picture mouse{false, 257, 322};
  Picture dog{false, 232, 252};
  Picture fallenAnvil{false, 0, 0};  // the stage with the anvil fallen
  Label hostLine{"\u201CIt\u2019s just not the same...\u201D"};
  Phase phase = Phase::kill;
  TextList prizes;
  // Grows at every "repaint at once" of the host's line.
  int hostLineRepaints = 0;

  // Derived from the phase: const, so nobody sets a caption that means nothing.
  const Button killButton() const;

  // Play: the button reads Kill again, whatever the last game left.
  void prepareForGame();
  // The stage set for the game's winner: their call, the loser's pet.
  void prepare(Winner winner);
  void onKillPressed();
  // The prize list read again from its file at each game's end.
  void readPrizes();
  // The settings dialog's choice of prize list.
  void loadPrizesFrom(const std::string& fileName);
  // Writes the prize list to its file at Exit.
  void savePrizes() const;

 private:
  void backToTitle();
  Picture& petPicture(int type);
};

}  // namespace zndl
