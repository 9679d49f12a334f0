// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/narration.h"

#include <string_view>

#include "finale/tie_break.h"
#include "platform/numbers.h"
#include "quiz/quiz_screen.h"

namespace zndl {
namespace {

// A contestant as the quiz shows them; a blank name is still somebody.
std::string contestant(const QuizScreen& quiz, int player) {
  const std::string& name = player == 0 ? quiz.playerName1.text : quiz.playerName2.text;
  if (!name.empty()) return name;
  return player == 0 ? "Player one" : "Player two";
}

std::optional<long long> secondsOn(const Label& clock) {
  return parseWholeNumber(clock.text);
}

}  // namespace

bool LineWatch::changed(bool onView, const std::string& text) {
  if (!onView || text.empty()) {
    forget();
    return false;
  }
  if (heard_ && text == text_) return false;
  heard_ = true;
  text_ = text;
  return true;
}

void LineWatch::hear(bool onView, const std::string& text) {
  (void)changed(onView, text);
}

void LineWatch::forget() {
  heard_ = false;
  text_.clear();
}

SpokenLines LineNarrator::update(bool onView, const Label& line) {
  if (line_.changed(onView && line.visible, line.text)) return {line.text};
  return {};
}

std::string countOf(const std::string& number, const char* one, const char* many) {
  return number + " " + (number == "1" ? one : many);
}

std::string resultLine(const QuizScreen& quiz) {
  const auto standing = [&](int player) {
    const std::string& score = player == 0 ? quiz.score1 : quiz.score2;
    const int lives = player == 0 ? quiz.lives1 : quiz.lives2;
    return contestant(quiz, player) + " " + countOf(score, "point", "points") + ", " +
           countOf(std::to_string(lives), "life", "lives");
  };
  // "TIME’S UP!" ends a sentence already; "CORRECT" needs a full stop.
  const std::string& verdict = quiz.resultPanel.text;
  const bool ended = !verdict.empty() && std::string_view("!?.").find(verdict.back()) !=
                                             std::string_view::npos;
  return verdict + (ended ? " " : ". ") + standing(0) + "; " + standing(1);
}

std::string turnLine(const QuizScreen& quiz) {
  return contestant(quiz, quiz.turn == 0 ? 0 : 1) + " to answer";
}

std::string secondsLine(int seconds) {
  return countOf(std::to_string(seconds), "second", "seconds");
}

SpokenLines QuizNarrator::update(bool onView, const QuizScreen& quiz, int questionStep) {
  const Label* answers[3] = {&quiz.answerA, &quiz.answerB, &quiz.answerC};
  if (!onView) {
    onView_ = false;
    return {};
  }
  if (!onView_) {
    // What is on the board as the quiz comes up is the show's welcome, which the
    // player reads with the window; only what changes from here on is called out.
    onView_ = true;
    step_ = questionStep;
    clockStart_ = 0;
    question_.hear(quiz.question.visible, quiz.question.text);
    for (int i = 0; i < 3; ++i) answers_[i].hear(answers[i]->visible, answers[i]->text);
    result_.hear(quiz.resultPanel.visible, quiz.resultPanel.text);
    return {};
  }

  SpokenLines said;
  const int before = step_;
  step_ = questionStep;
  if (before == kIdle && questionStep == 1) said.push_back(turnLine(quiz));
  if (question_.changed(quiz.question.visible, quiz.question.text))
    said.push_back(quiz.question.text);
  for (int i = 0; i < 3; ++i)
    if (answers_[i].changed(answers[i]->visible, answers[i]->text))
      said.push_back(answers[i]->text);

  if (questionStep == kCountdown) {
    const auto left = secondsOn(quiz.countdown);
    if (before != kCountdown) {
      clockStart_ = left ? static_cast<int>(*left) : 0;
      if (left) said.push_back(secondsLine(clockStart_));
    } else if (left && *left == kLastCall && clockStart_ > kLastCall) {
      clockStart_ = kLastCall;  // called once
      said.push_back(secondsLine(kLastCall));
    }
  }

  if (result_.changed(quiz.resultPanel.visible, quiz.resultPanel.text))
    said.push_back(resultLine(quiz));
  return said;
}

SpokenLines TieBreakNarrator::update(bool onView, const TieBreak& tieBreak, int spinTicksLeft) {
  if (!onView) {
    coin_.forget();
    contestants_.forget();
    return {};
  }
  SpokenLines said;
  const Label& coin = tieBreak.coinFace;
  // While the coin spins its faces flash by: only where it lands is news.
  if (spinTicksLeft <= 0 && coin_.changed(coin.visible, coin.text)) said.push_back(coin.text);

  const auto side = [](const Label& name, const Label& pet, const Label& type) {
    std::string line = name.text;
    if (!pet.text.empty()) line += " with " + pet.text;
    if (!type.text.empty()) line += (pet.text.empty() ? " with a " : " the ") + type.text;
    return line;
  };
  const std::string contestants =
      side(tieBreak.playerName1, tieBreak.petName1, tieBreak.petType1) + ", against " +
      side(tieBreak.playerName2, tieBreak.petName2, tieBreak.petType2);
  if (contestants_.changed(true, contestants)) said.push_back(contestants);
  return said;
}

}  // namespace zndl
