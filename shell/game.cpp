// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/game.h"

namespace zndl {

void Screen::show() {
  visible_ = true;
  frontOrder_ = game_.nextFrontOrder();
}

Game::Game(const Ports& p)
    : ports(p),
      titleScreen(*this),
      quizScreen(*this),
      introduction(*this),
      settingsDialog(*this),
      notice(*this),
      finale(*this),
      tieBreak(*this),
      coinCall(*this),
      internetSites(*this) {}

void Game::report(const Error& e) {
  ports.errorBox.showError(std::string(e.what()) + ".");
}

void Game::start() {
  // The title is on view before its creation step runs, so an error at start stands
  // over the game's window rather than on an empty desktop.
  titleScreen.show();
  guarded([&] { titleScreen.create(); });
  guarded([&] { quizScreen.create(); });
  guarded([&] { introduction.create(); });
  guarded([&] { settingsDialog.create(); });
}

}  // namespace zndl
