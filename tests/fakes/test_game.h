// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "fakes/fake_ports.h"

namespace zndl::testing {

// A game wired to fakes, in a fresh working directory of its own. Files a test wants
// present at start are written before start() is called.
struct TestGame : FakePorts {
  TempDir dir;
  std::unique_ptr<Game> game;

  TestGame() { make(); }
  void make() { game = std::make_unique<Game>(ports()); }
  Game& operator*() { return *game; }
  Game* operator->() { return game.get(); }

  // Runs a handler the way the windows do: an error goes to the error box.
  template <class F>
  void run(F&& handler) {
    game->guarded(std::forward<F>(handler));
  }
};

// The host's line as the screens hold it: the text between curly quotes.
inline std::string said(const std::string& text) {
  return "\u201C" + text + "\u201D";
}

// Eight lines of names.etc, CR LF.
inline std::string namesFile(const std::string& n1, const std::string& n2, const std::string& p1,
                             const std::string& p2, const std::string& t1, const std::string& t2,
                             const std::string& time1, const std::string& time2) {
  return n1 + "\r\n" + n2 + "\r\n" + p1 + "\r\n" + p2 + "\r\n" + t1 + "\r\n" + t2 + "\r\n" + time1 +
         "\r\n" + time2 + "\r\n";
}

}  // namespace zndl::testing
