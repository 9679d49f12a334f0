// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/test_game.h"
#include "host/host_lists.h"

using namespace zndl;
using zndl::testing::FakeTunePlayer;
using zndl::testing::namesFile;
using zndl::testing::said;
using zndl::testing::TestGame;
using zndl::testing::writeFile;

namespace {

// A title tune that, like some players, refuses to stop or close what never opened.
class StrictTunePlayer : public FakeTunePlayer {
 public:
  void stop() override {
    ++stopAttempts;
    if (!openName) throw Error("No tune is open");
    FakeTunePlayer::stop();
  }
  void close() override {
    ++closeAttempts;
    if (!openName) throw Error("No tune is open");
    FakeTunePlayer::close();
  }
  int stopAttempts = 0;
  int closeAttempts = 0;
};

// A title tune that looks at the game at the moment it is stopped.
class ProbeTunePlayer : public FakeTunePlayer {
 public:
  void stop() override {
    if (onStop) onStop();
    FakeTunePlayer::stop();
  }
  std::function<void()> onStop;
};

// A game with Ann (a Dog called Rex) and Bob (a Hamster called Nibbles) entered, ready
// to press Play.
class IntroductionTest : public ::testing::Test {
 protected:
  void SetUp() override { writeFile("names.etc", annAndBob()); }

  static std::string annAndBob() {
    return namesFile("Ann", "Bob", "Rex", "Nibbles", "3", "0", "15", "15");
  }

  void start() {
    t->start();
    t.random.asked.clear();
    startErrors = t.errors.shown.size();
  }
  void play() {
    t->screen<TitleScreen>().groupBox.text = "default.set";
    t.run([&] { t->screen<TitleScreen>().onPlay(); });
  }
  const std::string& tick() {
    t.run([&] { t->screen<Introduction>().onTick(); });
    return t->screen<Introduction>().hostLine.text;
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) tick();
  }
  void skip() {
    t.run([&] { t->screen<Introduction>().onSkip(); });
  }
  // Whether the title tune has been stopped and then closed since `from`.
  bool titleTuneStoppedAndClosed(std::size_t from = 0) const {
    const auto& log = t.titleTune.log;
    for (std::size_t i = from; i + 1 < log.size(); ++i)
      if (log[i] == "stop" && log[i + 1] == "close") return true;
    return false;
  }

  TestGame t;
  std::size_t startErrors = 0;
};

TEST_F(IntroductionTest, BuiltInScriptIntroducesAnnAndBobTickByTick) {
  start();
  play();
  ASSERT_TRUE(t->screen<Introduction>().visible());
  // Description 3; Ann a Doctor (job 1) for the RSPCA (after-job 1); Bob a Secret
  // Agent (job 19) who isn't very good at it (after-job 20).
  t.random.script = {3, 0, 0, 18, 19};

  EXPECT_EQ(tick(), "");
  EXPECT_EQ(t->screen<Introduction>().scriptLine, 1);
  EXPECT_EQ(tick(), said("...Pembril The Penguin!"));
  EXPECT_EQ(tick(), said("Hello and welcome to Zandoodle..."));
  EXPECT_EQ(tick(), said("...the programme like Beat The Crusher only sicker."));
  EXPECT_EQ(tick(), said("And now let\u2019s meet our contestants, Ann and Bob"));
  EXPECT_EQ(tick(), said("Ann is a Doctor for the RSPCA."));
  EXPECT_EQ(tick(), said("Bob is a Secret Agent but isn\u2019t very good at it."));
  EXPECT_EQ(tick(), said("Now lets play Zandoodle!"));
  EXPECT_TRUE(t->screen<Introduction>().visible());
  EXPECT_FALSE(t->screen<QuizScreen>().visible());
  EXPECT_FALSE(titleTuneStoppedAndClosed());

  EXPECT_EQ(tick(), said("<END>"));
  EXPECT_TRUE(t->screen<QuizScreen>().visible());
  EXPECT_EQ(t->screen<Introduction>().scriptLine, 0);
  EXPECT_TRUE(titleTuneStoppedAndClosed());
  EXPECT_FALSE(t.titleTune.openName);
  EXPECT_FALSE(t->screen<Introduction>().visible());
  EXPECT_TRUE(t->screen<TitleScreen>().visible());

  // Four descriptions whatever the list holds; job then after-job, each from entry 1 on.
  EXPECT_EQ(t.random.asked, (std::vector<int>{4, 19, 20, 19, 20}));
  EXPECT_EQ(t.errors.shown.size(), startErrors);
}

