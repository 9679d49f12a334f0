// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "fakes/app_probe.h"
#include "fakes/test_app.h"
#include "fakes/test_game.h"
#include "host/ui/introduction_view.h"
#include "host/ui/settings_dialog_view.h"
#include "quiz/ui/quiz_view.h"
#include "shell/ui/look.h"
#include "shell/ui/title_view.h"

using namespace zndl;
using zndl::testing::namesFile;
using zndl::testing::TestApp;
using zndl::testing::writeFile;

namespace {

std::string said(const std::string& text) {
  return "\u201C" + text + "\u201D";
}

// The real windows, Ann and Bob entered, Play pressed.
class IntroductionWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Nibbles", "3", "0", "15", "15"));
    t.start();
    t.app->dispatch([&] {
      t.game().screen<TitleScreen>().groupBox.text = "default.set";
      t.game().screen<TitleScreen>().onPlay();
    });
  }
  void tick() {
    t.app->dispatch([&] { t.game().screen<Introduction>().onTick(); });
  }
  IntroductionView& view() { return AppProbe::view<IntroductionView>(*t.app); }

  TestApp t;
};

TEST_F(IntroductionWindow, ShowsTheHostsLineInItsFixedBox) {
  ASSERT_TRUE(view().isVisible());
  QLabel* line = view().hostLine();
  EXPECT_EQ(line->text(), QString());
  tick();
  tick();
  EXPECT_EQ(line->text(), QString::fromStdString(said("...Pembril The Penguin!")));
  EXPECT_EQ(line->font().pixelSize(), 24);
  EXPECT_TRUE(line->font().bold());
  EXPECT_EQ(line->palette().color(QPalette::WindowText), look::kYellow);
  EXPECT_TRUE(line->wordWrap());

  // A line far too long for the box is cut off; the box does not grow.
  t.app->dispatch([&] {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "Pembril waffles on and on ";
    t.game().screen<Introduction>().hostLine.text = said(text);
  });
  EXPECT_EQ(line->geometry(), QRect(8, 8, 625, 145));
  EXPECT_GT(line->heightForWidth(625), 145);
  EXPECT_EQ(view().size(), QSize(639, 480));

  if (qEnvironmentVariableIsSet("ZNDL_SHOTS")) {
    view().grab().save(qEnvironmentVariable("ZNDL_SHOTS") + "/intro_long.png");
    t.app->dispatch([&] {
      t.game().screen<Introduction>().hostLine.text =
          said("And now let\u2019s meet our contestants, Ann and Bob");
    });
    view().grab().save(qEnvironmentVariable("ZNDL_SHOTS") + "/intro_mid.png");
  }
}

TEST_F(IntroductionWindow, SkipButtonHandsOverToTheQuiz) {
  tick();
  tick();
  QPushButton* skip = view().skipButton();
  ASSERT_TRUE(skip->isVisible());
  EXPECT_EQ(skip->text(), QStringLiteral("Skip..."));
  QTest::mouseClick(skip, Qt::LeftButton);

  EXPECT_FALSE(view().isVisible());
  EXPECT_TRUE(AppProbe::view<QuizView>(*t.app).isVisible());
  EXPECT_TRUE(t.app->titleView().isVisible());
  EXPECT_EQ(t.game().screen<Introduction>().scriptLine, 0);
  ASSERT_GE(t.titleTune.log.size(), 2u);
  EXPECT_EQ(t.titleTune.log[t.titleTune.log.size() - 2], "stop");
  EXPECT_EQ(t.titleTune.log.back(), "close");
}

TEST_F(IntroductionWindow, CloseCommandHidesWithoutHandingOver) {
  tick();
  tick();
  view().close();
  EXPECT_FALSE(view().isVisible());
  EXPECT_FALSE(t.game().screen<Introduction>().visible());
  EXPECT_FALSE(AppProbe::view<QuizView>(*t.app).isVisible());
  EXPECT_EQ(t.game().screen<Introduction>().scriptLine, 2);
  EXPECT_TRUE(t.titleTune.openName);
}

TEST_F(IntroductionWindow, TheAppsTimerSpeaksTheScriptAtTheSpeechDelay) {
  QTimer& timer = AppProbe::timer<Introduction>(*t.app);
  ASSERT_TRUE(timer.isActive());
  EXPECT_EQ(timer.interval(), 2500);

  // A short delay through the settings dialog, and the whole script runs by itself.
  t.app->dispatch([&] {
    t.game().screen<SettingsDialog>().speechDelayText = "10";
    t.game().screen<SettingsDialog>().onOk();
  });
  EXPECT_EQ(timer.interval(), 10);
  EXPECT_TRUE(QTest::qWaitFor([&] { return AppProbe::view<QuizView>(*t.app).isVisible(); }, 5000));
  EXPECT_FALSE(view().isVisible());
  EXPECT_EQ(view().hostLine()->text(), QString::fromStdString(said("<END>")));
}

}  // namespace
