// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/game.h"

namespace zndl {

void Screen::show() {
  visible_ = true;
  frontOrder_ = game_.nextFrontOrder();
}

Game::Game(const Ports& p) : ports(p) {
  GameScreens::forEach([this]<class Entry>() {
    MadeScreen made = makeScreen<typename Entry::Screen>(*this);
    screens_.push_back(std::move(made.screen));
    if (made.create) creationSteps_.push_back(std::move(made.create));
    if (made.ticking) ticking_.push_back(std::move(*made.ticking));
  });
}

Game::~Game() {
  // Last made, first gone.
  while (!screens_.empty()) screens_.pop_back();
}

void Game::report(const Error& e) {
  ports.errorBox.showError(std::string(e.what()) + ".");
}

void Game::start() {
  // The title, the main screen, is on view before its creation step runs, so an error
  // at start stands over the game's window rather than on an empty desktop.
  screens_.front()->show();
  for (const auto& step : creationSteps_) guarded(step);
}

}  // namespace zndl
