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
    t.run([&] { t->screen<TitleScreen>().onMore(); });  // More...
    startErrors = t.errors.shown.size();
  }
  // The full path of a file in the game's working directory.
  std::string path(const std::string& name) const { return (t.dir.path() / name).string(); }
  void ok() {
    t.run([&] { t->screen<SettingsDialog>().onOk(); });
  }
  void play() {
    t->screen<TitleScreen>().groupBox.text = "default.set";
    t.run([&] { t->screen<TitleScreen>().onPlay(); });
  }
  const std::string& tick() {
    t.run([&] { t->screen<Introduction>().onTick(); });
    return t->screen<Introduction>().hostLine.text;
  }

  TestGame t;
  std::size_t startErrors = 0;
};

TEST_F(Settings, CancellingTheFileDialogLeavesEveryListAlone) {
  ASSERT_TRUE(t->screen<SettingsDialog>().visible());
  const TextList script = t->screen<Introduction>().script,
                 descriptions = t->screen<Introduction>().descriptions,
                 jobs = t->screen<Introduction>().jobs,
                 afterJobs = t->screen<Introduction>().afterJobs,
                 prizes = t->screen<Finale>().prizes;
  for (auto click : {&SettingsDialog::onLoadBanter, &SettingsDialog::onLoadDescriptions,
                     &SettingsDialog::onLoadJobs, &SettingsDialog::onLoadAfterJobs,
                     &SettingsDialog::onLoadPrizes})
    t.run([&] { (t->screen<SettingsDialog>().*click)(); });

  EXPECT_EQ(t.picker.offers.size(), 5u);
  EXPECT_EQ(t->screen<Introduction>().script, script);
  EXPECT_EQ(t->screen<Introduction>().descriptions, descriptions);
  EXPECT_EQ(t->screen<Introduction>().jobs, jobs);
  EXPECT_EQ(t->screen<Introduction>().afterJobs, afterJobs);
  EXPECT_EQ(t->screen<Finale>().prizes, prizes);
  EXPECT_EQ(t->screen<SettingsDialog>().lastFileChosen, "");
  EXPECT_TRUE(t->screen<SettingsDialog>().visible());
  EXPECT_EQ(t.errors.shown.size(), startErrors);
}

TEST_F(Settings, EachButtonLoadsItsOwnList) {
  writeFile("b", "B0\r\n");
  writeFile("d", "D0\r\n");
  writeFile("j", "J0\r\n");
  writeFile("a", "A0\r\n");
  writeFile("p", "P0\r\nP1\r\n");
  t.picker.answers = {path("b"), path("d"), path("j"), path("a"), path("p")};
  t.run([&] { t->screen<SettingsDialog>().onLoadBanter(); });
  t.run([&] { t->screen<SettingsDialog>().onLoadDescriptions(); });
  t.run([&] { t->screen<SettingsDialog>().onLoadJobs(); });
  t.run([&] { t->screen<SettingsDialog>().onLoadAfterJobs(); });
  t.run([&] { t->screen<SettingsDialog>().onLoadPrizes(); });

  EXPECT_EQ(t->screen<Introduction>().script.entries(), (std::vector<std::string>{"B0"}));
  EXPECT_EQ(t->screen<Introduction>().descriptions.entries(), (std::vector<std::string>{"D0"}));
  EXPECT_EQ(t->screen<Introduction>().jobs.entries(), (std::vector<std::string>{"J0"}));
  EXPECT_EQ(t->screen<Introduction>().afterJobs.entries(), (std::vector<std::string>{"A0"}));
  EXPECT_EQ(t->screen<Finale>().prizes.entries(), (std::vector<std::string>{"P0", "P1"}));
  EXPECT_TRUE(t->screen<SettingsDialog>().visible());
  EXPECT_EQ(t.errors.shown.size(), startErrors);
}

TEST_F(Settings, TheDialogOffersTheFileChosenTheTimeBefore) {
  writeFile("first", "x\r\n");
  writeFile("second", "y\r\n");
  t.picker.answers = {path("first"), std::nullopt, path("second"), path("missing"), std::nullopt};
  t.run([&] { t->screen<SettingsDialog>().onLoadJobs(); });
  t.run([&] { t->screen<SettingsDialog>().onLoadDescriptions(); });  // cancelled: the offer stays
  t.run([&] { t->screen<SettingsDialog>().onLoadPrizes(); });        // one dialog for every button
  t.run([&] {
    t->screen<SettingsDialog>().onLoadBanter();
  });  // an unreadable choice is still the last one
  t.run([&] { t->screen<SettingsDialog>().onLoadAfterJobs(); });
  EXPECT_EQ(t.picker.offers, (std::vector<std::string>{"", path("first"), path("first"),
                                                       path("second"), path("missing")}));
}

TEST_F(Settings, UnreadableChoiceIsReportedWithItsFullPathAndTheListKept) {
  const std::string missing = path("no such list");
  t.picker.answers = {missing};
  t.run([&] { t->screen<SettingsDialog>().onLoadAfterJobs(); });
  ASSERT_EQ(t.errors.shown.size(), startErrors + 1);
  EXPECT_EQ(t.errors.shown.back(), "Cannot open file " + missing + ".");
  EXPECT_EQ(t->screen<Introduction>().afterJobs, builtin::afterJobs());
  EXPECT_TRUE(t->screen<SettingsDialog>().visible());
}

