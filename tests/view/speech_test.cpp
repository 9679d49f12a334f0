// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QtGlobal>
#include <string>
#include <utility>
#include <vector>

#include "adapters/qt_announce.h"
#include "fakes/app_probe.h"
#include "fakes/test_app.h"
#include "fakes/test_game.h"
#include "finale/ui/coin_call_view.h"
#include "finale/ui/finale_view.h"
#include "finale/ui/notice_view.h"
#include "finale/ui/tie_break_view.h"
#include "finale/verdicts.h"
#include "host/ui/introduction_view.h"
#include "quiz/ui/quiz_view.h"
#include "shell/ui/internet_sites_view.h"
#include "shell/ui/title_view.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

using Lines = std::vector<std::string>;

// One question, so the CONTINUE after its result ends the game.
const char* const kOneQuestion =
    "(ZNDL v4)\r\n"
    "[1]\r\nWhich planet is red?\r\n[1-YES]\r\nMars\r\n[1-NO]\r\nVenus\r\nPluto\r\n"
    "[2]\r\n";
const char* const kTwoQuestions =
    "(ZNDL v4)\r\n"
    "[1]\r\nWhich planet is red?\r\n[1-YES]\r\nMars\r\n[1-NO]\r\nVenus\r\nPluto\r\n"
    "[2]\r\nWhat do bees make?\r\n[2-YES]\r\nHoney\r\n[2-NO]\r\nJam\r\nCheese\r\n"
    "[3]\r\n";

// The real windows over a game between Ann (Fluffy the Hamster) and Bob (Rover the
// Dog), five seconds each, with a short introduction; the timers are held still and
// the tests tick them. Everything announced is heard here, with the window it came
// from.
struct Heard : TestApp {
  std::vector<std::pair<QWidget*, std::string>> announced;

  explicit Heard(const char* group = kOneQuestion) {
    setAnnouncementListener([this](QWidget* window, const QString& text) {
      announced.emplace_back(window, text.toStdString());
    });
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Rover", "0", "3", "5", "5"));
    writeFile("quick.set", group);
    writeFile("banter", "Hello and welcome!\r\n<NAMES>\r\n<END>\r\n");
    writeFile("prizes", "Prizes\r\na signed photo of Pembril\r\n");
    for (const char* list : {"describe", "jobs", "after.job"})
      writeFile(list, "first\r\nsecond\r\nthird\r\n");
    start();
    AppProbe::timer<QuizScreen>(*app).stop();
    AppProbe::timer<Introduction>(*app).stop();
    AppProbe::timer<TieBreak>(*app).stop();
  }
  ~Heard() { setAnnouncementListener(nullptr); }

  void run(const std::function<void()>& handler) { app->dispatch(handler); }
  Lines take() {
    Lines lines;
    for (auto& [window, text] : announced) lines.push_back(text);
    announced.clear();
    return lines;
  }
  // Every announcement so far came from this window, and it was on view.
  void expectAllFrom(QWidget& window) {
    for (auto& [from, text] : announced) {
      EXPECT_EQ(from, &window) << text;
      EXPECT_TRUE(from->isVisible()) << text;
    }
  }

  void play() {
    run([this] {
      game().screen<TitleScreen>().onGroupChanged("quick.set");
      game().screen<TitleScreen>().onPlay();
    });
  }
  void introduce() {
    for (int i = 0; i < 10 && !AppProbe::view<QuizView>(*app).isVisible(); ++i)
      run([this] { game().screen<Introduction>().onTick(); });
    ASSERT_TRUE(AppProbe::view<QuizView>(*app).isVisible());
  }
  void quizTick(int times = 1) {
    for (int i = 0; i < times; ++i) run([this] { game().screen<QuizScreen>().onTick(); });
  }
  void answer(bool right) {
    const int slot = right ? game().screen<QuizScreen>().correctSlot
                           : game().screen<QuizScreen>().correctSlot % 3 + 1;
    QuizScreen& quiz = game().screen<QuizScreen>();
    run([&] {
      slot == 1 ? quiz.onAnswer(kSlotA) : slot == 2 ? quiz.onAnswer(kSlotB) : quiz.onAnswer(kSlotC);
    });
  }
  // The one question answered, and the CONTINUE that ends the game.
  void playToTheNotice(bool right) {
    play();
    introduce();
    run([this] { game().screen<QuizScreen>().onContinue(); });
    quizTick(4);
    answer(right);
    quizTick();
    run([this] { game().screen<QuizScreen>().onContinue(); });
    ASSERT_TRUE(AppProbe::view<NoticeView>(*app).isVisible());
  }
};

