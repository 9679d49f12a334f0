#include "shell/app.h"

#include <QApplication>
#include <QEvent>

#include "finale/zndl6_view.h"
#include "finale/zndl7_view.h"
#include "finale/zndl8_view.h"
#include "finale/zndl9_view.h"
#include "host/zndl3_view.h"
#include "host/zndl4_view.h"
#include "quiz/zndl2_view.h"
#include "shell/zndl10_view.h"
#include "shell/zndl1_view.h"

namespace zndl {

App::App(const Ports& ports) : game_(ports) {
  title_ = std::make_unique<TitleView>(*this);
  views_ = {title_.get()};
  title_->installEventFilter(this);

  game_.start();

  // The three timers run from start to the end of the program; each tick does
  // nothing unless its screen asks for work.
  for (QTimer* timer : {&quizTimer_, &introTimer_, &tieBreakTimer_})
    timer->setTimerType(Qt::PreciseTimer);
  connect(&quizTimer_, &QTimer::timeout, this,
          [this] { dispatch([this] { game_.PlayBox.Timer1Timer(); }); });
  connect(&introTimer_, &QTimer::timeout, this,
          [this] { dispatch([this] { game_.ChatBox.Timer1Timer(); }); });
  connect(&tieBreakTimer_, &QTimer::timeout, this,
          [this] { dispatch([this] { game_.TieBreakBox.Timer1Timer(); }); });
  quizTimer_.start(TPlayBox::kTimer1Interval);
  tieBreakTimer_.start(TTieBreakBox::kTimer1Interval);
  syncAll();
}

App::~App() = default;

void App::buildHiddenWindows() {
  if (allBuilt_) return;
  allBuilt_ = true;
  title_->removeEventFilter(this);
  quiz_ = std::make_unique<QuizView>(*this);
  chat_ = std::make_unique<ChatView>(*this);
  settings_ = std::make_unique<SettingsView>(*this);
  notice_ = std::make_unique<NoticeView>(*this);
  anvil_ = std::make_unique<AnvilView>(*this);
  tieBreak_ = std::make_unique<TieBreakView>(*this);
  coinCall_ = std::make_unique<CoinCallView>(*this);
  internet_ = std::make_unique<InternetView>(*this);
  views_ = {title_.get(), quiz_.get(),     chat_.get(),     settings_.get(), notice_.get(),
            anvil_.get(), tieBreak_.get(), coinCall_.get(), internet_.get()};
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
  const Timer& timer = game_.ChatBox.Timer1;
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
  const Screen* others[] = {&g.PlayBox,  &g.ChatBox,     &g.Form1, &g.EndGameBox,
                            &g.AnvilBox, &g.TieBreakBox, &g.Form4, &g.Form3};
  for (const Screen* screen : others)
    if (screen->visible()) buildHiddenWindows();
  for (ScreenView* view : views_) view->sync();
  // Windows come forward in the order their screens were shown.
  std::vector<ScreenView*> order = views_;
  std::stable_sort(order.begin(), order.end(), [](ScreenView* a, ScreenView* b) {
    return a->screen().frontOrder() < b->screen().frontOrder();
  });
  for (ScreenView* view : order) view->syncWindow();
  syncing_ = false;
}

}  // namespace zndl
