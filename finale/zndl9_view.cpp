#include "finale/zndl9_view.h"

#include "shell/app.h"

namespace zndl {

CoinCallView::CoinCallView(App& app)
    : ScreenView(app, app.game().Form4, QSize(192, 88), Frame::DialogOnTop), screen_(app.game().Form4) {}

void CoinCallView::sync() {}

}  // namespace zndl
