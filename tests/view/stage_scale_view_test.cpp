// SPDX-License-Identifier: GPL-3.0-or-later
// The windows shown bigger: every place, font and size follows the scale, full screen
// centres the stage, the keys change it at once, and a whole game is played by
// clicking where the controls are drawn.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <functional>
#include <map>
#include <vector>

#include "adapters/qt_preferences.h"
#include "fakes/app_probe.h"
#include "fakes/test_app.h"
#include "fakes/test_game.h"
#include "finale/ui/finale_view.h"
#include "finale/ui/notice_view.h"
#include "finale/ui/tie_break_view.h"
#include "host/settings_dialog.h"
#include "host/ui/introduction_view.h"
#include "host/ui/settings_dialog_view.h"
#include "quiz/ui/quiz_view.h"
#include "shell/ui/internet_sites_view.h"
#include "shell/ui/look.h"
#include "shell/ui/title_view.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

const char* const kGroup =
    "(ZNDL v4)\r\n"
    "[1]\r\nWhich planet is red?\r\n[1-YES]\r\nMars\r\n[1-NO]\r\nVenus\r\nPluto\r\n"
    "[2]\r\nHow many sides has a hexagon?\r\n[2-YES]\r\nSix\r\n[2-NO]\r\nFive\r\nEight\r\n"
    "[3]\r\n";

struct Stage : TestApp {
  std::vector<Presentation> remembered;
  std::vector<bool> muteCalls;

  explicit Stage(Presentation presentation = {}) {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Rover", "0", "3", "5", "10"));
    writeFile("quiz.set", kGroup);
    writeFile("prizes", "Prizes\r\na signed photo of Pembril\r\n");
    for (const char* list : {"banter", "describe", "jobs", "after.job"})
      writeFile(list, "first\r\nsecond\r\nthird\r\n");
    app = std::make_unique<App>(ports(), presentation);
    AppProbe::timer<QuizScreen>(*app).stop();
    AppProbe::timer<Introduction>(*app).stop();
    AppProbe::timer<TieBreak>(*app).stop();
    app->onPresentationChanged([this](const Presentation& p) { remembered.push_back(p); });
    app->setMuteOutput([this](bool muted) { muteCalls.push_back(muted); });
  }
  void run(const std::function<void()>& handler) { app->dispatch(handler); }
  void activate(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
};

// Where each named control of every window lies, relative to its parent, and its
// font's pixel size.
struct Layout {
  std::map<QString, QRect> places;
  std::map<QString, int> pixels;
};

Layout layoutOf(App& app) {
  Layout out;
  int index = 0;
  for (ScreenView* view : AppProbe::views(app)) {
    for (QWidget* widget : view->findChildren<QWidget*>()) {
      if (widget->objectName().isEmpty() || widget->isWindow() ||
          widget->objectName().startsWith(QLatin1String("qt_")))
        continue;
      const QString key = QStringLiteral("%1/%2").arg(index).arg(widget->objectName());
      out.places[key] = widget->geometry();
      if (widget->testAttribute(Qt::WA_SetFont) && widget->font().pixelSize() > 0)
        out.pixels[key] = widget->font().pixelSize();
    }
    ++index;
  }
  return out;
}

// A click where a point of the stage's design is drawn now: on whatever control is
// there, as the player's mouse would.
QWidget* clickAt(ScreenView& view, QPoint designPoint) {
  const QPoint at = view.toWindow(designPoint);
  QWidget* target = view.childAt(at);
  if (!target) {
    ADD_FAILURE() << "nothing at " << at.x() << "," << at.y();
    return nullptr;
  }
  QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&view, at));
  return target;
}

// ---- Sizes and places ------------------------------------------------------------------

