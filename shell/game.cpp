#include "shell/game.h"

namespace zndl {

void Screen::show() {
  visible_ = true;
  frontOrder_ = game_.nextFrontOrder();
}

Game::Game(const Ports& p)
    : ports(p),
      ZNDLbox1(*this),
      PlayBox(*this),
      ChatBox(*this),
      Form1(*this),
      EndGameBox(*this),
      AnvilBox(*this),
      TieBreakBox(*this),
      Form4(*this),
      Form3(*this) {}

void Game::report(const Error& e) { ports.errorBox.showError(std::string(e.what()) + "."); }

void Game::start() {
  guarded([&] { ZNDLbox1.FormCreate(); });
  ZNDLbox1.show();
  guarded([&] { PlayBox.FormCreate(); });
  guarded([&] { ChatBox.FormCreate(); });
  guarded([&] { Form1.FormCreate(); });
}

}  // namespace zndl
