// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "shell/game.h"
#include "shell/stage_scale.h"
#include "shell/ui/pad_hub.h"

namespace zndl {

class ScreenView;

// The running program: the game, a window for each of its screens and a timer for
// each screen that ticks. Every event reaches the game through dispatch(), which shows
// an error in the error box and then brings every window up to date.
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
  void togglePhones();
  // Called with every choice the player makes, so it can be remembered.
  void onPresentationChanged(std::function<void(const Presentation&)> changed) {
    presentationChanged_ = std::move(changed);
  }
  // Where muting goes: the synthesizer shared by the tunes. Called at once with the
  // current choice.
  void setMuteOutput(std::function<void(bool)> output);
  // Where the phones' choice goes: the server that phones join. Called at once with the
  // current choice.
  void setPhonesOutput(std::function<void(bool)> output);
  // The magnification of a window now, in device pixels, and the scale the windows
  // apply to their design for it.
  int windowFactor() const;
  qreal stageScale() const;

  Game& game() { return game_; }
  // The contestants' pads: phones and game controllers.
  PadHub& pads() { return pads_; }
  void dispatch(const std::function<void()>& handler);
  void syncAll();
  // Whether the error box is up: it holds the keyboard and the mouse, and the pads too.
  bool errorShowing() const { return errorBox_.showing(); }

  // The title window, built at once; the others follow once it has been painted.
  TitleView& titleView();
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
    bool showing() const { return showing_ > 0; }

   private:
    App& app_;
    ErrorBox& box_;
    int showing_ = 0;
  };
  static Ports withErrorBox(const Ports& ports, ErrorBox& box);

  // Shows the views at the stage's size for the display as it is now.
  void present(const std::vector<ScreenView*>& views);
  void applyPresentation();
  void choose(const Presentation& presentation);
  // Once for each window, as it is built.
  void installKeys(ScreenView& view);
  stage::Display display() const;
  qreal stageScaleFor(const stage::Display& facts) const;

  // The windows hidden at start are built once the title has been painted (or as soon
  // as one is needed), so the title comes up without waiting for them.
  void buildHiddenWindows();
  // A timer for each screen that ticks, following the screen's period.
  void startTimers();
  void followTimers();
  // The event loop is free after the title's first paint.
  void titlePainted();

  FrontErrorBox errorBox_;
  Game game_;
  PadHub pads_{*this};
  // Each screen's window, in the screens' order; the title's first. The title owns the
  // other windows as its children: they are let go before it (~App).
  std::vector<std::unique_ptr<ScreenView>> windows_;
  std::vector<ScreenView*> views_;
  // A ticking screen's timer, and the screen's period it follows.
  struct Ticker {
    std::size_t screen;  // its place in GameScreens
    const Timer* period;
    std::unique_ptr<QTimer> timer;
    int restarts = -1;
  };
  std::vector<Ticker> tickers_;
  bool syncing_ = false;
  bool titlePainted_ = false;
  std::vector<std::function<void(QWidget&)>> afterTitlePainted_;
  Presentation presentation_;
  std::function<void(const Presentation&)> presentationChanged_;
  std::function<void(bool)> muteOutput_;
  std::function<void(bool)> phonesOutput_;
};

}  // namespace zndl
