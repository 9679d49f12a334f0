// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "shell/game.h"
#include "shell/stage_scale.h"

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
  explicit App(const Ports& ports, const Presentation& presentation = {});
  ~App() override;

  // The player's choices of size, full screen and sound. Every change applies to
  // every window at once; the keys on every screen (Ctrl++, Ctrl+-, Ctrl+0, F11, M)
  // make them.
  const Presentation& presentation() const { return presentation_; }
  void setPresentation(const Presentation& presentation);
  void stepScale(int step);
  void fitScale();
  void toggleFullScreen();
  void toggleMute();
  // Called with every choice the player makes, so it can be remembered.
  void onPresentationChanged(std::function<void(const Presentation&)> changed) {
    presentationChanged_ = std::move(changed);
  }
  // Where muting goes: the synthesizer shared by the tunes. Called at once with the
  // current choice.
  void setMuteOutput(std::function<void(bool)> output);
  // The magnification of a window now, in device pixels, and the scale the windows
  // apply to their design for it.
  int windowFactor() const;
  qreal stageScale() const;

  Game& game() { return game_; }
  void dispatch(const std::function<void()>& handler);
  void syncAll();

  // The title window, built at once; the others follow once it has been painted.
  TitleView& titleView() { return *title_; }
  // Calls `then` with the title window as soon as the event loop is free after the
  // title's first paint, or at once when that has happened already. What must not hold
  // up the title (the music, the icon) starts here, each in the order given.
  void afterTitlePainted(std::function<void(QWidget&)> then);
  // The title window, which owns every other window; none while it is being built.
  QWidget* mainWindow();
  // The window of the screen shown last of those on view.
  ScreenView* frontView();
  // The windows built so far, in the screens' creation order (the title alone until
  // the title has been painted).
  const std::vector<ScreenView*>& builtViews() const { return views_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Tests, benchmarks and tools reach the windows and timers through it
  // (tests/fakes/app_probe.h).
  friend struct AppProbe;
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
  // Shows the views at the stage's size for the display as it is now.
  void present(const std::vector<ScreenView*>& views);
  void applyPresentation();
  void choose(const Presentation& presentation);
  // Once for each window, as it is built.
  void installKeys(ScreenView& view);
  stage::Display display() const;
  qreal stageScaleFor(const stage::Display& facts) const;

  // The eight windows hidden at start are built once the title has been painted (or
  // as soon as one is needed), so the title comes up without waiting for them.
  void buildHiddenWindows();
  // The event loop is free after the title's first paint.
  void titlePainted();

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
  bool titlePainted_ = false;
  std::vector<std::function<void(QWidget&)>> afterTitlePainted_;
  Presentation presentation_;
  std::function<void(const Presentation&)> presentationChanged_;
  std::function<void(bool)> muteOutput_;
};

}  // namespace zndl
