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
  t.run([&] { t->titleScreen.onGroupChanged("quiz.set"); });
  t.errors.shown.clear();
}

}  // namespace

TEST(TitleScreen, StartsWithThePromptThePanelOpenAndSettingsHidden) {
  TestGame t;
  const TitleScreen& title = t->titleScreen;
  EXPECT_EQ(title.groupBox.text, "CHOOSE A GROUP");
  EXPECT_EQ(title.groupBox.items, Names{"default.set"});
  EXPECT_EQ(title.answerTime1.text, "15");
  EXPECT_EQ(title.answerTime2.items, (Names{"5", "10", "15"}));
  EXPECT_TRUE(title.setupPanelVisible);
  EXPECT_FALSE(title.settingsButton.visible);
  EXPECT_EQ(title.settingsButton.caption, "Settings");
  EXPECT_FALSE(title.groupBox.red || title.answerTime1.red || title.answerTime2.red);
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
  EXPECT_EQ(t->titleScreen.groupList, expected);
  EXPECT_EQ(t->titleScreen.groupBox.items, expected);
  EXPECT_EQ(t->titleScreen.groupBox.text, "CHOOSE A GROUP");
}

TEST(GroupList, AFolderWithoutGroupsGivesAnEmptyDropDown) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  t->start();
  EXPECT_TRUE(t->titleScreen.groupBox.items.empty());
}

TEST(GroupList, AStoppedCreationStepKeepsTheBuiltInEntryUntilRefresh) {
  TestGame t;
  t.titleTune.missing.insert("ZNDL.MID");
  writeFile("names.etc", kAnnAndBob);
  writeFile("b.set", "x\r\n");
  writeFile("A.set", "x\r\n");
  t->start();
  EXPECT_EQ(t.errors.shown.front(), "Cannot open file ZNDL.MID.");
  EXPECT_EQ(t->titleScreen.name1, "Name1") << "names are not read after the tune failed";
  EXPECT_EQ(t->titleScreen.groupBox.items, Names{"default.set"});

  // The group list was taken as the screen came up; Refresh copies it, without
  // looking at the folder again and without touching the box's text.
  writeFile("c.set", "x\r\n");
  t.run([&] { t->titleScreen.onRefresh(); });
  EXPECT_EQ(t->titleScreen.groupBox.items, (Names{"A.set", "b.set"}));
  EXPECT_EQ(t->titleScreen.groupBox.text, "CHOOSE A GROUP");
}

TEST(GroupList, AMissingNamesFileLeavesTheDropDownForRefreshToFill) {
  TestGame t;
  writeFile("only.set", "x\r\n");
  t->start();
  EXPECT_EQ(t.errors.shown.front(), "Cannot open file names.etc.");
  EXPECT_EQ(t->titleScreen.name2, "Name2");
  EXPECT_EQ(t->titleScreen.petName1, "PetName1");
  EXPECT_EQ(t->titleScreen.groupBox.items, Names{"default.set"});
  t.run([&] { t->titleScreen.onRefresh(); });
  EXPECT_EQ(t->titleScreen.groupBox.items, Names{"only.set"});
}

TEST(GroupChoice, EveryChangeOfTheBoxIsALoadAndAFailedLoadKeepsTheQuestions) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  writeFile("default.set", "(ZNDL v4)\r\nQ1\r\nWhat?\r\n");
  t->start();
  t.errors.shown.clear();  // the host lists are not there
  t.run([&] { t->titleScreen.onGroupChanged("default.set"); });
  EXPECT_TRUE(t.errors.shown.empty());
  ASSERT_EQ(t->quizScreen.questions.count(), 3);
  EXPECT_EQ(t->quizScreen.questions.at(2), "What?");

  // Typing letter by letter: every keystroke tries its text and reports each miss.
  for (const char* typed : {"d", "de", "def"}) t.run([&] { t->titleScreen.onGroupChanged(typed); });
  EXPECT_EQ(t.errors.shown,
            (Names{"Cannot open file d.", "Cannot open file de.", "Cannot open file def."}));
  EXPECT_EQ(t->titleScreen.groupBox.text, "def");
  EXPECT_EQ(t->quizScreen.questions.at(2), "What?") << "the last loaded group stays";
}

TEST(Play, TheGroupPromptIsRefusedFirstAndNothingElseHappens) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  t->start();
  t.errors.shown.clear();
  t->questionNo = 7;
  t->titleScreen.answerTime1.text = "20";         // also wrong, but the group is checked first
  t.run([&] { t->titleScreen.onCloseSetup(); });  // close the panel
  t.run([&] { t->titleScreen.onPlay(); });
  EXPECT_TRUE(t->titleScreen.groupBox.red);
  EXPECT_FALSE(t->titleScreen.answerTime1.red);
  EXPECT_FALSE(t->titleScreen.answerTime2.red);
  EXPECT_TRUE(t->titleScreen.setupPanelVisible);
  EXPECT_TRUE(t->titleScreen.settingsButton.visible) << "the refusal leaves Settings alone";
  EXPECT_FALSE(t->introduction.visible());
  EXPECT_EQ(t->questionNo, 7);
  EXPECT_TRUE(t.quizTune.log.empty());
  EXPECT_TRUE(t.errors.shown.empty()) << "a refusal has no message";
}