TEST(StageScale, AtTwiceTheSizeEveryControlLiesTwiceAsFarAndItsTextIsTwiceAsBig) {
  Stage s;
  ASSERT_DOUBLE_EQ(s.app->stageScale(), 1.0) << "the offscreen display is 800x600";
  const Layout design = layoutOf(*s.app);
  ASSERT_GT(design.places.size(), 100u);

  s.app->setPresentation(Presentation{2, false, false});
  EXPECT_EQ(s.app->titleView().size(), QSize(1280, 960));
  EXPECT_EQ(AppProbe::view<QuizView>(*s.app).size(), QSize(1280, 960));
  EXPECT_EQ(AppProbe::view<FinaleView>(*s.app).size(), QSize(1280, 960));
  EXPECT_EQ(AppProbe::view<SettingsDialogView>(*s.app).size(), QSize(624, 366));
  const Layout big = layoutOf(*s.app);
  int checked = 0;
  for (const auto& [key, rect] : design.places) {
    const QRect now = big.places.at(key);
    // The quiz's names are sized to their text, which is never exactly twice as wide.
    const bool toText = key == "1/playerName1" || key == "1/playerName2";
    EXPECT_EQ(now.topLeft(), rect.topLeft() * 2) << key.toStdString();
    if (!toText) {
      EXPECT_EQ(now.size(), rect.size() * 2) << key.toStdString();
    }
    ++checked;
  }
  EXPECT_EQ(checked, static_cast<int>(design.places.size()));
  for (const auto& [key, pixels] : design.pixels) {
    QWidget* widget = nullptr;
    const int index = key.section('/', 0, 0).toInt();
    widget = AppProbe::views(*s.app)[static_cast<std::size_t>(index)]->findChild<QWidget*>(
        key.section('/', 1));
    if (dynamic_cast<FittingLabel*>(widget)) continue;  // squeezed to fit its text
    EXPECT_EQ(big.pixels.at(key), pixels * 2) << key.toStdString();
  }
  // Icons are drawn at the new size, not left small in a big button.
  auto* copy = AppProbe::view<InternetSitesView>(*s.app).findChild<QToolButton*>(
      QStringLiteral("copyGameSite"));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->iconSize(), QSize(32, 32));
  EXPECT_EQ(copy->icon().pixmap(QSize(32, 32)).size(), QSize(32, 32));
  // The labels that measure their text do so at the new size.
  QLabel* name = AppProbe::view<QuizView>(*s.app).findChild<QLabel*>(QStringLiteral("playerName1"));
  EXPECT_EQ(name->size(), name->sizeHint());

  // And back: exactly the design again.
  s.app->setPresentation(Presentation{1, false, false});
  const Layout again = layoutOf(*s.app);
  EXPECT_EQ(again.places, design.places);
  EXPECT_EQ(again.pixels, design.pixels);
  EXPECT_EQ(s.app->titleView().size(), QSize(640, 480));
}

TEST(StageScale, ThreeTimesTheSizeGivesWindowsOf1920By1440AndCentresThem) {
  Stage s(Presentation{3, false, false});
  TitleView& title = s.app->titleView();
  EXPECT_EQ(title.size(), QSize(1920, 1440));
  EXPECT_DOUBLE_EQ(s.app->stageScale(), 3.0);
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(title.pos(), area.center() - QPoint(960, 720)) << "centred";
  EXPECT_EQ(AppProbe::view<QuizView>(*s.app).size(), QSize(1920, 1440))
      << "built later, at the same size";
  auto* background =
      dynamic_cast<PictureWidget*>(title.findChild<QWidget*>(QStringLiteral("background")));
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->geometry(), QRect(0, 0, 1920, 1440));
  // Drawn from the picture at three device pixels a pixel, not stretched.
  const QImage drawn = background->grab().toImage();
  EXPECT_EQ(drawn.size(), QSize(1920, 1440));
  const QImage sharp = look::picture(QStringLiteral("title"), QSize(640, 480), 3.0)
                           .toImage()
                           .convertToFormat(drawn.format());
  EXPECT_EQ(drawn, sharp);
}

