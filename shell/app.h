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

  TitleView& titleView() { return *title_; }
  // The title window, which owns every other window; none while it is being built.
  QWidget* mainWindow();
  // The window of the screen shown last of those on view.
  ScreenView* frontView();
  QuizView& quizView() {
    buildHiddenWindows();
    return *quiz_;
  }
  IntroductionView& introductionView() {
    buildHiddenWindows();
    return *introduction_;
  }
  SettingsDialogView& settingsDialogView() {
    buildHiddenWindows();
    return *settings_;
  }
  NoticeView& noticeView() {
    buildHiddenWindows();
    return *notice_;
  }
  FinaleView& finaleView() {
    buildHiddenWindows();
    return *finale_;
  }
  TieBreakView& tieBreakView() {
    buildHiddenWindows();
    return *tieBreak_;
  }
  CoinCallView& coinCallView() {
    buildHiddenWindows();
    return *coinCall_;
  }
  InternetSitesView& internetSitesView() {
    buildHiddenWindows();
    return *internetSites_;
  }
  const std::vector<ScreenView*>& views() {
    buildHiddenWindows();
    return views_;
  }

  QTimer& quizTimer() { return quizTimer_; }
  QTimer& introTimer() { return introTimer_; }
  QTimer& tieBreakTimer() { return tieBreakTimer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Shows the game's errors only once its windows are up to date, so a box stands
  // above the window the game shows at that moment, never on an empty desktop.
  class FrontErrorBox final : public ErrorBox {
   public:
    FrontErrorBox(App& app, ErrorBox& box) : app_(app), box_(box) {}
    void showError(const std::string& text) override;

   private:
    App& app_;
    ErrorBox& box_;
  };
  static Ports withErrorBox(const Ports& ports, ErrorBox& box);

  void followIntroTimer();
  // The eight windows hidden at start are built once the title has been painted (or
  // as soon as one is needed), so the title comes up without waiting for them.
  void buildHiddenWindows();

  FrontErrorBox errorBox_;
  Game game_;
  // The title owns the other windows as its children; it is declared first so that it
  // goes last, after each of them has left it.
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
