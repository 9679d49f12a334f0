#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "shell/game.h"

namespace zndl {

class ScreenView;
class TitleView;
class QuizView;
class IntroductionView;
class SettingsDialogView;
class NoticeView;
class FinaleView;
class TieBreakView;
class CoinCallView;
class InternetSitesView;

// The running program: the game, its nine windows and the three timers that drive
// it. Every event reaches the game through dispatch(), which shows an error in the
// error box and then brings every window up to date.
class App : public QObject {
 public:
  explicit App(const Ports& ports);
  ~App() override;

  Game& game() { return game_; }
  void dispatch(const std::function<void()>& handler);
  void syncAll();

  // The title window, built at once; the others follow once it has been painted.
  TitleView& titleView() { return *title_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Tests, benchmarks and tools reach the windows and timers through it
  // (tests/fakes/app_probe.h).
  friend struct AppProbe;

  void followIntroTimer();
  // The eight windows hidden at start are built once the title has been painted (or
  // as soon as one is needed), so the title comes up without waiting for them.
  void buildHiddenWindows();

  Game game_;
  std::unique_ptr<TitleView> title_;
  std::unique_ptr<QuizView> quiz_;
  std::unique_ptr<IntroductionView> introduction_;
  std::unique_ptr<SettingsDialogView> settings_;
  std::unique_ptr<NoticeView> notice_;
  std::unique_ptr<FinaleView> finale_;
  std::unique_ptr<TieBreakView> tieBreak_;
  std::unique_ptr<CoinCallView> coinCall_;
  std::unique_ptr<InternetSitesView> internetSites_;
  std::vector<ScreenView*> views_;
  QTimer quizTimer_;
  QTimer introTimer_;
  QTimer tieBreakTimer_;
  int introRestarts_ = -1;
  bool syncing_ = false;
  bool allBuilt_ = false;
};

}  // namespace zndl