TEST(StageScale, BevelsAndOutlinesGrowWithTheStage) {
  Stage s;
  QuizView& quiz = AppProbe::view<QuizView>(*s.app);
  auto* panel = dynamic_cast<BevelPanel*>(quiz.findChild<QWidget*>(QStringLiteral("resultPanel")));
  ASSERT_NE(panel, nullptr);
  const QMargins small = panel->contentsMargins();
  s.app->setPresentation(Presentation{2, false, false});
  EXPECT_EQ(panel->contentsMargins(), small * 2);
  // Outer bevel four pixels white at scale 1 becomes eight: its ninth row is the
  // flat face.
  panel->setText(QString());
  panel->show();
  const QImage drawn = panel->grab().toImage();
  for (int y = 0; y < 8; ++y)
    EXPECT_EQ(QColor(drawn.pixel(drawn.width() / 2, y)), QColor(128, 128, 128)) << y;
  EXPECT_EQ(QColor(drawn.pixel(drawn.width() / 2, 8)), QColor(212, 208, 200));
}

TEST(StageScale, DialogsScaleAndTheSettingsDialogKeepsItsPlaceOnTheScreen) {
  Stage s;
  SettingsDialogView& settings = AppProbe::view<SettingsDialogView>(*s.app);
  EXPECT_EQ(settings.pos(), QPoint(SettingsDialog::kLeft, SettingsDialog::kTop))
      << "unchanged at the usual size";
  s.app->setPresentation(Presentation{2, false, false});
  EXPECT_EQ(settings.size(), QSize(624, 366));
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(area.contains(settings.frameGeometry().topLeft()));
  EXPECT_TRUE(area.contains(settings.geometry().bottomRight()))
      << "the dialog's place would put it off the 800x600 screen";
  s.app->setPresentation(Presentation{1, false, false});
  EXPECT_EQ(settings.pos(), QPoint(SettingsDialog::kLeft, SettingsDialog::kTop));
}

// ---- Full screen -------------------------------------------------------------------------

TEST(StageScale, FullScreenCoversTheDisplayWithTheStageCentredAndDialogsStayDialogs) {
  Stage s;
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  s.app->toggleFullScreen();
  ASSERT_TRUE(s.app->presentation().fullScreen);
  TitleView& title = s.app->titleView();
  EXPECT_EQ(title.size(), screen.size());
  EXPECT_EQ(title.pos(), screen.topLeft());
  EXPECT_TRUE(title.windowState() & Qt::WindowFullScreen);
  EXPECT_TRUE(title.fullScreen());
  // The offscreen display takes the stage once, in the middle, black around it.
  ASSERT_LT(screen.width(), 1280);
  const QPoint origin((screen.width() - 640) / 2, (screen.height() - 480) / 2);
  ASSERT_GT(origin.x(), 10);
  ASSERT_GT(origin.y(), 10);
  auto* background =
      dynamic_cast<PictureWidget*>(title.findChild<QWidget*>(QStringLiteral("background")));
  EXPECT_EQ(background->geometry(), QRect(origin, QSize(640, 480)));
  EXPECT_EQ(title.toWindow({0, 0}), origin);
  const QImage drawn = title.grab().toImage();
  EXPECT_EQ(QColor(drawn.pixel(5, 5)), QColor(Qt::black));
  EXPECT_EQ(QColor(drawn.pixel(drawn.width() - 5, drawn.height() - 5)), QColor(Qt::black));
  auto* play = title.findChild<QPushButton*>(QStringLiteral("playButton"));
  EXPECT_EQ(play->geometry(), QRect(origin + QPoint(9, 8), QSize(88, 25)));

  SettingsDialogView& settings = AppProbe::view<SettingsDialogView>(*s.app);
  EXPECT_FALSE(settings.fullScreen());
  EXPECT_EQ(settings.size(), QSize(312, 183));
  EXPECT_FALSE(settings.windowState() & Qt::WindowFullScreen);
  EXPECT_EQ(AppProbe::view<QuizView>(*s.app).size(), screen.size()) << "every game screen";

  s.app->toggleFullScreen();
  EXPECT_FALSE(title.windowState() & Qt::WindowFullScreen);
  EXPECT_EQ(title.size(), QSize(640, 480));
  EXPECT_EQ(background->geometry(), QRect(0, 0, 640, 480));
  EXPECT_EQ(s.remembered.size(), 2u);
}

