// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <map>
#include <set>
#include <string>

#include "fakes/app_probe.h"
#include "fakes/test_app.h"
#include "fakes/test_game.h"
#include "finale/ui/coin_call_view.h"
#include "finale/ui/finale_view.h"
#include "finale/ui/notice_view.h"
#include "finale/ui/tie_break_view.h"
#include "finale/verdicts.h"
#include "host/ui/introduction_view.h"
#include "host/ui/settings_dialog_view.h"
#include "quiz/ui/quiz_view.h"
#include "shell/ui/internet_sites_view.h"
#include "shell/ui/title_view.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

// The windows in the order the app keeps them, for messages.
const char* const kWindowNames[] = {"title",  "quiz",     "introduction", "settings", "notice",
                                    "finale", "tiebreak", "coin call",    "internet"};

// Two questions and the marker that lets the second be played.
const char* const kGroup =
    "(ZNDL v4)\r\n"
    "[1]\r\nWhich planet is red?\r\n[1-YES]\r\nMars\r\n[1-NO]\r\nVenus\r\nPluto\r\n"
    "[2]\r\nWhat do bees make?\r\n[2-YES]\r\nHoney\r\n[2-NO]\r\nJam\r\nCheese\r\n"
    "[3]\r\n";

bool isPicture(QWidget* widget) {
  return dynamic_cast<PictureWidget*>(widget) != nullptr;
}

// What a widget shows as its own caption, if it is a label or a button.
QString shownText(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  return {};
}

// A caption that reads as words; "A", "3" or an arrow say nothing on their own.
bool readsAsWords(const QString& text) {
  for (qsizetype i = 1; i < text.size(); ++i)
    if (text[i - 1].isLetter() && text[i].isLetter()) return true;
  return false;
}

// The widgets a player reads or works, which a screen reader must be able to name. A
// label without text shows nothing; a drop-down's own text field is the drop-down.
bool playerFacing(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) return !label->text().isEmpty();
  if (qobject_cast<QLineEdit*>(widget))
    return !qobject_cast<QComboBox*>(widget->parentWidget()) &&
           !qobject_cast<QAbstractSpinBox*>(widget->parentWidget());
  return qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
         qobject_cast<QProgressBar*>(widget) || qobject_cast<QSlider*>(widget) ||
         qobject_cast<QGroupBox*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
         isPicture(widget);
}

std::string where(const char* state, int window, QWidget* widget) {
  return std::string(state) + ": " + kWindowNames[window] + " " +
         widget->objectName().toStdString() + " (" + shownText(widget).toStdString() + ")";
}

// Presses Tab from whatever holds the keyboard until the focus comes round again, and
// returns every widget it stopped on.
std::set<QWidget*> tabStops(QWidget& window) {
  std::set<QWidget*> stops;
  QWidget* first = nullptr;
  for (int i = 0; i < 80; ++i) {
    QWidget* focus = window.focusWidget();
    QTest::keyClick(focus ? focus : &window, Qt::Key_Tab);
    QWidget* now = window.focusWidget();
    if (!now || now == first) break;
    if (!first) first = now;
    stops.insert(now);
  }
  return stops;
}

// The real windows over a game of two questions between Ann and Bob, the timers held
// still: the tests tick them.
struct Show : TestApp {
  Show() {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Rover", "0", "3", "5", "10"));
    writeFile("quiz.set", kGroup);
    writeFile("prizes", "Prizes\r\na signed photo of Pembril\r\n");
    for (const char* list : {"banter", "describe", "jobs", "after.job"})
      writeFile(list, "first\r\nsecond\r\nthird\r\n");
    start();
    AppProbe::timer<QuizScreen>(*app).stop();
    AppProbe::timer<Introduction>(*app).stop();
    AppProbe::timer<TieBreak>(*app).stop();
  }
  void run(const std::function<void()>& handler) { app->dispatch(handler); }

