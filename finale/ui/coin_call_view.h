// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPushButton>

#include "finale/coin_call.h"
#include "shell/ui/screen_view.h"

namespace zndl {

// The window of the coin-call dialog: a small box that floats over every window and
// leaves the tie break usable beneath it.
class CoinCallView : public ScreenView {
 public:
  explicit CoinCallView(App& app);
  void sync() override;

 private:
  CoinCall& screen_;
  QLabel* prompt_ = nullptr;
  QPushButton* heads_ = nullptr;
  QPushButton* tails_ = nullptr;
};

}  // namespace zndl
