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
  t.run([&] { t->ZNDLbox1.ComboBox1Change("quiz.set"); });
  t.errors.shown.clear();
}

}  // namespace

TEST(TitleScreen, StartsWithThePromptThePanelOpenAndSettingsHidden) {
  TestGame t;
  const TZNDLbox1& title = t->ZNDLbox1;
  EXPECT_EQ(title.ComboBox1.text, "CHOOSE A GROUP");
  EXPECT_EQ(title.ComboBox1.items, Names{"default.set"});
  EXPECT_EQ(title.P1Time.text, "15");
  EXPECT_EQ(title.P2Time.items, (Names{"5", "10", "15"}));
  EXPECT_TRUE(title.Panel1Visible);
  EXPECT_FALSE(title.Button1.visible);
  EXPECT_EQ(title.Button1.caption, "Settings");
  EXPECT_FALSE(title.ComboBox1.red || title.P1Time.red || title.P2Time.red);
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
  EXPECT_EQ(t->ZNDLbox1.FileListBox1, expected);
  EXPECT_EQ(t->ZNDLbox1.ComboBox1.items, expected);
  EXPECT_EQ(t->ZNDLbox1.ComboBox1.text, "CHOOSE A GROUP");
}

TEST(GroupList, AFolderWithoutGroupsGivesAnEmptyDropDown) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  t->start();
  EXPECT_TRUE(t->ZNDLbox1.ComboBox1.items.empty());
}

TEST(GroupList, AStoppedCreationStepKeepsTheBuiltInEntryUntilRefresh) {
  TestGame t;
  t.titleTune.missing.insert("ZNDL.MID");
  writeFile("names.etc", kAnnAndBob);
  writeFile("b.set", "x\r\n");
  writeFile("A.set", "x\r\n");
  t->start();
  EXPECT_EQ(t.errors.shown.front(), "Cannot open file ZNDL.MID.");
  EXPECT_EQ(t->ZNDLbox1.Name1, "Name1") << "names are not read after the tune failed";
  EXPECT_EQ(t->ZNDLbox1.ComboBox1.items, Names{"default.set"});

  // The group list was taken as the screen came up; Refresh copies it, without
  // looking at the folder again and without touching the box's text.
  writeFile("c.set", "x\r\n");
  t.run([&] { t->ZNDLbox1.Button5Click(); });
  EXPECT_EQ(t->ZNDLbox1.ComboBox1.items, (Names{"A.set", "b.set"}));
  EXPECT_EQ(t->ZNDLbox1.ComboBox1.text, "CHOOSE A GROUP");
}

TEST(GroupList, AMissingNamesFileLeavesTheDropDownForRefreshToFill) {
  TestGame t;
  writeFile("only.set", "x\r\n");
  t->start();
  EXPECT_EQ(t.errors.shown.front(), "Cannot open file names.etc.");
  EXPECT_EQ(t->ZNDLbox1.Name2, "Name2");
  EXPECT_EQ(t->ZNDLbox1.PetName1, "PetName1");
  EXPECT_EQ(t->ZNDLbox1.ComboBox1.items, Names{"default.set"});
  t.run([&] { t->ZNDLbox1.Button5Click(); });
  EXPECT_EQ(t->ZNDLbox1.ComboBox1.items, Names{"only.set"});
}

TEST(GroupChoice, EveryChangeOfTheBoxIsALoadAndAFailedLoadKeepsTheQuestions) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  writeFile("default.set", "(ZNDL v4)\r\nQ1\r\nWhat?\r\n");
  t->start();
  t.errors.shown.clear();  // the host lists are not there
  t.run([&] { t->ZNDLbox1.ComboBox1Change("default.set"); });
  EXPECT_TRUE(t.errors.shown.empty());
  ASSERT_EQ(t->PlayBox.Questions.count(), 3);
  EXPECT_EQ(t->PlayBox.Questions.at(2), "What?");

  // Typing letter by letter: every keystroke tries its text and reports each miss.
  for (const char* typed : {"d", "de", "def"}) t.run([&] { t->ZNDLbox1.ComboBox1Change(typed); });
  EXPECT_EQ(t.errors.shown,
            (Names{"Cannot open file d.", "Cannot open file de.", "Cannot open file def."}));
  EXPECT_EQ(t->ZNDLbox1.ComboBox1.text, "def");
  EXPECT_EQ(t->PlayBox.Questions.at(2), "What?") << "the last loaded group stays";
}

