#include "finale/zndl7_view.h"

#include "shell/app.h"

namespace zndl {

AnvilView::AnvilView(App& app)
    : ScreenView(app, app.game().AnvilBox, QSize(640, 480), Frame::Borderless), screen_(app.game().AnvilBox) {}

void AnvilView::sync() {}

}  // namespace zndl
