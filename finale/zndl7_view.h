#pragma once

#include "finale/zndl7.h"
#include "shell/screen_view.h"

namespace zndl {

// The window of the finale.
class AnvilView : public ScreenView {
 public:
  explicit AnvilView(App& app);
  void sync() override;

 private:
  TAnvilBox& screen_;
};

}  // namespace zndl
