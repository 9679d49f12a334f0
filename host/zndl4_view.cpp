#include "host/zndl4_view.h"

#include "shell/app.h"

namespace zndl {

SettingsView::SettingsView(App& app)
    : ScreenView(app, app.game().Form1, QSize(312, 183), Frame::Dialog), screen_(app.game().Form1) {}

void SettingsView::sync() {}

}  // namespace zndl
