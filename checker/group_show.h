// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quiz/question_store.h"

// What the game makes of a question group, question by question: the texts it finds
// with its own marker search and which answers its shuffle can put on the screen.
namespace zndl::check {

// Whether an entry of an answer pool reaches the screen. The wrong answers shown are
// the pool's first two entries after the shuffle, the first of them (w0) standing
// above the second (w1) among the wrong answers; the correct answer shown is the
// first entry of the correct-answer pool.
enum class Showing { Never, Sometimes, Always, AlwaysFirst, AlwaysSecond };

// What can come out on top follows from the pool's size alone (shuffleReach).
Showing wrongAnswerShowing(int index, int count);
Showing correctAnswerShowing(int index, int count);

struct ShownEntry {
  std::string text;
  int line = 0;  // 1-based; 0 when the game reads past the end of the file
  Showing showing = Showing::Never;
};

struct AskedQuestion {
  int number = 0;
  std::string text;
  int textLine = 0;
  // The pools in file order. In the classic layout the correct answer is never
  // shuffled and stands alone in `correct`.
  std::vector<ShownEntry> correct;
  std::vector<ShownEntry> wrong;
};

// How many questions a game on this store asks when nobody runs out of lives: question
// n is asked only while the marker of n + 1 can be found.
int questionsAsked(const QuestionStore& store);

// Every question the game asks, read the way loading a question reads it.
std::vector<AskedQuestion> askedQuestions(const QuestionStore& store);

// The text printed by `zandoodle-check --show`.
std::string formatShow(std::string_view fileName, const QuestionStore& store);

}  // namespace zndl::check
