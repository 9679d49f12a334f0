#pragma once

#include "host/zndl3.h"
#include "shell/screen_view.h"

namespace zndl {

// The window of the host's introduction.
class ChatView : public ScreenView {
 public:
  explicit ChatView(App& app);
  void sync() override;

 private:
  TChatBox& screen_;
};

}  // namespace zndl
