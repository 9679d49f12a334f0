// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fakes/failing_writes.h"
#include "fakes/test_game.h"
#include "host/host_lists.h"
#include "platform/file_io.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

const char* const kHostFiles[] = {"banter", "describe", "jobs", "after.job"};

// Host list files written with bare LF, so that a file written back at Exit (always
// CR LF) can be told from one that was left alone.
void writeHostFilesWithLf() {
  for (const char* name : kHostFiles)
    writeFile(name, std::string(name) + " one\n" + name + " two\n");
}

std::string crlf(const std::string& name) {
  return name + " one\r\n" + name + " two\r\n";
}

std::string lf(const std::string& name) {
  return name + " one\n" + name + " two\n";
}

void makeReadOnly(const std::string& name) {
  std::filesystem::permissions(name, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
}

std::vector<std::string> filesInWorkingDirectory() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator("."))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(NamesFile, TheEightLinesFillTheEntriesAndAnUnchangedExitWritesThemBack) {
  TestGame t;
  const std::string names = namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "10", "5");
  writeFile("names.etc", names);
  t->start();
  const TitleScreen& title = t->screen<TitleScreen>();
  EXPECT_EQ(title.entries[kFirstContestant].name, "Ann");
  EXPECT_EQ(title.entries[kSecondContestant].name, "Bob");
  EXPECT_EQ(title.entries[kFirstContestant].petName, "Rex");
  EXPECT_EQ(title.entries[kSecondContestant].petName, "Goldie");
  EXPECT_EQ(title.entries[kFirstContestant].petTypeText(), "Dog");
  EXPECT_EQ(title.entries[kSecondContestant].petTypeText(), "Goldfish");
  EXPECT_EQ(title.entries[kFirstContestant].answerTime.text, "10");
  EXPECT_EQ(title.entries[kSecondContestant].answerTime.text, "5");

  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_TRUE(t->ended());
  EXPECT_EQ(readFile("names.etc"), names);
}

TEST(NamesFile, PetTypesOutOfRangeChooseTheNearestTypeAndAreSavedAsIt) {
  TestGame t;
  writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Goldie", "7", "-2", "15", "15"));
  t->start();
  EXPECT_EQ(t->screen<TitleScreen>().entries[kFirstContestant].petType, 3) << "above 3 is a dog";
  EXPECT_EQ(t->screen<TitleScreen>().entries[kSecondContestant].petType, 0)
      << "below 0 is a hamster, never no pet at all";
  EXPECT_EQ(t->screen<TitleScreen>().entries[kSecondContestant].petTypeText(), "Hamster");
  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_EQ(readFile("names.etc"), namesFile("Ann", "Bob", "Rex", "Goldie", "3", "0", "15", "15"));
}

TEST(NamesFile, LinesAfterTheEighthSurviveExitUnchanged) {
  TestGame t;
  writeFile("names.etc",
            namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "10", "5") + "ninth\r\n tenth \r\n");
  t->start();
  t->screen<TitleScreen>().entries[kFirstContestant].name = "Cy";
  t->screen<TitleScreen>().entries[kSecondContestant].petType = 2;
  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_EQ(readFile("names.etc"),
            namesFile("Cy", "Bob", "Rex", "Goldie", "3", "2", "10", "5") + "ninth\r\n tenth \r\n");
}

TEST(NamesFile, AShortFileStopsAtTheMissingPetTypeAndKeepsTheBuiltInValuesAfterIt) {
  TestGame t;
  writeFile("names.etc", "Ann\r\nBob\r\nRex\r\nGoldie\r\n");
  writeFile("quiz.set", "(ZNDL v4)\r\n");
  t->start();
  const TitleScreen& title = t->screen<TitleScreen>();
  ASSERT_FALSE(t.errors.shown.empty());
  EXPECT_NE(t.errors.shown.front().find("names.etc"), std::string::npos) << t.errors.shown.front();
  EXPECT_EQ(title.entries[kFirstContestant].name, "Ann");
  EXPECT_EQ(title.entries[kSecondContestant].petName, "Goldie");
  EXPECT_EQ(title.entries[kFirstContestant].petType, 0);
  EXPECT_EQ(title.entries[kSecondContestant].petType, 0);
  EXPECT_EQ(title.entries[kFirstContestant].answerTime.text, "15");
  EXPECT_EQ(title.entries[kSecondContestant].answerTime.text, "15");
  // The failing read ended the creation step: the drop-down was not filled.
  EXPECT_EQ(title.groupBox.items, (std::vector<std::string>{"default.set"}));

  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_EQ(readFile("names.etc"), namesFile("Ann", "Bob", "Rex", "Goldie", "0", "0", "15", "15"));
}

