#pragma once

#include "finale/zndl6.h"
#include "shell/screen_view.h"

namespace zndl {

// The window of the end-of-game notice.
class NoticeView : public ScreenView {
 public:
  explicit NoticeView(App& app);
  void sync() override;

 private:
  TEndGameBox& screen_;
};

}  // namespace zndl