TEST_F(IntroductionTest, NeverSaysTheFirstJobTheFirstAfterJobOrTheFifthDescription) {
  start();
  for (int intro = 0; intro < 3; ++intro) {
    play();
    ticks(9);
    ASSERT_TRUE(t->screen<QuizScreen>().visible());
  }
  // Every range asked keeps the first job, the first after-job and the fifth
  // description out of reach, whatever the draws were.
  std::vector<int> expected;
  for (int intro = 0; intro < 3; ++intro) expected.insert(expected.end(), {4, 19, 20, 19, 20});
  EXPECT_EQ(t.random.asked, expected);

  // The lowest and highest draws land on the second and the last entries.
  t.random.script = {0, 0, 0, 18, 19};
  play();
  ticks(6);
  EXPECT_EQ(t->screen<Introduction>().hostLine.text, said("Ann is a Doctor for the RSPCA."));
  EXPECT_EQ(tick(), said("Bob is a Secret Agent but isn\u2019t very good at it."));
}

TEST_F(IntroductionTest, DescriptionIsDrawnFromTheFirstFourWhateverTheListHolds) {
  writeFile("banter", "<DESCRIPTION>\r\n<DESCRIPTION>\r\n");
  writeFile("describe", "d0\r\nd1\r\nd2\r\nd3\r\nd4\r\nd5\r\nd6\r\n");
  start();
  play();
  t.random.script = {3};
  ticks(2);
  EXPECT_EQ(t->screen<Introduction>().hostLine.text, said("d3"));
  EXPECT_EQ(t.random.asked, (std::vector<int>{4}));

  // With only two descriptions a draw past them gives an empty description.
  writeFile("short", "d0\r\nd1\r\n");
  t->screen<Introduction>().descriptions.loadFromFile("short");
  t.random.script = {2};
  tick();
  EXPECT_EQ(t->screen<Introduction>().hostLine.text, said(""));
  EXPECT_EQ(t.random.asked, (std::vector<int>{4, 4}));
}

TEST_F(IntroductionTest, PetsLineNamesEachContestantsPetAndItsType) {
  writeFile("banter", "<PETS>\r\n<names>\r\n <NAMES>\r\n<PET>\r\n");
  start();
  play();
  ticks(2);
  EXPECT_EQ(t->screen<Introduction>().hostLine.text,
            said("Let\u2019s also meet Ann\u2019s Dog, Rex, and Bob\u2019s Hamster, Nibbles."));
  // Anything not exactly a tag is said as it stands.
  EXPECT_EQ(tick(), said("<names>"));
  EXPECT_EQ(tick(), said(" <NAMES>"));
  EXPECT_EQ(tick(), said("<PET>"));
  EXPECT_TRUE(t.random.asked.empty());
}

TEST_F(IntroductionTest, TagsAreTestedInOrderOnTheLineAsItStandsNow) {
  writeFile("banter", "<DESCRIPTION>\r\n<DESCRIPTION>\r\n<DESCRIPTION>\r\n");
  writeFile("describe", "<NAMES>\r\n<JOBS ETC. 2>\r\n<DESCRIPTION>\r\n<PETS>\r\n");
  start();
  play();
  tick();

  // A later tag in a description is expanded in the same tick...
  t.random.script = {0};
  EXPECT_EQ(tick(), said("And now let\u2019s meet our contestants, Ann and Bob"));
  t.random.script = {1, 2, 2};
  EXPECT_EQ(tick(), said("Bob is a Vet in a school."));
  // ...but an earlier one is not tested again.
  t.random.script = {2};
  EXPECT_EQ(tick(), said("<DESCRIPTION>"));
  EXPECT_EQ(t.random.asked, (std::vector<int>{4, 4, 19, 20, 4}));
}

