#pragma once

#include "quiz/zndl2.h"
#include "shell/screen_view.h"

namespace zndl {

// The window of the quiz screen.
class QuizView : public ScreenView {
 public:
  explicit QuizView(App& app);
  void sync() override;

 private:
  TPlayBox& screen_;
};

}  // namespace zndl
