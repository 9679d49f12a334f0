// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the real windows offscreen the way a restless player might: random clicks on
// whatever can be clicked in the windows in front, random keys, typing into the fields,
// closing windows, and the ticks of every timer far faster than the clock would give
// them. After every event the game and its windows must still agree and keep the
// game's invariants. ZNDL_GUI_SOAK_SECONDS sets the length of the run (10 s by
// default; the full soak is 120 s, and from 90 s on the memory must have settled after
// the first minute). ZNDL_GUI_SOAK_SEED repeats a run's choices; the real timers still
// fall where the clock puts them, so a repeat follows the same road only roughly.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "adapters/qt_ports.h"
#include "fakes/app_probe.h"
#include "fakes/random_groups.h"
#include "fakes/test_app.h"
#include "fakes/test_game.h"
#include "platform/numbers.h"
#include "shell/ui/screen_view.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

// AddressSanitizer's allocator keeps freed memory in quarantine, so the resident size
// says nothing about leaks there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

double soakSeconds() {
  const char* text = std::getenv("ZNDL_GUI_SOAK_SECONDS");
  const double seconds = text ? std::strtod(text, nullptr) : 0.0;
  return seconds > 0 ? seconds : 10.0;
}

std::uint64_t soakSeed() {
  const char* text = std::getenv("ZNDL_GUI_SOAK_SEED");
  const auto parsed = text ? parseWholeNumber(text) : std::nullopt;
  if (parsed) return static_cast<std::uint64_t>(*parsed);
  return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count() %
                                    1000000);
}

// The resident set size in kB.
long residentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

// Keys sent to a window that does nothing with them are normal here; Qt's test library
// would warn about every one of them.
QtMessageHandler previousHandler = nullptr;
void quietUnacceptedKeys(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QStringLiteral("Keyboard event not accepted")) ||
      text.startsWith(QStringLiteral("This plugin does not support raise()")))
    return;
  if (previousHandler) previousHandler(type, context, text);
}

std::string randomBytes(ClockRandom& r, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += static_cast<char>(r.below(256));
  return out;
}

// The windows in the screens' creation order; the first is the title window.
const char* const kWindowNames[] = {"title",  "quiz",     "intro",    "settings", "notice",
                                    "finale", "tiebreak", "coincall", "internet"};
constexpr int kTitle = 0, kQuiz = 1, kIntro = 2, kSettings = 3, kNotice = 4, kFinale = 5,
              kTieBreak = 6, kCoinCall = 7, kInternet = 8;
// The full-window screens stack; the rest are small dialogs that float beside them.
constexpr int kFullWindows[] = {kTitle, kQuiz, kIntro, kNotice, kFinale, kTieBreak};
constexpr int kDialogs[] = {kSettings, kCoinCall, kInternet};

class GuiSoak {
 public:
  explicit GuiSoak(std::uint64_t seed) : r_(seed) {
    writeFiles();
    t_.random.fallback = ClockRandom(seed * 7919 + 1);
    // Now and then a countdown tune is missing: the quiz must carry on regardless.
    if (r_.below(2)) t_.quizTune.missing.insert("10.MID");
  }

