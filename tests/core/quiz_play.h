// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "fakes/test_game.h"
#include "host/text_list.h"
#include "quiz/quiz_screen.h"

namespace zndl::testing {

// The two-question example of the authoring guide: a ripe banana and a spider's legs.
inline TextList workedExample() {
  return {"(ZNDL v4)",
          "[1]",
          "What colour is a ripe banana?",
          "[1-YES]",
          "Yellow",
          "[1-NO]",
          "Blue",
          "Purple",
          "[2]",
          "How many legs has a spider?",
          "[2-YES]",
          "Eight",
          "8",
          "[2-NO]",
          "Six",
          "Ten",
          "[3]"};
}

// A sectioned group of `questions` questions and its end marker: question i asks
// "Question i?", its correct answer is "Right i", its wrong answers "Wrong i-a" and
// "Wrong i-b".
inline TextList sectionedGroup(int questions) {
  TextList lines{"(ZNDL v4)", "A group made for the tests"};
  for (int i = 1; i <= questions; ++i) {
    const std::string n = std::to_string(i);
    for (const std::string& line :
         {questionMarker(i), "Question " + n + "?", correctMarker(i), "Right " + n, wrongMarker(i),
          "Wrong " + n + "-a", "Wrong " + n + "-b"})
      lines.append(line);
  }
  lines.append(questionMarker(questions + 1));
  return lines;
}

// A game on fakes with names on file (Alpha with Rex the Hamster, Beta with Bubbles
// the Goldfish) and a group in the quiz's store, ready for its first CONTINUE.
struct QuizGame : TestGame {
  explicit QuizGame(const TextList& group = sectionedGroup(3), const std::string& time1 = "5",
                    const std::string& time2 = "5") {
    writeFile("names.etc", namesFile("Alpha", "Beta", "Rex", "Bubbles", "0", "1", time1, time2));
    writeFile("prizes", "Prizes\r\nA gold watch\r\nA year of fish food\r\n");
    game->start();
    // Start-up's own complaints (host lists this directory does not hold) are not
    // what these games are about.
    errors.shown.clear();
    box().questions.assign(group);
  }

  QuizScreen& box() { return game->screen<QuizScreen>(); }
  QuestionStep step() const { return game->screen<QuizScreen>().step; }

  void tick(int times = 1) {
    for (int i = 0; i < times; ++i) run([&] { box().onTick(); });
  }
  void pressContinue() {
    run([&] { box().onContinue(); });
  }
  void answer(int slot) {
    run([&] { box().onAnswer(static_cast<AnswerSlot>(slot)); });
  }
  int wrongSlot() const { return game->screen<QuizScreen>().correctSlot == 1 ? 2 : 1; }

  // CONTINUE and the four ticks that reveal the question: answers count from here.
  void reveal() {
    pressContinue();
    tick(4);
  }
  void playCorrect() {
    reveal();
    answer(game->screen<QuizScreen>().correctSlot);
    tick();
  }
  void playWrong() {
    reveal();
    answer(wrongSlot());
    tick();
  }
  void playTimeOut() {
    reveal();
    for (int guard = 0; step() != QuestionStep::idle && guard < 100; ++guard) tick();
  }
};

}  // namespace zndl::testing
