// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

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

template <class T = QWidget>
T* child(QWidget& view, const char* name) {
  T* found = view.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Where the screens are saved as pictures, when someone wants to look at them.
void shot(QWidget& view, const QString& name) {
  const QByteArray dir = qgetenv("ZNDL_SHOTS");
  if (dir.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(dir));
  view.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

// How much two pictures of the same size differ inside a box, 0 to 1.
double difference(const QImage& a, const QImage& b, QRect box) {
  int differing = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
  return double(differing) / (box.width() * box.height());
}

class FinaleWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Bubbles", "0", "1", "10", "15"));
    writeFile("prizes", "Prizes\r\na golden anvil\r\n");
    for (const char* list : {"banter", "describe", "jobs", "after.job"})
      writeFile(list, "first\r\nsecond\r\n");
    t.start();
    t.errors.shown.clear();
  }
  Game& game() { return t.game(); }
  void run(const std::function<void()>& handler) { t.app->dispatch(handler); }
  // A game that ends with these points, through the game-end decision.
  void endGame(int score1, int score2) {
    run([&] {
      game().screen<QuizScreen>().scores[kFirstContestant] = score1;
      game().screen<QuizScreen>().scores[kSecondContestant] = score2;
      game().screen<QuizScreen>().endGame();
    });
  }

  TestApp t;
};

