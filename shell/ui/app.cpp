// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/app.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <utility>

#include "adapters/qt_ports.h"
#include "shell/ui/screen_view.h"
#include "shell/ui/title_view.h"

namespace zndl {

Ports App::withErrorBox(const Ports& ports, ErrorBox& box) {
  return Ports{ports.titleTune, ports.quizTune,  box, ports.desktop, ports.filePicker,
               ports.random,    ports.writeSteps};
}

void App::FrontErrorBox::showError(const std::string& text) {
  app_.syncAll();
  ++showing_;
  box_.showError(text);
  --showing_;
  // The window manager hands the keyboard back to the box's owner, the title; it
  // belongs to the screen in front.
  if (ScreenView* front = app_.frontView(); front && front->isVisible()) front->activateWindow();
}

ScreenView* App::frontView() {
  ScreenView* front = nullptr;
  for (ScreenView* view : views_)
    if (view->screen().visible() &&
        (!front || view->screen().frontOrder() > front->screen().frontOrder()))
      front = view;
  return front;
}

App::App(const Ports& ports, const Presentation& presentation)
    : errorBox_(*this, ports.errorBox),
      game_(withErrorBox(ports, errorBox_)),
      presentation_(presentation) {
  if (auto* box = dynamic_cast<QtErrorBox*>(&ports.errorBox))
    box->setOwner([this] { return mainWindow(); });
  windows_.push_back(makeWindow<TitleView>(*this));
  views_ = {windows_.front().get()};
  windows_.front()->installEventFilter(this);
  installKeys(*windows_.front());
  present(views_);

  game_.start();
  startTimers();
  syncAll();
}

App::~App() {
  // The title goes last: every other window is its child.
  while (!windows_.empty()) windows_.pop_back();
}

TitleView& App::titleView() {
  return static_cast<TitleView&>(*windows_.front());
}

QWidget* App::mainWindow() {
  return windows_.empty() ? nullptr : windows_.front().get();
}

void App::startTimers() {
  // Each ticking screen's timer runs from start to the end of the program; a tick that
  // its screen would ignore is not even handed over.
  for (const TickingScreen& ticking : game_.tickingScreens()) {
    Ticker ticker{ticking.screen, ticking.period, std::make_unique<QTimer>()};
    ticker.timer->setTimerType(Qt::PreciseTimer);
    connect(ticker.timer.get(), &QTimer::timeout, this, [this, &ticking] {
      if (ticking.wanted()) dispatch(ticking.tick);
    });
    tickers_.push_back(std::move(ticker));
  }
  followTimers();
}

void App::followTimers() {
  for (Ticker& ticker : tickers_) {
    if (ticker.period->restarts == ticker.restarts) continue;
    ticker.restarts = ticker.period->restarts;
    if (ticker.period->ticking())
      ticker.timer->start(ticker.period->interval);
    else
      ticker.timer->stop();
  }
}

void App::buildHiddenWindows() {
  if (windows_.size() == GameScreens::size) return;
  std::vector<ScreenView*> built;
  GameScreens::forEach([&]<class Entry>() {
    if (GameScreens::indexOf<typename Entry::Screen>() == 0) return;
    windows_.push_back(makeWindow<typename Entry::View>(*this));
    built.push_back(windows_.back().get());
  });
  views_.insert(views_.end(), built.begin(), built.end());
  for (ScreenView* view : built) installKeys(*view);
  present(built);
}

// ---- Size, full screen and sound ------------------------------------------------------

stage::Display App::display() const {
  stage::Display facts;
  const QScreen* where = QGuiApplication::primaryScreen();
  if (!where) return facts;
  facts.width = where->geometry().width();
  facts.height = where->geometry().height();
  facts.availableWidth = where->availableGeometry().width();
  facts.availableHeight = where->availableGeometry().height();
  facts.pixelRatio = where->devicePixelRatio();
  return facts;
}

int App::windowFactor() const {
  return stage::windowFactor(display(), presentation_.scale);
}

qreal App::stageScale() const {
  return stageScaleFor(display());
}

qreal App::stageScaleFor(const stage::Display& facts) const {
  const int factor = presentation_.fullScreen ? stage::fullScreenFactor(facts)
                                              : stage::windowFactor(facts, presentation_.scale);
  return stage::stageScale(factor, facts.pixelRatio);
}

void App::present(const std::vector<ScreenView*>& views) {
  const qreal scale = stageScaleFor(display());
  const QScreen* where = QGuiApplication::primaryScreen();
  const QRect area = where ? where->geometry() : QRect();
  for (ScreenView* view : views) view->setStage(scale, presentation_.fullScreen, area);
}

void App::applyPresentation() {
  present(views_);
  // Labels sized to their text measure it again in the new size.
  syncAll();
  if (muteOutput_) muteOutput_(presentation_.muted);
  if (phonesOutput_) phonesOutput_(presentation_.phones);
}

void App::setPresentation(const Presentation& presentation) {
  presentation_ = presentation;
  applyPresentation();
}

void App::choose(const Presentation& presentation) {
  if (presentation == presentation_) return;
  setPresentation(presentation);
  if (presentationChanged_) presentationChanged_(presentation_);
}

void App::stepScale(int step) {
  // Sizing the stage is a choice for a window; full screen already shows it as big as
  // it can be, so a step leaves full screen for a window of the size asked for.
  Presentation next = presentation_;
  next.scale = stage::steppedChoice(windowFactor(), step);
  next.fullScreen = false;
  choose(next);
}

void App::fitScale() {
  Presentation next = presentation_;
  next.scale = stage::kFit;
  next.fullScreen = false;
  choose(next);
}

void App::toggleFullScreen() {
  Presentation next = presentation_;
  next.fullScreen = !next.fullScreen;
  choose(next);
}

void App::toggleMute() {
  Presentation next = presentation_;
  next.muted = !next.muted;
  choose(next);
}

void App::togglePhones() {
  Presentation next = presentation_;
  next.phones = !next.phones;
  choose(next);
}

void App::setPhonesOutput(std::function<void(bool)> output) {
  phonesOutput_ = std::move(output);
  if (phonesOutput_) phonesOutput_(presentation_.phones);
}

void App::setMuteOutput(std::function<void(bool)> output) {
  muteOutput_ = std::move(output);
  if (muteOutput_) muteOutput_(presentation_.muted);
}

void App::installKeys(ScreenView& view) {
  struct Key {
    const char* name;
    QList<QKeySequence> keys;
    const char* text;
    const char* help;
    std::function<void()> run;
  };
  const Key keys[] = {
      {"biggerAction",
       {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal)},
       "Bigger",
       "Ctrl+Plus or Ctrl+Equals: show every screen one size bigger",
       [this] { stepScale(+1); }},
      {"smallerAction",
       {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
       "Smaller",
       "Ctrl+Minus: show every screen one size smaller",
       [this] { stepScale(-1); }},
      {"fitAction",
       {QKeySequence(Qt::CTRL | Qt::Key_0)},
       "Fit the screen",
       "Ctrl+0: show every screen as big as fits the display",
       [this] { fitScale(); }},
      {"fullScreenAction",
       {QKeySequence(Qt::Key_F11)},
       "Full screen",
       "F11: show the game over the whole display, or in a window again",
       [this] { toggleFullScreen(); }},
      {"muteAction",
       {QKeySequence(Qt::Key_M)},
       "Music off or on",
       "M: turn all music off, or on again; in a text field M types an M",
       [this] { toggleMute(); }},
  };
  // The title alone also turns the phones on and off.
  const Key titleKeys[] = {
      {"phonesAction",
       {QKeySequence(Qt::Key_P)},
       "Phones on or off",
       "P: let the contestants answer from their phones, or stop; in a text field P types a P",
       [this] { togglePhones(); }},
  };
  const bool title = windows_.empty() || &view == windows_.front().get();
  std::vector<Key> all(std::begin(keys), std::end(keys));
  if (title) all.insert(all.end(), std::begin(titleKeys), std::end(titleKeys));
  for (const Key& key : all) {
    auto* action = new QAction(QString::fromUtf8(key.text), &view);
    action->setObjectName(QString::fromLatin1(key.name));
    action->setShortcuts(key.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setToolTip(QString::fromUtf8(key.help));
    action->setWhatsThis(QString::fromUtf8(key.help));
    connect(action, &QAction::triggered, this, [run = key.run] { run(); });
    view.addAction(action);
  }
  // Screen readers hear the keys with the window's own description.
  QString note = QStringLiteral(
      " Keys on every screen: Ctrl+Plus and Ctrl+Minus make the screens bigger and smaller, "
      "Ctrl+0 fits them to the display, F11 switches full screen, M turns the music off "
      "and on.");
  if (title) note += QStringLiteral(" Here P lets the contestants answer from their phones.");
  view.setAccessibleDescription(view.accessibleDescription() + note);
}

bool App::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mainWindow() && event->type() == QEvent::Paint) {
    watched->removeEventFilter(this);
    // After this paint has reached the screen.
    QTimer::singleShot(0, this, [this] { titlePainted(); });
  }
  return QObject::eventFilter(watched, event);
}

