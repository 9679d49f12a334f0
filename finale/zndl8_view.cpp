#include "finale/zndl8_view.h"

#include "shell/app.h"

namespace zndl {

TieBreakView::TieBreakView(App& app)
    : ScreenView(app, app.game().TieBreakBox, QSize(640, 480), Frame::Borderless), screen_(app.game().TieBreakBox) {}

void TieBreakView::sync() {}

}  // namespace zndl
