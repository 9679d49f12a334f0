// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "finale/finale.h"
#include "shell/ui/screen_view.h"

namespace zndl {

// The window of the finale: the stage with the loser's pet, the anvil stage over it
// once Kill is pressed, the host's line and the one button.
class FinaleView : public ScreenView {
 public:
  explicit FinaleView(App& app);
  void sync() override;

 private:
  struct PetWidget {
    const Picture* picture;
    QWidget* widget;
  };

  Finale& screen_;
  PetWidget pets_[4] = {};
  QWidget* anvil_ = nullptr;
  QLabel* hostLine_ = nullptr;
  QPushButton* kill_ = nullptr;
  int hostLineRepaints_ = 0;
};

}  // namespace zndl
