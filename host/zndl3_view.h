#pragma once

#include <QLabel>
#include <QPushButton>

#include "host/zndl3.h"
#include "shell/screen_view.h"

namespace zndl {

// The window of the host's introduction: Pembril on his stage, the line he is saying
// and the Skip button.
class ChatView : public ScreenView {
 public:
  explicit ChatView(App& app);
  void sync() override;

  QLabel* chatText() const { return chatText_; }
  QPushButton* skipButton() const { return skip_; }

 private:
  TChatBox& screen_;
  QLabel* chatText_ = nullptr;
  QPushButton* skip_ = nullptr;
};

}  // namespace zndl
