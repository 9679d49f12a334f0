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
    t.run([&] { t->ZNDLbox1.Button3Click(); });  // More...
    startErrors = t.errors.shown.size();
  }
  // The full path of a file in the game's working directory.
  std::string path(const std::string& name) const { return (t.dir.path() / name).string(); }
  void ok() {
    t.run([&] { t->Form1.OKClick(); });
  }
  void play() {
    t->ZNDLbox1.ComboBox1.text = "default.set";
    t.run([&] { t->ZNDLbox1.PlayButClick(); });
  }
  const std::string& tick() {
    t.run([&] { t->ChatBox.Timer1Timer(); });
    return t->ChatBox.ChatText.text;
  }

  TestGame t;
  std::size_t startErrors = 0;
};

TEST_F(Settings, CancellingTheFileDialogLeavesEveryListAlone) {
  ASSERT_TRUE(t->Form1.visible());
  const TextList script = t->ChatBox.Memo1, descriptions = t->ChatBox.Memo2,
                 jobs = t->ChatBox.Memo3, afterJobs = t->ChatBox.Memo4, prizes = t->AnvilBox.Prizes;
  for (auto click : {&TForm1::LNBClick, &TForm1::LNDClick, &TForm1::LNJClick, &TForm1::LNAJClick,
                     &TForm1::Button1Click})
    t.run([&] { (t->Form1.*click)(); });

  EXPECT_EQ(t.picker.offers.size(), 5u);
  EXPECT_EQ(t->ChatBox.Memo1, script);
  EXPECT_EQ(t->ChatBox.Memo2, descriptions);
  EXPECT_EQ(t->ChatBox.Memo3, jobs);
  EXPECT_EQ(t->ChatBox.Memo4, afterJobs);
  EXPECT_EQ(t->AnvilBox.Prizes, prizes);
  EXPECT_EQ(t->Form1.OpenDialog1, "");
  EXPECT_TRUE(t->Form1.visible());
  EXPECT_EQ(t.errors.shown.size(), startErrors);
}

TEST_F(Settings, EachButtonLoadsItsOwnList) {
  writeFile("b", "B0\r\n");
  writeFile("d", "D0\r\n");
  writeFile("j", "J0\r\n");
  writeFile("a", "A0\r\n");
  writeFile("p", "P0\r\nP1\r\n");
  t.picker.answers = {path("b"), path("d"), path("j"), path("a"), path("p")};
  t.run([&] { t->Form1.LNBClick(); });
  t.run([&] { t->Form1.LNDClick(); });
  t.run([&] { t->Form1.LNJClick(); });
  t.run([&] { t->Form1.LNAJClick(); });
  t.run([&] { t->Form1.Button1Click(); });

  EXPECT_EQ(t->ChatBox.Memo1.entries(), (std::vector<std::string>{"B0"}));
  EXPECT_EQ(t->ChatBox.Memo2.entries(), (std::vector<std::string>{"D0"}));
  EXPECT_EQ(t->ChatBox.Memo3.entries(), (std::vector<std::string>{"J0"}));
  EXPECT_EQ(t->ChatBox.Memo4.entries(), (std::vector<std::string>{"A0"}));
  EXPECT_EQ(t->AnvilBox.Prizes.entries(), (std::vector<std::string>{"P0", "P1"}));
  EXPECT_TRUE(t->Form1.visible());
  EXPECT_EQ(t.errors.shown.size(), startErrors);
}

TEST_F(Settings, TheDialogOffersTheFileChosenTheTimeBefore) {
  writeFile("first", "x\r\n");
  writeFile("second", "y\r\n");
  t.picker.answers = {path("first"), std::nullopt, path("second"), path("missing"), std::nullopt};
  t.run([&] { t->Form1.LNJClick(); });
  t.run([&] { t->Form1.LNDClick(); });      // cancelled: the offer stays
  t.run([&] { t->Form1.Button1Click(); });  // one dialog for every button
  t.run([&] { t->Form1.LNBClick(); });      // an unreadable choice is still the last one
  t.run([&] { t->Form1.LNAJClick(); });
  EXPECT_EQ(t.picker.offers, (std::vector<std::string>{"", path("first"), path("first"),
                                                       path("second"), path("missing")}));
}

TEST_F(Settings, UnreadableChoiceIsReportedWithItsFullPathAndTheListKept) {
  const std::string missing = path("no such list");
  t.picker.answers = {missing};
  t.run([&] { t->Form1.LNAJClick(); });
  ASSERT_EQ(t.errors.shown.size(), startErrors + 1);
  EXPECT_EQ(t.errors.shown.back(), "Cannot open file " + missing + ".");
  EXPECT_EQ(t->ChatBox.Memo4, builtin::afterJobs());
  EXPECT_TRUE(t->Form1.visible());
}

TEST_F(Settings, LoadedScriptIsReadAtTheNextTickFromTheCurrentPosition) {
  play();
  tick();
  EXPECT_EQ(tick(), said("...Pembril The Penguin!"));
  EXPECT_EQ(t->ScriptLine, 2);

  writeFile("new banter", "New 0\r\nNew 1\r\nNew 2\r\n");
  t.picker.answers = {path("new banter")};
  t.run([&] { t->Form1.LNBClick(); });
  EXPECT_EQ(tick(), said("New 1"));
  EXPECT_EQ(tick(), said("New 2"));
}

