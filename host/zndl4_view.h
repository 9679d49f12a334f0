#pragma once

#include "host/zndl4.h"
#include "shell/screen_view.h"

namespace zndl {

// The window of the settings dialog.
class SettingsView : public ScreenView {
 public:
  explicit SettingsView(App& app);
  void sync() override;

 private:
  TForm1& screen_;
};

}  // namespace zndl
