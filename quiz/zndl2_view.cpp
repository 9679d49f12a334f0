#include "quiz/zndl2_view.h"

#include "shell/app.h"

namespace zndl {

QuizView::QuizView(App& app)
    : ScreenView(app, app.game().PlayBox, QSize(640, 480), Frame::Borderless), screen_(app.game().PlayBox) {}

void QuizView::sync() {}

}  // namespace zndl
