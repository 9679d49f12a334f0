// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/test_game.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

using Names = std::vector<std::string>;

const std::string kAnnAndBob = namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "5", "15");

// A started game whose title screen has a group chosen, ready for Play.
void startWithGroup(TestGame& t) {
  writeFile("names.etc", kAnnAndBob);
  writeFile("quiz.set", "(ZNDL v4)\r\n");
  t->start();
  t.run([&] { t->screen<TitleScreen>().onGroupChanged("quiz.set"); });
  t.errors.shown.clear();
}

}  // namespace

TEST(TitleScreen, StartsWithThePromptThePanelOpenAndSettingsHidden) {
  TestGame t;
  const TitleScreen& title = t->screen<TitleScreen>();
  EXPECT_EQ(title.groupBox.text, "CHOOSE A GROUP");
  EXPECT_EQ(title.groupBox.items, Names{"default.set"});
  EXPECT_EQ(title.entries[kFirstContestant].answerTime.text, "15");
  EXPECT_EQ(title.entries[kSecondContestant].answerTime.items, (Names{"5", "10", "15"}));
  EXPECT_TRUE(title.setupPanelVisible);
  EXPECT_FALSE(title.settingsButton.visible);
  EXPECT_EQ(title.settingsButton.caption, "Settings");
  EXPECT_FALSE(title.groupBox.red || title.entries[kFirstContestant].answerTime.red ||
               title.entries[kSecondContestant].answerTime.red);
}

TEST(GroupList, ListsSetFilesSortedIgnoringCaseWithoutHiddenFilesOrFolders) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  for (const char* name : {"beta.set", "Alpha.set", "gamma.set", "ALPHA2.set", ".hidden.set",
                           "notes.txt", "set", "quiz.set.bak"})
    writeFile(name, "x\r\n");
  std::filesystem::create_directory("folder.set");
  t->start();
  const Names expected{"Alpha.set", "ALPHA2.set", "beta.set", "gamma.set"};
  EXPECT_EQ(t->screen<TitleScreen>().groupList, expected);
  EXPECT_EQ(t->screen<TitleScreen>().groupBox.items, expected);
  EXPECT_EQ(t->screen<TitleScreen>().groupBox.text, "CHOOSE A GROUP");
}

TEST(GroupList, AFolderWithoutGroupsGivesAnEmptyDropDown) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  t->start();
  EXPECT_TRUE(t->screen<TitleScreen>().groupBox.items.empty());
}

TEST(GroupList, AStoppedCreationStepKeepsTheBuiltInEntryUntilRefresh) {
  TestGame t;
  t.titleTune.missing.insert("ZNDL.MID");
  writeFile("names.etc", kAnnAndBob);
  writeFile("b.set", "x\r\n");
  writeFile("A.set", "x\r\n");
  t->start();
  EXPECT_EQ(t.errors.shown.front(), "Cannot open file ZNDL.MID.");
  EXPECT_EQ(t->screen<TitleScreen>().entries[kFirstContestant].name, "Name1")
      << "names are not read after the tune failed";
  EXPECT_EQ(t->screen<TitleScreen>().groupBox.items, Names{"default.set"});

  // The group list was taken as the screen came up; Refresh copies it, without
  // looking at the folder again and without touching the box's text.
  writeFile("c.set", "x\r\n");
  t.run([&] { t->screen<TitleScreen>().onRefresh(); });
  EXPECT_EQ(t->screen<TitleScreen>().groupBox.items, (Names{"A.set", "b.set"}));
  EXPECT_EQ(t->screen<TitleScreen>().groupBox.text, "CHOOSE A GROUP");
}

TEST(GroupList, AMissingNamesFileLeavesTheDropDownForRefreshToFill) {
  TestGame t;
  writeFile("only.set", "x\r\n");
  t->start();
  EXPECT_EQ(t.errors.shown.front(), "Cannot open file names.etc.");
  EXPECT_EQ(t->screen<TitleScreen>().entries[kSecondContestant].name, "Name2");
  EXPECT_EQ(t->screen<TitleScreen>().entries[kFirstContestant].petName, "PetName1");
  EXPECT_EQ(t->screen<TitleScreen>().groupBox.items, Names{"default.set"});
  t.run([&] { t->screen<TitleScreen>().onRefresh(); });
  EXPECT_EQ(t->screen<TitleScreen>().groupBox.items, Names{"only.set"});
}

