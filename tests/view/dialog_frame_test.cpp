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
  run([&] { game().titleScreen.onMore(); });
  run([&] { game().titleScreen.onInternet(); });
  t.random.script = {0};
  run([&] { game().tieBreak.start(); });
  const struct {
    QWidget* window;
    bool closes;
  } dialogs[] = {{&AppProbe::settingsDialogView(*t.app), true},
                 {&AppProbe::internetSitesView(*t.app), true},
                 {&AppProbe::coinCallView(*t.app), false}};
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
  run([&] { game().titleScreen.onMore(); });
  SettingsDialogView& view = AppProbe::settingsDialogView(*t.app);
  QLineEdit* field = view.speechDelayField();
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, "900");
  escape(view);
  EXPECT_FALSE(view.isVisible());
  EXPECT_FALSE(game().settingsDialog.visible());
  EXPECT_EQ(game().introduction.speechTimer.interval, 2500) << "only OK applies the delay";
  EXPECT_TRUE(game().titleScreen.visible());

  // From a button too, and again after it was opened once more.
  run([&] { game().titleScreen.onMore(); });
  child<QPushButton>(view, "loadJobsButton")->setFocus();
  escape(view);
  EXPECT_FALSE(game().settingsDialog.visible());
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST_F(Dialogs, EscapeClosesTheInternetSitesAsItsOkDoes) {
  run([&] { game().titleScreen.onInternet(); });
  InternetSitesView& view = AppProbe::internetSitesView(*t.app);
  ASSERT_TRUE(view.isVisible());
  escape(view);
  EXPECT_FALSE(view.isVisible());
  EXPECT_FALSE(game().internetSites.visible());
  EXPECT_TRUE(t.desktop.opened.empty());
}

TEST_F(Dialogs, EscapeLeavesTheCoinCallAndEveryFullScreenAsTheyAre) {
  t.random.script = {0};
  run([&] { game().tieBreak.start(); });
  CoinCallView& call = AppProbe::coinCallView(*t.app);
  escape(call);
  EXPECT_TRUE(call.isVisible()) << "the call has no close of its own";
  EXPECT_TRUE(game().coinCall.visible());
  EXPECT_EQ(game().calledFace, kNoFace);
  escape(AppProbe::tieBreakView(*t.app));
  EXPECT_TRUE(game().tieBreak.visible());

  run([&] { game().quizScreen.show(); });
  escape(AppProbe::quizView(*t.app));
  EXPECT_TRUE(game().quizScreen.visible());
  escape(t.app->titleView());
  EXPECT_TRUE(game().titleScreen.visible());
  EXPECT_FALSE(game().ended());
}

}  // namespace
