// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "fakes/app_probe.h"
#include "fakes/test_app.h"
#include "fakes/test_game.h"
#include "host/host_lists.h"
#include "host/ui/settings_dialog_view.h"

using namespace zndl;
using zndl::testing::namesFile;
using zndl::testing::TestApp;
using zndl::testing::writeFile;

namespace {

// The real windows with the settings dialog opened by More...
class SettingsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Nibbles", "3", "0", "15", "15"));
    t.start();
    t.app->dispatch([&] { t.game().screen<TitleScreen>().onMore(); });
  }
  SettingsDialogView& view() { return AppProbe::view<SettingsDialogView>(*t.app); }
  QPushButton* button(const char* name) { return view().findChild<QPushButton*>(name); }
  void type(const QString& text) {
    QLineEdit* field = view().speechDelayField();
    field->selectAll();
    QTest::keyClicks(field, text);
  }
  std::string path(const std::string& name) { return (t.dir.path() / name).string(); }

  TestApp t;
};

TEST_F(SettingsWindow, LaysOutTheDialogAtItsOwnPlace) {
  ASSERT_TRUE(view().isVisible());
  EXPECT_EQ(view().windowTitle(), QStringLiteral("Zandoodle Settings"));
  EXPECT_EQ(view().size(), QSize(312, 183));
  EXPECT_EQ(view().pos(), QPoint(773, 226));

  auto* group = view().findChild<QGroupBox*>("introductionGroup");
  ASSERT_TRUE(group);
  EXPECT_EQ(group->geometry(), QRect(8, 8, 297, 137));
  const struct {
    const char* name;
    QRect place;
    const char* caption;
    const char* hint;
  } buttons[] = {
      {"loadBanterButton",
       {8, 16, 137, 33},
       "Load new banter",
       "Load text for Pembril to say before a game."},
      {"loadJobsButton", {152, 16, 137, 33}, "Load new jobs", "Load new jobs for contestants"},
      {"loadPrizesButton", {8, 56, 137, 33}, "Load new prizes", ""},
      {"loadAfterJobsButton",
       {152, 56, 137, 33},
       "Load new \"after-jobs\"",
       "Load new ways for Pembril to describe contestants' jobs."},
      {"loadDescriptionsButton",
       {8, 96, 137, 33},
       "Load new descriptions",
       "Load ways for Pembril to describe Zandoodle before a game."},
  };
  for (const auto& b : buttons) {
    QPushButton* widget = button(b.name);
    ASSERT_TRUE(widget) << b.name;
    EXPECT_EQ(widget->parentWidget(), group) << b.name;
    EXPECT_EQ(widget->geometry(), b.place) << b.name;
    EXPECT_EQ(widget->text(), QString::fromUtf8(b.caption));
    EXPECT_EQ(widget->toolTip(), QString::fromUtf8(b.hint));
    EXPECT_EQ(widget->font().pixelSize(), 11);
  }
  EXPECT_EQ(button("okButton")->geometry(), QRect(208, 152, 97, 25));
  EXPECT_EQ(view().speechDelayField()->geometry(), QRect(80, 152, 121, 22));
  EXPECT_EQ(view().speechDelayField()->text(), QStringLiteral("2500"));

  if (qEnvironmentVariableIsSet("ZNDL_SHOTS"))
    view().grab().save(qEnvironmentVariable("ZNDL_SHOTS") + "/settings.png");
}

TEST_F(SettingsWindow, LoadButtonsAskTheFilePickerAndLoadTheirLists) {
  writeFile("my banter", "Hi\r\n");
  writeFile("my prizes", "Header\r\nA goat\r\n");
  t.picker.answers = {path("my banter"), std::nullopt, path("my prizes")};

  QTest::mouseClick(button("loadBanterButton"), Qt::LeftButton);
  EXPECT_EQ(t.game().screen<Introduction>().script.entries(), (std::vector<std::string>{"Hi"}));
  QTest::mouseClick(button("loadJobsButton"), Qt::LeftButton);  // cancelled
  EXPECT_EQ(t.game().screen<Introduction>().jobs, builtin::jobs());
  QTest::mouseClick(button("loadPrizesButton"), Qt::LeftButton);
  EXPECT_EQ(t.game().screen<Finale>().prizes.entries(),
            (std::vector<std::string>{"Header", "A goat"}));

  EXPECT_EQ(t.picker.offers, (std::vector<std::string>{"", path("my banter"), path("my banter")}));
  EXPECT_TRUE(view().isVisible());
}

