// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/game.h"

#include "finale/coin_call.h"
#include "finale/finale.h"
#include "finale/notice.h"
#include "finale/tie_break.h"
#include "host/introduction.h"
#include "host/settings_dialog.h"
#include "quiz/quiz_screen.h"
#include "shell/internet_sites.h"
#include "shell/title_screen.h"

namespace zndl {

void Screen::show() {
  visible_ = true;
  frontOrder_ = game_.nextFrontOrder();
}

Game::Game(const Ports& p) : ports(p) {
  GameScreens::forEach([this]<class Entry>() {
    using S = typename Entry::Screen;
    auto made = std::make_unique<S>(*this);
    S& screen = *made;
    screens_.push_back(std::move(made));
    if constexpr (requires { screen.onTick(); }) {
      TickingScreen ticking{GameScreens::indexOf<S>(), &screen.tickTimer,
                            [&screen] { screen.onTick(); }, [] { return true; }};
      if constexpr (requires { screen.awaitsTick(); })
        ticking.wanted = [&screen] { return screen.awaitsTick(); };
      ticking_.push_back(std::move(ticking));
    }
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
  // The title is on view before its creation step runs, so an error at start stands
  // over the game's window rather than on an empty desktop.
  screen<TitleScreen>().show();
  GameScreens::forEach([this]<class Entry>() {
    auto& made = screen<typename Entry::Screen>();
    if constexpr (requires { made.create(); }) guarded([&] { made.create(); });
  });
}

}  // namespace zndl
