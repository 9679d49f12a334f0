#include "shell/zndl1_view.h"

#include "shell/app.h"

namespace zndl {

TitleView::TitleView(App& app)
    : ScreenView(app, app.game().ZNDLbox1, QSize(640, 480), Frame::Borderless), screen_(app.game().ZNDLbox1) {}

void TitleView::sync() {}

}  // namespace zndl
