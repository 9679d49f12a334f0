// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs as the desktop frames them: a title bar with the caption and no minimise
// or maximise button, and Escape where the dialog may be closed.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "fakes/app_probe.h"
#include "fakes/test_app.h"
#include "fakes/test_game.h"

using namespace zndl;
using zndl::testing::child;
using zndl::testing::namesFile;
using zndl::testing::TestApp;
using zndl::testing::writeFile;

namespace {

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Nibbles", "3", "0", "15", "15"));
    for (const char* list : {"banter", "describe", "jobs", "after.job"})
      writeFile(list, "first\r\nsecond\r\n");
    t.start();
  }
  Game& game() { return t.game(); }
  void run(const std::function<void()>& handler) { t.app->dispatch(handler); }
  // Escape as the player presses it, to the control that holds the keyboard.
  static void escape(QWidget& window) {
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QTest::keyClick(target, Qt::Key_Escape);
  }

  TestApp t;
};

TEST_F(Dialogs, TitleBarsOfferNoMinimiseOrMaximiseAndACloseOnlyWhereOneIsAllowed) {
  run([&] { game().screen<TitleScreen>().onMore(); });
  run([&] { game().screen<TitleScreen>().onInternet(); });
  t.random.script = {0};
  run([&] { game().screen<TieBreak>().start(); });
  const struct {
    QWidget* window;
    bool closes;
  } dialogs[] = {{&AppProbe::view<SettingsDialogView>(*t.app), true},
                 {&AppProbe::view<InternetSitesView>(*t.app), true},
                 {&AppProbe::view<CoinCallView>(*t.app), false}};
  for (const auto& d : dialogs) {
    const Qt::WindowFlags flags = d.window->windowFlags();
    SCOPED_TRACE(d.window->windowTitle().toStdString());
    EXPECT_TRUE(d.window->isVisible());
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << "Qt would add every button";
    EXPECT_TRUE(flags & Qt::WindowTitleHint) << "the caption stays on view";
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::FramelessWindowHint);
    EXPECT_EQ(bool(flags & Qt::WindowCloseButtonHint), d.closes);
  }
}

TEST_F(Dialogs, EscapeClosesTheSettingsWithoutTakingTheNewSpeechDelay) {
  run([&] { game().screen<TitleScreen>().onMore(); });
  SettingsDialogView& view = AppProbe::view<SettingsDialogView>(*t.app);
  QLineEdit* field = view.speechDelayField();
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, "900");
  escape(view);
  EXPECT_FALSE(view.isVisible());
  EXPECT_FALSE(game().screen<SettingsDialog>().visible());
  EXPECT_EQ(game().screen<Introduction>().tickTimer.interval, 2500) << "only OK applies the delay";
  EXPECT_TRUE(game().screen<TitleScreen>().visible());

  // From a button too, and again after it was opened once more.
  run([&] { game().screen<TitleScreen>().onMore(); });
  child<QPushButton>(view, "loadJobsButton")->setFocus();
  escape(view);
  EXPECT_FALSE(game().screen<SettingsDialog>().visible());
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST_F(Dialogs, EscapeClosesTheInternetSitesAsItsOkDoes) {
  run([&] { game().screen<TitleScreen>().onInternet(); });
  InternetSitesView& view = AppProbe::view<InternetSitesView>(*t.app);
  ASSERT_TRUE(view.isVisible());
  escape(view);
  EXPECT_FALSE(view.isVisible());
  EXPECT_FALSE(game().screen<InternetSites>().visible());
  EXPECT_TRUE(t.desktop.opened.empty());
}

TEST_F(Dialogs, EscapeLeavesTheCoinCallAndEveryFullScreenAsTheyAre) {
  t.random.script = {0};
  run([&] { game().screen<TieBreak>().start(); });
  CoinCallView& call = AppProbe::view<CoinCallView>(*t.app);
  escape(call);
  EXPECT_TRUE(call.isVisible()) << "the call has no close of its own";
  EXPECT_TRUE(game().screen<CoinCall>().visible());
  EXPECT_EQ(game().screen<TieBreak>().calledFace, kNoFace);
  escape(AppProbe::view<TieBreakView>(*t.app));
  EXPECT_TRUE(game().screen<TieBreak>().visible());

  run([&] { game().screen<QuizScreen>().show(); });
  escape(AppProbe::view<QuizView>(*t.app));
  EXPECT_TRUE(game().screen<QuizScreen>().visible());
  escape(t.app->titleView());
  EXPECT_TRUE(game().screen<TitleScreen>().visible());
  EXPECT_FALSE(game().ended());
}

}  // namespace
