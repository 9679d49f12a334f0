// SPDX-License-Identifier: GPL-3.0-or-later
// The question groups the game ships: enough of them for a season of parties, each
// saying what it holds, and every question's answer traceable to where it was checked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "host/text_list.h"
#include "quiz/question_store.h"
#include "quiz_play.h"

using namespace zndl;

namespace {

namespace fs = std::filesystem;

fs::path groupsDir() {
  return fs::path(ZNDL_SOURCE_DIR) / "assets" / "groups";
}

// The number of questions the game asks from a group: question n is asked while the
// marker of n + 1 follows it.
int questionsAsked(const QuestionStore& store) {
  int n = 0;
  while (questionFollows(store, n + 1)) ++n;
  return n;
}

// The notes lines above the first question, which the game never shows.
std::vector<std::string> notesOf(const QuestionStore& store) {
  std::vector<std::string> notes;
  const int first = store.find(questionMarker(1));
  for (int i = isSectioned(store) ? 1 : 0; i < first; ++i) notes.push_back(store.at(i));
  return notes;
}

std::vector<std::string> readLines(const fs::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Group {
  std::string name;
  QuestionStore store;
  int questions = 0;
};

std::vector<Group> shippedGroups() {
  std::vector<Group> groups;
  for (const auto& entry : fs::directory_iterator(groupsDir())) {
    if (entry.path().extension() != ".set") continue;
    Group group;
    group.name = entry.path().stem().string();
    group.store.loadFromFile(entry.path().string());
    group.questions = questionsAsked(group.store);
    groups.push_back(std::move(group));
  }
  return groups;
}

}  // namespace

TEST(ShippedGroups, FifteenGroupsOfFortyOrMoreAndSevenHundredAndFiftyQuestions) {
  const std::vector<Group> groups = shippedGroups();
  int total = 0;
  for (const Group& group : groups) {
    EXPECT_GE(group.questions, 40) << group.name;
    total += group.questions;
  }
  EXPECT_GE(groups.size(), 15u);
  EXPECT_GE(total, 750);
}

TEST(ShippedGroups, EachSaysWhatItHoldsHowHardItIsAndWhereItWasChecked) {
  for (const Group& group : shippedGroups()) {
    SCOPED_TRACE(group.name);
    const std::vector<std::string> notes = notesOf(group.store);
    ASSERT_GE(notes.size(), 3u) << "a title, what it holds and how hard, the licence";
    std::string all;
    for (const std::string& line : notes) all += line + "\n";
    EXPECT_TRUE(std::regex_search(all, std::regex("(easy|Easy|medium|Medium|hard|Hard)")))
        << "how hard it is";
    EXPECT_NE(all.find("CC BY-SA 4.0"), std::string::npos);
    EXPECT_NE(all.find("sources/" + group.name + ".txt"), std::string::npos);
  }
}

TEST(ShippedGroups, EveryQuestionHasItsSourceLineInOrder) {
  const std::regex line(R"(^\[([0-9]+)\] (\S.*\S)$)");
  for (const Group& group : shippedGroups()) {
    SCOPED_TRACE(group.name);
    const fs::path sources = groupsDir() / "sources" / (group.name + ".txt");
    ASSERT_TRUE(fs::exists(sources)) << sources;
    int expected = 1;
    for (const std::string& text : readLines(sources)) {
      if (text.empty() || text.front() == '#') continue;
      std::smatch match;
      ASSERT_TRUE(std::regex_match(text, match, line)) << "not '[n] reference': " << text;
      EXPECT_EQ(std::stoi(match[1]), expected) << text;
      // A reference anyone can follow: an address, or a named work.
      EXPECT_GE(match[2].length(), 12) << text;
      ++expected;
    }
    EXPECT_EQ(expected - 1, group.questions) << "one source line per question";
  }
}

// Each group played through the quiz to its verdict: every question is asked, with a
// right answer in its drawn slot and two of its own wrong answers beside it.
TEST(ShippedGroups, EachPlaysThroughAWholeGameToItsVerdict) {
  for (const Group& group : shippedGroups()) {
    SCOPED_TRACE(group.name);
    zndl::testing::QuizGame game(group.store.lines());
    QuizScreen& quiz = game.box();
    for (int n = 1; n <= group.questions; ++n) {
      game.reveal();
      const QuestionLines lines = locateQuestion(group.store, n);
      const auto within = [&](const EntryRange& range, const std::string& shown) {
        for (int i = range.first; i <= range.last; ++i)
          if ("A- " + group.store.at(i) == shown || "B- " + group.store.at(i) == shown ||
              "C- " + group.store.at(i) == shown)
            return true;
        return false;
      };
      const Label* answers[] = {&quiz.answerA, &quiz.answerB, &quiz.answerC};
      for (int slot = 1; slot <= 3; ++slot) {
        const bool right = slot == game->screen<QuizScreen>().correctSlot;
        EXPECT_TRUE(within(right ? lines.correct : lines.wrong, answers[slot - 1]->text))
            << "question " << n << ": " << answers[slot - 1]->text;
      }
      EXPECT_EQ(quiz.question.text, group.store.at(lines.text));
      game.answer(game->screen<QuizScreen>().correctSlot);
      game.tick();
    }
    game.pressContinue();
    EXPECT_TRUE(game->screen<Notice>().visible()) << "the group ran out and the game ended";
    EXPECT_TRUE(game.errors.shown.empty());
  }
}