// Qt 6.8 was seen to drop the widget's full-screen flag while the window itself stayed
// full screen; asking only the widget then left the window manager holding it there.
TEST(StageScale, LeavingFullScreenReachesTheWindowEvenWhenTheWidgetHasLostItsFlag) {
  Stage s;
  s.app->toggleFullScreen();
  TitleView& title = s.app->titleView();
  ASSERT_NE(title.windowHandle(), nullptr);
  ASSERT_TRUE(title.windowHandle()->windowStates() & Qt::WindowFullScreen);
  title.overrideWindowState(title.windowState() & ~Qt::WindowFullScreen);
  s.app->toggleFullScreen();
  EXPECT_FALSE(title.windowHandle()->windowStates() & Qt::WindowFullScreen);
  EXPECT_EQ(title.size(), QSize(640, 480));
}

// ---- The keys --------------------------------------------------------------------------

TEST(StageScale, TheKeysStepTheSizeFitItAndSwitchFullScreenAtOnce) {
  Stage s;
  TitleView& title = s.app->titleView();
  s.activate(title);
  QTest::keyClick(&title, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(title.size(), QSize(1280, 960));
  EXPECT_EQ(s.app->presentation().scale, 2);
  QTest::keyClick(&title, Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_EQ(title.size(), QSize(1920, 1440));
  QTest::keyClick(&title, Qt::Key_Plus, Qt::ControlModifier);
  QTest::keyClick(&title, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(s.app->presentation().scale, 4) << "four is the largest";
  QTest::keyClick(&title, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(title.size(), QSize(1920, 1440));
  QTest::keyClick(&title, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(s.app->presentation().scale, stage::kFit);
  EXPECT_EQ(title.size(), QSize(640, 480));
  QTest::keyClick(&title, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(s.app->presentation().scale, 1) << "one is the smallest";
  QTest::keyClick(&title, Qt::Key_F11);
  EXPECT_TRUE(s.app->presentation().fullScreen);
  // A step of size leaves full screen for a window of that size.
  QTest::keyClick(&title, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_FALSE(s.app->presentation().fullScreen);
  EXPECT_EQ(title.size(), QSize(1280, 960));
  // Every choice was handed on to be remembered, one at a time.
  ASSERT_EQ(s.remembered.size(), 8u);
  EXPECT_EQ(s.remembered.back(), (Presentation{2, false, false}));
  EXPECT_EQ(AppProbe::view<QuizView>(*s.app).size(), QSize(1280, 960))
      << "the other windows follow";
}

TEST(StageScale, TheKeysWorkOnTheQuizAndLeaveItsAnswerKeysAlone) {
  Stage s;
  s.run([&] {
    s.game().screen<TitleScreen>().onGroupChanged("quiz.set");
    s.game().screen<TitleScreen>().onPlay();
  });
  s.run([&] { s.game().screen<Introduction>().onSkip(); });
  QuizView& quiz = AppProbe::view<QuizView>(*s.app);
  s.activate(quiz);
  QTest::keyClick(&quiz, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(quiz.size(), QSize(1280, 960));
  QTest::keyClick(&quiz, Qt::Key_M);
  EXPECT_TRUE(s.app->presentation().muted);
  s.run([&] { s.game().screen<QuizScreen>().onContinue(); });
  for (int i = 0; i < 4; ++i) s.run([&] { s.game().screen<QuizScreen>().onTick(); });
  const int right = s.game().screen<QuizScreen>().correctSlot;
  QTest::keyClick(&quiz, right == 1 ? Qt::Key_A : right == 2 ? Qt::Key_B : Qt::Key_C);
  EXPECT_EQ(s.game().screen<QuizScreen>().step, QuestionStep::answeredRight);
}

// ---- Music off and on ----------------------------------------------------------------------

TEST(StageMute, MSilencesTheMusicOnEveryScreenAndMAgainBringsItBack) {
  Stage s;
  ASSERT_EQ(s.muteCalls, std::vector<bool>{false}) << "told the choice at once";
  TitleView& title = s.app->titleView();
  s.activate(title);
  QTest::keyClick(&title, Qt::Key_M);
  EXPECT_TRUE(s.app->presentation().muted);
  EXPECT_EQ(s.muteCalls.back(), true);
  // The title tune plays on as far as the game can tell.
  EXPECT_TRUE(s.titleTune.playing);
  QTest::keyClick(&title, Qt::Key_M);
  EXPECT_FALSE(s.app->presentation().muted);
  EXPECT_EQ(s.muteCalls.back(), false);
  ASSERT_EQ(s.remembered.size(), 2u);
  EXPECT_TRUE(s.remembered[0].muted);
}

TEST(StageMute, InATextFieldMTypesAnMAndTheMusicStaysAsItWas) {
  Stage s;
  TitleView& title = s.app->titleView();
  s.activate(title);
  auto* name = title.findChild<QLineEdit*>(QStringLiteral("name1"));
  ASSERT_NE(name, nullptr);
  name->setFocus();
  name->setText(QString());
  QTest::keyClicks(name, QStringLiteral("Mum"));
  EXPECT_EQ(name->text(), "Mum");
  EXPECT_FALSE(s.app->presentation().muted);
  EXPECT_EQ(s.game().screen<TitleScreen>().entries[kFirstContestant].name, "Mum");
  auto* groups = title.groupBox();
  groups->setFocus();
  QTest::keyClick(groups, Qt::Key_M);
  EXPECT_FALSE(s.app->presentation().muted) << "the group box is a text field too";
  EXPECT_TRUE(s.remembered.empty());
}

// ---- Remembered between runs -------------------------------------------------------------

TEST(StagePreferences, TheChoicesSurviveARestartInTheDesktopsSettingsNotThePlayFolder) {
  TempDir dir;
  const QString file = QDir::currentPath() + QStringLiteral("/config/zandoodle/zandoodle.conf");
  const QtPreferences preferences(file);
  EXPECT_EQ(preferences.load(), Presentation{}) << "nothing saved yet";
  {
    Stage s;
    s.app->onPresentationChanged([&](const Presentation& p) { ASSERT_TRUE(preferences.save(p)); });
    s.activate(s.app->titleView());
    QTest::keyClick(&s.app->titleView(), Qt::Key_M);
    QTest::keyClick(&s.app->titleView(), Qt::Key_Plus, Qt::ControlModifier);
  }
  const Presentation loaded = preferences.load();
  EXPECT_TRUE(loaded.muted);
  EXPECT_EQ(loaded.scale, 2);
  EXPECT_FALSE(loaded.fullScreen);
  Stage again(loaded);
  EXPECT_EQ(again.app->titleView().size(), QSize(1280, 960));
  EXPECT_EQ(again.muteCalls, std::vector<bool>{true});
  // None of it among the game's files.
  for (const QString& entry : QDir::current().entryList(QDir::Files))
    EXPECT_FALSE(entry.endsWith(QLatin1String(".conf"))) << entry.toStdString();
}

TEST(StagePreferences, ASpoiltFileGivesTheDefaultsAndTheUsualPlaceFollowsXdgConfigHome) {
  TempDir dir;
  writeFile("spoilt.conf", "[display]\nscale=7\nfullScreen=perhaps\n[sound]\nmuted=\n");
  const Presentation loaded = QtPreferences(QDir::currentPath() + "/spoilt.conf").load();
  EXPECT_EQ(loaded.scale, stage::kFit);
  EXPECT_FALSE(loaded.fullScreen);
  EXPECT_FALSE(loaded.muted);

  const QByteArray before = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", (QDir::currentPath() + "/xdg").toUtf8());
  const QtPreferences usual;
  EXPECT_EQ(usual.file(), QDir::currentPath() + "/xdg/zandoodle/zandoodle.conf");
  EXPECT_TRUE(usual.save(Presentation{3, true, true}));
  EXPECT_EQ(QtPreferences().load(), (Presentation{3, true, true}));
  if (before.isNull())
    qunsetenv("XDG_CONFIG_HOME");
  else
    qputenv("XDG_CONFIG_HOME", before);
}

// ---- A whole game, clicked at twice the size ---------------------------------------------

TEST(StageScale, AWholeGameIsPlayedAtTwiceTheSizeByClickingWhereTheControlsAreDrawn) {
  Stage s(Presentation{2, false, false});
  Game& game = s.game();
  s.run([&] { game.screen<TitleScreen>().onGroupChanged("quiz.set"); });
  TitleView& title = s.app->titleView();
  ASSERT_EQ(title.size(), QSize(1280, 960));

  // Play lies at (9, 8, 88, 25) in the design.
  EXPECT_EQ(qobject_cast<QPushButton*>(clickAt(title, {53, 20}))->objectName(), "playButton");
  IntroductionView& intro = AppProbe::view<IntroductionView>(*s.app);
  ASSERT_TRUE(intro.isVisible());
  clickAt(intro, {597, 460});  // Skip
  QuizView& quiz = AppProbe::view<QuizView>(*s.app);
  ASSERT_TRUE(quiz.isVisible());
  ASSERT_FALSE(intro.isVisible());

  // Question one: answered right by clicking its answer line; question two: wrong,
  // with the answer buttons on the bottom panel.
  const QPoint lines[] = {{384, 160}, {384, 192}, {384, 224}};
  const QPoint buttons[] = {{8 + 16 + 24, 392 + 16 + 24}, {8 + 72 + 24, 432}, {8 + 128 + 24, 432}};
  for (int question = 0; question < 2; ++question) {
    clickAt(quiz, {320, 207});  // CONTINUE
    ASSERT_EQ(game.screen<QuizScreen>().step, QuestionStep::revealQuestion);
    for (int i = 0; i < 4; ++i) s.run([&] { game.screen<QuizScreen>().onTick(); });
    ASSERT_EQ(game.screen<QuizScreen>().step, QuestionStep::countdown);
    const int right = game.screen<QuizScreen>().correctSlot;
    if (question == 0) {
      clickAt(quiz, lines[right - 1]);
      EXPECT_EQ(game.screen<QuizScreen>().step, QuestionStep::answeredRight);
    } else {
      QWidget* pressed = clickAt(quiz, buttons[right % 3]);
      EXPECT_EQ(pressed->objectName(),
                QStringLiteral("answerButton") + QChar(QLatin1Char("ABC"[right % 3])));
    }
    for (int i = 0; i < 20 && game.screen<QuizScreen>().step != QuestionStep::idle; ++i)
      s.run([&] { game.screen<QuizScreen>().onTick(); });
  }
  EXPECT_EQ(game.screen<QuizScreen>().scores[kFirstContestant], 1);
  EXPECT_EQ(game.screen<QuizScreen>().lives[kSecondContestant], 4);
  clickAt(quiz, {320, 207});  // the CONTINUE that finds the game over
  NoticeView& notice = AppProbe::view<NoticeView>(*s.app);
  ASSERT_TRUE(notice.isVisible());
  EXPECT_EQ(notice.size(), QSize(1280, 960));
  clickAt(notice, {597, 460});  // OK
  FinaleView& finale = AppProbe::view<FinaleView>(*s.app);
  ASSERT_TRUE(finale.isVisible());
  clickAt(finale, {598, 460});  // Kill
  auto* anvil = finale.findChild<QWidget*>(QStringLiteral("fallenAnvil"));
  EXPECT_TRUE(anvil->isVisible());
  EXPECT_EQ(anvil->pos(), finale.toWindow({game.screen<Finale>().fallenAnvil.left,
                                           game.screen<Finale>().fallenAnvil.top}));
  clickAt(finale, {598, 460});  // Back To Title
  EXPECT_FALSE(finale.isVisible());
  EXPECT_TRUE(title.isVisible());
  EXPECT_TRUE(s.errors.shown.empty());
}

}  // namespace