TEST_F(SettingsWindow, FieldTakesOnlyNumberCharactersAndWritesThroughAtOnce) {
  type("ab-1x2.5");
  EXPECT_EQ(view().speechDelayField()->text(), QStringLiteral("-12.5"));
  EXPECT_EQ(t.game().screen<SettingsDialog>().speechDelayText, "-12.5");
  EXPECT_EQ(t.game().screen<SettingsDialog>().speechDelay(), 0);

  type("40");
  QTest::mouseClick(view().upArrow(), Qt::LeftButton);
  QTest::mouseClick(view().upArrow(), Qt::LeftButton);
  EXPECT_EQ(t.game().screen<SettingsDialog>().speechDelayText, "42");
  EXPECT_EQ(view().speechDelayField()->text(), QStringLiteral("42"));
  type("0");
  QTest::mouseClick(view().downArrow(), Qt::LeftButton);
  EXPECT_EQ(view().speechDelayField()->text(), QStringLiteral("-1"));
  // Nothing reaches the introduction before OK.
  EXPECT_EQ(t.game().screen<Introduction>().tickTimer.interval, 2500);
}

TEST_F(SettingsWindow, IntroTimerFollowsOk) {
  QTimer& timer = AppProbe::timer<Introduction>(*t.app);
  ASSERT_TRUE(timer.isActive());
  QTest::qWait(300);

  // The same value leaves the running period alone: what is left of it never grows
  // back (on a busy machine the wait above may have moved it on by less than 300 ms).
  const int left = timer.remainingTime();
  ASSERT_LT(left, 2500);
  QTest::mouseClick(button("okButton"), Qt::LeftButton);
  EXPECT_FALSE(view().isVisible());
  EXPECT_TRUE(timer.isActive());
  EXPECT_LE(timer.remainingTime(), left);

  // A new value starts the period afresh.
  t.app->dispatch([&] { t.game().screen<TitleScreen>().onMore(); });
  type("3000");
  QTest::mouseClick(button("okButton"), Qt::LeftButton);
  EXPECT_EQ(timer.interval(), 3000);
  EXPECT_TRUE(timer.isActive());
  EXPECT_GT(timer.remainingTime(), 2800);

  // 0 and below stop it; a positive delay starts it again.
  t.app->dispatch([&] { t.game().screen<TitleScreen>().onMore(); });
  type("0");
  QTest::mouseClick(button("okButton"), Qt::LeftButton);
  EXPECT_FALSE(timer.isActive());
  t.app->dispatch([&] { t.game().screen<TitleScreen>().onMore(); });
  type("1.5");
  QTest::mouseClick(button("okButton"), Qt::LeftButton);
  EXPECT_FALSE(timer.isActive());
  t.app->dispatch([&] { t.game().screen<TitleScreen>().onMore(); });
  type("700");
  QTest::mouseClick(button("okButton"), Qt::LeftButton);
  EXPECT_TRUE(timer.isActive());
  EXPECT_EQ(timer.interval(), 700);
}

TEST_F(SettingsWindow, ClosingTheWindowDoesNotApplyTheDelay) {
  type("100");
  view().close();
  EXPECT_FALSE(view().isVisible());
  EXPECT_FALSE(t.game().screen<SettingsDialog>().visible());
  EXPECT_EQ(t.game().screen<Introduction>().tickTimer.interval, 2500);
  EXPECT_EQ(AppProbe::timer<Introduction>(*t.app).interval(), 2500);

  // Opened again, it still holds what was typed.
  t.app->dispatch([&] { t.game().screen<TitleScreen>().onMore(); });
  EXPECT_EQ(view().speechDelayField()->text(), QStringLiteral("100"));
}

}  // namespace
