// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <string>
#include <vector>

#include "fakes/app_probe.h"
#include "fakes/test_app.h"
#include "quiz/ui/quiz_view.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

const QString kTimesUpCaption = QString::fromUtf8("TIME\u2019S UP!");

// A three-question group; question n's correct answer is "Right n".
const char* const kGroup =
    "(ZNDL v4)\r\n"
    "[1]\r\nWhich planet is red?\r\n[1-YES]\r\nMars\r\n[1-NO]\r\nVenus\r\nPluto\r\n"
    "[2]\r\nHow many sides has a hexagon?\r\n[2-YES]\r\nSix\r\n[2-NO]\r\nFive\r\nEight\r\n"
    "[3]\r\nWhat do bees make?\r\n[3-YES]\r\nHoney\r\n[3-NO]\r\nJam\r\nCheese\r\n"
    "[4]\r\n";

// The real windows over fakes, with the quiz timer held still: the tests tick it.
struct QuizWindow : TestApp {
  explicit QuizWindow(const std::string& time1 = "5", const std::string& time2 = "10") {
    writeFile("names.etc",
              "Alpha\r\nBeta\r\nRex\r\nBubbles\r\n0\r\n1\r\n" + time1 + "\r\n" + time2 + "\r\n");
    writeFile("prizes", "Prizes\r\nA gold watch\r\n");
    writeFile("quiz.set", kGroup);
    start();
    AppProbe::timer<QuizScreen>(*app).stop();
    errors.shown.clear();
  }
  QuizView& view() { return AppProbe::view<QuizView>(*app); }
  QuizScreen& box() { return game().screen<QuizScreen>(); }
  template <class W>
  W* find(const char* name) {
    W* widget = view().findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLabel* label(const char* name) { return find<QLabel>(name); }
  QPushButton* button(const char* name) { return find<QPushButton>(name); }

  // Play on the title screen, then Skip the introduction: the quiz is on view.
  void startGame() {
    app->dispatch([this] {
      game().screen<TitleScreen>().onGroupChanged("quiz.set");
      game().screen<TitleScreen>().onPlay();
    });
    app->dispatch([this] { game().screen<Introduction>().onSkip(); });
  }
  void tick(int times = 1) {
    for (int i = 0; i < times; ++i) app->dispatch([this] { game().screen<QuizScreen>().onTick(); });
  }
  void clickContinue() { QTest::mouseClick(button("continueButton"), Qt::LeftButton); }
  QuestionStep step() { return game().screen<QuizScreen>().step; }
  int correct() { return game().screen<QuizScreen>().correctSlot; }
  static const char* slotName(int slot) {
    return slot == 1 ? "answerButtonA" : slot == 2 ? "answerButtonB" : "answerButtonC";
  }
  static const char* lineName(int slot) {
    return slot == 1 ? "answerA" : slot == 2 ? "answerB" : "answerC";
  }
  static Qt::Key slotKey(int slot) {
    return slot == 1 ? Qt::Key_A : slot == 2 ? Qt::Key_B : Qt::Key_C;
  }
  int wrong() { return correct() == 3 ? 1 : correct() + 1; }

  // Saves the window as a picture when ZNDL_SHOTS names a folder.
  void shoot(const char* name) {
    const QByteArray dir = qgetenv("ZNDL_SHOTS");
    if (dir.isEmpty()) return;
    const QString base = QString::fromLocal8Bit(dir) + "/";
    view().grab().save(base + name);
    const QPixmap panel = find<QWidget>("bottomPanel")->grab();
    panel.scaled(panel.size() * 3).save(base + "panel-" + name);
  }
};

}  // namespace