  // Every control on view in every window on view can be named by a screen reader:
  // by the name it was given, or, for a label or button, by a caption that reads as
  // words. Pictures are graphics, and every window says what it is for.
  void expectEveryControlNamed(const char* state) {
    int checked = 0;
    const auto& views = AppProbe::views(*app);
    for (int i = 0; i < static_cast<int>(views.size()); ++i) {
      ScreenView* view = views[static_cast<std::size_t>(i)];
      if (!view->isVisible()) continue;
      EXPECT_FALSE(view->windowTitle().isEmpty()) << state << ": " << kWindowNames[i];
      EXPECT_FALSE(view->accessibleDescription().isEmpty()) << state << ": " << kWindowNames[i];
      for (QWidget* widget : view->findChildren<QWidget*>()) {
        if (widget->window() != view) continue;
        if (!widget->isVisible() || !playerFacing(widget)) continue;
        ++checked;
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(spoken, nullptr) << where(state, i, widget);
        EXPECT_FALSE(spoken->text(QAccessible::Name).trimmed().isEmpty())
            << where(state, i, widget) << " has no spoken name";
        const bool captioned =
            qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget);
        if (!captioned || !readsAsWords(shownText(widget))) {
          EXPECT_FALSE(widget->accessibleName().trimmed().isEmpty())
              << where(state, i, widget) << " needs a name of its own";
        }
        if (isPicture(widget)) {
          EXPECT_EQ(spoken->role(), QAccessible::Graphic) << where(state, i, widget);
        }
      }
    }
    EXPECT_GT(checked, 0) << state;
  }

  // Every button on view can be reached with Tab: a radio group by its chosen button.
  void expectEveryButtonATabStop(const char* state) {
    const auto& views = AppProbe::views(*app);
    for (int i = 0; i < static_cast<int>(views.size()); ++i) {
      ScreenView* view = views[static_cast<std::size_t>(i)];
      if (!view->isVisible()) continue;
      const std::set<QWidget*> stops = tabStops(*view);
      for (auto* button : view->findChildren<QAbstractButton*>()) {
        // The title owns the other windows: their buttons are theirs to reach.
        if (button->window() != view) continue;
        if (!button->isVisible() || !button->isEnabled()) continue;
        // A button that hands the keyboard to another widget is reached through it.
        QWidget* taker = button->focusProxy() ? button->focusProxy() : button;
        bool reached = stops.count(taker) > 0;
        if (qobject_cast<QRadioButton*>(button)) {
          for (auto* sibling : button->parentWidget()->findChildren<QRadioButton*>())
            reached = reached || stops.count(sibling) > 0;
        }
        EXPECT_TRUE(reached) << where(state, i, button) << " is not reached by Tab";
      }
    }
  }

  void visit(const char* state) {
    expectEveryControlNamed(state);
    expectEveryButtonATabStop(state);
  }

  void chooseGroupAndPlay() {
    run([this] {
      game().screen<TitleScreen>().onGroupChanged("quiz.set");
      game().screen<TitleScreen>().onPlay();
    });
  }
  void reachCountdown() {
    run([this] { game().screen<QuizScreen>().onContinue(); });
    for (int i = 0; i < 4; ++i) run([this] { game().screen<QuizScreen>().onTick(); });
    ASSERT_EQ(game().screen<QuizScreen>().step, QuestionStep::countdown);
  }
  void answer(bool right) {
    const int slot = right ? game().screen<QuizScreen>().correctSlot
                           : game().screen<QuizScreen>().correctSlot % 3 + 1;
    QuizScreen& quiz = game().screen<QuizScreen>();
    run([&] {
      slot == 1 ? quiz.onAnswer(kSlotA) : slot == 2 ? quiz.onAnswer(kSlotB) : quiz.onAnswer(kSlotC);
    });
    run([&] { quiz.onTick(); });
    ASSERT_EQ(game().screen<QuizScreen>().step, QuestionStep::idle);
  }
  // Both questions, then the CONTINUE that finds the game over: the notice is on view.
  void playToTheNotice(bool secondRight) {
    chooseGroupAndPlay();
    run([this] { game().screen<Introduction>().onSkip(); });
    reachCountdown();
    answer(true);
    reachCountdown();
    answer(secondRight);
    run([this] { game().screen<QuizScreen>().onContinue(); });
    ASSERT_TRUE(AppProbe::view<NoticeView>(*app).isVisible());
  }
  void activate(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  template <class W>
  W* find(QWidget& view, const char* name) {
    W* widget = view.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
};

}  // namespace

