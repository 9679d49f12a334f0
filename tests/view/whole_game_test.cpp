// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <iostream>
#include <set>

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
#include "shell/ui/title_view.h"

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
    AppProbe::timer<QuizScreen>(*t.app).stop();
    AppProbe::timer<Introduction>(*t.app).stop();
    AppProbe::timer<TieBreak>(*t.app).stop();
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
    const auto& views = AppProbe::views(*t.app);
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
    auto* box = t.app->titleView().findChild<QComboBox*>(QStringLiteral("groupBox"));
    if (box) {
      const int index = box->findText(name);
      ASSERT_GE(index, 0) << name.toStdString();
      box->setCurrentIndex(index);
    } else {
      std::cerr << "note: no ComboBox1 on the title window; choosing through the screen\n";
      run([&] { game().screen<TitleScreen>().onGroupChanged(name.toStdString()); });
    }
    ASSERT_EQ(game().screen<TitleScreen>().groupBox.text, name.toStdString());
  }

  // Play, then Skip the introduction: the quiz is on view.
  void startGame() {
    TitleScreen& title = game().screen<TitleScreen>();
    click(t.app->titleView(), "playButton", [&] { title.onPlay(); });
    ASSERT_EQ(shown(), (std::set<std::string>{"title", "intro"}));
    EXPECT_EQ(game().screen<Finale>().killButton().caption, "Kill");
    click(AppProbe::view<IntroductionView>(*t.app), "skipButton",
          [&] { game().screen<Introduction>().onSkip(); });
    ASSERT_EQ(shown(), (std::set<std::string>{"title", "quiz"}));
  }

  // One question: CONTINUE, the reveal, then the answer (right, wrong or none at all).
  enum class Answer { Right, Wrong, TimeOut };
  void question(Answer answer) {
    QuizScreen& quiz = game().screen<QuizScreen>();
    click(AppProbe::view<QuizView>(*t.app), "continueButton", [&] { quiz.onContinue(); });
    ASSERT_EQ(game().screen<QuizScreen>().step, QuestionStep::revealQuestion) << "the game went on";
    for (int i = 0; i < 4; ++i) run([&] { quiz.onTick(); });
    ASSERT_EQ(game().screen<QuizScreen>().step, QuestionStep::countdown);
    if (answer != Answer::TimeOut) {
      const int slot = answer == Answer::Right ? game().screen<QuizScreen>().correctSlot
                                               : game().screen<QuizScreen>().correctSlot % 3 + 1;
      const char* names[] = {"A", "B", "C"};
      const std::function<void()> handlers[] = {[&] { quiz.onAnswer(kSlotA); },
                                                [&] { quiz.onAnswer(kSlotB); },
                                                [&] { quiz.onAnswer(kSlotC); }};
      click(AppProbe::view<QuizView>(*t.app), names[slot - 1], handlers[slot - 1]);
    }
    for (int i = 0; i < 20 && game().screen<QuizScreen>().step != QuestionStep::idle; ++i)
      run([&] { quiz.onTick(); });
    ASSERT_EQ(game().screen<QuizScreen>().step, QuestionStep::idle) << "judged";
  }
  // The CONTINUE that finds the game over.
  void lastContinue() {
    click(AppProbe::view<QuizView>(*t.app), "continueButton",
          [&] { game().screen<QuizScreen>().onContinue(); });
    ASSERT_EQ(shown(), (std::set<std::string>{"title", "notice"}));
  }

  // Kill, then Back To Title: only the title screen is left, silent.
  void killAndGoBack(const std::string& winner) {
    FinaleView& finale = AppProbe::view<FinaleView>(*t.app);
    click(finale, "killButton");
    EXPECT_TRUE(finale.findChild<QWidget*>(QStringLiteral("fallenAnvil"))->isVisible());
    EXPECT_EQ(text(finale, "hostLine").toStdString(),
              prizeLine(winner, "a signed photo of Pembril"));
    t.titleTune.log.clear();
    click(finale, "killButton");
    EXPECT_EQ(shown(), (std::set<std::string>{"title"}));
    EXPECT_EQ(t.titleTune.log, std::vector<std::string>{"open ZNDL.MID"});
    EXPECT_FALSE(t.titleTune.playing);
    EXPECT_EQ(finale.findChild<QPushButton*>(QStringLiteral("killButton"))->text(),
              "Back To Title");
    QuizView& quiz = AppProbe::view<QuizView>(*t.app);
    EXPECT_EQ(game().screen<QuizScreen>().scores[kFirstContestant], 0);
    EXPECT_EQ(game().screen<QuizScreen>().lives[kSecondContestant], 5);
    EXPECT_EQ(text(quiz, "question"), "ZANDOODLE CONTINUES...");
    EXPECT_EQ(text(quiz, "countdown"), "3.1");
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
  NoticeView& notice = AppProbe::view<NoticeView>(*t.app);
  EXPECT_EQ(text(notice, "hostLine").toStdString(),
            morePointsVerdict("Ann", "Bob", "Dog", "Rover"));
  EXPECT_EQ(game().winner, 1);
  click(notice, "okButton");
  EXPECT_EQ(shown(), (std::set<std::string>{"title", "notice", "finale"}));
  FinaleView& finale = AppProbe::view<FinaleView>(*t.app);
  EXPECT_EQ(text(finale, "hostLine").toStdString(), honoursCall("Ann"));
  EXPECT_TRUE(finale.findChild<QWidget*>(QStringLiteral("dog"))->isVisible());
  EXPECT_FALSE(finale.findChild<QWidget*>(QStringLiteral("hamster"))->isVisible());
  killAndGoBack("Ann");

  // Game two, same run: both right, a dead heat, and the coin decides.
  startGame();
  EXPECT_EQ(finale.findChild<QPushButton*>(QStringLiteral("killButton"))->text(), "Kill");
  question(Answer::Right);
  question(Answer::Right);
  lastContinue();
  EXPECT_EQ(text(notice, "hostLine").toStdString(), kDeadHeat);
  EXPECT_EQ(game().winner, 0);
  t.random.script = {1, 1};  // Bob calls; the coin lands on Tails
  click(notice, "okButton");
  EXPECT_EQ(shown(), (std::set<std::string>{"title", "notice", "tiebreak", "coincall"}));
  CoinCallView& call = AppProbe::view<CoinCallView>(*t.app);
  TieBreakView& tieBreak = AppProbe::view<TieBreakView>(*t.app);
  EXPECT_EQ(text(call, "prompt"), "Please call,Bob");
  EXPECT_EQ(text(tieBreak, "playerName1"), "Ann");
  EXPECT_EQ(text(tieBreak, "petType2"), "Dog");
  click(call, "headsButton");  // Heads
  EXPECT_EQ(shown(), (std::set<std::string>{"title", "notice", "tiebreak"}));
  click(tieBreak, "tossButton");  // TOSS THE COIN
  auto* toss = tieBreak.findChild<QPushButton*>(QStringLiteral("tossButton"));
  EXPECT_EQ(toss->text(), "KILL THE PET");
  EXPECT_FALSE(toss->isEnabled());
  for (int i = 0; i < TieBreak::kSpinTicks; ++i) run([&] { game().screen<TieBreak>().onTick(); });
  EXPECT_EQ(text(tieBreak, "coinFace"), "Tails");
  EXPECT_EQ(game().winner, 1) << "Bob called Heads and the coin showed Tails";
  click(tieBreak, "tossButton");  // KILL THE PET
  EXPECT_EQ(shown(), (std::set<std::string>{"title", "notice", "finale"}));
  EXPECT_EQ(text(finale, "hostLine").toStdString(), honoursCall("Ann"));
  EXPECT_TRUE(finale.findChild<QWidget*>(QStringLiteral("dog"))->isVisible());
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
  EXPECT_EQ(game().screen<QuizScreen>().scores[kFirstContestant], 2);
  EXPECT_EQ(game().screen<QuizScreen>().scores[kSecondContestant], 2);
  EXPECT_EQ(game().screen<QuizScreen>().lives[kSecondContestant], 1);
  EXPECT_EQ(game().screen<QuizScreen>().lives[kFirstContestant], 0);
  lastContinue();
  NoticeView& notice = AppProbe::view<NoticeView>(*t.app);
  EXPECT_EQ(text(notice, "hostLine").toStdString(),
            "\u201CWell, looks like Ann got 5 questions wrong, so Fluffy will be killed in just a "
            "few moments.\u201D");
  EXPECT_EQ(game().winner, 2);
  click(notice, "okButton");
  FinaleView& finale = AppProbe::view<FinaleView>(*t.app);
  EXPECT_EQ(text(finale, "hostLine").toStdString(), honoursCall("Bob"));
  EXPECT_TRUE(finale.findChild<QWidget*>(QStringLiteral("hamster"))->isVisible());
  EXPECT_FALSE(finale.findChild<QWidget*>(QStringLiteral("dog"))->isVisible());
  killAndGoBack("Bob");

  // And once more in the same run, now on the short group: a dead heat at nil all.
  chooseGroup("short.set");
  startGame();
  question(Answer::Wrong);
  question(Answer::Wrong);
  lastContinue();
  EXPECT_EQ(text(notice, "hostLine").toStdString(), kDeadHeat);
  t.random.script = {0, 0};  // Ann calls; Heads
  click(notice, "okButton");
  click(AppProbe::view<CoinCallView>(*t.app), "headsButton");
  click(AppProbe::view<TieBreakView>(*t.app), "tossButton");
  for (int i = 0; i < TieBreak::kSpinTicks; ++i) run([&] { game().screen<TieBreak>().onTick(); });
  click(AppProbe::view<TieBreakView>(*t.app), "tossButton");
  EXPECT_EQ(text(finale, "hostLine").toStdString(), honoursCall("Ann"));
  EXPECT_TRUE(finale.findChild<QWidget*>(QStringLiteral("dog"))->isVisible());
  EXPECT_FALSE(finale.findChild<QWidget*>(QStringLiteral("hamster"))->isVisible());
  killAndGoBack("Ann");
  EXPECT_TRUE(t.errors.shown.empty());
}

}  // namespace
