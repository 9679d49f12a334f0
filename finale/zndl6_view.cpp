#include "finale/zndl6_view.h"

#include "shell/app.h"

namespace zndl {

NoticeView::NoticeView(App& app)
    : ScreenView(app, app.game().EndGameBox, QSize(640, 480), Frame::Borderless), screen_(app.game().EndGameBox) {}

void NoticeView::sync() {}

}  // namespace zndl