TEST(Accessibility, EveryControlOnViewIsNamedAndEveryButtonReachedByTabThroughAWholeGame) {
  Show s;
  Game& game = s.game();
  s.visit("title");

  s.run([&] {
    game.screen<TitleScreen>().onMore();
    game.screen<TitleScreen>().onInternet();
  });
  ASSERT_TRUE(AppProbe::view<SettingsDialogView>(*s.app).isVisible());
  ASSERT_TRUE(AppProbe::view<InternetSitesView>(*s.app).isVisible());
  s.visit("settings and Internet dialogs");
  s.run([&] {
    game.screen<SettingsDialog>().onOk();
    game.screen<InternetSites>().onOk();
  });

  s.chooseGroupAndPlay();
  for (int i = 0; i < 2; ++i) s.run([&] { game.screen<Introduction>().onTick(); });
  IntroductionView& intro = AppProbe::view<IntroductionView>(*s.app);
  ASSERT_TRUE(intro.isVisible());
  QLabel* hostLine = intro.hostLine();
  EXPECT_EQ(hostLine->accessibleName(), "Pembril says");
  EXPECT_FALSE(hostLine->text().isEmpty());
  EXPECT_EQ(hostLine->accessibleDescription(), hostLine->text()) << "the line is read out";
  s.visit("introduction");

  s.run([&] { game.screen<Introduction>().onSkip(); });
  QuizView& quiz = AppProbe::view<QuizView>(*s.app);
  ASSERT_TRUE(quiz.isVisible());
  s.visit("quiz before the first question");

  // The answers are not given away before they are on view.
  s.run([&] { game.screen<QuizScreen>().onContinue(); });
  auto* buttonA = s.find<QPushButton>(quiz, "answerButtonA");
  EXPECT_EQ(buttonA->accessibleName(), "Answer A");
  EXPECT_TRUE(buttonA->accessibleDescription().isEmpty());
  for (int i = 0; i < 4; ++i) s.run([&] { game.screen<QuizScreen>().onTick(); });
  ASSERT_EQ(game.screen<QuizScreen>().step, QuestionStep::countdown);
  s.visit("quiz mid-question");
  auto* question = s.find<QLabel>(quiz, "question");
  EXPECT_EQ(question->accessibleName(), "Question");
  EXPECT_EQ(question->accessibleDescription(), "Which planet is red?");
  const char* const lines[] = {"answerA", "answerB", "answerC"};
  const char* const buttons[] = {"answerButtonA", "answerButtonB", "answerButtonC"};
  for (int slot = 0; slot < 3; ++slot) {
    const QString line = s.find<QLabel>(quiz, lines[slot])->text();
    EXPECT_EQ(s.find<QLabel>(quiz, lines[slot])->accessibleDescription(), line);
    EXPECT_EQ(s.find<QPushButton>(quiz, buttons[slot])->accessibleDescription(), line);
  }
  auto* countdown = s.find<QLabel>(quiz, "countdown");
  EXPECT_EQ(countdown->accessibleName(), "Seconds left");
  EXPECT_EQ(countdown->accessibleDescription(), "4");
  auto* turn = s.find<QSlider>(quiz, "turn");
  EXPECT_EQ(turn->accessibleName(), "Whose turn");
  EXPECT_EQ(turn->accessibleDescription(), "Player one answers");
  EXPECT_EQ(s.find<QLabel>(quiz, "playerName1")->accessibleDescription(), "Ann");

  s.answer(true);
  s.visit("quiz with the result");
  auto* result = s.find<QLabel>(quiz, "resultPanel");
  EXPECT_EQ(result->accessibleName(), "Result");
  EXPECT_EQ(result->accessibleDescription(), "CORRECT");
  EXPECT_EQ(turn->accessibleDescription(), "Player two answers");
  EXPECT_EQ(s.find<QLineEdit>(quiz, "score1")->accessibleName(), "Player one's score");
  EXPECT_EQ(s.find<QProgressBar>(quiz, "lives2")->accessibleName(), "Player two's lives");

  s.reachCountdown();
  s.answer(true);
  s.run([&] { game.screen<QuizScreen>().onContinue(); });
  NoticeView& notice = AppProbe::view<NoticeView>(*s.app);
  ASSERT_TRUE(notice.isVisible());
  EXPECT_EQ(s.find<QLabel>(notice, "hostLine")->accessibleDescription(),
            QString::fromUtf8(kDeadHeat));
  s.visit("notice");

  s.run([&] { game.screen<Notice>().onOk(); });
  ASSERT_TRUE(AppProbe::view<TieBreakView>(*s.app).isVisible());
  ASSERT_TRUE(AppProbe::view<CoinCallView>(*s.app).isVisible());
  s.visit("tie break with the coin call");
  EXPECT_EQ(
      s.find<QLabel>(AppProbe::view<TieBreakView>(*s.app), "playerName1")->accessibleDescription(),
      "Ann");

  s.run([&] { game.screen<CoinCall>().onHeads(); });
  s.run([&] { game.screen<TieBreak>().onTossPressed(); });
  for (int i = 0; i < TieBreak::kSpinTicks; ++i) s.run([&] { game.screen<TieBreak>().onTick(); });
  auto* coin = s.find<QLabel>(AppProbe::view<TieBreakView>(*s.app), "coinFace");
  EXPECT_EQ(coin->accessibleDescription(), coin->text());
  s.visit("tie break decided");
  s.run([&] { game.screen<TieBreak>().onTossPressed(); });

  FinaleView& finale = AppProbe::view<FinaleView>(*s.app);
  ASSERT_TRUE(finale.isVisible());
  s.visit("finale before the kill");
  s.run([&] { game.screen<Finale>().onKillPressed(); });
  ASSERT_TRUE(s.find<QWidget>(finale, "fallenAnvil")->isVisible());
  s.visit("finale after the kill");
  s.run([&] { game.screen<Finale>().onKillPressed(); });
  s.visit("title after a game");
  EXPECT_TRUE(s.errors.shown.empty());
}

