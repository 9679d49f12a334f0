// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/test_game.h"
#include "host/host_lists.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

std::string starterFile(const std::string& name) {
  return readFile(std::string(ZNDL_SOURCE_DIR) + "/assets/starter/" + name);
}

}  // namespace

TEST(StartUp, OnlyTheTitleScreenIsShownWithTheGamesTitle) {
  TestGame t;
  t->start();
  EXPECT_TRUE(t->screen<TitleScreen>().visible());
  EXPECT_EQ(t->screen<TitleScreen>().caption(), "Zandoodle v4.2");
  const Screen* hidden[] = {&t->screen<QuizScreen>(),     &t->screen<Introduction>(),
                            &t->screen<SettingsDialog>(), &t->screen<Notice>(),
                            &t->screen<Finale>(),         &t->screen<TieBreak>(),
                            &t->screen<CoinCall>(),       &t->screen<InternetSites>()};
  for (const Screen* s : hidden) EXPECT_FALSE(s->visible()) << s->caption();
  EXPECT_EQ(t->screen<SettingsDialog>().caption(), "Zandoodle Settings");
  EXPECT_EQ(t->screen<CoinCall>().caption(), "Call please...");
  EXPECT_EQ(t->screen<InternetSites>().caption(), "Internet Sites");
}

TEST(StartUp, CreationStepsRunInTheirOrder) {
  TestGame t;
  writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "10", "5"));
  writeFile("banter", "Hi\r\n");
  t->start();
  // Seeded before anything else draws, the tune started, the names read.
  EXPECT_EQ(t.random.seeds, 1);
  EXPECT_TRUE(t.random.asked.empty());
  EXPECT_EQ(t.titleTune.log, (std::vector<std::string>{"open ZNDL.MID", "play"}));
  EXPECT_EQ(t->screen<TitleScreen>().entries[kFirstContestant].name, "Ann");
  EXPECT_EQ(t->screen<QuizScreen>().questionNo, 1) << "the quiz screen's step";
  EXPECT_EQ(t->screen<Introduction>().script.at(0), "Hi") << "the introduction's step";
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "2500") << "the settings dialog's step";
  // With every file but the host lists present the only reports are about banter.
  EXPECT_EQ(t.errors.shown, (std::vector<std::string>{"Cannot open file describe."}));
}

TEST(StartUp, AFailingCreationStepIsReportedOnceAndStartUpGoesOn) {
  TestGame t;
  t.titleTune.missing.insert("ZNDL.MID");
  writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "10", "5"));
  t->start();
  ASSERT_EQ(t.errors.shown.size(), 2u);
  EXPECT_EQ(t.errors.shown[0], "Cannot open file ZNDL.MID.");
  EXPECT_EQ(t.errors.shown[1], "Cannot open file banter.");
  // The rest of the title's step was skipped: names not read, drop-down still built in.
  EXPECT_EQ(t->screen<TitleScreen>().entries[kFirstContestant].name, "Name1");
  EXPECT_EQ(t->screen<TitleScreen>().groupBox.items, (std::vector<std::string>{"default.set"}));
  // The later screens still ran their steps.
  EXPECT_EQ(t->screen<QuizScreen>().questionNo, 1);
  EXPECT_EQ(t->screen<SettingsDialog>().speechDelayText, "2500");
  EXPECT_TRUE(t->screen<TitleScreen>().visible());
}

TEST(StartUp, HostListsStopAtTheFirstFileThatWillNotOpen) {
  TestGame t;
  writeFile("banter", "One\r\n");
  writeFile("jobs", "Nobody\r\nPlumber\r\n");
  writeFile("after.job", "x\r\ny\r\n");
  t->start();
  EXPECT_EQ(t->screen<Introduction>().script.at(0), "One");
  EXPECT_EQ(t->screen<Introduction>().descriptions, builtin::descriptions());
  EXPECT_EQ(t->screen<Introduction>().jobs, builtin::jobs()) << "read stopped at describe";
  EXPECT_EQ(t->screen<Introduction>().afterJobs, builtin::afterJobs());
  EXPECT_EQ(std::count(t.errors.shown.begin(), t.errors.shown.end(), "Cannot open file describe."),
            1);
}

TEST(StartUp, ErrorsOutsideTheGamesOwnAreNotSwallowed) {
  TestGame t;
  EXPECT_THROW(t->guarded([] { throw std::logic_error("bug"); }), std::logic_error);
  EXPECT_TRUE(t->guarded([] {}));
  EXPECT_FALSE(t->guarded([] { throw Error("Cannot open file x"); }));
  EXPECT_EQ(t.errors.shown.back(), "Cannot open file x.");
}

TEST(StarterFiles, HostListsHoldTheBuiltInTextsByteForByte) {
  EXPECT_EQ(starterFile("banter"), builtin::script().toBytes());
  EXPECT_EQ(starterFile("describe"), builtin::descriptions().toBytes());
  EXPECT_EQ(starterFile("jobs"), builtin::jobs().toBytes());
  EXPECT_EQ(starterFile("after.job"), builtin::afterJobs().toBytes());
}

TEST(StarterFiles, AFreshPlayFolderStartsWithoutAnyErrorBox) {
  TestGame t;
  for (const char* name : {"names.etc", "banter", "describe", "jobs", "after.job", "prizes"})
    writeFile(name, starterFile(name));
  t->start();
  EXPECT_TRUE(t.errors.shown.empty()) << t.errors.shown.front();
  TextList prizes;
  prizes.loadFromFile("prizes");
  EXPECT_GE(prizes.count(), 26) << "a header line and at least 25 prizes";
}