TEST(GroupChoice, EveryChangeOfTheBoxIsALoadAndAFailedLoadKeepsTheQuestions) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  writeFile("default.set", "(ZNDL v4)\r\nQ1\r\nWhat?\r\n");
  t->start();
  t.errors.shown.clear();  // the host lists are not there
  t.run([&] { t->screen<TitleScreen>().onGroupChanged("default.set"); });
  EXPECT_TRUE(t.errors.shown.empty());
  ASSERT_EQ(t->screen<QuizScreen>().questions.count(), 3);
  EXPECT_EQ(t->screen<QuizScreen>().questions.at(2), "What?");

  // Typing letter by letter: every keystroke tries its text and reports each miss.
  for (const char* typed : {"d", "de", "def"})
    t.run([&] { t->screen<TitleScreen>().onGroupChanged(typed); });
  EXPECT_EQ(t.errors.shown,
            (Names{"Cannot open file d.", "Cannot open file de.", "Cannot open file def."}));
  EXPECT_EQ(t->screen<TitleScreen>().groupBox.text, "def");
  EXPECT_EQ(t->screen<QuizScreen>().questions.at(2), "What?") << "the last loaded group stays";
}

TEST(Play, TheGroupPromptIsRefusedFirstAndNothingElseHappens) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  t->start();
  t.errors.shown.clear();
  t->screen<QuizScreen>().questionNo = 7;
  t->screen<TitleScreen>().entries[kFirstContestant].answerTime.text =
      "20";  // also wrong, but the group is checked first
  t.run([&] { t->screen<TitleScreen>().onCloseSetup(); });  // close the panel
  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  EXPECT_TRUE(t->screen<TitleScreen>().groupBox.red);
  EXPECT_FALSE(t->screen<TitleScreen>().entries[kFirstContestant].answerTime.red);
  EXPECT_FALSE(t->screen<TitleScreen>().entries[kSecondContestant].answerTime.red);
  EXPECT_TRUE(t->screen<TitleScreen>().setupPanelVisible);
  EXPECT_TRUE(t->screen<TitleScreen>().settingsButton.visible)
      << "the refusal leaves Settings alone";
  EXPECT_FALSE(t->screen<Introduction>().visible());
  EXPECT_EQ(t->screen<QuizScreen>().questionNo, 7);
  EXPECT_TRUE(t.quizTune.log.empty());
  EXPECT_TRUE(t.errors.shown.empty()) << "a refusal has no message";
}

TEST(Play, AnyTimeOutsideTheListTurnsBothTimeBoxesRed) {
  for (const char* bad : {"20", "", " 15", "15 ", "05"}) {
    for (const bool first : {true, false}) {
      TestGame t;
      startWithGroup(t);
      (first ? t->screen<TitleScreen>().entries[kFirstContestant].answerTime
             : t->screen<TitleScreen>().entries[kSecondContestant].answerTime)
          .text = bad;
      t.run([&] { t->screen<TitleScreen>().onPlay(); });
      EXPECT_TRUE(t->screen<TitleScreen>().entries[kFirstContestant].answerTime.red)
          << '"' << bad << '"' << first;
      EXPECT_TRUE(t->screen<TitleScreen>().entries[kSecondContestant].answerTime.red)
          << '"' << bad << '"' << first;
      EXPECT_FALSE(t->screen<TitleScreen>().groupBox.red);
      EXPECT_FALSE(t->screen<Introduction>().visible()) << '"' << bad << '"';
      EXPECT_TRUE(t.quizTune.log.empty());
    }
  }
}

TEST(Play, RedStaysAfterALaterPlaySucceeds) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  writeFile("quiz.set", "(ZNDL v4)\r\n");
  t->start();
  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  t.run([&] { t->screen<TitleScreen>().onGroupChanged("quiz.set"); });
  t->screen<TitleScreen>().entries[kFirstContestant].answerTime.text = "20";
  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  t->screen<TitleScreen>().entries[kFirstContestant].answerTime.text = "10";
  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  EXPECT_TRUE(t->screen<Introduction>().visible());
  EXPECT_TRUE(t->screen<TitleScreen>().groupBox.red);
  EXPECT_TRUE(t->screen<TitleScreen>().entries[kFirstContestant].answerTime.red);
  EXPECT_TRUE(t->screen<TitleScreen>().entries[kSecondContestant].answerTime.red);
}

