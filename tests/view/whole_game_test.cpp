#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <iostream>
#include <set>

#include "fakes/test_app.h"
#include "fakes/test_game.h"
#include "finale/verdicts.h"
#include "finale/zndl6_view.h"
#include "finale/zndl7_view.h"
#include "finale/zndl8_view.h"
#include "finale/zndl9_view.h"
#include "host/zndl3_view.h"
#include "quiz/zndl2_view.h"
#include "shell/zndl1_view.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

// A group of `count` questions: 1 + n? with the answer n + 1. The last CONTINUE finds
// no marker after the last question and ends the game there.
std::string group(int count) {
  std::string out = "Sums for beginners\r\n";
  for (int n = 1; n <= count + 1; ++n) {
    out += "[" + std::to_string(n) + "]\r\n1 + " + std::to_string(n) + "?\r\n";
    out += std::to_string(n + 1) + "\r\n" + std::to_string(n + 2) + "\r\n" + std::to_string(n + 3) +
           "\r\n";
  }
  return out;
}

// The whole program, played through its windows from the title screen and back, as
// often as the players like.
class WholeGame : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Rover", "0", "3", "5", "10"));
    writeFile("short.set", group(2));
    writeFile("long.set", group(14));
    writeFile("prizes", "Prizes\r\na signed photo of Pembril\r\n");
    for (const char* list : {"banter", "describe", "jobs", "after.job"})
      writeFile(list, "first\r\nsecond\r\nthird\r\n");
    t.start();
    // The test ticks the timers itself, so a slow machine cannot slip in a tick.
    t.app->quizTimer().stop();
    t.app->introTimer().stop();
    t.app->tieBreakTimer().stop();
    ASSERT_TRUE(t.errors.shown.empty()) << t.errors.shown.front();
  }

  Game& game() { return t.game(); }
  void run(const std::function<void()>& handler) { t.app->dispatch(handler); }

  // The windows on view, by their screens' names.
  std::set<std::string> shown() {
    // The windows in the screens' creation order.
    const char* names[] = {"title",  "quiz",     "intro",    "settings", "notice",
                           "finale", "tiebreak", "coincall", "internet"};
    std::set<std::string> out;
    const auto& views = t.app->views();
    for (size_t i = 0; i < views.size(); ++i)
      if (views[i]->isVisible()) out.insert(names[i]);
    return out;
  }

  // Clicks a button on a window; should another window's button not be found under
  // its control's name, its handler is run directly instead.
  void click(QWidget& view, const char* name, const std::function<void()>& fallback = {}) {
    auto* button = view.findChild<QPushButton*>(QString::fromLatin1(name));
    if (!button && fallback) {
      std::cerr << "note: no button " << name << " on " << view.metaObject()->className()
                << "; running its handler\n";
      run(fallback);
      return;
    }
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isVisible()) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  QString text(QWidget& view, const char* name) {
    auto* label = view.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QString();
  }

  void chooseGroup(const QString& name) {
    auto* box = t.app->titleView().findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    if (box) {
      const int index = box->findText(name);
      ASSERT_GE(index, 0) << name.toStdString();
      box->setCurrentIndex(index);
    } else {
      std::cerr << "note: no ComboBox1 on the title window; choosing through the screen\n";
      run([&] { game().ZNDLbox1.ComboBox1Change(name.toStdString()); });
    }
    ASSERT_EQ(game().ZNDLbox1.ComboBox1.text, name.toStdString());
  }

  // Play, then Skip the introduction: the quiz is on view.
  void startGame() {
    TZNDLbox1& title = game().ZNDLbox1;
    click(t.app->titleView(), "PlayBut", [&] { title.PlayButClick(); });
    ASSERT_EQ(shown(), (std::set<std::string>{"title", "intro"}));
    EXPECT_EQ(game().AnvilBox.Kill.caption, "Kill");
    click(t.app->chatView(), "Button1", [&] { game().ChatBox.Button1Click(); });
    ASSERT_EQ(shown(), (std::set<std::string>{"title", "quiz"}));
  }

  // One question: CONTINUE, the reveal, then the answer (right, wrong or none at all).
  enum class Answer { Right, Wrong, TimeOut };
  void question(Answer answer) {
    TPlayBox& quiz = game().PlayBox;
    click(t.app->quizView(), "Button2", [&] { quiz.Button2Click(); });
    ASSERT_EQ(game().QuestionStep, 1) << "the game went on";
    for (int i = 0; i < 4; ++i) run([&] { quiz.Timer1Timer(); });
    ASSERT_EQ(game().QuestionStep, kCountdown);
    if (answer != Answer::TimeOut) {
      const int slot = answer == Answer::Right ? game().CorrectSlot : game().CorrectSlot % 3 + 1;
      const char* names[] = {"A", "B", "C"};
      const std::function<void()> handlers[] = {[&] { quiz.AClick(); }, [&] { quiz.BClick(); },
                                                [&] { quiz.CClick(); }};
      click(t.app->quizView(), names[slot - 1], handlers[slot - 1]);
    }
    for (int i = 0; i < 20 && game().QuestionStep != 0; ++i) run([&] { quiz.Timer1Timer(); });
    ASSERT_EQ(game().QuestionStep, 0) << "judged";
  }
  // The CONTINUE that finds the game over.
  void lastContinue() {
    click(t.app->quizView(), "Button2", [&] { game().PlayBox.Button2Click(); });
    ASSERT_EQ(shown(), (std::set<std::string>{"title", "notice"}));
  }

  // Kill, then Back To Title: only the title screen is left, silent.
  void killAndGoBack(const std::string& winner) {
    AnvilView& finale = t.app->anvilView();
    click(finale, "Kill");
    EXPECT_TRUE(finale.findChild<QWidget*>(QStringLiteral("Image2"))->isVisible());
    EXPECT_EQ(text(finale, "ChatText").toStdString(),
              prizeLine(winner, "a signed photo of Pembril"));
    t.titleTune.log.clear();
    click(finale, "Kill");
    EXPECT_EQ(shown(), (std::set<std::string>{"title"}));
    EXPECT_EQ(t.titleTune.log, std::vector<std::string>{"open ZNDL.MID"});
    EXPECT_FALSE(t.titleTune.playing);
    EXPECT_EQ(finale.findChild<QPushButton*>(QStringLiteral("Kill"))->text(), "Back To Title");
    QuizView& quiz = t.app->quizView();
    EXPECT_EQ(game().PlayBox.Score1, "0");
    EXPECT_EQ(game().PlayBox.Lives2, 5);
    EXPECT_EQ(text(quiz, "Label6"), "ZANDOODLE CONTINUES...");
    EXPECT_EQ(text(quiz, "Label10"), "3.1");
  }

  TestApp t;
};