TEST(NamesFile, ABadSecondPetTypeKeepsTheFirstAndStopsBeforeTheTimes) {
  TestGame t;
  writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Goldie", "2", "two", "10", "5"));
  t->start();
  EXPECT_EQ(t->screen<TitleScreen>().entries[kFirstContestant].petType, 2);
  EXPECT_EQ(t->screen<TitleScreen>().entries[kSecondContestant].petType, 0);
  EXPECT_EQ(t->screen<TitleScreen>().entries[kFirstContestant].answerTime.text, "15");
  ASSERT_FALSE(t.errors.shown.empty());
  EXPECT_NE(t.errors.shown.front().find("two"), std::string::npos) << t.errors.shown.front();
}

TEST(NamesFile, EmptyNamesAndARefusedTimeAreSavedAndReadBackAsTheyAre) {
  TestGame t;
  writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Goldie", "0", "0", "15", "15"));
  t->start();
  t->screen<TitleScreen>().entries[kFirstContestant].name = "";
  t->screen<TitleScreen>().entries[kSecondContestant].petName = "";
  t->screen<TitleScreen>().entries[kSecondContestant].answerTime.text = "20";
  const std::string longName(5000, 'x');
  t->screen<TitleScreen>().entries[kSecondContestant].name = longName;
  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_EQ(readFile("names.etc"), namesFile("", longName, "Rex", "", "0", "0", "15", "20"));

  t.make();  // the next run, in the same folder
  t->start();
  EXPECT_EQ(t->screen<TitleScreen>().entries[kFirstContestant].name, "");
  EXPECT_EQ(t->screen<TitleScreen>().entries[kSecondContestant].name, longName);
  EXPECT_EQ(t->screen<TitleScreen>().entries[kSecondContestant].petName, "");
  EXPECT_EQ(t->screen<TitleScreen>().entries[kSecondContestant].answerTime.text, "20");
}

TEST(NamesFile, AMissingFileShowsTheBuiltInEntriesAndIsCreatedAtExit) {
  TestGame t;
  t->start();
  EXPECT_EQ(t.errors.shown.front(), "Cannot open file names.etc.");
  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_EQ(readFile("names.etc"),
            namesFile("Name1", "Name2", "PetName1", "PetName2", "0", "0", "15", "15"));
}

TEST(SaveAtExit, AFreshFolderGetsAllSixFilesWithTheBuiltInContents) {
  TestGame t;
  t->start();
  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_TRUE(t->ended());
  EXPECT_EQ(readFile("banter"), builtin::script().toBytes());
  EXPECT_EQ(readFile("describe"), builtin::descriptions().toBytes());
  EXPECT_EQ(readFile("jobs"), builtin::jobs().toBytes());
  EXPECT_EQ(readFile("after.job"), builtin::afterJobs().toBytes());
  EXPECT_EQ(readFile("prizes"), "Prizes\r\n");
  EXPECT_EQ(filesInWorkingDirectory(), (std::vector<std::string>{"after.job", "banter", "describe",
                                                                 "jobs", "names.etc", "prizes"}));
  EXPECT_EQ(t.titleTune.log.back(), "close");
}

TEST(SaveAtExit, AReadOnlyFileStopsTheSequenceThereAndTheTitleStays) {
  TestGame t;
  writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "10", "5"));
  writeHostFilesWithLf();
  t->start();
  ASSERT_TRUE(t.errors.shown.empty()) << t.errors.shown.front();
  makeReadOnly("jobs");
  t->screen<TitleScreen>().entries[kFirstContestant].name = "Cy";

  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_EQ(t.errors.shown, (std::vector<std::string>{"Cannot create file jobs."}));
  EXPECT_EQ(readFile("names.etc"), namesFile("Cy", "Bob", "Rex", "Goldie", "3", "1", "10", "5"));
  EXPECT_EQ(readFile("banter"), crlf("banter"));
  EXPECT_EQ(readFile("describe"), crlf("describe"));
  EXPECT_EQ(readFile("jobs"), lf("jobs"));
  EXPECT_EQ(readFile("after.job"), lf("after.job")) << "not written after the failure";
  EXPECT_FALSE(fileio::exists("prizes"));
  EXPECT_FALSE(t->ended());
  EXPECT_TRUE(t->screen<TitleScreen>().visible());
  EXPECT_TRUE(std::find(t.titleTune.log.begin(), t.titleTune.log.end(), "close") ==
              t.titleTune.log.end())
      << "the title tune is left alone";

  // Once the file may be written again, a new Exit runs the whole sequence.
  std::filesystem::permissions("jobs", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_TRUE(t->ended());
  EXPECT_EQ(readFile("jobs"), crlf("jobs"));
  EXPECT_EQ(readFile("after.job"), crlf("after.job"));
  EXPECT_EQ(readFile("prizes"), "Prizes\r\n");
}