TEST_F(FinaleWindows, OnlyTheLosersPetStandsOnTheStageUntilTheAnvilFalls) {
  FinaleView& view = AppProbe::view<FinaleView>(*t.app);
  const char* names[] = {"hamster", "goldfish", "mouse", "dog"};
  const QRect places[] = {
      {275, 313, 71, 54}, {252, 281, 123, 136}, {257, 322, 82, 61}, {232, 252, 200, 185}};
  QImage emptyStage;
  for (int type = 0; type < 4; ++type) {
    SCOPED_TRACE(names[type]);
    run([&] { game().screen<TitleScreen>().entries[kSecondContestant].petType = type; });
    if (emptyStage.isNull()) {
      // The stage before any pet has been put on it.
      run([&] { game().screen<Finale>().show(); });
      emptyStage = view.grab().toImage();
    }
    endGame(2, 1);
    run([&] { game().screen<Notice>().onOk(); });
    ASSERT_TRUE(view.isVisible());
    for (int other = 0; other < 4; ++other) {
      QWidget* pet = child(view, names[other]);
      EXPECT_EQ(pet->isVisible(), other == type) << names[other];
      EXPECT_EQ(pet->geometry(), places[other]) << names[other];
    }
    EXPECT_FALSE(child(view, "fallenAnvil")->isVisible());
    EXPECT_EQ(child<QLabel>(view, "hostLine")->text(),
              QString::fromUtf8("\u201CAnn would you do the honours?\u201D"));
    const QImage withPet = view.grab().toImage();
    // The pet is really drawn where it stands.
    EXPECT_GT(difference(emptyStage, withPet, places[type]), 0.1);
    shot(view, QStringLiteral("finale-%1-before").arg(names[type]).toLower());

    auto* kill = child<QPushButton>(view, "killButton");
    EXPECT_EQ(kill->text(), "Kill");
    EXPECT_EQ(kill->geometry(), QRect(561, 448, 75, 25));
    QTest::mouseClick(kill, Qt::LeftButton);
    EXPECT_TRUE(child(view, "fallenAnvil")->isVisible());
    EXPECT_EQ(kill->text(), "Back To Title");
    EXPECT_EQ(
        child<QLabel>(view, "hostLine")->text(),
        QString::fromUtf8(
            "\u201CThank you, Ann and enjoy your Winner\u2019s Prize, a golden anvil.\u201D"));
    const QImage withAnvil = view.grab().toImage();
    // The anvil stage covers the pet whichever pet it was.
    EXPECT_GT(difference(withPet, withAnvil, places[type]), 0.1);
    shot(view, QStringLiteral("finale-%1-after").arg(names[type]).toLower());

    QTest::mouseClick(kill, Qt::LeftButton);  // Back To Title
    EXPECT_FALSE(view.isVisible());
    run([&] { game().screen<Finale>().phase = Finale::Phase::kill; });
  }
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST_F(FinaleWindows, ThePrizeLineIsPaintedTheMomentKillIsPressed) {
  endGame(1, 2);
  run([&] { game().screen<Notice>().onOk(); });
  FinaleView& view = AppProbe::view<FinaleView>(*t.app);
  QApplication::processEvents();
  auto* chat = child<QLabel>(view, "hostLine");
  PaintCounter counter(chat);
  child<QPushButton>(view, "killButton")->click();  // no event loop turn after this
  EXPECT_GE(counter.paints, 1);
  EXPECT_TRUE(chat->text().startsWith(QString::fromUtf8("\u201CThank you, Bob")));
}

TEST_F(FinaleWindows, TheNoticeShowsTheVerdictAndItsOkLeadsOn) {
  NoticeView& view = AppProbe::view<NoticeView>(*t.app);
  run([&] { game().screen<TitleScreen>().entries[kSecondContestant].petType = 1; });
  endGame(3, 2);
  ASSERT_TRUE(view.isVisible());
  EXPECT_FALSE(AppProbe::view<QuizView>(*t.app).isVisible());
  auto* chat = child<QLabel>(view, "hostLine");
  EXPECT_EQ(chat->text(), QString::fromUtf8("\u201CWell, at the end of the game, Ann has more "
                                            "points, so that means Bob\u2019s Goldfish, Bubbles "
                                            "will be killed in just a few moments.\u201D"));
  EXPECT_EQ(chat->geometry(), QRect(8, 8, 625, 145));
  EXPECT_TRUE(chat->wordWrap());
  auto* ok = child<QPushButton>(view, "okButton");
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_EQ(ok->toolTip(), "Cut the crap and kill the pet.");
  EXPECT_EQ(ok->geometry(), QRect(560, 448, 75, 25));
  shot(view, "notice-win");

  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_TRUE(AppProbe::view<FinaleView>(*t.app).isVisible());
  EXPECT_TRUE(view.isVisible()) << "the notice stays open beneath";
  EXPECT_FALSE(AppProbe::view<TieBreakView>(*t.app).isVisible());

  endGame(2, 2);
  shot(view, "notice-dead-heat");
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_TRUE(AppProbe::view<TieBreakView>(*t.app).isVisible());
  EXPECT_TRUE(AppProbe::view<CoinCallView>(*t.app).isVisible());
}

TEST_F(FinaleWindows, TheCallDialogIsAWindowOfTheTitleOnTopAndNotModal) {
  t.random.script = {1};  // Bob calls
  run([&] { game().screen<TieBreak>().start(); });
  CoinCallView& dialog = AppProbe::view<CoinCallView>(*t.app);
  TieBreakView& tieBreak = AppProbe::view<TieBreakView>(*t.app);
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.isWindow());
  // Its own window, owned by the title like every other: one entry on the desktop.
  EXPECT_EQ(dialog.parentWidget(), static_cast<QWidget*>(&t.app->titleView()));
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(dialog.windowModality(), Qt::NonModal);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Call please...");
  EXPECT_EQ(dialog.size(), QSize(192, 88));
  EXPECT_EQ(child<QLabel>(dialog, "prompt")->text(), "Please call,Bob");
  EXPECT_EQ(child<QPushButton>(dialog, "headsButton")->text(), "Heads");
  EXPECT_EQ(child<QPushButton>(dialog, "tailsButton")->text(), "Tails");
  shot(dialog, "coin-call");

  // The tie break answers beneath the open dialog.
  t.random.script = {0};
  QTest::mouseClick(child<QPushButton>(tieBreak, "tossButton"), Qt::LeftButton);
  EXPECT_EQ(game().screen<TieBreak>().spinTicksLeft, 50);
  EXPECT_TRUE(dialog.isVisible()) << "nobody has called yet";
  QTest::mouseClick(child<QPushButton>(dialog, "tailsButton"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(game().screen<TieBreak>().calledFace, 2);
}

TEST_F(FinaleWindows, TheTieBreakShowsTheContestantsAndTheSpinningCoin) {
  TieBreakView& view = AppProbe::view<TieBreakView>(*t.app);
  t.random.script = {0, 1};  // Ann calls; the coin lands on Tails
  endGame(1, 1);
  QTest::mouseClick(child<QPushButton>(AppProbe::view<NoticeView>(*t.app), "okButton"),
                    Qt::LeftButton);
  ASSERT_TRUE(view.isVisible());
  const char* texts[] = {"Tie Break", "Ann", "Bob", "Fluffy", "Bubbles", "Hamster", "Goldfish"};
  const QRect places[] = {{216, 416, 209, 49}, {24, 304, 266, 48},  {352, 304, 266, 48},
                          {40, 368, 177, 33},  {424, 368, 177, 33}, {40, 400, 161, 33},
                          {440, 400, 161, 33}};
  const char* names[] = {"coinFace", "playerName1", "playerName2", "petName1",
                         "petName2", "petType1",    "petType2"};
  for (int i = 0; i < 7; ++i) {
    auto* label = child<QLabel>(view, names[i]);
    EXPECT_EQ(label->text(), texts[i]);
    EXPECT_EQ(label->geometry(), places[i]);
    EXPECT_TRUE(label->isVisible());
  }
  EXPECT_EQ(child(view, "heads")->geometry(), QRect(20, 8, 274, 280));
  EXPECT_EQ(child(view, "tails")->geometry(), QRect(340, 8, 275, 283));
  auto* button = child<QPushButton>(view, "tossButton");
  EXPECT_EQ(button->text(), "TOSS THE COIN");
  EXPECT_EQ(button->geometry(), QRect(224, 368, 193, 33));
  shot(view, "tie-break-awaiting-call");

  QTest::mouseClick(child<QPushButton>(AppProbe::view<CoinCallView>(*t.app), "tailsButton"),
                    Qt::LeftButton);
  EXPECT_EQ(child(view, "tails")->geometry(), QRect(20, 8, 275, 283));
  EXPECT_EQ(child(view, "heads")->geometry(), QRect(340, 8, 274, 280));

  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(button->text(), "KILL THE PET");
  EXPECT_FALSE(button->isEnabled()) << "held while the coin spins";
  for (int i = 0; i < 7; ++i) run([&] { game().screen<TieBreak>().onTick(); });
  shot(view, "tie-break-spinning");
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(view.isVisible());
  for (int i = 7; i < 50; ++i) run([&] { game().screen<TieBreak>().onTick(); });
  EXPECT_TRUE(button->isEnabled());
  EXPECT_EQ(child<QLabel>(view, "coinFace")->text(), "Tails");
  EXPECT_EQ(game().winner, 1);
  shot(view, "tie-break-decided");

  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(view.isVisible());
  EXPECT_TRUE(AppProbe::view<FinaleView>(*t.app).isVisible());
  EXPECT_TRUE(child(AppProbe::view<FinaleView>(*t.app), "goldfish")->isVisible());
}

TEST_F(FinaleWindows, LongNamesAreSqueezedButNeverRewritten) {
  const std::string longName = "Maximilian Alexander Fortescue-Smythe";
  run([&] {
    game().screen<TitleScreen>().entries[kFirstContestant].name = longName;
    game().screen<TitleScreen>().entries[kSecondContestant].petName =
        "Sir Reginald Wigglesworth III";
  });
  t.random.script = {0};
  run([&] { game().screen<TieBreak>().start(); });
  TieBreakView& view = AppProbe::view<TieBreakView>(*t.app);
  auto* name = child<QLabel>(view, "playerName1");
  EXPECT_EQ(name->text().toStdString(), longName);
  EXPECT_LT(name->font().pixelSize(), 40);
  EXPECT_GE(name->font().pixelSize(), 12);
  EXPECT_TRUE(name->alignment() & Qt::AlignLeft) << "too long even then: its beginning shows";
  EXPECT_EQ(child<QLabel>(view, "playerName2")->font().pixelSize(), 40) << "Bob fits as designed";
  EXPECT_EQ(child<QLabel>(view, "petName2")->text(), "Sir Reginald Wigglesworth III");
  shot(view, "tie-break-long-names");
  run([&] {
    game().screen<TitleScreen>().entries[kFirstContestant].name = "Ann";
    game().screen<TieBreak>().start();
  });
  EXPECT_EQ(name->font().pixelSize(), 40) << "a short name gets the full size back";
  EXPECT_TRUE(name->alignment() & Qt::AlignHCenter);
}

}  // namespace

// Each screen hands the keyboard to its natural control as it comes up.
TEST_F(FinaleWindows, EachScreenComesUpWithItsFirstControlHoldingTheKeyboard) {
  const auto holder = [](QWidget& view) {
    return view.focusWidget() ? view.focusWidget()->objectName().toStdString() : std::string();
  };
  run([&] {
    game().screen<TitleScreen>().groupBox.text = "some.set";
    game().screen<TitleScreen>().onPlay();
  });
  EXPECT_EQ(holder(AppProbe::view<IntroductionView>(*t.app)), "skipButton");
  run([&] { game().screen<Introduction>().onSkip(); });
  EXPECT_EQ(holder(AppProbe::view<QuizView>(*t.app)), "continueButton");
  run([&] { game().screen<QuizScreen>().endGame(); });  // a dead heat
  EXPECT_EQ(holder(AppProbe::view<NoticeView>(*t.app)), "okButton");
  t.random.script = {0};
  run([&] { game().screen<Notice>().onOk(); });
  EXPECT_EQ(holder(AppProbe::view<TieBreakView>(*t.app)), "tossButton");
  EXPECT_EQ(holder(AppProbe::view<CoinCallView>(*t.app)), "headsButton");
  run([&] { game().screen<CoinCall>().onHeads(); });
  t.random.script = {0};
  run([&] { game().screen<TieBreak>().onTossPressed(); });
  for (int i = 0; i < TieBreak::kSpinTicks; ++i) run([&] { game().screen<TieBreak>().onTick(); });
  run([&] { game().screen<TieBreak>().onTossPressed(); });
  ASSERT_TRUE(AppProbe::view<FinaleView>(*t.app).isVisible());
  EXPECT_FALSE(AppProbe::view<CoinCallView>(*t.app).isVisible());
  EXPECT_EQ(holder(AppProbe::view<FinaleView>(*t.app)), "killButton");
}
