#pragma once

#include "shell/zndl1.h"
#include "shell/screen_view.h"

namespace zndl {

// The window of the title and setup screen.
class TitleView : public ScreenView {
 public:
  explicit TitleView(App& app);
  void sync() override;

 private:
  TZNDLbox1& screen_;
};

}  // namespace zndl
