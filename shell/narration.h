// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "quiz/quiz_screen.h"
#include "shell/screen.h"

namespace zndl {

class TieBreak;

// What a screen reader is told as a screen changes on its own, without the player
// moving the keyboard: the host's lines, the questions as they are revealed, the
// clock and the results. Each narrator remembers what it last told, and update()
// returns only what is new since then, in the order it is to be spoken. An update
// while the screen is off view forgets everything, so the screen is heard afresh the
// next time it comes up.
using SpokenLines = std::vector<std::string>;

// One line of a screen: heard when it comes into view with something to say, and
// again whenever its text changes while it stays on view.
class LineWatch {
 public:
  // True when the line says something the listener has not heard yet.
  bool changed(bool onView, const std::string& text);
  // Takes the line as heard without saying it.
  void hear(bool onView, const std::string& text);
  void forget();

 private:
  bool heard_ = false;
  std::string text_;
};

// Pembril's line on the introduction, the notice and the finale; the coin-call prompt.
class LineNarrator {
 public:
  SpokenLines update(bool onView, const Label& line);

 private:
  LineWatch line_;
};

// The quiz: whose turn it is as a question starts, the question and each answer as
// they are revealed, the clock as it starts and once near its end, and each result
// with both contestants' points and lives.
class QuizNarrator {
 public:
  // The clock is called out again when it reaches this many seconds.
  static constexpr int kLastCall = 5;

  SpokenLines update(bool onView, const QuizScreen& quiz);

 private:
  bool onView_ = false;
  QuestionStep step_ = QuestionStep::idle;
  int clockStart_ = 0;
  LineWatch question_;
  LineWatch answers_[3];
  LineWatch result_;
};

// The tie break: the coin and who faces whom as it comes up, then the face the coin
// lands on. The faces flashing by while it spins are not called out.
class TieBreakNarrator {
 public:
  SpokenLines update(bool onView, const TieBreak& tieBreak);

 private:
  LineWatch coin_;
  LineWatch contestants_;
};

// "1 point", "4 points"; "1 life", "5 lives".
std::string countOf(long long number, const char* one, const char* many);
// "CORRECT. Ann 1 point, 5 lives; Bob 0 points, 4 lives", "TIME’S UP! Ann ..."
std::string resultLine(const QuizScreen& quiz);
// "Ann to answer"
std::string turnLine(const QuizScreen& quiz);
// "15 seconds"
std::string secondsLine(int seconds);

}  // namespace zndl