  // Starts the program and, through the settings dialog, makes the host talk fast.
  void start() {
    t_.start();
    settle();
    ASSERT_TRUE(t_.errors.shown.empty()) << t_.errors.shown.front();
    check();
    if (::testing::Test::HasFatalFailure()) return;

    click(child<QPushButton>(kTitle, "moreButton"));  // More...
    ASSERT_TRUE(window(kSettings).isVisible());
    auto* delay = child<QLineEdit>(kSettings, "speechDelay");
    delay->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(delay, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(delay, "40");
    click(child<QPushButton>(kSettings, "okButton"));
    settle();
    ASSERT_FALSE(window(kSettings).isVisible());
    ASSERT_EQ(game().screen<Introduction>().tickTimer.interval, 40);
    ASSERT_EQ(AppProbe::timer<Introduction>(*t_.app).interval(), 40);
    check();
  }

  // One event a player or a timer could cause now, then the checks.
  void step() {
    // The file picker is a fake: every load from the settings dialog finds its answer
    // waiting, a list, a file that is not there, or a cancel.
    if (t_.picker.answers.empty()) {
      static const char* const picks[] = {"short",  "lines",        "empty",
                                          "binary", "missing-file", "sums.set"};
      const int pick = r_.below(7);
      t_.picker.answers.push_back(pick < 6 ? std::optional<std::string>(picks[pick])
                                           : std::nullopt);
    }
    choices_.clear();
    addEvents();
    int total = 0;
    for (const Choice& choice : choices_) total += choice.weight;
    int pick = r_.below(total);
    for (const Choice& choice : choices_) {
      if (pick < choice.weight) {
        remember(choice.what);
        choice.act();
        break;
      }
      pick -= choice.weight;
    }
    settle();
    ++events_;
    observe();
    check();
    // The fakes' records would grow without end over a long run and hide the game's
    // own memory use.
    t_.titleTune.log.clear();
    t_.quizTune.log.clear();
    t_.random.asked.clear();
    t_.picker.offers.clear();
    t_.desktop.opened.clear();
  }

  long events() const { return events_; }
  int gamesStarted() const { return gamesStarted_; }
  int finales() const { return finales_; }
  int tosses() const { return tosses_; }
  int errorBoxes() const { return errorBoxes_; }

  // The last events, oldest first, for the report of a broken invariant.
  std::string recentEvents() const {
    std::string out;
    for (const std::string& what : recent_) out += "  " + what + "\n";
    return out;
  }

 private:
  struct Choice {
    int weight;
    std::string what;
    std::function<void()> act;
  };

  Game& game() { return t_.game(); }
  ScreenView& window(int index) {
    return *AppProbe::views(*t_.app)[static_cast<std::size_t>(index)];
  }

  template <class W>
  W* child(int index, const char* name) {
    auto* widget = window(index).findChild<W*>(QString::fromLatin1(name));
    if (!widget)
      throw std::runtime_error(std::string("the ") + kWindowNames[index] + " window has no " +
                               name);
    return widget;
  }

  void writeFiles() {
    writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Goldie", "1", "3", "5", "10"));
    writeFile("prizes", "Prizes\r\na kettle\r\na woolly hat\r\na signed photo of Pembril\r\n");
    writeFile("banter",
              "...Pembril The Penguin!\r\nHello and welcome to Zandoodle...\r\n<DESCRIPTION>\r\n"
              "<NAMES>\r\n<PETS>\r\n<JOBS ETC. 1>\r\n<JOBS ETC. 2>\r\nLet\x92s play!\r\n<END>\r\n");
    writeFile("describe", "Descriptions\r\nthe quiz of the century\r\nthe show\r\n<NAMES>\r\n");
    writeFile("jobs", "Jobs\r\nbaker\r\npenguin keeper\r\n");
    writeFile("after.job", "After jobs\r\nin Leeds\r\nby night\r\n");
    // Files the settings dialog's loads are offered.
    writeFile("short", "<NAMES>\r\n<PETS>\r\n<END>\r\n");
    writeFile("lines", "one\r\n<DESCRIPTION>\r\n<JOBS ETC. 1>\r\nfour\r\n");
    writeFile("empty", "");
    writeFile("binary", randomBytes(r_, 300));
    // Groups: the shipped samples, small valid ones and broken ones.
    for (const char* sample : {"default.set", "animals.set"}) {
      std::error_code ec;
      std::filesystem::copy_file(std::filesystem::path(ZNDL_SOURCE_DIR) / "assets/groups" / sample,
                                 sample, ec);
    }
    writeFile("sums.set",
              "Sums\r\n[1]\r\n1 + 1?\r\n2\r\n3\r\n4\r\n[2]\r\n2 + 2?\r\n4\r\n5\r\n6\r\n[3]\r\n");
    writeFile("tiny.set",
              "(ZNDL v4)\r\nTiny\r\n[1]\r\nYes?\r\n[1-YES]\r\nYes\r\n[1-NO]\r\nNo\r\nMaybe\r\n"
              "[2]\r\n");
    for (int i = 0; i < 4; ++i) writeFile("r" + std::to_string(i) + ".set", randomGroup(r_));
    writeFile("empty.set", "");
    writeFile("junk.set", randomBytes(r_, 500));
    writeFile("unfinished.set", "(ZNDL v4)\r\n[1]\r\nHalf a question");
    std::filesystem::create_directory("folder.set");
  }

  // Lets the real timers and the painting run, as the event loop would between events.
  void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void remember(std::string what) {
    recent_.push_back(std::move(what));
    if (recent_.size() > 40) recent_.pop_front();
  }

  void add(int weight, std::string what, std::function<void()> act) {
    if (weight > 0) choices_.push_back({weight, std::move(what), std::move(act)});
  }

  // The full-window screen in front, and every dialog on view: what a player can reach.
  std::vector<int> reachableWindows() {
    int front = kTitle;
    for (int index : kFullWindows)
      if (window(index).isVisible() &&
          window(index).screen().frontOrder() > window(front).screen().frontOrder())
        front = index;
    std::vector<int> out{front};
    for (int index : kDialogs)
      if (window(index).isVisible()) out.push_back(index);
    return out;
  }

  static std::string describe(int index, QWidget* widget) {
    std::string out = kWindowNames[index];
    out += "/" + ss(widget->objectName().isEmpty()
                        ? QString::fromLatin1(widget->metaObject()->className())
                        : widget->objectName());
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
      if (!button->text().isEmpty()) out += " '" + ss(button->text()) + "'";
    return out;
  }

  // Pressing the title's Exit ends the program, the one thing a soak must not do.
  bool isTitleExit(int index, QWidget* widget) const {
    if (index != kTitle) return false;
    auto* button = qobject_cast<QAbstractButton*>(widget);
    return button && (button->objectName() == QLatin1String("exitButton") ||
                      button->text().startsWith(QLatin1String("Exit")));
  }

  // How often a control is pressed: the ones that lead a game on are pressed most.
  static int clickWeight(int index, const QString& name) {
    const auto is = [&](const char* n) { return name == QLatin1String(n); };
    switch (index) {
      case kTitle:
        return is("playButton") ? 12 : 1;
      case kQuiz:
        if (is("continueButton")) return 14;
        if (is("answerButtonA") || is("answerButtonB") || is("answerButtonC")) return 3;
        if (is("answerA") || is("answerB") || is("answerC")) return 2;
        return 1;
      case kIntro:
        return is("skipButton") ? 4 : 1;
      case kNotice:
      case kFinale:
      case kTieBreak:
        return 10;
      case kCoinCall:
        return 5;
      case kSettings:
      case kInternet:
        return is("okButton") ? 3 : 1;
      default:
        return 1;
    }
  }

  void click(QWidget* widget) {
    if (!widget) return;
    // A click gives the keyboard to a control that takes it, as the window system does.
    if (widget->focusPolicy() & Qt::ClickFocus) widget->setFocus(Qt::MouseFocusReason);
    // A radio button answers a click on its circle.
    const QPoint at = qobject_cast<QRadioButton*>(widget) ? QPoint(8, widget->height() / 2)
                                                          : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
  }

  // Types text as keys, a backspace written as '\b'.
  void type(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
      if (!widget->isVisible() || !widget->isEnabled()) return;
      if (ch == QLatin1Char('\b'))
        QTest::keyClick(widget, Qt::Key_Backspace);
      else if (ch.unicode() < 0x80)
        QTest::keyClick(widget, ch.toLatin1());
      else
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
  }

  QString textFor(int index, const QString& name) {
    static const char* const groups[] = {
        "sums.set",    "tiny.set",       "default.set", "r0.set",     "junk.set",
        "missing.set", "CHOOSE A GROUP", "\b\b\b\b",    "folder.set", ""};
    static const char* const times[] = {"5", "10", "15", "1", "abc", " 15", "-3", "\b\b", "5\b1"};
    static const char* const names[] = {
        "Zo\u00eb", "Ann", "Bob the Builder", "\u20ac100", "\u0141ucja", "\b\b\b\b\b", "x"};
    static const char* const delays[] = {"0",  "1",    "40", "-5", "2500", "99999999999999999999",
                                         "+7", "\b\b", "3"};
    const auto from = [&](const auto& list) {
      return QString::fromUtf8(list[r_.below(static_cast<int>(std::size(list)))]);
    };
    if (index == kTitle && name == QLatin1String("groupBox")) return from(groups);
    if (name == QLatin1String("answerTime1") || name == QLatin1String("answerTime2"))
      return from(times);
    if (index == kSettings) return from(delays);
    if (index == kTitle) return from(names);
    QString any;
    for (int i = r_.below(6); i > 0; --i) any += QChar(u'a' + r_.below(26));
    return any;
  }

  void typeInto(int index, QWidget* widget) {
    widget->setFocus(Qt::MouseFocusReason);
    // Half the time the new text replaces the old, as after a select-all.
    if (r_.below(2)) QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    type(widget, textFor(index, widget->objectName()));
  }

  void addWidgetEvents(int index) {
    for (QWidget* widget : window(index).findChildren<QWidget*>()) {
      if (!widget->isVisible() || !widget->isEnabled() || isTitleExit(index, widget)) continue;
      QPointer<QWidget> w(widget);
      const std::string what = describe(index, widget);
      if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        const bool group = combo->objectName() == QLatin1String("groupBox");
        add(group ? 4 : 1, "pick an item in " + what, [this, combo] {
          if (combo->count() == 0) return;
          const int item = r_.below(combo->count());
          remember("  item " + std::to_string(item) + " " + ss(combo->itemText(item)));
          combo->setCurrentIndex(item);
        });
        add(1, "type into " + what, [this, index, w] {
          if (w) typeInto(index, w);
        });
        continue;
      }
      if (qobject_cast<QComboBox*>(widget->parentWidget())) continue;  // the box's own field
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (!edit->isReadOnly() && (edit->focusPolicy() & Qt::ClickFocus))
          add(1, "type into " + what, [this, index, w] {
            if (w) typeInto(index, w);
          });
        continue;
      }
      const bool clickable =
          qobject_cast<QAbstractButton*>(widget) || dynamic_cast<ClickLabel*>(widget) != nullptr;
      if (clickable)
        add(clickWeight(index, widget->objectName()), "click " + what, [this, index, w] {
          if (!w) return;
          if (index == kTieBreak && qobject_cast<QPushButton*>(w.data()) &&
              game().screen<TieBreak>().tossButton().caption == "TOSS THE COIN")
            ++tosses_;
          click(w);
        });
    }
  }

  void addKeyEvents(int index) {
    static const Qt::Key keys[] = {
        Qt::Key_A,     Qt::Key_B,      Qt::Key_C,         Qt::Key_A,       Qt::Key_B,
        Qt::Key_C,     Qt::Key_Tab,    Qt::Key_Tab,       Qt::Key_Backtab, Qt::Key_Space,
        Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter,     Qt::Key_Escape,  Qt::Key_Up,
        Qt::Key_Down,  Qt::Key_Left,   Qt::Key_Backspace, Qt::Key_X,       Qt::Key_Q,
        Qt::Key_1,     Qt::Key_5,      Qt::Key_0,         Qt::Key_Home,    Qt::Key_Delete};
    add(index == kQuiz ? 12 : 6, std::string("key to ") + kWindowNames[index], [this, index] {
      ScreenView& win = window(index);
      QWidget* target = win.focusWidget();
      if (!target || !target->isVisible() || !target->isEnabled() || target->window() != &win)
        target = &win;
      Qt::Key key = keys[r_.below(static_cast<int>(std::size(keys)))];
      const bool presses = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter ||
                           key == Qt::Key_Select;
      if (presses && isTitleExit(index, target)) key = Qt::Key_Tab;
      remember("  " + ss(QKeySequence(key).toString()) + " to " + describe(index, target));
      QTest::keyClick(target, key);
    });
  }

  void addMouseMove(int index) {
    add(2, std::string("mouse over ") + kWindowNames[index], [this, index] {
      std::vector<QWidget*> on;
      for (QWidget* widget : window(index).findChildren<QWidget*>())
        if (widget->isVisible()) on.push_back(widget);
      QWidget* over = on.empty()
                          ? &window(index)
                          : on[static_cast<std::size_t>(r_.below(static_cast<int>(on.size())))];
      const QPointF at = QPointF(over->rect().center());
      QMouseEvent move(QEvent::MouseMove, at, QPointF(over->mapToGlobal(at.toPoint())),
                       Qt::NoButton, Qt::NoButton, Qt::NoModifier);
      QCoreApplication::sendEvent(over, &move);
    });
  }

  void addEvents() {
    Game& g = game();
    for (int index : reachableWindows()) {
      addWidgetEvents(index);
      addKeyEvents(index);
      addMouseMove(index);
    }
    // Alt-F4 on any window but the title, which would end the program.
    for (int index = 1; index < static_cast<int>(std::size(kWindowNames)); ++index)
      if (window(index).isVisible())
        add(1, std::string("close ") + kWindowNames[index],
            [this, index] { window(index).close(); });
    // Ticks of every timer, far faster than the real ones (which run as well).
    App& app = *t_.app;
    add(20, "tick the quiz", [&] { app.dispatch([&] { g.screen<QuizScreen>().onTick(); }); });
    if (g.screen<Introduction>().tickTimer.ticking())
      add(5, "tick the introduction",
          [&] { app.dispatch([&] { g.screen<Introduction>().onTick(); }); });
    add(g.screen<TieBreak>().spinTicksLeft > 0 ? 40 : 2, "tick the coin",
        [&] { app.dispatch([&] { g.screen<TieBreak>().onTick(); }); });
  }

  // Counts the games that got going and those that reached the finale.
  void observe() {
    const bool intro = window(kIntro).isVisible();
    const bool finale = window(kFinale).isVisible();
    if (intro && !introShown_) ++gamesStarted_;
    if (finale && !finaleShown_) ++finales_;
    introShown_ = intro;
    finaleShown_ = finale;
  }

  static bool gameOwnMessage(const std::string& shown) {
    const auto startsWith = [&](const char* prefix) { return shown.rfind(prefix, 0) == 0; };
    return startsWith("Cannot open file ") || startsWith("Cannot create file ") ||
           (startsWith("'") &&
            shown.find("' is not a valid pet type number in names.etc") != std::string::npos);
  }

  void check() {
    Game& g = game();
    const QuizScreen& quiz = g.screen<QuizScreen>();
    ASSERT_FALSE(g.ended()) << "the program ended";
    ASSERT_TRUE(g.screen<TitleScreen>().visible()) << "the title screen is never hidden";
    for (int index = 0; index < static_cast<int>(std::size(kWindowNames)); ++index)
      ASSERT_EQ(window(index).isVisible(), window(index).screen().visible())
          << "the " << kWindowNames[index] << " window shows what its screen says";

    for (int lives : {quiz.lives[kFirstContestant], quiz.lives[kSecondContestant]}) {
      ASSERT_GE(lives, 0);
      ASSERT_LE(lives, 5);
    }
    ASSERT_EQ(child<QProgressBar>(kQuiz, "lives1")->value(), quiz.lives[kFirstContestant]);
    ASSERT_EQ(child<QProgressBar>(kQuiz, "lives2")->value(), quiz.lives[kSecondContestant]);
    for (int score : quiz.scores) ASSERT_GE(score, 0) << "score " << score;
    ASSERT_EQ(ss(child<QLineEdit>(kQuiz, "score1")->text()),
              std::to_string(quiz.scores[kFirstContestant]));
    ASSERT_EQ(ss(child<QLineEdit>(kQuiz, "score2")->text()),
              std::to_string(quiz.scores[kSecondContestant]));
    const int step = static_cast<int>(quiz.step);
    ASSERT_TRUE(step >= static_cast<int>(QuestionStep::idle) &&
                step <= static_cast<int>(QuestionStep::timeUp))
        << "QuestionStep " << step;
    ASSERT_TRUE(g.winner >= 0 && g.winner <= 2) << "Winner " << g.winner;

    if (window(kFinale).isVisible()) {
      ASSERT_TRUE(g.winner == 1 || g.winner == 2) << "the finale only ever has a winner";
      int pets = 0;
      // Pictures are plain widgets to Qt's own casts: ask the language which ones they are.
      for (QWidget* widget : window(kFinale).findChildren<QWidget*>()) {
        const auto* picture = dynamic_cast<const PictureWidget*>(widget);
        if (!picture) continue;
        const QString& art = picture->pictureName();
        if ((art == QLatin1String("hamster") || art == QLatin1String("goldfish") ||
             art == QLatin1String("mouse") || art == QLatin1String("dog")) &&
            picture->isVisible())
          ++pets;
      }
      ASSERT_EQ(pets, 1) << "exactly the loser's pet stands on the stage";
    }
    if (g.screen<TieBreak>().spinTicksLeft > 0) {
      auto* button = child<QPushButton>(kTieBreak, "tossButton");
      ASSERT_EQ(ss(button->text()), "KILL THE PET");
      ASSERT_FALSE(button->isEnabled()) << "no kill while the coin spins";
    }

    // The title's fields show the entries the game holds, nothing of their own.
    for (const auto& [name, value] :
         {std::pair{"name1", &g.screen<TitleScreen>().entries[kFirstContestant].name},
          std::pair{"name2", &g.screen<TitleScreen>().entries[kSecondContestant].name},
          std::pair{"petName1", &g.screen<TitleScreen>().entries[kFirstContestant].petName},
          std::pair{"petName2", &g.screen<TitleScreen>().entries[kSecondContestant].petName}})
      ASSERT_EQ(ss(child<QLineEdit>(kTitle, name)->text()), *value) << name;
    for (const auto& [name, box] :
         {std::pair{"answerTime1", &g.screen<TitleScreen>().entries[kFirstContestant].answerTime},
          std::pair{"answerTime2", &g.screen<TitleScreen>().entries[kSecondContestant].answerTime},
          std::pair{"groupBox", &g.screen<TitleScreen>().groupBox}})
      ASSERT_EQ(ss(child<QComboBox>(kTitle, name)->currentText()), box->text) << name;
    for (const auto& [name, type] :
         {std::pair{"petType1.", g.screen<TitleScreen>().entries[kFirstContestant].petType},
          std::pair{"petType2.", g.screen<TitleScreen>().entries[kSecondContestant].petType}})
      for (int i = 0; i < 4; ++i) {
        auto* radio = child<QRadioButton>(kTitle, (name + std::to_string(i)).c_str());
        ASSERT_EQ(radio->isChecked(), i == type) << name << i;
      }

    for (const std::string& shown : t_.errors.shown) {
      ASSERT_TRUE(gameOwnMessage(shown)) << "not one of the game's messages: " << shown;
      ASSERT_EQ(shown.back(), '.') << shown;
    }
    errorBoxes_ += static_cast<int>(t_.errors.shown.size());
    t_.errors.shown.clear();
    // No real dialog of Qt's own (a message box, a file dialog) ever comes up.
    for (QWidget* top : QApplication::topLevelWidgets())
      ASSERT_FALSE(top->isVisible() && qobject_cast<QDialog*>(top))
          << "a " << top->metaObject()->className() << " came up";
  }

  TestApp t_;
  ClockRandom r_;
  std::vector<Choice> choices_;
  std::deque<std::string> recent_;
  long events_ = 0;
  int gamesStarted_ = 0;
  int finales_ = 0;
  int tosses_ = 0;
  int errorBoxes_ = 0;
  bool introShown_ = false;
  bool finaleShown_ = false;
};

}  // namespace

