#include "host/zndl3_view.h"

#include "shell/app.h"

namespace zndl {

ChatView::ChatView(App& app)
    : ScreenView(app, app.game().ChatBox, QSize(639, 480), Frame::Borderless), screen_(app.game().ChatBox) {}

void ChatView::sync() {}

}  // namespace zndl
