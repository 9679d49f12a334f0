// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPushButton>

#include "host/introduction.h"
#include "shell/ui/screen_view.h"

namespace zndl {

// The window of the host's introduction: Pembril on his stage, the line he is saying
// and the Skip button.
class IntroductionView : public ScreenView {
 public:
  explicit IntroductionView(App& app);
  void sync() override;

  QLabel* hostLine() const { return hostLine_; }
  QPushButton* skipButton() const { return skip_; }

 private:
  Introduction& screen_;
  QLabel* hostLine_ = nullptr;
  QPushButton* skip_ = nullptr;
};

}  // namespace zndl