TEST(SaveAtExit, AWriteThatFailsAtAnyStageLeavesTheOldFileWhole) {
  for (const WriteStage stage :
       {WriteStage::Open, WriteStage::Data, WriteStage::Flush, WriteStage::Rename}) {
    TestGame t;
    const std::string old = namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "10", "5");
    writeFile("names.etc", old);
    t->start();
    t->screen<TitleScreen>().entries[kFirstContestant].name = "A much longer name than before";
    t.writes.failNextAt(stage);
    t.run([&] { t->screen<TitleScreen>().onExit(); });
    const int s = static_cast<int>(stage);
    EXPECT_EQ(t.errors.shown.back(), "Cannot create file names.etc.") << s;
    EXPECT_EQ(readFile("names.etc"), old) << s;
    EXPECT_EQ(filesInWorkingDirectory(), (std::vector<std::string>{"names.etc"}))
        << "no temporary file left, no later file written; stage " << s;
    EXPECT_FALSE(t->ended()) << s;
  }
}

TEST(SaveAtExit, AListFileThatWasNeverReadIsNotReplaced) {
  TestGame t;
  // banter is missing, so describe, jobs and after.job are not read at start.
  for (const char* name : {"describe", "jobs", "after.job"}) writeFile(name, lf(name));
  writeFile("prizes", "Header\nA goat\n");
  t->start();
  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_TRUE(t->ended());
  EXPECT_EQ(readFile("banter"), builtin::script().toBytes()) << "a missing file is created";
  for (const char* name : {"describe", "jobs", "after.job"})
    EXPECT_EQ(readFile(name), lf(name)) << name;
  EXPECT_EQ(readFile("prizes"), "Header\nA goat\n") << "no game ended, nothing loaded";
}

TEST(SaveAtExit, AListLoadedDuringTheRunReplacesItsStandardFile) {
  TestGame t;
  writeFile("describe", lf("describe"));
  writeFile("prizes", "Header\nA goat\n");
  writeFile("mine", "Mine\nAll mine\n");
  t->start();  // banter missing: describe is not read
  t.run([&] { t->screen<Introduction>().descriptions.loadFromFile("mine"); });
  t.run([&] { t->screen<Finale>().prizes.loadFromFile("mine"); });
  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_EQ(readFile("describe"), "Mine\r\nAll mine\r\n");
  EXPECT_EQ(readFile("prizes"), "Mine\r\nAll mine\r\n");
}

TEST(SaveAtExit, ClosingTheTitleAnyOtherWayWritesNothing) {
  TestGame t;
  writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "10", "5"));
  t->start();
  t->screen<TitleScreen>().entries[kFirstContestant].name = "Changed";
  t.run([&] { t->screen<TitleScreen>().close(); });
  EXPECT_TRUE(t->ended());
  EXPECT_EQ(t.titleTune.log.back(), "close");
  EXPECT_EQ(filesInWorkingDirectory(), (std::vector<std::string>{"names.etc"}));
  EXPECT_EQ(readFile("names.etc"), namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "10", "5"));
}

TEST(SaveAtExit, ANamesFileThatWasNeverReadIsNotReplaced) {
  TestGame t;
  // The title tune fails first, so the rest of the title's creation step, the names
  // file among it, is skipped.
  t.titleTune.missing = {"ZNDL.MID"};
  writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "10", "5"));
  t->start();
  EXPECT_EQ(t->screen<TitleScreen>().entries[kFirstContestant].name, "Name1");
  t.run([&] { t->screen<TitleScreen>().onExit(); });
  EXPECT_TRUE(t->ended());
  EXPECT_EQ(readFile("names.etc"), namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "10", "5"));
}
