#pragma once

#include "shell/zndl10.h"
#include "shell/screen_view.h"

namespace zndl {

// The window of the Internet Sites dialog.
class InternetView : public ScreenView {
 public:
  explicit InternetView(App& app);
  void sync() override;

 private:
  TForm3& screen_;
};

}  // namespace zndl