TEST_F(IntroductionTest, OneEntryJobListGivesAnEmptyJobAndTwoSpaces) {
  writeFile("banter", "<JOBS ETC. 1>\r\n<JOBS ETC. 2>\r\n");
  writeFile("describe", "D\r\n");
  writeFile("jobs", "Only job\r\n");
  writeFile("after.job", "A0\r\nA1\r\n");
  start();
  play();
  tick();
  t.random.script = {0, 0, 0, 0};
  EXPECT_EQ(tick(), said("Ann is a  A1."));
  ASSERT_TRUE(t.errors.shown.empty());

  // An empty job list says nothing for the job either.
  writeFile("nojobs", "");
  t->screen<Introduction>().jobs.loadFromFile("nojobs");
  EXPECT_EQ(tick(), said("Bob is a  A1."));
}

TEST_F(IntroductionTest, ScriptWithoutEndRunsOnWithEmptyQuotesUntilSkip) {
  writeFile("banter", "One\r\nTwo\r\n");
  start();
  play();
  EXPECT_EQ(tick(), "");
  EXPECT_EQ(tick(), said("One"));
  EXPECT_EQ(tick(), said("Two"));
  EXPECT_EQ(tick(), said(""));
  EXPECT_EQ(tick(), said(""));
  EXPECT_EQ(t->screen<Introduction>().scriptLine, 5);
  EXPECT_TRUE(t->screen<Introduction>().visible());
  EXPECT_FALSE(t->screen<QuizScreen>().visible());

  skip();
  EXPECT_TRUE(t->screen<QuizScreen>().visible());
  EXPECT_FALSE(t->screen<Introduction>().visible());
  EXPECT_EQ(t->screen<Introduction>().scriptLine, 0);
}

TEST_F(IntroductionTest, EndInTheMiddleOfTheScriptEndsTheIntroductionThere) {
  writeFile("banter", "One\r\n<END>\r\nNever said\r\n");
  start();
  play();
  ticks(3);
  EXPECT_TRUE(t->screen<QuizScreen>().visible());
  EXPECT_FALSE(t->screen<Introduction>().visible());
  ticks(3);
  EXPECT_EQ(t->screen<Introduction>().hostLine.text, said("<END>"));
}

TEST_F(IntroductionTest, HiddenScreenHoldingEndNeverHandsOverAgain) {
  start();
  play();
  ticks(9);
  ASSERT_FALSE(t->screen<Introduction>().visible());
  t->screen<QuizScreen>().hide();
  const auto tuneLog = t.titleTune.log;
  const auto front = t->screen<QuizScreen>().frontOrder();

  ticks(5);
  EXPECT_EQ(t->screen<Introduction>().hostLine.text, said("<END>"));
  EXPECT_EQ(t->screen<Introduction>().scriptLine, 0);
  EXPECT_FALSE(t->screen<QuizScreen>().visible());
  EXPECT_EQ(t->screen<QuizScreen>().frontOrder(), front);
  EXPECT_EQ(t.titleTune.log, tuneLog);
}

TEST_F(IntroductionTest, SkipBeforeTheFirstLineHandsOverAndTheNextIntroductionStartsAfresh) {
  start();
  play();
  skip();
  EXPECT_EQ(t->screen<Introduction>().scriptLine, 0);
  EXPECT_FALSE(t->screen<Introduction>().visible());
  EXPECT_TRUE(t->screen<QuizScreen>().visible());
  EXPECT_TRUE(titleTuneStoppedAndClosed());
  EXPECT_TRUE(t->screen<TitleScreen>().visible());

  // A second game: skip part-way, then the third introduction starts from the top.
  play();
  ticks(4);
  skip();
  EXPECT_EQ(t->screen<Introduction>().scriptLine, 0);
  play();
  EXPECT_EQ(tick(), "");
  EXPECT_EQ(tick(), said("...Pembril The Penguin!"));
}