TEST(GuiSoak, RandomPlayThroughTheWindowsKeepsEveryInvariant) {
  const double seconds = soakSeconds();
  const std::uint64_t seed = soakSeed();
  std::printf("gui soak: seed %llu, %.0f s\n", static_cast<unsigned long long>(seed), seconds);
  previousHandler = qInstallMessageHandler(quietUnacceptedKeys);

  GuiSoak soak(seed);
  soak.start();
  ASSERT_FALSE(::testing::Test::HasFatalFailure()) << "seed " << seed;

  using Clock = std::chrono::steady_clock;
  const auto begin = Clock::now();
  const auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - begin).count(); };
  const long rssStart = residentKb();
  long rssMinute = -1;
  while (elapsed() < seconds) {
    soak.step();
    if (::testing::Test::HasFatalFailure()) {
      ADD_FAILURE() << "seed " << seed << ", event " << soak.events() << "; the last events:\n"
                    << soak.recentEvents();
      break;
    }
    if (rssMinute < 0 && elapsed() >= 60) rssMinute = residentKb();
  }
  const long rssEnd = residentKb();
  qInstallMessageHandler(previousHandler);

  std::printf(
      "gui soak: %ld events in %.0f s, %d games started, %d reached the finale, %d coin tosses, "
      "%d error boxes; RSS start %ld kB, 60 s %s, end %ld kB%s\n",
      soak.events(), elapsed(), soak.gamesStarted(), soak.finales(), soak.tosses(),
      soak.errorBoxes(), rssStart,
      rssMinute < 0 ? "-" : (std::to_string(rssMinute) + " kB").c_str(), rssEnd,
      kAddressSanitizer ? " (AddressSanitizer: not judged)" : "");
  if (::testing::Test::HasFailure()) return;
  EXPECT_GT(soak.gamesStarted(), 0) << "seed " << seed << ": no game ever started";
  if (seconds >= 10) {
    EXPECT_GT(soak.finales(), 0) << "seed " << seed << ": no game reached the finale";
  }
  if (seconds >= 90 && !kAddressSanitizer && rssMinute > 0) {
    EXPECT_LT(rssEnd - rssMinute, 5 * 1024) << "memory grew after the first minute";
  }
}