TEST(Play, ASuccessfulPlayHandsTheGameToTheIntroduction) {
  TestGame t;
  startWithGroup(t);
  t->screen<QuizScreen>().questionNo = 9;
  t->screen<Introduction>().hostLine.text = "left over";
  t->screen<Finale>().phase = Finale::Phase::backToTitle;
  t->screen<TitleScreen>().entries[kSecondContestant].name = "";  // names are not checked
  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  EXPECT_TRUE(t.errors.shown.empty());
  EXPECT_EQ(t->screen<Introduction>().hostLine.text, "");
  EXPECT_TRUE(t->screen<Introduction>().visible());
  EXPECT_EQ(t->screen<QuizScreen>().questionNo, 1);
  EXPECT_EQ(t.quizTune.log, Names{"open 5.MID"}) << "player one's time, opened, not started";
  EXPECT_EQ(t->screen<QuizScreen>().playerNames[kFirstContestant].text, "Ann");
  EXPECT_EQ(t->screen<QuizScreen>().playerNames[kSecondContestant].text, "");
  EXPECT_EQ(t->screen<Finale>().killButton().caption, "Kill");
  // The title stays up with its tune; the introduction stops it later.
  EXPECT_TRUE(t->screen<TitleScreen>().visible());
  EXPECT_EQ(t.titleTune.log, (Names{"open ZNDL.MID", "play"}));
}

TEST(Play, TheTimeCheckIgnoresLetterCaseAgainstTheListEntries) {
  TestGame t;
  startWithGroup(t);
  t->screen<TitleScreen>().entries[kFirstContestant].answerTime.items = {"5", "Ten"};
  t->screen<TitleScreen>().entries[kFirstContestant].answerTime.text = "tEN";
  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  EXPECT_TRUE(t->screen<Introduction>().visible());
  EXPECT_EQ(t.quizTune.log, Names{"open tEN.MID"});
}

TEST(Play, AnEmptyGroupBoxPassesTheGroupCheck) {
  TestGame t;
  startWithGroup(t);
  t.run([&] { t->screen<TitleScreen>().onGroupChanged(""); });
  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  EXPECT_TRUE(t->screen<Introduction>().visible());
  EXPECT_FALSE(t->screen<TitleScreen>().groupBox.red);
}

TEST(Play, ACountdownTuneThatWillNotOpenIsReportedAndTheGameIsStillSetUp) {
  TestGame t;
  startWithGroup(t);
  t.quizTune.missing.insert("5.MID");
  t->screen<Finale>().phase = Finale::Phase::backToTitle;
  t.run([&] { t->screen<TitleScreen>().onPlay(); });
  EXPECT_EQ(t.errors.shown, Names{"Cannot open file 5.MID."});
  EXPECT_TRUE(t->screen<Introduction>().visible());
  EXPECT_EQ(t->screen<QuizScreen>().questionNo, 1);
  EXPECT_EQ(t->screen<QuizScreen>().playerNames[kFirstContestant].text, "Ann");
  EXPECT_EQ(t->screen<QuizScreen>().playerNames[kSecondContestant].text, "Bob");
  EXPECT_EQ(t->screen<Finale>().killButton().caption, "Kill");
}

TEST(TitleButtons, CloseAndSettingsSwapThePanelAndTheButton) {
  TestGame t;
  t->start();
  TitleScreen& title = t->screen<TitleScreen>();
  t.run([&] { title.onCloseSetup(); });
  EXPECT_FALSE(title.setupPanelVisible);
  EXPECT_TRUE(title.settingsButton.visible);
  t.run([&] { title.onOpenSetup(); });
  EXPECT_TRUE(title.setupPanelVisible);
  EXPECT_FALSE(title.settingsButton.visible);
}

TEST(TitleButtons, MoreAndInternetShowTheirDialogsOverTheTitle) {
  TestGame t;
  t->start();
  t.run([&] { t->screen<TitleScreen>().onMore(); });
  EXPECT_TRUE(t->screen<SettingsDialog>().visible());
  t.run([&] { t->screen<TitleScreen>().onInternet(); });
  EXPECT_TRUE(t->screen<InternetSites>().visible());
  EXPECT_GT(t->screen<InternetSites>().frontOrder(), t->screen<SettingsDialog>().frontOrder());
  EXPECT_TRUE(t->screen<TitleScreen>().visible());
}

TEST(TitleScreen, EntriesThatNamesEtcCannotHoldAreNotStorable) {
  EXPECT_TRUE(TitleScreen::storableEntry("Zoë’s “pet” €"));
  EXPECT_TRUE(TitleScreen::storableEntry(""));
  EXPECT_FALSE(TitleScreen::storableEntry("Ann\nBob"));
  EXPECT_FALSE(TitleScreen::storableEntry("Ann\r"));
  EXPECT_FALSE(TitleScreen::storableEntry("Ω"));
  EXPECT_FALSE(TitleScreen::storableEntry("\xF0\x9F\x90\xB9"));  // a hamster emoji
}