std::string quoted(const std::string& text) {
  return "\u201C" + text + "\u201D";
}

}  // namespace

TEST(Speech, AGameFromPlayToTheFirstResultIsHeardInTheOrderItAppears) {
  Heard h;
  QCoreApplication::processEvents();
  EXPECT_EQ(h.take(), Lines{}) << "nothing at start-up: the title is read as a window";

  h.play();
  h.introduce();
  EXPECT_EQ(h.take(), (Lines{quoted("Hello and welcome!"),
                             quoted("And now let\u2019s meet our contestants, Ann and Bob")}));

  QuizView& quiz = AppProbe::view<QuizView>(*h.app);
  h.run([&] { h.game().screen<QuizScreen>().onContinue(); });
  h.quizTick(4);
  const QuizScreen& box = h.game().screen<QuizScreen>();
  h.expectAllFrom(quiz);
  EXPECT_EQ(h.take(), (Lines{"Ann to answer", "Which planet is red?", box.answerA.text,
                             box.answerB.text, box.answerC.text, "4 seconds"}));
  for (const std::string& line : {box.answerA.text, box.answerB.text, box.answerC.text})
    EXPECT_NE(line.find("- "), std::string::npos) << line;

  h.answer(true);
  h.quizTick();
  EXPECT_EQ(h.take(), Lines{"CORRECT. Ann 1 point, 5 lives; Bob 0 points, 5 lives"});
  h.quizTick(3);
  EXPECT_EQ(h.take(), Lines{}) << "between questions nothing more is said";
  EXPECT_TRUE(h.errors.shown.empty());
}

TEST(Speech, TheVerdictTheTieBreakAndTheFinaleAreHeardAsTheyComeUp) {
  Heard h;
  Game& game = h.game();
  h.playToTheNotice(true);  // Ann scored: she wins
  Lines said = h.take();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.back(), h.game().screen<Notice>().hostLine.text) << "the verdict";
  EXPECT_NE(said.back(), kDeadHeat);

  h.run([&] { game.screen<Notice>().onOk(); });
  FinaleView& finale = AppProbe::view<FinaleView>(*h.app);
  ASSERT_TRUE(finale.isVisible());
  h.expectAllFrom(finale);
  EXPECT_EQ(h.take(), Lines{honoursCall("Ann")});
  h.run([&] { game.screen<Finale>().onKillPressed(); });
  EXPECT_EQ(h.take(), Lines{prizeLine("Ann", "a signed photo of Pembril")});
  h.run([&] { game.screen<Finale>().onKillPressed(); });
  EXPECT_EQ(h.take(), Lines{}) << "back at the title";
}

TEST(Speech, ADeadHeatIsSettledAloudWithoutTheSpinningFaces) {
  Heard h(kTwoQuestions);
  Game& game = h.game();
  // A level game: the time runs out on both contestants' questions.
  h.play();
  h.introduce();
  for (int question = 0; question < 2; ++question) {
    h.run([&] { game.screen<QuizScreen>().onContinue(); });
    h.quizTick(8);
  }
  h.run([&] { game.screen<QuizScreen>().onContinue(); });
  ASSERT_TRUE(AppProbe::view<NoticeView>(*h.app).isVisible());
  Lines said = h.take();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.back(), kDeadHeat);

  h.random.script.push_back(0);  // Ann calls
  h.run([&] { game.screen<Notice>().onOk(); });
  ASSERT_TRUE(AppProbe::view<TieBreakView>(*h.app).isVisible());
  ASSERT_TRUE(AppProbe::view<CoinCallView>(*h.app).isVisible());
  EXPECT_EQ(h.take(),
            (Lines{"Tie Break", "Ann with Fluffy the Hamster, against Bob with Rover the Dog",
                   "Please call,Ann"}));

  h.run([&] { game.screen<CoinCall>().onHeads(); });
  h.random.script.push_back(0);  // heads
  h.run([&] { game.screen<TieBreak>().onTossPressed(); });
  for (int i = 0; i < TieBreak::kSpinTicks; ++i) h.run([&] { game.screen<TieBreak>().onTick(); });
  EXPECT_EQ(h.take(), Lines{"Heads"}) << "only where the coin lands";
  h.run([&] { game.screen<TieBreak>().onTossPressed(); });
  ASSERT_TRUE(AppProbe::view<FinaleView>(*h.app).isVisible());
  EXPECT_EQ(h.take(), Lines{honoursCall("Ann")});
  EXPECT_TRUE(h.errors.shown.empty());
}

