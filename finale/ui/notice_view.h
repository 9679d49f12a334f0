// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPushButton>

#include "finale/notice.h"
#include "shell/ui/screen_view.h"

namespace zndl {

// The window of the end-of-game notice: the host on the stage with the verdict above
// him, and OK in the corner.
class NoticeView : public ScreenView {
 public:
  explicit NoticeView(App& app);
  void sync() override;

 private:
  Notice& screen_;
  QLabel* hostLine_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace zndl