TEST(Play, AnyTimeOutsideTheListTurnsBothTimeBoxesRed) {
  for (const char* bad : {"20", "", " 15", "15 ", "05"}) {
    for (const bool first : {true, false}) {
      TestGame t;
      startWithGroup(t);
      (first ? t->titleScreen.answerTime1 : t->titleScreen.answerTime2).text = bad;
      t.run([&] { t->titleScreen.onPlay(); });
      EXPECT_TRUE(t->titleScreen.answerTime1.red) << '"' << bad << '"' << first;
      EXPECT_TRUE(t->titleScreen.answerTime2.red) << '"' << bad << '"' << first;
      EXPECT_FALSE(t->titleScreen.groupBox.red);
      EXPECT_FALSE(t->introduction.visible()) << '"' << bad << '"';
      EXPECT_TRUE(t.quizTune.log.empty());
    }
  }
}

TEST(Play, RedStaysAfterALaterPlaySucceeds) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  writeFile("quiz.set", "(ZNDL v4)\r\n");
  t->start();
  t.run([&] { t->titleScreen.onPlay(); });
  t.run([&] { t->titleScreen.onGroupChanged("quiz.set"); });
  t->titleScreen.answerTime1.text = "20";
  t.run([&] { t->titleScreen.onPlay(); });
  t->titleScreen.answerTime1.text = "10";
  t.run([&] { t->titleScreen.onPlay(); });
  EXPECT_TRUE(t->introduction.visible());
  EXPECT_TRUE(t->titleScreen.groupBox.red);
  EXPECT_TRUE(t->titleScreen.answerTime1.red);
  EXPECT_TRUE(t->titleScreen.answerTime2.red);
}

TEST(Play, ASuccessfulPlayHandsTheGameToTheIntroduction) {
  TestGame t;
  startWithGroup(t);
  t->questionNo = 9;
  t->introduction.hostLine.text = "left over";
  t->finale.killButton.caption = "Back To Title";
  t->titleScreen.name2 = "";  // names are not checked
  t.run([&] { t->titleScreen.onPlay(); });
  EXPECT_TRUE(t.errors.shown.empty());
  EXPECT_EQ(t->introduction.hostLine.text, "");
  EXPECT_TRUE(t->introduction.visible());
  EXPECT_EQ(t->questionNo, 1);
  EXPECT_EQ(t.quizTune.log, Names{"open 5.MID"}) << "player one's time, opened, not started";
  EXPECT_EQ(t->quizScreen.playerName1.text, "Ann");
  EXPECT_EQ(t->quizScreen.playerName2.text, "");
  EXPECT_EQ(t->finale.killButton.caption, "Kill");
  // The title stays up with its tune; the introduction stops it later.
  EXPECT_TRUE(t->titleScreen.visible());
  EXPECT_EQ(t.titleTune.log, (Names{"open ZNDL.MID", "play"}));
}

TEST(Play, TheTimeCheckIgnoresLetterCaseAgainstTheListEntries) {
  TestGame t;
  startWithGroup(t);
  t->titleScreen.answerTime1.items = {"5", "Ten"};
  t->titleScreen.answerTime1.text = "tEN";
  t.run([&] { t->titleScreen.onPlay(); });
  EXPECT_TRUE(t->introduction.visible());
  EXPECT_EQ(t.quizTune.log, Names{"open tEN.MID"});
}

TEST(Play, AnEmptyGroupBoxPassesTheGroupCheck) {
  TestGame t;
  startWithGroup(t);
  t.run([&] { t->titleScreen.onGroupChanged(""); });
  t.run([&] { t->titleScreen.onPlay(); });
  EXPECT_TRUE(t->introduction.visible());
  EXPECT_FALSE(t->titleScreen.groupBox.red);
}

TEST(Play, ACountdownTuneThatWillNotOpenIsReportedAndTheGameIsStillSetUp) {
  TestGame t;
  startWithGroup(t);
  t.quizTune.missing.insert("5.MID");
  t->finale.killButton.caption = "Back To Title";
  t.run([&] { t->titleScreen.onPlay(); });
  EXPECT_EQ(t.errors.shown, Names{"Cannot open file 5.MID."});
  EXPECT_TRUE(t->introduction.visible());
  EXPECT_EQ(t->questionNo, 1);
  EXPECT_EQ(t->quizScreen.playerName1.text, "Ann");
  EXPECT_EQ(t->quizScreen.playerName2.text, "Bob");
  EXPECT_EQ(t->finale.killButton.caption, "Kill");
}

TEST(TitleButtons, CloseAndSettingsSwapThePanelAndTheButton) {
  TestGame t;
  t->start();
  TitleScreen& title = t->titleScreen;
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
  t.run([&] { t->titleScreen.onMore(); });
  EXPECT_TRUE(t->settingsDialog.visible());
  t.run([&] { t->titleScreen.onInternet(); });
  EXPECT_TRUE(t->internetSites.visible());
  EXPECT_GT(t->internetSites.frontOrder(), t->settingsDialog.frontOrder());
  EXPECT_TRUE(t->titleScreen.visible());
}

TEST(TitleScreen, EntriesThatNamesEtcCannotHoldAreNotStorable) {
  EXPECT_TRUE(TitleScreen::storableEntry("Zoë’s “pet” €"));
  EXPECT_TRUE(TitleScreen::storableEntry(""));
  EXPECT_FALSE(TitleScreen::storableEntry("Ann\nBob"));
  EXPECT_FALSE(TitleScreen::storableEntry("Ann\r"));
  EXPECT_FALSE(TitleScreen::storableEntry("Ω"));
  EXPECT_FALSE(TitleScreen::storableEntry("\xF0\x9F\x90\xB9"));  // a hamster emoji
}
