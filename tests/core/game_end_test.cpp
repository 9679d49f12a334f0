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
  EXPECT_EQ(g.screen<Notice>().hostLine.text,
            "\u201CWell, at the end of the game, Alpha has more points, so that means "
            "Beta\u2019s Goldfish, Bubbles will be killed in just a few moments.\u201D");
  EXPECT_EQ(g.winner, 1);
  EXPECT_EQ(g.finalStandings[kFirstContestant].score, 3);
  EXPECT_EQ(g.finalStandings[kSecondContestant].score, 2);
  EXPECT_EQ(g.finalStandings[kFirstContestant].lives, 5);
  EXPECT_EQ(g.finalStandings[kSecondContestant].lives, 5);
  EXPECT_EQ(g.screen<Finale>().hostLine.text,
            "\u201C"
            "Alpha would you do the honours?\u201D");
  EXPECT_EQ(petsShown(g.screen<Finale>()), "G");
  // The notice comes up in front and the quiz is put away; the finale waits for OK.
  EXPECT_TRUE(g.screen<Notice>().visible());
  EXPECT_FALSE(t.box().visible());
  EXPECT_FALSE(g.screen<Finale>().visible());
  EXPECT_EQ(g.screen<QuizScreen>().step, QuestionStep::idle);
  EXPECT_TRUE(t.errors.shown.empty());
}

TEST(GameEnd, PlayerTwoWithMorePointsSendsPlayerOnesPetToTheAnvil) {
  QuizGame t(sectionedGroup(2));
  Game& g = *t;
  play(t, "wr");
  t.pressContinue();
  EXPECT_EQ(g.screen<Notice>().hostLine.text,
            "\u201CWell, at the end of the game, Beta has more points, so that means "
            "Alpha\u2019s Hamster, Rex will be killed in just a few moments.\u201D");
  EXPECT_EQ(g.winner, 2);
  EXPECT_EQ(g.screen<Finale>().hostLine.text,
            "\u201C"
            "Beta would you do the honours?\u201D");
  EXPECT_EQ(petsShown(g.screen<Finale>()), "H");
}

TEST(GameEnd, LosingTheFifthLifeLosesWhateverThePoints) {
  QuizGame t(sectionedGroup(5));
  Game& g = *t;
  QuizScreen& box = t.box();
  box.scores[kFirstContestant] = 3;
  box.scores[kSecondContestant] = 1;
  box.lives[kFirstContestant] = 1;
  t.playWrong();
  t.pressContinue();
  EXPECT_EQ(g.screen<Notice>().hostLine.text,
            "\u201CWell, looks like Alpha got 5 questions wrong, so Rex will be killed in just a "
            "few moments.\u201D");
  EXPECT_EQ(g.winner, 2);
  EXPECT_EQ(g.finalStandings[kFirstContestant].score, 3);
  EXPECT_EQ(g.finalStandings[kFirstContestant].lives, 0);
  EXPECT_EQ(g.screen<Finale>().hostLine.text,
            "\u201C"
            "Beta would you do the honours?\u201D");
  EXPECT_EQ(petsShown(g.screen<Finale>()), "H");
}

TEST(GameEnd, TheLaterRuleDecidesWhenBothRunOutOfLives) {
  QuizGame t;
  Game& g = *t;
  t.box().scores[kSecondContestant] = 3;
  t.box().lives[kFirstContestant] = 0;
  t.box().lives[kSecondContestant] = 0;
  t.pressContinue();
  EXPECT_EQ(g.screen<Notice>().hostLine.text,
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
  const std::string call = g.screen<Finale>().hostLine.text;

  // The next game, after an Exit, runs level to the end of a four-question group.
  t.run([&] { box.onExit(); });
  box.questions.assign(sectionedGroup(4));
  g.screen<QuizScreen>().questionNo = 1;
  box.show();
  play(t, "rrrr");
  t.pressContinue();
  EXPECT_EQ(g.screen<Notice>().hostLine.text, kDeadHeatText);
  EXPECT_EQ(g.winner, 0);
  EXPECT_EQ(g.finalStandings[kFirstContestant].score, 2);
  EXPECT_EQ(g.finalStandings[kSecondContestant].score, 2);
  EXPECT_TRUE(g.screen<Notice>().visible());
  EXPECT_FALSE(box.visible());
  // No winner yet: the finale is left for the tie break to prepare.
  EXPECT_EQ(g.screen<Finale>().hostLine.text, call);
}

TEST(GameEnd, AGroupWithoutQuestionsIsADeadHeatAtTheFirstContinue) {
  for (const TextList& group :
       {TextList{"Questions"}, TextList{"Just", "some", "notes"}, TextList{}}) {
    QuizGame t(group);
    Game& g = *t;
    g.winner = kPlayerTwoWins;
    t.box().show();
    t.pressContinue();
    EXPECT_EQ(g.screen<QuizScreen>().step, QuestionStep::idle);
    EXPECT_EQ(g.screen<Notice>().hostLine.text, kDeadHeatText);
    EXPECT_EQ(g.winner, 0);
    EXPECT_EQ(g.finalStandings[kFirstContestant].score, 0);
    EXPECT_EQ(g.finalStandings[kSecondContestant].score, 0);
    EXPECT_TRUE(g.screen<Notice>().visible());
    EXPECT_FALSE(t.box().visible());
    EXPECT_TRUE(t.errors.shown.empty());
  }
}

TEST(GameEnd, ThePrizeListIsReadAnewAtEveryGameEnd) {
  QuizGame t(sectionedGroup(1));
  Game& g = *t;
  play(t, "r");
  t.pressContinue();
  EXPECT_EQ(g.screen<Finale>().prizes.entries(),
            (std::vector<std::string>{"Prizes", "A gold watch", "A year of fish food"}));

  writeFile("prizes", "Prizes\r\nA caf\xE9 voucher\r\n");
  t.run([&] { t.box().onExit(); });
  g.screen<QuizScreen>().questionNo = 1;
  play(t, "r");  // player two answers first this time
  t.pressContinue();
  EXPECT_EQ(g.winner, 2);
  EXPECT_EQ(g.screen<Finale>().prizes.entries(),
            (std::vector<std::string>{"Prizes", "A caf\u00E9 voucher"}));
  EXPECT_EQ(petsShown(g.screen<Finale>()), "H") << "only this game's loser is on the stage";
}

TEST(GameEnd, AnUnreadablePrizeListIsReportedAndTheHandOffStillHappens) {
  QuizGame t(sectionedGroup(2));
  Game& g = *t;
  std::filesystem::remove("prizes");
  const TextList before = g.screen<Finale>().prizes;
  t.box().show();
  play(t, "rw");
  t.pressContinue();
  EXPECT_EQ(t.errors.shown, std::vector<std::string>{"Cannot open file prizes."});
  EXPECT_EQ(g.screen<Finale>().prizes, before);
  EXPECT_EQ(g.winner, 1);
  EXPECT_TRUE(g.screen<Notice>().visible());
  EXPECT_FALSE(t.box().visible());
  EXPECT_EQ(g.screen<Finale>().hostLine.text,
            "\u201C"
            "Alpha would you do the honours?\u201D");
  EXPECT_EQ(petsShown(g.screen<Finale>()), "G");
}
