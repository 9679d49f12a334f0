#include "shell/zndl10_view.h"

#include "shell/app.h"

namespace zndl {

InternetView::InternetView(App& app)
    : ScreenView(app, app.game().Form3, QSize(440, 135), Frame::DialogOnTop), screen_(app.game().Form3) {}

void InternetView::sync() {}

}  // namespace zndl
