#include "shell/app.h"

#include <QApplication>
#include <QEvent>

#include "finale/coin_call_view.h"
#include "finale/finale_view.h"
#include "finale/notice_view.h"
#include "finale/tie_break_view.h"
#include "host/introduction_view.h"
#include "host/settings_dialog_view.h"
#include "platform/qt_ports.h"
#include "quiz/quiz_view.h"
#include "shell/internet_sites_view.h"
#include "shell/title_view.h"

namespace zndl {

Ports App::withErrorBox(const Ports& ports, ErrorBox& box) {
  return Ports{ports.titleTune, ports.quizTune, box, ports.desktop, ports.filePicker,
               ports.random};
}

void App::FrontErrorBox::showError(const std::string& text) {
  app_.syncAll();
  box_.showError(text);
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

App::App(const Ports& ports)
    : errorBox_(*this, ports.errorBox), game_(withErrorBox(ports, errorBox_)) {
  if (auto* box = dynamic_cast<QtErrorBox*>(&ports.errorBox))
    box->setOwner([this] { return mainWindow(); });
  title_ = std::make_unique<TitleView>(*this);
  views_ = {title_.get()};
  title_->installEventFilter(this);

  game_.start();

  // The three timers run from start to the end of the program; each tick does
  // nothing unless its screen asks for work.
  for (QTimer* timer : {&quizTimer_, &introTimer_, &tieBreakTimer_})
    timer->setTimerType(Qt::PreciseTimer);
  connect(&quizTimer_, &QTimer::timeout, this,
          [this] { dispatch([this] { game_.quizScreen.onTick(); }); });
  connect(&introTimer_, &QTimer::timeout, this,
          [this] { dispatch([this] { game_.introduction.onTick(); }); });
  connect(&tieBreakTimer_, &QTimer::timeout, this,
          [this] { dispatch([this] { game_.tieBreak.onTick(); }); });
  quizTimer_.start(QuizScreen::kTickInterval);
  tieBreakTimer_.start(TieBreak::kTickInterval);
  syncAll();
}

App::~App() = default;

QWidget* App::mainWindow() {
  return title_.get();
}

void App::buildHiddenWindows() {
  if (allBuilt_) return;
  allBuilt_ = true;
  title_->removeEventFilter(this);
  quiz_ = std::make_unique<QuizView>(*this);
  introduction_ = std::make_unique<IntroductionView>(*this);
  settings_ = std::make_unique<SettingsDialogView>(*this);
  notice_ = std::make_unique<NoticeView>(*this);
  finale_ = std::make_unique<FinaleView>(*this);
  tieBreak_ = std::make_unique<TieBreakView>(*this);
  coinCall_ = std::make_unique<CoinCallView>(*this);
  internetSites_ = std::make_unique<InternetSitesView>(*this);
  views_ = {title_.get(),  quiz_.get(),     introduction_.get(), settings_.get(),     notice_.get(),
            finale_.get(), tieBreak_.get(), coinCall_.get(),     internetSites_.get()};
}

bool App::eventFilter(QObject* watched, QEvent* event) {
  if (watched == title_.get() && event->type() == QEvent::Paint && !allBuilt_) {
    // After this paint has reached the screen.
    QTimer::singleShot(0, this, [this] {
      buildHiddenWindows();
      syncAll();
    });
  }
  return QObject::eventFilter(watched, event);
}

void App::dispatch(const std::function<void()>& handler) {
  game_.guarded(handler);
  syncAll();
  if (game_.ended()) QCoreApplication::quit();
}

void App::followIntroTimer() {
  const Timer& timer = game_.introduction.speechTimer;
  if (timer.restarts == introRestarts_) return;
  introRestarts_ = timer.restarts;
  if (timer.ticking())
    introTimer_.start(timer.interval);
  else
    introTimer_.stop();
}

void App::syncAll() {
  if (syncing_) return;
  syncing_ = true;
  followIntroTimer();
  const Game& g = game_;
  const Screen* others[] = {&g.quizScreen, &g.introduction, &g.settingsDialog, &g.notice,
                            &g.finale,     &g.tieBreak,     &g.coinCall,       &g.internetSites};
  for (const Screen* screen : others)
    if (screen->visible()) buildHiddenWindows();
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
  syncing_ = false;
}

}  // namespace zndl
