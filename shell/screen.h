// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/app_title.h"

namespace zndl {

class Game;

// The state of the controls a screen shows; the windows draw exactly this.
struct Label {
  std::string text;
  bool visible = true;
};

struct Button {
  std::string caption;
  bool visible = true;
  bool enabled = true;
};

struct Picture {
  bool visible = true;
  int left = 0;
  int top = 0;
};

// An editable drop-down: its text, its list and whether Play has refused it.
struct ComboBox {
  std::string text;
  std::vector<std::string> items;
  bool red = false;
};

// A timer's period as the core sees it. The window's timer follows it: a new interval
// restarts the period at once, and 0 or less stops the ticks.
struct Timer {
  int interval = 0;
  int restarts = 0;  // grows each time the period starts anew

  void setInterval(int ms) {
    if (ms == interval) return;
    interval = ms;
    ++restarts;
  }
  bool ticking() const { return interval > 0; }
};

// One of the game's screens: its caption and whether it is shown. Screens are made
// once at start and only shown and hidden after that.
class Screen {
 public:
  Screen(Game& game, std::string caption) : game_(game), caption_(std::move(caption)) {}
  virtual ~Screen() = default;
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  const std::string& caption() const { return caption_; }
  bool visible() const { return visible_; }
  // Makes the screen visible and brings it to the front.
  void show();
  void hide() { visible_ = false; }
  // The platform's close command (Alt-F4): for every screen but the title, a hide.
  virtual void close() { hide(); }
  // Larger for a screen brought to the front later.
  std::uint64_t frontOrder() const { return frontOrder_; }

 protected:
  Game& game_;

 private:
  std::string caption_;
  bool visible_ = false;
  std::uint64_t frontOrder_ = 0;
};

}  // namespace zndl
