// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
// three timers that drive the game.
struct AppProbe {
  static QuizView& quizView(App& app) { return *built(app).quiz_; }
  static IntroductionView& introductionView(App& app) { return *built(app).introduction_; }
  static SettingsDialogView& settingsDialogView(App& app) { return *built(app).settings_; }
  static NoticeView& noticeView(App& app) { return *built(app).notice_; }
  static FinaleView& finaleView(App& app) { return *built(app).finale_; }
  static TieBreakView& tieBreakView(App& app) { return *built(app).tieBreak_; }
  static CoinCallView& coinCallView(App& app) { return *built(app).coinCall_; }
  static InternetSitesView& internetSitesView(App& app) { return *built(app).internetSites_; }
  // The nine windows in the screens' creation order.
  static const std::vector<ScreenView*>& views(App& app) { return built(app).views_; }

  static QTimer& quizTimer(App& app) { return app.quizTimer_; }
  static QTimer& introTimer(App& app) { return app.introTimer_; }
  static QTimer& tieBreakTimer(App& app) { return app.tieBreakTimer_; }

 private:
  static App& built(App& app) {
    app.buildHiddenWindows();
    return app;
  }
};

}  // namespace zndl