TEST_F(IntroductionTest, CloseHidesWithoutHandOverAndPlayResumesThere) {
  start();
  play();
  ticks(3);
  ASSERT_EQ(t->screen<Introduction>().hostLine.text, said("Hello and welcome to Zandoodle..."));
  const auto tuneLog = t.titleTune.log;

  t.run([&] { t->screen<Introduction>().close(); });
  EXPECT_FALSE(t->screen<Introduction>().visible());
  EXPECT_FALSE(t->screen<QuizScreen>().visible());
  EXPECT_EQ(t->screen<Introduction>().scriptLine, 3);
  ticks(4);  // the timer goes on while the screen is away
  EXPECT_EQ(t->screen<Introduction>().scriptLine, 3);
  EXPECT_FALSE(t->screen<QuizScreen>().visible());
  EXPECT_EQ(t.titleTune.log, tuneLog);
  EXPECT_TRUE(t.titleTune.openName);

  play();
  t.random.script = {0};
  EXPECT_EQ(tick(), said("...the programme we don\u2019t like to talk about."));
  EXPECT_EQ(tick(), said("And now let\u2019s meet our contestants, Ann and Bob"));
}

TEST_F(IntroductionTest, ClosedOnTheLastLineHandsOverAtTheFirstTickAfterPlay) {
  start();
  play();
  ticks(8);
  t.run([&] { t->screen<Introduction>().close(); });
  ticks(3);
  EXPECT_EQ(t->screen<Introduction>().hostLine.text, said("<END>"));
  EXPECT_FALSE(t->screen<QuizScreen>().visible());

  play();
  EXPECT_EQ(tick(), said("<END>"));
  EXPECT_TRUE(t->screen<QuizScreen>().visible());
  EXPECT_FALSE(t->screen<Introduction>().visible());
}

TEST_F(IntroductionTest, HandOverAndSkipEachKeepTheirOwnOrder) {
  ProbeTunePlayer probe;
  Game g(Ports{probe, t.quizTune, t.errors, t.desktop, t.picker, t.random, t.writes});
  g.start();
  struct Seen {
    bool quizShown, introShown;
    int scriptLine;
  };
  std::vector<Seen> seen;
  probe.onStop = [&] {
    seen.push_back({g.screen<QuizScreen>().visible(), g.screen<Introduction>().visible(),
                    g.screen<Introduction>().scriptLine});
  };

  g.screen<TitleScreen>().groupBox.text = "default.set";
  g.screen<TitleScreen>().onPlay();
  for (int i = 0; i < 9; ++i) g.screen<Introduction>().onTick();
  // At "<END>": quiz shown, line reset, tune stopped, and only then the intro hidden.
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].quizShown);
  EXPECT_TRUE(seen[0].introShown);
  EXPECT_EQ(seen[0].scriptLine, 0);
  EXPECT_FALSE(g.screen<Introduction>().visible());

  g.screen<QuizScreen>().hide();
  g.screen<TitleScreen>().onPlay();
  g.screen<Introduction>().onTick();
  g.screen<Introduction>().onSkip();
  // Skip: line reset, intro hidden, quiz shown, and then the tune stopped.
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[1].quizShown);
  EXPECT_FALSE(seen[1].introShown);
  EXPECT_EQ(seen[1].scriptLine, 0);
  EXPECT_EQ(probe.log.back(), "close");
}