TEST_F(WholeGame, TwoGamesOneWonOnPointsOneSettledByTheCoin) {
  EXPECT_EQ(shown(), (std::set<std::string>{"title"}));
  EXPECT_EQ(t.titleTune.played(), std::vector<std::string>{"ZNDL.MID"});
  chooseGroup("short.set");

  // Game one: Ann answers right, Bob wrong; Bob's dog Rover is for the anvil.
  startGame();
  EXPECT_EQ(t.titleTune.log.back(), "close") << "the introduction's end silences the title";
  question(Answer::Right);
  question(Answer::Wrong);
  lastContinue();
  NoticeView& notice = t.app->noticeView();
  EXPECT_EQ(text(notice, "ChatText").toStdString(),
            morePointsVerdict("Ann", "Bob", "Dog", "Rover"));
  EXPECT_EQ(game().Winner, 1);
  click(notice, "Button1");
  EXPECT_EQ(shown(), (std::set<std::string>{"title", "notice", "finale"}));
  AnvilView& finale = t.app->anvilView();
  EXPECT_EQ(text(finale, "ChatText").toStdString(), honoursCall("Ann"));
  EXPECT_TRUE(finale.findChild<QWidget*>(QStringLiteral("Dog"))->isVisible());
  EXPECT_FALSE(finale.findChild<QWidget*>(QStringLiteral("Hamster"))->isVisible());
  killAndGoBack("Ann");

  // Game two, same run: both right, a dead heat, and the coin decides.
  startGame();
  EXPECT_EQ(finale.findChild<QPushButton*>(QStringLiteral("Kill"))->text(), "Kill");
  question(Answer::Right);
  question(Answer::Right);
  lastContinue();
  EXPECT_EQ(text(notice, "ChatText").toStdString(), kDeadHeat);
  EXPECT_EQ(game().Winner, 0);
  t.random.script = {1, 1};  // Bob calls; the coin lands on Tails
  click(notice, "Button1");
  EXPECT_EQ(shown(), (std::set<std::string>{"title", "notice", "tiebreak", "coincall"}));
  CoinCallView& call = t.app->coinCallView();
  TieBreakView& tieBreak = t.app->tieBreakView();
  EXPECT_EQ(text(call, "Label1"), "Please call,Bob");
  EXPECT_EQ(text(tieBreak, "Label2"), "Ann");
  EXPECT_EQ(text(tieBreak, "Label7"), "Dog");
  click(call, "Button1");  // Heads
  EXPECT_EQ(shown(), (std::set<std::string>{"title", "notice", "tiebreak"}));
  click(tieBreak, "Button1");  // TOSS THE COIN
  auto* toss = tieBreak.findChild<QPushButton*>(QStringLiteral("Button1"));
  EXPECT_EQ(toss->text(), "KILL THE PET");
  EXPECT_FALSE(toss->isEnabled());
  for (int i = 0; i < TTieBreakBox::kSpinTicks; ++i) run([&] { game().TieBreakBox.Timer1Timer(); });
  EXPECT_EQ(text(tieBreak, "Label1"), "Tails");
  EXPECT_EQ(game().Winner, 1) << "Bob called Heads and the coin showed Tails";
  click(tieBreak, "Button1");  // KILL THE PET
  EXPECT_EQ(shown(), (std::set<std::string>{"title", "notice", "finale"}));
  EXPECT_EQ(text(finale, "ChatText").toStdString(), honoursCall("Ann"));
  EXPECT_TRUE(finale.findChild<QWidget*>(QStringLiteral("Dog"))->isVisible());
  killAndGoBack("Ann");
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST_F(WholeGame, FiveLostLivesDecideTheGameWhateverThePoints) {
  chooseGroup("long.set");
  startGame();
  // Ann answers her first two right, then lets five run out of time; Bob gets four
  // wrong and two right. Level on points, but Ann has no lives left.
  const Answer ann[] = {Answer::Right,   Answer::Right,   Answer::TimeOut, Answer::TimeOut,
                        Answer::TimeOut, Answer::TimeOut, Answer::TimeOut};
  const Answer bob[] = {Answer::Wrong, Answer::Wrong, Answer::Wrong,
                        Answer::Wrong, Answer::Right, Answer::Right};
  for (int turn = 0; turn < 7; ++turn) {
    question(ann[turn]);
    if (turn < 6) question(bob[turn]);
  }
  EXPECT_EQ(game().PlayBox.Score1, "2");
  EXPECT_EQ(game().PlayBox.Score2, "2");
  EXPECT_EQ(game().PlayBox.Lives2, 1);
  EXPECT_EQ(game().PlayBox.Lives1, 0);
  lastContinue();
  NoticeView& notice = t.app->noticeView();
  EXPECT_EQ(text(notice, "ChatText").toStdString(),
            "\u201CWell, looks like Ann got 5 questions wrong, so Fluffy will be killed in just a "
            "few moments.\u201D");
  EXPECT_EQ(game().Winner, 2);
  click(notice, "Button1");
  AnvilView& finale = t.app->anvilView();
  EXPECT_EQ(text(finale, "ChatText").toStdString(), honoursCall("Bob"));
  EXPECT_TRUE(finale.findChild<QWidget*>(QStringLiteral("Hamster"))->isVisible());
  EXPECT_FALSE(finale.findChild<QWidget*>(QStringLiteral("Dog"))->isVisible());
  killAndGoBack("Bob");

  // And once more in the same run, now on the short group: a dead heat at nil all.
  chooseGroup("short.set");
  startGame();
  question(Answer::Wrong);
  question(Answer::Wrong);
  lastContinue();
  EXPECT_EQ(text(notice, "ChatText").toStdString(), kDeadHeat);
  t.random.script = {0, 0};  // Ann calls; Heads
  click(notice, "Button1");
  click(t.app->coinCallView(), "Button1");
  click(t.app->tieBreakView(), "Button1");
  for (int i = 0; i < TTieBreakBox::kSpinTicks; ++i) run([&] { game().TieBreakBox.Timer1Timer(); });
  click(t.app->tieBreakView(), "Button1");
  EXPECT_EQ(text(finale, "ChatText").toStdString(), honoursCall("Ann"));
  EXPECT_TRUE(finale.findChild<QWidget*>(QStringLiteral("Dog"))->isVisible());
  EXPECT_FALSE(finale.findChild<QWidget*>(QStringLiteral("Hamster"))->isVisible());
  killAndGoBack("Ann");
  EXPECT_TRUE(t.errors.shown.empty());
}

}  // namespace
