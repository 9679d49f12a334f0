// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <stdexcept>
#include <vector>

#include "finale/ui/coin_call_view.h"
#include "finale/ui/finale_view.h"
#include "finale/ui/notice_view.h"
#include "finale/ui/tie_break_view.h"
#include "host/ui/introduction_view.h"
#include "host/ui/settings_dialog_view.h"
#include "quiz/ui/quiz_view.h"
#include "shell/ui/app.h"
#include "shell/ui/internet_sites_view.h"
#include "shell/ui/title_view.h"

namespace zndl {

// What the tests, the benchmarks and the screenshot tool look at inside the running
// program: each window (built on first use, as a screen shown would build it) and the
// timers that drive the game.
struct AppProbe {
  // The window of a screen, by its class (GameScreens lists them).
  template <class View>
  static View& view(App& app) {
    return static_cast<View&>(*built(app).windows_[GameScreens::indexOfView<View>()]);
  }
  // Every window in the screens' creation order.
  static const std::vector<ScreenView*>& views(App& app) { return built(app).views_; }

  // The timer of a screen that ticks.
  template <class Screen>
  static QTimer& timer(App& app) {
    for (auto& ticker : app.tickers_)
      if (ticker.screen == GameScreens::indexOf<Screen>()) return *ticker.timer;
    throw std::logic_error("that screen has no timer");
  }

 private:
  static App& built(App& app) {
    app.buildHiddenWindows();
    return app;
  }
};

}  // namespace zndl
