#pragma once

#include "host/text_list.h"
#include "shell/screen.h"

namespace zndl {

// The finale: the loser's pet on the stage, Kill drops the anvil and hands the winner
// a prize, and Back To Title puts every game screen away for the next game.
class TAnvilBox : public Screen {
 public:
  explicit TAnvilBox(Game& game);

  Picture Hamster{false, 275, 313};
  Picture Goldfish{false, 252, 281};
  Picture Mouse{false, 257, 322};
  Picture Dog{false, 232, 252};
  Picture Image2{false, 0, 0};  // the stage with the anvil fallen
  Label ChatText{"\u201CIt\u2019s just not the same...\u201D"};
  Button Kill{"Kill"};
  TextList Prizes;
  // Grows at every "repaint at once" of the host's line.
  int chatRepaints = 0;

  void PrepareFinale(int winner);
  void KillClick();
  // Writes the prize list to its file at Exit.
  void savePrizes() const;

 private:
  void backToTitle();
  Picture& petPicture(int type);
};

}  // namespace zndl
