// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/test_game.h"
#include "host/host_lists.h"

using namespace zndl;
using zndl::testing::namesFile;
using zndl::testing::readFile;
using zndl::testing::said;
using zndl::testing::TestGame;
using zndl::testing::writeFile;

namespace {

// A started game with Ann and Bob entered and the settings dialog open.
class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Nibbles", "3", "0", "15", "15"));
    t->start();
    t.run([&] { t->titleScreen.onMore(); });  // More...
    startErrors = t.errors.shown.size();
  }
  // The full path of a file in the game's working directory.
  std::string path(const std::string& name) const { return (t.dir.path() / name).string(); }
  void ok() {
    t.run([&] { t->settingsDialog.onOk(); });
  }
  void play() {
    t->titleScreen.groupBox.text = "default.set";
    t.run([&] { t->titleScreen.onPlay(); });
  }
  const std::string& tick() {
    t.run([&] { t->introduction.onTick(); });
    return t->introduction.hostLine.text;
  }

  TestGame t;
  std::size_t startErrors = 0;
};

TEST_F(Settings, CancellingTheFileDialogLeavesEveryListAlone) {
  ASSERT_TRUE(t->settingsDialog.visible());
  const TextList script = t->introduction.script, descriptions = t->introduction.descriptions,
                 jobs = t->introduction.jobs, afterJobs = t->introduction.afterJobs,
                 prizes = t->finale.prizes;
  for (auto click : {&SettingsDialog::onLoadBanter, &SettingsDialog::onLoadDescriptions,
                     &SettingsDialog::onLoadJobs, &SettingsDialog::onLoadAfterJobs,
                     &SettingsDialog::onLoadPrizes})
    t.run([&] { (t->settingsDialog.*click)(); });

  EXPECT_EQ(t.picker.offers.size(), 5u);
  EXPECT_EQ(t->introduction.script, script);
  EXPECT_EQ(t->introduction.descriptions, descriptions);
  EXPECT_EQ(t->introduction.jobs, jobs);
  EXPECT_EQ(t->introduction.afterJobs, afterJobs);
  EXPECT_EQ(t->finale.prizes, prizes);
  EXPECT_EQ(t->settingsDialog.lastFileChosen, "");
  EXPECT_TRUE(t->settingsDialog.visible());
  EXPECT_EQ(t.errors.shown.size(), startErrors);
}

TEST_F(Settings, EachButtonLoadsItsOwnList) {
  writeFile("b", "B0\r\n");
  writeFile("d", "D0\r\n");
  writeFile("j", "J0\r\n");
  writeFile("a", "A0\r\n");
  writeFile("p", "P0\r\nP1\r\n");
  t.picker.answers = {path("b"), path("d"), path("j"), path("a"), path("p")};
  t.run([&] { t->settingsDialog.onLoadBanter(); });
  t.run([&] { t->settingsDialog.onLoadDescriptions(); });
  t.run([&] { t->settingsDialog.onLoadJobs(); });
  t.run([&] { t->settingsDialog.onLoadAfterJobs(); });
  t.run([&] { t->settingsDialog.onLoadPrizes(); });

  EXPECT_EQ(t->introduction.script.entries(), (std::vector<std::string>{"B0"}));
  EXPECT_EQ(t->introduction.descriptions.entries(), (std::vector<std::string>{"D0"}));
  EXPECT_EQ(t->introduction.jobs.entries(), (std::vector<std::string>{"J0"}));
  EXPECT_EQ(t->introduction.afterJobs.entries(), (std::vector<std::string>{"A0"}));
  EXPECT_EQ(t->finale.prizes.entries(), (std::vector<std::string>{"P0", "P1"}));
  EXPECT_TRUE(t->settingsDialog.visible());
  EXPECT_EQ(t.errors.shown.size(), startErrors);
}

TEST_F(Settings, TheDialogOffersTheFileChosenTheTimeBefore) {
  writeFile("first", "x\r\n");
  writeFile("second", "y\r\n");
  t.picker.answers = {path("first"), std::nullopt, path("second"), path("missing"), std::nullopt};
  t.run([&] { t->settingsDialog.onLoadJobs(); });
  t.run([&] { t->settingsDialog.onLoadDescriptions(); });  // cancelled: the offer stays
  t.run([&] { t->settingsDialog.onLoadPrizes(); });        // one dialog for every button
  t.run([&] { t->settingsDialog.onLoadBanter(); });  // an unreadable choice is still the last one
  t.run([&] { t->settingsDialog.onLoadAfterJobs(); });
  EXPECT_EQ(t.picker.offers, (std::vector<std::string>{"", path("first"), path("first"),
                                                       path("second"), path("missing")}));
}

TEST_F(Settings, UnreadableChoiceIsReportedWithItsFullPathAndTheListKept) {
  const std::string missing = path("no such list");
  t.picker.answers = {missing};
  t.run([&] { t->settingsDialog.onLoadAfterJobs(); });
  ASSERT_EQ(t.errors.shown.size(), startErrors + 1);
  EXPECT_EQ(t.errors.shown.back(), "Cannot open file " + missing + ".");
  EXPECT_EQ(t->introduction.afterJobs, builtin::afterJobs());
  EXPECT_TRUE(t->settingsDialog.visible());
}

TEST_F(Settings, LoadedScriptIsReadAtTheNextTickFromTheCurrentPosition) {
  play();
  tick();
  EXPECT_EQ(tick(), said("...Pembril The Penguin!"));
  EXPECT_EQ(t->scriptLine, 2);

  writeFile("new banter", "New 0\r\nNew 1\r\nNew 2\r\n");
  t.picker.answers = {path("new banter")};
  t.run([&] { t->settingsDialog.onLoadBanter(); });
  EXPECT_EQ(tick(), said("New 1"));
  EXPECT_EQ(tick(), said("New 2"));
}