TEST(Play, TheGroupPromptIsRefusedFirstAndNothingElseHappens) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  t->start();
  t.errors.shown.clear();
  t->QuestionNo = 7;
  t->ZNDLbox1.P1Time.text = "20";              // also wrong, but the group is checked first
  t.run([&] { t->ZNDLbox1.Button2Click(); });  // close the panel
  t.run([&] { t->ZNDLbox1.PlayButClick(); });
  EXPECT_TRUE(t->ZNDLbox1.ComboBox1.red);
  EXPECT_FALSE(t->ZNDLbox1.P1Time.red);
  EXPECT_FALSE(t->ZNDLbox1.P2Time.red);
  EXPECT_TRUE(t->ZNDLbox1.Panel1Visible);
  EXPECT_TRUE(t->ZNDLbox1.Button1.visible) << "the refusal leaves Settings alone";
  EXPECT_FALSE(t->ChatBox.visible());
  EXPECT_EQ(t->QuestionNo, 7);
  EXPECT_TRUE(t.quizTune.log.empty());
  EXPECT_TRUE(t.errors.shown.empty()) << "a refusal has no message";
}

TEST(Play, AnyTimeOutsideTheListTurnsBothTimeBoxesRed) {
  for (const char* bad : {"20", "", " 15", "15 ", "05"}) {
    for (const bool first : {true, false}) {
      TestGame t;
      startWithGroup(t);
      (first ? t->ZNDLbox1.P1Time : t->ZNDLbox1.P2Time).text = bad;
      t.run([&] { t->ZNDLbox1.PlayButClick(); });
      EXPECT_TRUE(t->ZNDLbox1.P1Time.red) << '"' << bad << '"' << first;
      EXPECT_TRUE(t->ZNDLbox1.P2Time.red) << '"' << bad << '"' << first;
      EXPECT_FALSE(t->ZNDLbox1.ComboBox1.red);
      EXPECT_FALSE(t->ChatBox.visible()) << '"' << bad << '"';
      EXPECT_TRUE(t.quizTune.log.empty());
    }
  }
}

TEST(Play, RedStaysAfterALaterPlaySucceeds) {
  TestGame t;
  writeFile("names.etc", kAnnAndBob);
  writeFile("quiz.set", "(ZNDL v4)\r\n");
  t->start();
  t.run([&] { t->ZNDLbox1.PlayButClick(); });
  t.run([&] { t->ZNDLbox1.ComboBox1Change("quiz.set"); });
  t->ZNDLbox1.P1Time.text = "20";
  t.run([&] { t->ZNDLbox1.PlayButClick(); });
  t->ZNDLbox1.P1Time.text = "10";
  t.run([&] { t->ZNDLbox1.PlayButClick(); });
  EXPECT_TRUE(t->ChatBox.visible());
  EXPECT_TRUE(t->ZNDLbox1.ComboBox1.red);
  EXPECT_TRUE(t->ZNDLbox1.P1Time.red);
  EXPECT_TRUE(t->ZNDLbox1.P2Time.red);
}

TEST(Play, ASuccessfulPlayHandsTheGameToTheIntroduction) {
  TestGame t;
  startWithGroup(t);
  t->QuestionNo = 9;
  t->ChatBox.ChatText.text = "left over";
  t->AnvilBox.Kill.caption = "Back To Title";
  t->ZNDLbox1.Name2 = "";  // names are not checked
  t.run([&] { t->ZNDLbox1.PlayButClick(); });
  EXPECT_TRUE(t.errors.shown.empty());
  EXPECT_EQ(t->ChatBox.ChatText.text, "");
  EXPECT_TRUE(t->ChatBox.visible());
  EXPECT_EQ(t->QuestionNo, 1);
  EXPECT_EQ(t.quizTune.log, Names{"open 5.MID"}) << "player one's time, opened, not started";
  EXPECT_EQ(t->PlayBox.Label11.text, "Ann");
  EXPECT_EQ(t->PlayBox.Label12.text, "");
  EXPECT_EQ(t->AnvilBox.Kill.caption, "Kill");
  // The title stays up with its tune; the introduction stops it later.
  EXPECT_TRUE(t->ZNDLbox1.visible());
  EXPECT_EQ(t.titleTune.log, (Names{"open ZNDL.MID", "play"}));
}

