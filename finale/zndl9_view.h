#pragma once

#include "finale/zndl9.h"
#include "shell/screen_view.h"

namespace zndl {

// The window of the coin-call dialog.
class CoinCallView : public ScreenView {
 public:
  explicit CoinCallView(App& app);
  void sync() override;

 private:
  TForm4& screen_;
};

}  // namespace zndl