TEST_F(Settings, LoadedPrizeListIsWrittenToPrizesAtExit) {
  writeFile("prizes", "Old\r\nprize\r\n");
  writeFile("my prizes", "Header\r\nA goat\r\nA car");
  t.picker.answers = {path("my prizes")};
  t.run([&] { t->settingsDialog.onLoadPrizes(); });
  t.run([&] { t->titleScreen.onExit(); });
  EXPECT_EQ(readFile("prizes"), "Header\r\nA goat\r\nA car");
}

TEST_F(Settings, CreationCopiesTheIntroductionsInterval) {
  EXPECT_EQ(t->settingsDialog.speechDelayText, "2500");
  EXPECT_EQ(t->introduction.speechTimer.interval, 2500);
  t->introduction.speechTimer.interval = 1234;
  t->settingsDialog.create();
  EXPECT_EQ(t->settingsDialog.speechDelayText, "1234");
}

TEST_F(Settings, OkHidesAndAppliesOnlyAChangedDelay) {
  const int restarts = t->introduction.speechTimer.restarts;
  ok();
  EXPECT_FALSE(t->settingsDialog.visible());
  EXPECT_EQ(t->introduction.speechTimer.interval, 2500);
  EXPECT_EQ(t->introduction.speechTimer.restarts, restarts);

  t.run([&] { t->titleScreen.onMore(); });
  t->settingsDialog.speechDelayText = "400";
  ok();
  EXPECT_EQ(t->introduction.speechTimer.interval, 400);
  EXPECT_EQ(t->introduction.speechTimer.restarts, restarts + 1);
  EXPECT_TRUE(t->introduction.speechTimer.ticking());

  // The same value again leaves the period running.
  ok();
  EXPECT_EQ(t->introduction.speechTimer.restarts, restarts + 1);
}

TEST_F(Settings, ZeroStopsTheTicksAndSkipStillHandsOver) {
  play();
  tick();
  tick();
  t->settingsDialog.speechDelayText = "0";
  ok();
  EXPECT_FALSE(t->introduction.speechTimer.ticking());
  EXPECT_TRUE(t->introduction.visible());
  t.run([&] { t->introduction.onSkip(); });
  EXPECT_TRUE(t->quizScreen.visible());
  EXPECT_FALSE(t->introduction.visible());

  // A positive delay sets it going again.
  t->settingsDialog.speechDelayText = "2500";
  ok();
  EXPECT_TRUE(t->introduction.speechTimer.ticking());
  EXPECT_EQ(t->introduction.speechTimer.interval, 2500);
}

TEST_F(Settings, DelayThatIsNotAWholeNumberCountsAsZero) {
  const struct {
    const char* typed;
    int delay;
  } cases[] = {
      {"", 0},
      {"-", 0},
      {"+", 0},
      {"2500.5", 0},
      {"1.", 0},
      {"--5", 0},
      {"+-5", 0},
      {"5-", 0},
      {"99999999999", 0},
      {"+7", 7},
      {"-3", -3},
      {"0042", 42},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
  };
  for (const auto& c : cases) {
    t->settingsDialog.speechDelayText = c.typed;
    EXPECT_EQ(t->settingsDialog.speechDelay(), c.delay) << "typed: " << c.typed;
  }
  t->settingsDialog.speechDelayText = "12.5";
  ok();
  EXPECT_EQ(t->introduction.speechTimer.interval, 0);
  EXPECT_FALSE(t->introduction.speechTimer.ticking());
  EXPECT_EQ(t->settingsDialog.speechDelayText, "12.5");  // the field keeps what was typed
  t->settingsDialog.speechDelayText = "-10";
  ok();
  EXPECT_FALSE(t->introduction.speechTimer.ticking());
}

TEST_F(Settings, ArrowsStepByOneWithoutBounds) {
  t->settingsDialog.stepSpeechDelay(+1);
  EXPECT_EQ(t->settingsDialog.speechDelayText, "2501");
  t->settingsDialog.speechDelayText = "0";
  t->settingsDialog.stepSpeechDelay(-1);
  EXPECT_EQ(t->settingsDialog.speechDelayText, "-1");
  t->settingsDialog.speechDelayText = "abc";
  t->settingsDialog.stepSpeechDelay(+1);
  EXPECT_EQ(t->settingsDialog.speechDelayText, "1");
  t->settingsDialog.speechDelayText = "2147483647";
  t->settingsDialog.stepSpeechDelay(+1);
  EXPECT_EQ(t->settingsDialog.speechDelay(), 0);
  // Stepping alone applies nothing.
  EXPECT_EQ(t->introduction.speechTimer.interval, 2500);
}

TEST_F(Settings, CloseHidesWithoutApplyingAndTheFieldKeepsItsValue) {
  t->settingsDialog.speechDelayText = "100";
  t.run([&] { t->settingsDialog.close(); });
  EXPECT_FALSE(t->settingsDialog.visible());
  EXPECT_EQ(t->introduction.speechTimer.interval, 2500);
  EXPECT_EQ(t->settingsDialog.speechDelayText, "100");

  // More... while shown changes nothing; OK then applies what the field holds.
  t.run([&] { t->titleScreen.onMore(); });
  t.run([&] { t->titleScreen.onMore(); });
  EXPECT_EQ(t->settingsDialog.speechDelayText, "100");
  ok();
  EXPECT_EQ(t->introduction.speechTimer.interval, 100);
}

}  // namespace
