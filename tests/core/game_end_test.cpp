// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/quiz_play.h"
#include "shell/game.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

const char* const kDeadHeatText =
    "\u201CWell would you look at that? A dead heat! We\u2019ll have to have a tie-breaker.\u201D";

// Which of the finale's pets is on the stage: "H", "G", "M", "D" or "" for none.
std::string petsShown(const Finale& finale) {
  std::string out;
  if (finale.hamster.visible) out += "H";
  if (finale.goldfish.visible) out += "G";
  if (finale.mouse.visible) out += "M";
  if (finale.dog.visible) out += "D";
  return out;
}

// Plays `answers` questions in turn, each answered right ('r'), wrong ('w') or not
// at all ('t').
void play(QuizGame& t, const std::string& answers) {
  for (const char a : answers) {
    if (a == 'r') t.playCorrect();
    if (a == 'w') t.playWrong();
    if (a == 't') t.playTimeOut();
  }
}

}  // namespace

TEST(GameEnd, MorePointsWinsWithTheHostsVerdictWordForWord) {
  QuizGame t(sectionedGroup(5));
  Game& g = *t;
  t.box().show();
  play(t, "rrrrr");  // Alpha 3, Beta 2
  t.pressContinue();
  EXPECT_EQ(g.notice.hostLine.text,
            "\u201CWell, at the end of the game, Alpha has more points, so that means "
            "Beta\u2019s Goldfish, Bubbles will be killed in just a few moments.\u201D");
  EXPECT_EQ(g.winner, 1);
  EXPECT_EQ(g.finalScore1, 3);
  EXPECT_EQ(g.finalScore2, 2);
  EXPECT_EQ(g.finalLives1, 5);
  EXPECT_EQ(g.finalLives2, 5);
  EXPECT_EQ(g.finale.hostLine.text,
            "\u201C"
            "Alpha would you do the honours?\u201D");
  EXPECT_EQ(petsShown(g.finale), "G");
  // The notice comes up in front and the quiz is put away; the finale waits for OK.
  EXPECT_TRUE(g.notice.visible());
  EXPECT_FALSE(t.box().visible());
  EXPECT_FALSE(g.finale.visible());
  EXPECT_EQ(g.questionStep, 0);
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST(GameEnd, PlayerTwoWithMorePointsSendsPlayerOnesPetToTheAnvil) {
  QuizGame t(sectionedGroup(2));
  Game& g = *t;
  play(t, "wr");
  t.pressContinue();
  EXPECT_EQ(g.notice.hostLine.text,
            "\u201CWell, at the end of the game, Beta has more points, so that means "
            "Alpha\u2019s Hamster, Rex will be killed in just a few moments.\u201D");
  EXPECT_EQ(g.winner, 2);
  EXPECT_EQ(g.finale.hostLine.text,
            "\u201C"
            "Beta would you do the honours?\u201D");
  EXPECT_EQ(petsShown(g.finale), "H");
}

TEST(GameEnd, LosingTheFifthLifeLosesWhateverThePoints) {
  QuizGame t(sectionedGroup(5));
  Game& g = *t;
  QuizScreen& box = t.box();
  box.score1 = "3";
  box.score2 = "1";
  box.lives1 = 1;
  t.playWrong();
  t.pressContinue();
  EXPECT_EQ(g.notice.hostLine.text,
            "\u201CWell, looks like Alpha got 5 questions wrong, so Rex will be killed in just a "
            "few moments.\u201D");
  EXPECT_EQ(g.winner, 2);
  EXPECT_EQ(g.finalScore1, 3);
  EXPECT_EQ(g.finalLives1, 0);
  EXPECT_EQ(g.finale.hostLine.text,
            "\u201C"
            "Beta would you do the honours?\u201D");
  EXPECT_EQ(petsShown(g.finale), "H");
}

TEST(GameEnd, TheLaterRuleDecidesWhenBothRunOutOfLives) {
  QuizGame t;
  Game& g = *t;
  t.box().score2 = "3";
  t.box().lives1 = 0;
  t.box().lives2 = 0;
  t.pressContinue();
  EXPECT_EQ(g.notice.hostLine.text,
            "\u201CWell, looks like Beta got 5 questions wrong, so Bubbles will be killed in just "
            "a few moments.\u201D");
  EXPECT_EQ(g.winner, 1);
}

TEST(GameEnd, LevelPointsWithLivesLeftIsADeadHeatAfterAnEarlierWinnerToo) {
  QuizGame t(sectionedGroup(1));
  Game& g = *t;
  QuizScreen& box = t.box();
  play(t, "r");
  t.pressContinue();
  ASSERT_EQ(g.winner, 1);
  const std::string call = g.finale.hostLine.text;

  // The next game, after an Exit, runs level to the end of a four-question group.
  t.run([&] { box.onExit(); });
  box.questions.assign(sectionedGroup(4));
  g.questionNo = 1;
  box.show();
  play(t, "rrrr");
  t.pressContinue();
  EXPECT_EQ(g.notice.hostLine.text, kDeadHeatText);
  EXPECT_EQ(g.winner, 0);
  EXPECT_EQ(g.finalScore1, 2);
  EXPECT_EQ(g.finalScore2, 2);
  EXPECT_TRUE(g.notice.visible());
  EXPECT_FALSE(box.visible());
  // No winner yet: the finale is left for the tie break to prepare.
  EXPECT_EQ(g.finale.hostLine.text, call);
}

TEST(GameEnd, AGroupWithoutQuestionsIsADeadHeatAtTheFirstContinue) {
  for (const TextList& group :
       {TextList{"Questions"}, TextList{"Just", "some", "notes"}, TextList{}}) {
    QuizGame t(group);
    Game& g = *t;
    g.winner = 2;
    t.box().show();
    t.pressContinue();
    EXPECT_EQ(g.questionStep, 0);
    EXPECT_EQ(g.notice.hostLine.text, kDeadHeatText);
    EXPECT_EQ(g.winner, 0);
    EXPECT_EQ(g.finalScore1, 0);
    EXPECT_EQ(g.finalScore2, 0);
    EXPECT_TRUE(g.notice.visible());
    EXPECT_FALSE(t.box().visible());
    EXPECT_TRUE(t.errors.shown.empty());
  }
}

TEST(GameEnd, ThePrizeListIsReadAnewAtEveryGameEnd) {
  QuizGame t(sectionedGroup(1));
  Game& g = *t;
  play(t, "r");
  t.pressContinue();
  EXPECT_EQ(g.finale.prizes.entries(),
            (std::vector<std::string>{"Prizes", "A gold watch", "A year of fish food"}));

  writeFile("prizes", "Prizes\r\nA caf\xE9 voucher\r\n");
  t.run([&] { t.box().onExit(); });
  g.questionNo = 1;
  play(t, "r");  // player two answers first this time
  t.pressContinue();
  EXPECT_EQ(g.winner, 2);
  EXPECT_EQ(g.finale.prizes.entries(), (std::vector<std::string>{"Prizes", "A caf\u00E9 voucher"}));
  EXPECT_EQ(petsShown(g.finale), "H") << "only this game's loser is on the stage";
}

TEST(GameEnd, AnUnreadablePrizeListIsReportedAndTheHandOffStillHappens) {
  QuizGame t(sectionedGroup(2));
  Game& g = *t;
  std::filesystem::remove("prizes");
  const TextList before = g.finale.prizes;
  t.box().show();
  play(t, "rw");
  t.pressContinue();
  EXPECT_EQ(t.errors.shown, std::vector<std::string>{"Cannot open file prizes."});
  EXPECT_EQ(g.finale.prizes, before);
  EXPECT_EQ(g.winner, 1);
  EXPECT_TRUE(g.notice.visible());
  EXPECT_FALSE(t.box().visible());
  EXPECT_EQ(g.finale.hostLine.text,
            "\u201C"
            "Alpha would you do the honours?\u201D");
  EXPECT_EQ(petsShown(g.finale), "G");
}