TEST_F(Settings, LoadedPrizeListIsWrittenToPrizesAtExit) {
  writeFile("prizes", "Old\r\nprize\r\n");
  writeFile("my prizes", "Header\r\nA goat\r\nA car");
  t.picker.answers = {path("my prizes")};
  t.run([&] { t->Form1.Button1Click(); });
  t.run([&] { t->ZNDLbox1.ExitButClick(); });
  EXPECT_EQ(readFile("prizes"), "Header\r\nA goat\r\nA car");
}

TEST_F(Settings, CreationCopiesTheIntroductionsInterval) {
  EXPECT_EQ(t->Form1.SpinEdit1, "2500");
  EXPECT_EQ(t->ChatBox.Timer1.interval, 2500);
  t->ChatBox.Timer1.interval = 1234;
  t->Form1.FormCreate();
  EXPECT_EQ(t->Form1.SpinEdit1, "1234");
}

TEST_F(Settings, OkHidesAndAppliesOnlyAChangedDelay) {
  const int restarts = t->ChatBox.Timer1.restarts;
  ok();
  EXPECT_FALSE(t->Form1.visible());
  EXPECT_EQ(t->ChatBox.Timer1.interval, 2500);
  EXPECT_EQ(t->ChatBox.Timer1.restarts, restarts);

  t.run([&] { t->ZNDLbox1.Button3Click(); });
  t->Form1.SpinEdit1 = "400";
  ok();
  EXPECT_EQ(t->ChatBox.Timer1.interval, 400);
  EXPECT_EQ(t->ChatBox.Timer1.restarts, restarts + 1);
  EXPECT_TRUE(t->ChatBox.Timer1.ticking());

  // The same value again leaves the period running.
  ok();
  EXPECT_EQ(t->ChatBox.Timer1.restarts, restarts + 1);
}

TEST_F(Settings, ZeroStopsTheTicksAndSkipStillHandsOver) {
  play();
  tick();
  tick();
  t->Form1.SpinEdit1 = "0";
  ok();
  EXPECT_FALSE(t->ChatBox.Timer1.ticking());
  EXPECT_TRUE(t->ChatBox.visible());
  t.run([&] { t->ChatBox.Button1Click(); });
  EXPECT_TRUE(t->PlayBox.visible());
  EXPECT_FALSE(t->ChatBox.visible());

  // A positive delay sets it going again.
  t->Form1.SpinEdit1 = "2500";
  ok();
  EXPECT_TRUE(t->ChatBox.Timer1.ticking());
  EXPECT_EQ(t->ChatBox.Timer1.interval, 2500);
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
    t->Form1.SpinEdit1 = c.typed;
    EXPECT_EQ(t->Form1.speechDelay(), c.delay) << "typed: " << c.typed;
  }
  t->Form1.SpinEdit1 = "12.5";
  ok();
  EXPECT_EQ(t->ChatBox.Timer1.interval, 0);
  EXPECT_FALSE(t->ChatBox.Timer1.ticking());
  EXPECT_EQ(t->Form1.SpinEdit1, "12.5");  // the field keeps what was typed
  t->Form1.SpinEdit1 = "-10";
  ok();
  EXPECT_FALSE(t->ChatBox.Timer1.ticking());
}

TEST_F(Settings, ArrowsStepByOneWithoutBounds) {
  t->Form1.stepSpeechDelay(+1);
  EXPECT_EQ(t->Form1.SpinEdit1, "2501");
  t->Form1.SpinEdit1 = "0";
  t->Form1.stepSpeechDelay(-1);
  EXPECT_EQ(t->Form1.SpinEdit1, "-1");
  t->Form1.SpinEdit1 = "abc";
  t->Form1.stepSpeechDelay(+1);
  EXPECT_EQ(t->Form1.SpinEdit1, "1");
  t->Form1.SpinEdit1 = "2147483647";
  t->Form1.stepSpeechDelay(+1);
  EXPECT_EQ(t->Form1.speechDelay(), 0);
  // Stepping alone applies nothing.
  EXPECT_EQ(t->ChatBox.Timer1.interval, 2500);
}

TEST_F(Settings, CloseHidesWithoutApplyingAndTheFieldKeepsItsValue) {
  t->Form1.SpinEdit1 = "100";
  t.run([&] { t->Form1.close(); });
  EXPECT_FALSE(t->Form1.visible());
  EXPECT_EQ(t->ChatBox.Timer1.interval, 2500);
  EXPECT_EQ(t->Form1.SpinEdit1, "100");

  // More... while shown changes nothing; OK then applies what the field holds.
  t.run([&] { t->ZNDLbox1.Button3Click(); });
  t.run([&] { t->ZNDLbox1.Button3Click(); });
  EXPECT_EQ(t->Form1.SpinEdit1, "100");
  ok();
  EXPECT_EQ(t->ChatBox.Timer1.interval, 100);
}

}  // namespace
