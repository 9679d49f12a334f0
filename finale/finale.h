// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/text_list.h"
#include "shell/screen.h"

namespace zndl {

// The finale: the loser's pet on the stage, Kill drops the anvil and hands the winner
// a prize, and Back To Title puts every game screen away for the next game.
class Finale : public Screen {
 public:
  explicit Finale(Game& game);

  Picture hamster{false, 275, 313};
  Picture goldfish{false, 252, 281};
  Picture mouse{false, 257, 322};
  Picture dog{false, 232, 252};
  Picture fallenAnvil{false, 0, 0};  // the stage with the anvil fallen
  Label hostLine{"\u201CIt\u2019s just not the same...\u201D"};
  Button killButton{"Kill"};
  TextList prizes;
  // Grows at every "repaint at once" of the host's line.
  int hostLineRepaints = 0;

  void prepare(int winner);
  void onKillPressed();
  // Writes the prize list to its file at Exit.
  void savePrizes() const;

 private:
  void backToTitle();
  Picture& petPicture(int type);
};

}  // namespace zndl