TEST(Play, TheTimeCheckIgnoresLetterCaseAgainstTheListEntries) {
  TestGame t;
  startWithGroup(t);
  t->ZNDLbox1.P1Time.items = {"5", "Ten"};
  t->ZNDLbox1.P1Time.text = "tEN";
  t.run([&] { t->ZNDLbox1.PlayButClick(); });
  EXPECT_TRUE(t->ChatBox.visible());
  EXPECT_EQ(t.quizTune.log, Names{"open tEN.MID"});
}

TEST(Play, AnEmptyGroupBoxPassesTheGroupCheck) {
  TestGame t;
  startWithGroup(t);
  t.run([&] { t->ZNDLbox1.ComboBox1Change(""); });
  t.run([&] { t->ZNDLbox1.PlayButClick(); });
  EXPECT_TRUE(t->ChatBox.visible());
  EXPECT_FALSE(t->ZNDLbox1.ComboBox1.red);
}

TEST(Play, ACountdownTuneThatWillNotOpenIsReportedAndTheGameIsStillSetUp) {
  TestGame t;
  startWithGroup(t);
  t.quizTune.missing.insert("5.MID");
  t->AnvilBox.Kill.caption = "Back To Title";
  t.run([&] { t->ZNDLbox1.PlayButClick(); });
  EXPECT_EQ(t.errors.shown, Names{"Cannot open file 5.MID."});
  EXPECT_TRUE(t->ChatBox.visible());
  EXPECT_EQ(t->QuestionNo, 1);
  EXPECT_EQ(t->PlayBox.Label11.text, "Ann");
  EXPECT_EQ(t->PlayBox.Label12.text, "Bob");
  EXPECT_EQ(t->AnvilBox.Kill.caption, "Kill");
}

TEST(TitleButtons, CloseAndSettingsSwapThePanelAndTheButton) {
  TestGame t;
  t->start();
  TZNDLbox1& title = t->ZNDLbox1;
  t.run([&] { title.Button2Click(); });
  EXPECT_FALSE(title.Panel1Visible);
  EXPECT_TRUE(title.Button1.visible);
  t.run([&] { title.Button1Click(); });
  EXPECT_TRUE(title.Panel1Visible);
  EXPECT_FALSE(title.Button1.visible);
}

TEST(TitleButtons, MoreAndInternetShowTheirDialogsOverTheTitle) {
  TestGame t;
  t->start();
  t.run([&] { t->ZNDLbox1.Button3Click(); });
  EXPECT_TRUE(t->Form1.visible());
  t.run([&] { t->ZNDLbox1.Button6Click(); });
  EXPECT_TRUE(t->Form3.visible());
  EXPECT_GT(t->Form3.frontOrder(), t->Form1.frontOrder());
  EXPECT_TRUE(t->ZNDLbox1.visible());
}

TEST(TitleScreen, EntriesThatNamesEtcCannotHoldAreNotStorable) {
  EXPECT_TRUE(TZNDLbox1::storableEntry("Zoë’s “pet” €"));
  EXPECT_TRUE(TZNDLbox1::storableEntry(""));
  EXPECT_FALSE(TZNDLbox1::storableEntry("Ann\nBob"));
  EXPECT_FALSE(TZNDLbox1::storableEntry("Ann\r"));
  EXPECT_FALSE(TZNDLbox1::storableEntry("Ω"));
  EXPECT_FALSE(TZNDLbox1::storableEntry("\xF0\x9F\x90\xB9"));  // a hamster emoji
}