TEST(Speech, TheClipboardCarrierIsNeverFocusedShownOrHeard) {
  Heard h;
  h.run([&] { h.game().screen<InternetSites>().show(); });
  InternetSitesView& sites = AppProbe::view<InternetSitesView>(*h.app);
  ASSERT_TRUE(sites.isVisible());
  QLineEdit* carrier = sites.copyCarrier();
  EXPECT_FALSE(carrier->isVisible());
  EXPECT_EQ(carrier->focusPolicy(), Qt::NoFocus);
  QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(carrier);
  ASSERT_NE(spoken, nullptr);
  EXPECT_FALSE(spoken->isValid()) << "Qt sends screen readers nothing from it";
  // Qt asks the dialog for its children by widget: the carrier is none a reader reads.
  QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(&sites);
  for (int i = 0; i < dialog->childCount(); ++i) {
    QAccessibleInterface* child = dialog->child(i);
    if (child && child->isValid()) {
      EXPECT_NE(child->object(), carrier);
    }
  }
  h.run([&] { h.game().screen<InternetSites>().onCopyGameSite(); });
  EXPECT_EQ(carrier->selectedText(), carrier->text()) << "still carries the text";
  EXPECT_EQ(h.take(), Lines{});
}

TEST(Speech, AHiddenWindowSaysNothingAndIsHeardAfreshWhenItComesBack) {
  Heard h;
  h.play();
  h.run([&] { h.game().screen<Introduction>().onTick(); });
  h.run([&] { h.game().screen<Introduction>().onTick(); });
  EXPECT_EQ(h.take(), Lines{quoted("Hello and welcome!")});
  // The window put away in the middle of a line: the line stays, nothing is said.
  h.run([&] { h.game().screen<Introduction>().close(); });
  h.run([&] { h.game().screen<Introduction>().hostLine.text = quoted("Unseen"); });
  EXPECT_EQ(h.take(), Lines{});
  h.run([&] { h.game().screen<Introduction>().show(); });
  EXPECT_EQ(h.take(), Lines{quoted("Unseen")});
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// Before Qt 6.8 an announcement is a hidden notification under a hidden status bar,
// named with the text; several take turns so that quick announcements all arrive.
TEST(Speech, AnAnnouncementIsANotificationUnderAStatusBarTakingTurns) {
  Heard h;
  TitleView& title = h.app->titleView();
  announce(&title, QStringLiteral("one"));
  announce(&title, QStringLiteral("two"));
  auto* bar = title.findChild<QWidget*>(QStringLiteral("screenReaderNotifications"));
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->isVisible()) << "nothing is drawn";
  QAccessibleInterface* status = QAccessible::queryAccessibleInterface(bar);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->role(), QAccessible::StatusBar);
  ASSERT_GE(status->childCount(), 2);
  QStringList names;
  for (int i = 0; i < status->childCount(); ++i) {
    QAccessibleInterface* note = status->child(i);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->role(), QAccessible::Notification);
    names << note->text(QAccessible::Name);
  }
  EXPECT_EQ(names.indexOf(QStringLiteral("one")), 0);
  EXPECT_EQ(names.indexOf(QStringLiteral("two")), 1) << "a second object, not the first again";
  for (QWidget* w : bar->findChildren<QWidget*>()) EXPECT_EQ(w->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(h.take(), (Lines{"one", "two"}));
}
#endif