TEST_F(IntroductionTest, HandOverCompletesWhenTheTitleTuneNeverOpened) {
  StrictTunePlayer strict;
  strict.missing = {"ZNDL.MID"};
  Game g(Ports{strict, t.quizTune, t.errors, t.desktop, t.picker, t.random, t.writes});
  g.start();
  ASSERT_FALSE(t.errors.shown.empty());
  ASSERT_EQ(t.errors.shown.front(), "Cannot open file ZNDL.MID.");
  const auto reported = t.errors.shown.size();

  g.screen<TitleScreen>().groupBox.text = "default.set";
  g.screen<TitleScreen>().onPlay();
  for (int i = 0; i < 9; ++i) g.guarded([&] { g.screen<Introduction>().onTick(); });
  EXPECT_TRUE(g.screen<QuizScreen>().visible());
  EXPECT_FALSE(g.screen<Introduction>().visible());
  EXPECT_EQ(g.screen<Introduction>().scriptLine, 0);

  g.screen<QuizScreen>().hide();
  g.screen<TitleScreen>().onPlay();
  g.guarded([&] { g.screen<Introduction>().onTick(); });
  g.guarded([&] { g.screen<Introduction>().onSkip(); });
  EXPECT_TRUE(g.screen<QuizScreen>().visible());
  EXPECT_FALSE(g.screen<Introduction>().visible());
  EXPECT_EQ(g.screen<Introduction>().scriptLine, 0);
  // Each hand-over tried to stop and to close, and nothing more was reported.
  EXPECT_EQ(strict.stopAttempts, 2);
  EXPECT_EQ(strict.closeAttempts, 2);
  EXPECT_EQ(t.errors.shown.size(), reported);
}

TEST_F(IntroductionTest, StartReadsTheFourListsFromTheirFiles) {
  writeFile("banter", "B\r\n");
  writeFile("describe", "D\r\n");
  writeFile("jobs", "J0\r\nJ1\r\n");
  writeFile("after.job", "A0\nA1");
  start();
  EXPECT_TRUE(t.errors.shown.empty());
  EXPECT_EQ(t->screen<Introduction>().script.entries(), (std::vector<std::string>{"B"}));
  EXPECT_EQ(t->screen<Introduction>().descriptions.entries(), (std::vector<std::string>{"D"}));
  EXPECT_EQ(t->screen<Introduction>().jobs.entries(), (std::vector<std::string>{"J0", "J1"}));
  EXPECT_EQ(t->screen<Introduction>().afterJobs.entries(), (std::vector<std::string>{"A0", "A1"}));
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "2500");
  EXPECT_EQ(t->screen<Introduction>().tickTimer.interval, 2500);
}

TEST_F(IntroductionTest, StartStopsReadingAtTheFirstMissingList) {
  {
    // No banter: reported once, and the three after it keep their built-in texts too.
    writeFile("describe", "D\r\n");
    writeFile("jobs", "J\r\n");
    writeFile("after.job", "A\r\n");
    start();
    EXPECT_EQ(t.errors.shown, (std::vector<std::string>{"Cannot open file banter."}));
    EXPECT_EQ(t->screen<Introduction>().script, builtin::script());
    EXPECT_EQ(t->screen<Introduction>().descriptions, builtin::descriptions());
    EXPECT_EQ(t->screen<Introduction>().jobs, builtin::jobs());
    EXPECT_EQ(t->screen<Introduction>().afterJobs, builtin::afterJobs());
    // The settings dialog is still made after the failed step.
    EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "2500");
  }
  {
    // No jobs: the two before it are read, the two from it on are built in.
    TestGame u;
    writeFile("names.etc", annAndBob());
    writeFile("banter", "B\r\n");
    writeFile("describe", "D\r\n");
    writeFile("after.job", "A\r\n");
    u->start();
    EXPECT_EQ(u.errors.shown, (std::vector<std::string>{"Cannot open file jobs."}));
    EXPECT_EQ(u->screen<Introduction>().script.entries(), (std::vector<std::string>{"B"}));
    EXPECT_EQ(u->screen<Introduction>().descriptions.entries(), (std::vector<std::string>{"D"}));
    EXPECT_EQ(u->screen<Introduction>().jobs, builtin::jobs());
    EXPECT_EQ(u->screen<Introduction>().afterJobs, builtin::afterJobs());
  }
}

TEST_F(IntroductionTest, IdleTicksChangeNothing) {
  start();
  const auto before = t.titleTune.log;
  ticks(5);
  EXPECT_EQ(t->screen<Introduction>().hostLine.text, "");
  EXPECT_EQ(t->screen<Introduction>().scriptLine, 0);
  EXPECT_FALSE(t->screen<QuizScreen>().visible());
  EXPECT_EQ(t.titleTune.log, before);
  EXPECT_TRUE(t.random.asked.empty());
}

}  // namespace