TEST(QuizWindow, EveryControlHasItsPlaceLookAndStacking) {
  QuizWindow w;
  QuizView& v = w.view();
  EXPECT_EQ(v.size(), QSize(640, 480));
  EXPECT_EQ(v.windowTitle(), QStringLiteral("Zandoodle v4.2"));
  EXPECT_TRUE(v.windowFlags() & Qt::FramelessWindowHint);

  EXPECT_EQ(w.find<QWidget>("background")->geometry(), QRect(0, 0, 640, 480));
  const struct {
    const char* name;
    QRect place;
    int pixels;
    QString text;
  } labels[] = {{"titleLine", {200, 0, 377, 33}, 29, "Zandoodle v3.1"},
                {"question", {232, 72, 305, 73}, 15, "Welcome to Zandoodle v3.1"},
                {"answerA", {232, 144, 305, 33}, 15, "By Vormle Co."},
                {"answerB", {232, 176, 305, 33}, 15, ""},
                {"answerC", {232, 208, 305, 33}, 15, ""},
                {"countdown", {46, 36, 95, 78}, 67, "X"}};
  for (const auto& want : labels) {
    QLabel* l = w.label(want.name);
    EXPECT_EQ(l->geometry(), want.place) << want.name;
    EXPECT_EQ(l->font().pixelSize(), want.pixels) << want.name;
    EXPECT_TRUE(l->font().bold()) << want.name;
    EXPECT_EQ(l->text(), want.text) << want.name;
    EXPECT_EQ(l->palette().color(QPalette::WindowText),
              std::string(want.name) == "countdown" ? QColor(255, 0, 0) : QColor(255, 255, 0))
        << want.name;
  }
  EXPECT_TRUE(w.label("question")->wordWrap());

  // The bottom panel and what it holds.
  QWidget* panel = w.find<QWidget>("bottomPanel");
  EXPECT_EQ(panel->geometry(), QRect(8, 392, 542, 81));
  for (const auto& [name, left] :
       {std::pair{"answerButtonA", 16}, {"answerButtonB", 72}, {"answerButtonC", 128}}) {
    QPushButton* b = w.button(name);
    EXPECT_EQ(b->parentWidget(), panel);
    EXPECT_EQ(b->geometry(), QRect(left, 16, 49, 49));
    EXPECT_EQ(b->font().pixelSize(), 40);
    EXPECT_TRUE(b->font().bold());
  }
  for (const auto& [name, top, colour] :
       {std::tuple{"score1", 17, QColor(255, 0, 0)}, {"score2", 40, QColor(0, 255, 0)}}) {
    QLineEdit* score = w.find<QLineEdit>(name);
    EXPECT_EQ(score->geometry(), QRect(185, top, 25, 24));
    EXPECT_TRUE(score->isReadOnly());
    EXPECT_EQ(score->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(score->text(), "0");
    EXPECT_TRUE(score->styleSheet().contains(colour.name())) << name;
  }
  for (const auto& [name, top] : {std::pair{"lives1", 16}, {"lives2", 48}}) {
    QProgressBar* lives = w.find<QProgressBar>(name);
    EXPECT_EQ(lives->geometry(), QRect(216, top, 150, 17));
    EXPECT_EQ(lives->minimum(), 0);
    EXPECT_EQ(lives->maximum(), 5);
    EXPECT_EQ(lives->value(), 5);
    EXPECT_FALSE(lives->isTextVisible());
  }
  EXPECT_EQ(w.label("livesScale3")->geometry(), QRect(276, 32, 30, 17));
  EXPECT_EQ(w.label("lifeMark1")->text(), "1");
  EXPECT_EQ(w.label("lifeMark5")->text(), "5");
  EXPECT_EQ(w.label("lifeMark5")->x(), 348);
  QSlider* turn = w.find<QSlider>("turn");
  EXPECT_EQ(turn->geometry(), QRect(371, 13, 32, 53));
  EXPECT_EQ(turn->orientation(), Qt::Vertical);
  EXPECT_FALSE(turn->isEnabled());
  EXPECT_EQ(turn->maximum(), 1);
  EXPECT_EQ(turn->tickPosition(), QSlider::TicksRight);
  EXPECT_EQ(w.label("playerName1")->pos(), QPoint(402, 17));
  EXPECT_EQ(w.label("playerName1")->text(), "PLAYER ONE");
  EXPECT_EQ(w.label("playerName2")->pos(), QPoint(403, 41));

  EXPECT_EQ(w.button("exitButton")->geometry(), QRect(560, 448, 75, 25));
  EXPECT_EQ(w.button("exitButton")->text(), "Exit (Alt-F4)");
  EXPECT_EQ(w.button("exitButton")->toolTip(), "Press this button to exit.");
  QPushButton* cont = w.button("continueButton");
  EXPECT_EQ(cont->geometry(), QRect(180, 173, 280, 68));
  EXPECT_EQ(cont->font().pixelSize(), 37);
  EXPECT_TRUE(cont->isVisibleTo(&v));
  QLabel* result = w.label("resultPanel");
  EXPECT_EQ(result->geometry(), QRect(228, 128, 185, 41));
  EXPECT_EQ(result->font().pixelSize(), 19);
  EXPECT_FALSE(result->isVisibleTo(&v));

  // CONTINUE covers answer line B but not its right-hand end; the result panel covers
  // the middle of answer line A.
  EXPECT_EQ(v.childAt(300, 190), cont);
  EXPECT_EQ(v.childAt(500, 190), w.label("answerB"));
  w.app->dispatch([&] { w.box().resultPanel.visible = true; });
  EXPECT_EQ(v.childAt(300, 150), result);
}

TEST(QuizWindow, ClickingAnswerLineBIsAnswerB) {
  QuizWindow w;
  w.startGame();
  w.random.script = {1};  // the correct answer goes to slot B
  w.clickContinue();
  w.tick(4);
  ASSERT_EQ(w.step(), QuestionStep::countdown);
  EXPECT_TRUE(w.label("answerB")->text().startsWith("B- "));
  QTest::mouseClick(w.label("answerB"), Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(w.step(), QuestionStep::answeredRight);
  w.tick();
  EXPECT_EQ(w.label("resultPanel")->text(), "CORRECT");
  EXPECT_EQ(w.find<QLineEdit>("score1")->text(), "1");
}

TEST(QuizWindow, TheKeysAnswerOnlyDuringTheCountdownAndOnlyWithoutModifiers) {
  QuizWindow w;
  w.startGame();
  w.clickContinue();
  w.tick(2);
  const Qt::Key right = QuizWindow::slotKey(w.correct());
  QTest::keyClick(&w.view(), right);
  EXPECT_EQ(w.step(), QuestionStep::revealAnswerB) << "answers are still being revealed";
  w.tick(2);
  QTest::keyClick(&w.view(), right, Qt::ControlModifier);
  QTest::keyClick(&w.view(), right, Qt::ShiftModifier);
  QTest::keyClick(&w.view(), right, Qt::AltModifier);
  EXPECT_EQ(w.step(), QuestionStep::countdown);
  // A key reaches the window from whichever button holds the keyboard.
  QPushButton* exit = w.button("exitButton");
  exit->setFocus();
  QTest::keyClick(exit, QuizWindow::slotKey(w.wrong()));
  EXPECT_EQ(w.step(), QuestionStep::answeredWrong);
  QTest::keyClick(&w.view(), right);
  EXPECT_EQ(w.step(), QuestionStep::answeredWrong) << "only the first answer counts";
  w.tick();
  EXPECT_EQ(w.label("resultPanel")->text(), "WRONG");
  EXPECT_EQ(w.find<QProgressBar>("lives1")->value(), 4);
  QTest::keyClick(&w.view(), right);
  EXPECT_EQ(w.step(), QuestionStep::idle);
}

TEST(QuizWindow, AltF4HidesTheQuizAndTheQuestionRunsOnToATimeOut) {
  QuizWindow w;
  w.startGame();
  w.clickContinue();
  w.tick(5);
  ASSERT_TRUE(w.view().isVisible());
  w.view().close();
  EXPECT_FALSE(w.view().isVisible());
  EXPECT_FALSE(w.box().visible());
  EXPECT_EQ(w.step(), QuestionStep::countdown);
  EXPECT_EQ(w.label("question")->text(), "Which planet is red?");
  w.tick(3);
  EXPECT_EQ(w.label("resultPanel")->text(), kTimesUpCaption);
  EXPECT_EQ(w.find<QProgressBar>("lives1")->value(), 4);
  EXPECT_EQ(w.find<QSlider>("turn")->value(), 1);
  EXPECT_EQ(w.game().screen<QuizScreen>().questionNo, 2);
  EXPECT_EQ(w.quizTune.played().back(), "101.MID");
  EXPECT_FALSE(w.view().isVisible());

  // The next game starts with what this one left.
  w.startGame();
  EXPECT_TRUE(w.view().isVisible());
  EXPECT_EQ(w.find<QProgressBar>("lives1")->value(), 4);
  EXPECT_EQ(w.label("countdown")->text(), "15");
}

TEST(QuizWindow, AThreeQuestionGroupPlaysToTheEndThroughTheWindow) {
  QuizWindow w("5", "10");
  w.startGame();
  QuizView& v = w.view();
  ASSERT_TRUE(v.isVisible());
  EXPECT_EQ(w.label("playerName1")->text(), "Alpha");
  EXPECT_EQ(w.label("playerName2")->text(), "Beta");
  QLineEdit* score1 = w.find<QLineEdit>("score1");
  QLineEdit* score2 = w.find<QLineEdit>("score2");
  QProgressBar* lives1 = w.find<QProgressBar>("lives1");
  QProgressBar* lives2 = w.find<QProgressBar>("lives2");
  QSlider* turn = w.find<QSlider>("turn");
  QLabel* result = w.label("resultPanel");
  QLabel* countdown = w.label("countdown");
  QPushButton* cont = w.button("continueButton");

  // Question 1, Alpha: the right answer by its button.
  w.clickContinue();
  EXPECT_FALSE(cont->isVisible());
  EXPECT_FALSE(w.label("question")->isVisible());
  w.tick();
  EXPECT_TRUE(w.label("question")->isVisible());
  EXPECT_EQ(w.label("question")->text(), "Which planet is red?");
  EXPECT_FALSE(w.label("answerA")->isVisible());
  w.tick(3);
  EXPECT_TRUE(w.label("answerC")->isVisible());
  EXPECT_EQ(countdown->text(), "4");
  EXPECT_EQ(w.label(QuizWindow::lineName(w.correct()))->text(),
            QString(QChar('A' + w.correct() - 1)) + "- Mars");
  w.tick();
  EXPECT_EQ(countdown->text(), "3");
  w.shoot("quiz-countdown.png");
  QTest::mouseClick(w.button(QuizWindow::slotName(w.correct())), Qt::LeftButton);
  w.tick();
  EXPECT_EQ(result->text(), "CORRECT");
  EXPECT_TRUE(result->isVisible());
  EXPECT_TRUE(cont->isVisible());
  EXPECT_EQ(score1->text(), "1");
  EXPECT_EQ(countdown->text(), "15");
  EXPECT_EQ(turn->value(), 1);
  w.shoot("quiz-result.png");

  // Question 2, Beta on a ten-second clock: a wrong answer by clicking its line.
  w.clickContinue();
  EXPECT_FALSE(result->isVisible());
  w.tick(4);
  EXPECT_EQ(countdown->text(), "9");
  QTest::mouseClick(w.label(QuizWindow::lineName(w.wrong())), Qt::LeftButton);
  w.tick();
  EXPECT_EQ(result->text(), "WRONG");
  EXPECT_EQ(lives2->value(), 4);
  EXPECT_EQ(score2->text(), "0");
  EXPECT_EQ(turn->value(), 0);

  // Question 3, Alpha: a key pressed too early is ignored, then the clock runs out.
  w.clickContinue();
  w.tick(3);
  QTest::keyClick(&v, QuizWindow::slotKey(w.correct()));
  w.tick(5);
  EXPECT_EQ(countdown->text(), "15");
  EXPECT_EQ(result->text(), kTimesUpCaption);
  EXPECT_EQ(lives1->value(), 4);
  EXPECT_EQ(score1->text(), "1");
  EXPECT_EQ(turn->value(), 1);
  EXPECT_EQ(w.quizTune.played(), (std::vector<std::string>{"5.MID", "102.MID", "10.MID", "101.MID",
                                                           "5.MID", "101.MID"}));

  // The end test: no fourth question, so Alpha wins on points.
  w.clickContinue();
  EXPECT_EQ(w.step(), QuestionStep::idle);
  EXPECT_FALSE(v.isVisible());
  EXPECT_TRUE(w.game().screen<Notice>().visible());
  EXPECT_EQ(w.game().winner, 1);
  EXPECT_TRUE(w.errors.shown.empty());

  // Back to the title through the finale; the next game opens with Beta, answering
  // by key this time.
  w.app->dispatch([&] { w.game().screen<Notice>().onOk(); });
  w.app->dispatch([&] { w.game().screen<Finale>().onKillPressed(); });
  w.app->dispatch([&] { w.game().screen<Finale>().onKillPressed(); });
  EXPECT_EQ(countdown->text(), "3.1");
  EXPECT_EQ(score1->text(), "0");
  EXPECT_EQ(lives1->value(), 5);
  w.startGame();
  ASSERT_TRUE(v.isVisible());
  EXPECT_EQ(turn->value(), 1);
  EXPECT_EQ(w.label("question")->text(), "ZANDOODLE CONTINUES...");
  w.shoot("quiz-new-game.png");
  w.clickContinue();
  w.tick(4);
  EXPECT_EQ(countdown->text(), "9");
  QTest::keyClick(&v, QuizWindow::slotKey(w.correct()));
  w.tick();
  EXPECT_EQ(result->text(), "CORRECT");
  EXPECT_EQ(score2->text(), "1");
  EXPECT_EQ(turn->value(), 0);
  EXPECT_EQ(w.quizTune.played().back(), "102.MID");
}

// CONTINUE holds the keyboard while it shows; during a question the quiz window itself
// does, so a stray Space or Enter answers nothing and only A, B and C answer.
TEST(QuizWindow, SpaceAndEnterPressContinueButNeverAnswer) {
  QuizWindow w;
  w.startGame();
  QPushButton* cont = w.button("continueButton");
  EXPECT_EQ(w.view().focusWidget(), cont);
  QTest::keyClick(cont, Qt::Key_Space);
  ASSERT_EQ(w.step(), QuestionStep::revealQuestion) << "Space presses CONTINUE";
  EXPECT_EQ(w.view().focusWidget(), static_cast<QWidget*>(&w.view()))
      << "the keyboard went on to " << w.view().focusWidget()->objectName().toStdString();
  w.tick(4);
  ASSERT_EQ(w.step(), QuestionStep::countdown);
  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
    QTest::keyClick(w.view().focusWidget(), key);
  EXPECT_EQ(w.step(), QuestionStep::countdown) << "Space or Enter answered";
  QTest::keyClick(w.view().focusWidget(), w.slotKey(w.correct()));
  w.tick();
  EXPECT_EQ(w.step(), QuestionStep::idle);
  EXPECT_EQ(w.box().scores[kFirstContestant], 1);
  EXPECT_EQ(w.view().focusWidget(), cont) << "CONTINUE holds the keyboard again";
  QTest::keyClick(cont, Qt::Key_Return);
  EXPECT_EQ(w.step(), QuestionStep::revealQuestion) << "Enter presses CONTINUE";
}

TEST(QuizWindow, TabStillReachesTheAnswerButtonsDuringAQuestion) {
  QuizWindow w;
  w.startGame();
  w.clickContinue();
  w.tick(4);
  QTest::keyClick(w.view().focusWidget(), Qt::Key_Tab);
  QWidget* reached = w.view().focusWidget();
  ASSERT_NE(reached, nullptr);
  EXPECT_EQ(reached->objectName(), QStringLiteral("answerButtonA"));
  QTest::keyClick(reached, Qt::Key_Space);
  w.tick();
  EXPECT_EQ(w.step(), QuestionStep::idle) << "the answer button answers from the keyboard";
}
