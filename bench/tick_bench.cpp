// SPDX-License-Identifier: GPL-3.0-or-later
// Times the game's hot paths: one quiz tick, one introduction tick, and loading a
// question from a group of 100,000 questions. Prints microseconds for each.
#include <chrono>
#include <cstdio>

#include "fakes/test_game.h"
#include "quiz/question_store.h"
#include "quiz/quiz_screen.h"

using namespace zndl;
using namespace zndl::testing;
using Clock = std::chrono::steady_clock;

namespace {

TextList bigGroup(int questions) {
  TextList lines{"(ZNDL v4)"};
  for (int i = 1; i <= questions; ++i) {
    const std::string n = std::to_string(i);
    for (const std::string& line : std::initializer_list<std::string>{
             "[" + n + "]", "Question " + n + "?", "[" + n + "-YES]", "Right", "[" + n + "-NO]",
             "Wrong a", "Wrong b", "Wrong c"})
      lines.append(line);
  }
  lines.append("[" + std::to_string(questions + 1) + "]");
  return lines;
}

template <class F>
double microsecondsPer(int rounds, F&& f) {
  const auto start = Clock::now();
  for (int i = 0; i < rounds; ++i) f(i);
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / rounds;
}

}  // namespace

int main() {
  TestGame t;
  t->start();
  Game& g = *t;
  g.screen<QuizScreen>().questions.assign(bigGroup(100000));

  // Whole questions: CONTINUE, then ticks until it is judged, time and again.
  long ticks = 0;
  const auto start = Clock::now();
  for (int q = 0; q < 2000; ++q) {
    g.screen<QuizScreen>().questionNo = 1 + q * 37 % 99999;
    g.screen<QuizScreen>().lives[kFirstContestant] =
        g.screen<QuizScreen>().lives[kSecondContestant] = kStartingLives;
    g.screen<QuizScreen>().onContinue();
    while (g.screen<QuizScreen>().step != QuestionStep::idle) {
      g.screen<QuizScreen>().onTick();
      ++ticks;
    }
  }
  const double perQuestion =
      std::chrono::duration<double, std::micro>(Clock::now() - start).count() / 2000;
  const double quizTick = perQuestion / (static_cast<double>(ticks) / 2000 + 1);

  g.screen<Introduction>().show();
  const double introTick = microsecondsPer(20000, [&](int i) {
    if (i % 9 == 0) g.screen<Introduction>().show();
    g.screen<Introduction>().onTick();
  });

  TextList wrong, correct;
  const double load = microsecondsPer(20000, [&](int i) {
    loadQuestion(g.screen<QuizScreen>().questions, 100000 - i % 1000, wrong, correct, t.random);
  });
  std::printf("quiz_tick_us %.2f\nintro_tick_us %.2f\nload_question_100k_us %.2f\n", quizTick,
              introTick, load);
  return 0;
}
