// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>

#include "fakes/app_probe.h"
#include "fakes/test_app.h"
#include "shell/ui/screen_view.h"
#include "shell/ui/title_view.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

std::vector<QWidget*> visibleTopLevels() {
  std::vector<QWidget*> out;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->isWindow()) out.push_back(w);
  return out;
}

}  // namespace

TEST(StartUpWindows, OnlyTheTitleWindowIsShown) {
  TestApp t;
  t.start();
  const auto shown = visibleTopLevels();
  ASSERT_EQ(shown.size(), 1u);
  QWidget* title = shown.front();
  EXPECT_EQ(title, static_cast<QWidget*>(&t.app->titleView()));
  EXPECT_EQ(title->windowTitle(), QStringLiteral("Zandoodle v4.2"));
  EXPECT_EQ(title->size(), QSize(640, 480));
  EXPECT_TRUE(title->windowFlags() & Qt::FramelessWindowHint);
}

TEST(StartUpWindows, EveryScreenHasItsFrameAndSize) {
  TestApp t;
  t.start();
  const auto& views = AppProbe::views(*t.app);
  ASSERT_EQ(views.size(), 9u);
  const QSize sizes[] = {{640, 480}, {640, 480}, {639, 480}, {312, 183}, {640, 480},
                         {640, 480}, {640, 480}, {192, 88},  {440, 135}};
  for (std::size_t i = 0; i < views.size(); ++i) {
    EXPECT_EQ(views[i]->size(), sizes[i]) << i;
    const bool dialog = i == 3 || i == 7 || i == 8;
    EXPECT_EQ(bool(views[i]->windowFlags() & Qt::FramelessWindowHint), !dialog) << i;
    if (dialog) {
      // The settings and the Internet dialog announce their close command, which some
      // window managers need before Alt-F4 reaches them; the coin call has none.
      EXPECT_EQ(bool(views[i]->windowFlags() & Qt::WindowCloseButtonHint), i != 7) << i;
      EXPECT_FALSE(views[i]->windowFlags() & Qt::WindowMinMaxButtonsHint) << i;
    }
  }
  EXPECT_TRUE(views[7]->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(views[8]->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(views[3]->pos(), QPoint(773, 226));
}

TEST(StartUpWindows, ClosingAnotherScreenOnlyHidesItAndClosingTheTitleEndsTheGame) {
  TestApp t;
  t.start();
  Game& game = t.game();
  t.app->dispatch([&] { game.screen<TitleScreen>().onInternet(); });  // the Internet dialog
  QWidget* internet = AppProbe::views(*t.app)[8];
  ASSERT_TRUE(internet->isVisible());
  internet->close();
  EXPECT_FALSE(internet->isVisible());
  EXPECT_FALSE(game.screen<InternetSites>().visible());
  EXPECT_FALSE(game.ended());

  t.app->titleView().close();
  EXPECT_TRUE(game.ended());
  EXPECT_EQ(t.titleTune.log.back(), "close");
  EXPECT_FALSE(QFile::exists(QStringLiteral("names.etc"))) << "Alt-F4 writes nothing";
}

TEST(StartUpWindows, TimersRunFromTheStart) {
  TestApp t;
  t.start();
  EXPECT_TRUE(AppProbe::timer<QuizScreen>(*t.app).isActive());
  EXPECT_EQ(AppProbe::timer<QuizScreen>(*t.app).interval(), 1000);
  EXPECT_TRUE(AppProbe::timer<Introduction>(*t.app).isActive());
  EXPECT_EQ(AppProbe::timer<Introduction>(*t.app).interval(), 2500);
  EXPECT_TRUE(AppProbe::timer<TieBreak>(*t.app).isActive());
  EXPECT_EQ(AppProbe::timer<TieBreak>(*t.app).interval(), 100);
  EXPECT_EQ(AppProbe::timer<QuizScreen>(*t.app).timerType(), Qt::PreciseTimer);
}

// The desktop lists the game once: every other window belongs to the title, as a
// window of its own that the window manager keeps above it.
TEST(StartUpWindows, EveryOtherWindowBelongsToTheTitleWithItsOwnCaption) {
  TestApp t;
  t.start();
  const auto& views = AppProbe::views(*t.app);
  QWidget* title = &t.app->titleView();
  EXPECT_EQ(title->parentWidget(), nullptr);
  const char* const captions[] = {"Zandoodle v4.2",     "Zandoodle v4.2", "Zandoodle v4.2",
                                  "Zandoodle Settings", "Zandoodle v4.2", "Zandoodle v4.2",
                                  "Zandoodle v4.2",     "Call please...", "Internet Sites"};
  for (std::size_t i = 0; i < views.size(); ++i) {
    EXPECT_EQ(views[i]->windowTitle(), QString::fromUtf8(captions[i])) << i;
    if (i == 0) continue;
    EXPECT_EQ(views[i]->parentWidget(), title) << i;
    EXPECT_TRUE(views[i]->isWindow()) << i;
    EXPECT_EQ(views[i]->windowType(), Qt::Dialog) << i << ": only a dialog names its owner";
    EXPECT_EQ(views[i]->windowModality(), Qt::NonModal) << i;
  }
  // The toolkit adds the application's display name to captions that lack it.
  EXPECT_TRUE(QGuiApplication::applicationDisplayName().isEmpty() ||
              QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
}

TEST(StartUpWindows, ClosingAnOwnedWindowHidesItAndItComesBackWhole) {
  TestApp t;
  t.start();
  Game& game = t.game();
  t.app->dispatch([&] { game.screen<TitleScreen>().onMore(); });
  QWidget* settings = AppProbe::views(*t.app)[3];
  ASSERT_TRUE(settings->isVisible());
  settings->close();
  EXPECT_FALSE(settings->isVisible());
  EXPECT_FALSE(game.screen<SettingsDialog>().visible());
  EXPECT_EQ(settings->parentWidget(), &t.app->titleView());
  t.app->dispatch([&] { game.screen<TitleScreen>().onMore(); });
  EXPECT_TRUE(settings->isVisible());
  EXPECT_EQ(settings->pos(), QPoint(773, 226));
}

// An error at start waits for the title: the title is already on view when the box
// comes up, so the box never stands alone on the desktop.
TEST(StartUpWindows, TheTitleIsOnViewWhenAStartUpErrorShows) {
  TestApp t;
  std::vector<bool> titleShown;
  t.errors.whileOpen = [&] {
    const auto shown = visibleTopLevels();
    titleShown.push_back(shown.size() == 1 && shown.front()->windowTitle() == "Zandoodle v4.2");
  };
  t.start();  // no names.etc, no lists: errors
  ASSERT_FALSE(t.errors.shown.empty());
  EXPECT_EQ(titleShown, std::vector<bool>(t.errors.shown.size(), true));
}
