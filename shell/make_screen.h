// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "shell/game.h"

namespace zndl {

// A screen's creation step is its create(); a screen with onTick() has a tickTimer, and
// one with awaitsTick() says when a tick would do nothing.
template <class S>
MadeScreen makeScreen(Game& game) {
  auto made = std::make_unique<S>(game);
  S& screen = *made;
  MadeScreen out{std::move(made), {}, std::nullopt};
  if constexpr (requires { screen.create(); }) out.create = [&screen] { screen.create(); };
  if constexpr (requires { screen.onTick(); }) {
    TickingScreen ticking{GameScreens::indexOf<S>(), &screen.tickTimer,
                          [&screen] { screen.onTick(); }, [] { return true; }};
    if constexpr (requires { screen.awaitsTick(); })
      ticking.wanted = [&screen] { return screen.awaitsTick(); };
    out.ticking = std::move(ticking);
  }
  return out;
}

}  // namespace zndl

// In a screen's own file: the game may make this screen.
#define MAKE_SCREEN(S) template MadeScreen makeScreen<S>(Game & game)