TEST(Accessibility, TabReachesPlayOnTheTitleAndSpacePressesIt) {
  Show s;
  TitleView& title = s.app->titleView();
  s.run([&] { s.game().screen<TitleScreen>().onGroupChanged("quiz.set"); });
  s.activate(title);
  auto* play = s.find<QPushButton>(title, "playButton");
  for (int i = 0; i < 40 && title.focusWidget() != play; ++i) {
    QWidget* focus = title.focusWidget();
    QTest::keyClick(focus ? focus : &title, Qt::Key_Tab);
  }
  ASSERT_EQ(title.focusWidget(), play);
  EXPECT_TRUE(play->hasFocus());
  QTest::keyClick(play, Qt::Key_Space);
  EXPECT_TRUE(AppProbe::view<IntroductionView>(*s.app).isVisible()) << "the introduction began";
  EXPECT_TRUE(s.errors.shown.empty());
}

TEST(Accessibility, EnterPressesTheFocusedButtonOrElseTheWindowsDefault) {
  Show s;
  s.playToTheNotice(false);  // Ann wins on points
  NoticeView& notice = AppProbe::view<NoticeView>(*s.app);
  s.activate(notice);
  // With nothing focused, Enter is OK.
  if (QWidget* focus = notice.focusWidget()) focus->clearFocus();
  ASSERT_EQ(notice.focusWidget(), nullptr);
  QTest::keyClick(&notice, Qt::Key_Return);
  FinaleView& finale = AppProbe::view<FinaleView>(*s.app);
  ASSERT_TRUE(finale.isVisible());
  // The finale's one button, focused, takes Enter (here the keypad's) and Space alike.
  auto* kill = s.find<QPushButton>(finale, "killButton");
  s.activate(finale);
  kill->setFocus(Qt::TabFocusReason);
  QTest::keyClick(kill, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(kill->text(), "Back To Title");
  QTest::keyClick(kill, Qt::Key_Space);
  EXPECT_FALSE(finale.isVisible());
  EXPECT_TRUE(s.errors.shown.empty());
}

TEST(Accessibility, TheInternetDialogsLinksAndCopyButtonsWorkFromTheKeyboard) {
  Show s;
  s.run([&] { s.game().screen<TitleScreen>().onInternet(); });
  InternetSitesView& sites = AppProbe::view<InternetSitesView>(*s.app);
  s.activate(sites);
  const std::set<QWidget*> stops = tabStops(sites);
  auto* link = s.find<QLabel>(sites, "gameSite");
  auto* copy = s.find<QToolButton>(sites, "copyGameSite");
  ASSERT_TRUE(stops.count(link)) << "the link is a Tab stop";
  ASSERT_TRUE(stops.count(copy)) << "the copy button is a Tab stop";
  EXPECT_FALSE(link->accessibleName().isEmpty());
  EXPECT_EQ(link->accessibleDescription(), link->text()) << "the address is read out";

  link->setFocus(Qt::TabFocusReason);
  if (const QString dir = qEnvironmentVariable("ZNDL_SHOTS"); !dir.isEmpty())
    sites.grab().save(dir + QStringLiteral("/internet-link-focus.png"));
  QTest::keyClick(link, Qt::Key_Return);
  QTest::keyClick(link, Qt::Key_Space);
  ASSERT_EQ(s.desktop.opened.size(), 2u);
  EXPECT_EQ(s.desktop.opened[0], s.desktop.opened[1]);
  QTest::keyClick(link, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(s.desktop.opened.size(), 2u) << "a key with a modifier is not a press";

  copy->setFocus(Qt::TabFocusReason);
  QTest::keyClick(copy, Qt::Key_Space);
  EXPECT_FALSE(s.desktop.clipboard.empty());
  // A click keeps the keyboard where it was, as it did before the buttons took Tab.
  QTest::mouseClick(s.find<QToolButton>(sites, "copyMakerSite"), Qt::LeftButton);
  EXPECT_EQ(sites.focusWidget(), copy);

  QTest::keyClick(copy, Qt::Key_Return);
  EXPECT_TRUE(sites.isVisible()) << "Enter on a copy button copies, it does not close";
  QTest::keyClick(&sites, Qt::Key_Return);
  EXPECT_TRUE(sites.isVisible()) << "still on the copy button";
  s.find<QPushButton>(sites, "okButton")->setFocus(Qt::TabFocusReason);
  QTest::keyClick(s.find<QPushButton>(sites, "okButton"), Qt::Key_Return);
  EXPECT_FALSE(sites.isVisible()) << "OK closed the dialog";
}

TEST(Accessibility, TheSpeechDelayStepsWithTheArrowKeysAndEnterIsOk) {
  Show s;
  s.run([&] { s.game().screen<TitleScreen>().onMore(); });
  SettingsDialogView& settings = AppProbe::view<SettingsDialogView>(*s.app);
  s.activate(settings);
  QLineEdit* field = settings.speechDelayField();
  field->setFocus(Qt::TabFocusReason);
  QTest::keyClick(field, Qt::Key_Up);
  QTest::keyClick(field, Qt::Key_Up);
  QTest::keyClick(field, Qt::Key_Down);
  EXPECT_EQ(field->text(), "2501");
  QTest::keyClick(field, Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(field->text(), "2501");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_FALSE(settings.isVisible());
  EXPECT_EQ(s.game().screen<Introduction>().tickTimer.interval, 2501);
}

TEST(Accessibility, AFocusedButtonOnTheQuizNeverSwallowsTheAnswerKeys) {
  Show s;
  s.chooseGroupAndPlay();
  s.run([&] { s.game().screen<Introduction>().onSkip(); });
  QuizView& quiz = AppProbe::view<QuizView>(*s.app);
  s.activate(quiz);
  // Space on CONTINUE starts the question; CONTINUE goes, and the keyboard moves on to
  // the next button, which must let the answer keys through to the window.
  auto* next = s.find<QPushButton>(quiz, "continueButton");
  next->setFocus(Qt::TabFocusReason);
  QTest::keyClick(next, Qt::Key_Space);
  ASSERT_EQ(s.game().screen<QuizScreen>().step, QuestionStep::revealQuestion);
  EXPECT_FALSE(next->isVisible());
  QWidget* holder = quiz.focusWidget();
  ASSERT_NE(holder, nullptr);
  ASSERT_NE(holder, next);
  for (int i = 0; i < 4; ++i) s.run([&] { s.game().screen<QuizScreen>().onTick(); });
  ASSERT_EQ(s.game().screen<QuizScreen>().step, QuestionStep::countdown);
  const int right = s.game().screen<QuizScreen>().correctSlot;
  QTest::keyClick(holder, right == 1 ? Qt::Key_A : right == 2 ? Qt::Key_B : Qt::Key_C);
  EXPECT_EQ(s.game().screen<QuizScreen>().step, QuestionStep::answeredRight)
      << "answered by key from " << holder->objectName().toStdString();
  s.run([&] { s.game().screen<QuizScreen>().onTick(); });
  EXPECT_EQ(s.game().screen<QuizScreen>().scores[kFirstContestant], 1);

  // And a focused answer button pressed with Enter answers with its own letter.
  s.reachCountdown();
  const char* const buttons[] = {"answerButtonA", "answerButtonB", "answerButtonC"};
  auto* button = s.find<QPushButton>(quiz, buttons[s.game().screen<QuizScreen>().correctSlot - 1]);
  button->setFocus(Qt::TabFocusReason);
  QTest::keyClick(button, Qt::Key_Return);
  EXPECT_EQ(s.game().screen<QuizScreen>().step, QuestionStep::answeredRight);
}

// The keys for size, full screen and music are there on every window, each with a
// description a screen reader can give, and each window's description names them.
TEST(Accessibility, EveryWindowOffersTheSizeFullScreenAndMusicKeysWithDescriptions) {
  Show s;
  const std::map<QString, QKeySequence> expected = {
      {QStringLiteral("biggerAction"), QKeySequence(Qt::CTRL | Qt::Key_Plus)},
      {QStringLiteral("smallerAction"), QKeySequence(Qt::CTRL | Qt::Key_Minus)},
      {QStringLiteral("fitAction"), QKeySequence(Qt::CTRL | Qt::Key_0)},
      {QStringLiteral("fullScreenAction"), QKeySequence(Qt::Key_F11)},
      {QStringLiteral("muteAction"), QKeySequence(Qt::Key_M)}};
  const auto& views = AppProbe::views(*s.app);
  for (std::size_t i = 0; i < views.size(); ++i) {
    ScreenView* view = views[i];
    std::map<QString, QAction*> found;
    for (QAction* action : view->actions()) found[action->objectName()] = action;
    for (const auto& [name, key] : expected) {
      ASSERT_TRUE(found.count(name)) << kWindowNames[i] << " lacks " << name.toStdString();
      QAction* action = found[name];
      EXPECT_TRUE(action->shortcuts().contains(key))
          << kWindowNames[i] << " " << name.toStdString();
      EXPECT_FALSE(action->text().isEmpty());
      EXPECT_FALSE(action->toolTip().isEmpty());
      EXPECT_FALSE(action->whatsThis().isEmpty());
      EXPECT_EQ(action->shortcutContext(), Qt::WindowShortcut)
          << "a key of one window must not act from another";
    }
    EXPECT_TRUE(found[QStringLiteral("biggerAction")]->shortcuts().contains(
        QKeySequence(Qt::CTRL | Qt::Key_Equal)));
    const QString description = view->accessibleDescription();
    for (const char* word : {"Ctrl+Plus", "Ctrl+Minus", "Ctrl+0", "F11", "M turns the music"})
      EXPECT_TRUE(description.contains(QString::fromLatin1(word)))
          << kWindowNames[i] << ": " << word;
    // Said once, however often the window is shown again at another size.
    EXPECT_EQ(description.count(QStringLiteral("Keys on every screen")), 1) << kWindowNames[i];
  }
  s.app->setPresentation(Presentation{2, false, false});
  s.app->setPresentation(Presentation{1, false, false});
  EXPECT_EQ(views[0]->accessibleDescription().count(QStringLiteral("Keys on every screen")), 1);
  // The title has one key more, the phones' (P), and no other window has it.
  EXPECT_EQ(views[0]->actions().size(), 6) << "the keys are added once";
  for (std::size_t i = 0; i < views.size(); ++i) {
    const QList<QAction*> actions = views[i]->actions();
    const bool phones = std::any_of(actions.begin(), actions.end(), [](QAction* action) {
      return action->objectName() == QLatin1String("phonesAction") &&
             action->shortcuts().contains(QKeySequence(Qt::Key_P));
    });
    EXPECT_EQ(phones, i == 0) << kWindowNames[i];
  }
  EXPECT_TRUE(views[0]->accessibleDescription().contains(QStringLiteral("P lets the contestants")));
}