TEST_F(Settings, LoadedScriptIsReadAtTheNextTickFromTheCurrentPosition) {
  play();
  tick();
  EXPECT_EQ(tick(), said("...Pembril The Penguin!"));
  EXPECT_EQ(t->screen<Introduction>().scriptLine, 2);

  writeFile("new banter", "New 0\r\nNew 1\r\nNew 2\r\n");
  t.picker.answers = {path("new banter")};
  t.run([&] { t->screen<SettingsDialog>().onLoadBanter(); });
  EXPECT_EQ(tick(), said("New 1"));
  EXPECT_EQ(tick(), said("New 2"));
}

TEST_F(Settings, LoadedPrizeListIsWrittenToPrizesAtExit) {
  writeFile("prizes", "Old\r\nprize\r\n");
  writeFile("my prizes", "Header\r\nA goat\r\nA car");
  t.picker.answers = {path("my prizes")};
  t.run([&] { t->screen<SettingsDialog>().onLoadPrizes(); });
  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_EQ(readFile("prizes"), "Header\r\nA goat\r\nA car");
}

TEST_F(Settings, CreationCopiesTheIntroductionsInterval) {
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "2500");
  EXPECT_EQ(t->screen<Introduction>().tickTimer.interval, 2500);
  t->screen<Introduction>().tickTimer.interval = 1234;
  t->screen<SettingsDialog>().create();
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "1234");
}

TEST_F(Settings, OkHidesAndAppliesOnlyAChangedDelay) {
  const int restarts = t->screen<Introduction>().tickTimer.restarts;
  ok();
  EXPECT_FALSE(t->screen<SettingsDialog>().visible());
  EXPECT_EQ(t->screen<Introduction>().tickTimer.interval, 2500);
  EXPECT_EQ(t->screen<Introduction>().tickTimer.restarts, restarts);

  t.run([&] { t->screen<TitleScreen>().onMore(); });
  t->screen<SettingsDialog>().speechDelayText = "400";
  ok();
  EXPECT_EQ(t->screen<Introduction>().tickTimer.interval, 400);
  EXPECT_EQ(t->screen<Introduction>().tickTimer.restarts, restarts + 1);
  EXPECT_TRUE(t->screen<Introduction>().tickTimer.ticking());

  // The same value again leaves the period running.
  ok();
  EXPECT_EQ(t->screen<Introduction>().tickTimer.restarts, restarts + 1);
}

TEST_F(Settings, ZeroStopsTheTicksAndSkipStillHandsOver) {
  play();
  tick();
  tick();
  t->screen<SettingsDialog>().speechDelayText = "0";
  ok();
  EXPECT_FALSE(t->screen<Introduction>().tickTimer.ticking());
  EXPECT_TRUE(t->screen<Introduction>().visible());
  t.run([&] { t->screen<Introduction>().onSkip(); });
  EXPECT_TRUE(t->screen<QuizScreen>().visible());
  EXPECT_FALSE(t->screen<Introduction>().visible());

  // A positive delay sets it going again.
  t->screen<SettingsDialog>().speechDelayText = "2500";
  ok();
  EXPECT_TRUE(t->screen<Introduction>().tickTimer.ticking());
  EXPECT_EQ(t->screen<Introduction>().tickTimer.interval, 2500);
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
    t->screen<SettingsDialog>().speechDelayText = c.typed;
    EXPECT_EQ(t->screen<SettingsDialog>().speechDelay(), c.delay) << "typed: " << c.typed;
  }
  t->screen<SettingsDialog>().speechDelayText = "12.5";
  ok();
  EXPECT_EQ(t->screen<Introduction>().tickTimer.interval, 0);
  EXPECT_FALSE(t->screen<Introduction>().tickTimer.ticking());
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "12.5");  // the field keeps what was typed
  t->screen<SettingsDialog>().speechDelayText = "-10";
  ok();
  EXPECT_FALSE(t->screen<Introduction>().tickTimer.ticking());
}

TEST_F(Settings, ArrowsStepByOneWithoutBounds) {
  t->screen<SettingsDialog>().stepSpeechDelay(+1);
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "2501");
  t->screen<SettingsDialog>().speechDelayText = "0";
  t->screen<SettingsDialog>().stepSpeechDelay(-1);
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "-1");
  t->screen<SettingsDialog>().speechDelayText = "abc";
  t->screen<SettingsDialog>().stepSpeechDelay(+1);
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "1");
  t->screen<SettingsDialog>().speechDelayText = "2147483647";
  t->screen<SettingsDialog>().stepSpeechDelay(+1);
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelay(), 0);
  // Stepping alone applies nothing.
  EXPECT_EQ(t->screen<Introduction>().tickTimer.interval, 2500);
}

TEST_F(Settings, CloseHidesWithoutApplyingAndTheFieldKeepsItsValue) {
  t->screen<SettingsDialog>().speechDelayText = "100";
  t.run([&] { t->screen<SettingsDialog>().close(); });
  EXPECT_FALSE(t->screen<SettingsDialog>().visible());
  EXPECT_EQ(t->screen<Introduction>().tickTimer.interval, 2500);
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "100");

  // More... while shown changes nothing; OK then applies what the field holds.
  t.run([&] { t->screen<TitleScreen>().onMore(); });
  t.run([&] { t->screen<TitleScreen>().onMore(); });
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "100");
  ok();
  EXPECT_EQ(t->screen<Introduction>().tickTimer.interval, 100);
}

}  // namespace