void App::titlePainted() {
  titlePainted_ = true;
  for (auto& then : std::exchange(afterTitlePainted_, {})) then(*mainWindow());
  if (windows_.size() == GameScreens::size) return;
  buildHiddenWindows();
  syncAll();
}

void App::afterTitlePainted(std::function<void(QWidget&)> then) {
  if (titlePainted_)
    then(*mainWindow());
  else
    afterTitlePainted_.push_back(std::move(then));
}

void App::dispatch(const std::function<void()>& handler) {
  game_.guarded(handler);
  syncAll();
  if (game_.ended()) QCoreApplication::quit();
}

void App::syncAll() {
  if (syncing_) return;
  syncing_ = true;
  followTimers();
  for (const auto& screen : game_.screens())
    if (screen->visible() && screen.get() != game_.screens().front().get()) buildHiddenWindows();
  for (ScreenView* view : views_) view->sync();
  // Windows come forward in the order their screens were shown.
  std::vector<ScreenView*> order = views_;
  std::stable_sort(order.begin(), order.end(), [](ScreenView* a, ScreenView* b) {
    return a->screen().frontOrder() < b->screen().frontOrder();
  });
  bool raised = false;
  for (ScreenView* view : order) raised = view->syncWindow() || raised;
  // A box opened a moment before stays above whatever a timer has just brought up.
  if (raised) QtErrorBox::raiseOpenBox();
  for (ScreenView* view : order) view->speak();
  pads_.changed();
  syncing_ = false;
}

}  // namespace zndl
