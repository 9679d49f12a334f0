#pragma once

#include "finale/zndl8.h"
#include "shell/screen_view.h"

namespace zndl {

// The window of the tie break.
class TieBreakView : public ScreenView {
 public:
  explicit TieBreakView(App& app);
  void sync() override;

 private:
  TTieBreakBox& screen_;
};

}  // namespace zndl
