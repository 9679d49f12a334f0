// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/narration.h"

#include <string_view>

#include "finale/tie_break.h"
#include "quiz/quiz_screen.h"

namespace zndl {
namespace {

// A contestant as the quiz shows them; a blank name is still somebody.
std::string contestant(const QuizScreen& quiz, Contestant player) {
  static const Contestants<const char*> kStandIns{"Player one", "Player two"};
  const std::string& name = quiz.playerNames[player].text;
  return name.empty() ? kStandIns[player] : name;
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

std::string countOf(long long number, const char* one, const char* many) {
  return std::to_string(number) + " " + (number == 1 ? one : many);
}

std::string resultLine(const QuizScreen& quiz) {
  const auto standing = [&](Contestant player) {
    return contestant(quiz, player) + " " + countOf(quiz.scores[player], "point", "points") + ", " +
           countOf(quiz.lives[player], "life", "lives");
  };
  // "TIME’S UP!" ends a sentence already; "CORRECT" needs a full stop.
  const std::string& verdict = quiz.resultPanel.text;
  const bool ended =
      !verdict.empty() && std::string_view("!?.").find(verdict.back()) != std::string_view::npos;
  return verdict + (ended ? " " : ". ") + standing(kFirstContestant) + "; " +
         standing(kSecondContestant);
}

std::string turnLine(const QuizScreen& quiz) {
  return contestant(quiz, quiz.turn) + " to answer";
}

std::string secondsLine(int seconds) {
  return countOf(seconds, "second", "seconds");
}

SpokenLines QuizNarrator::update(bool onView, const QuizScreen& quiz) {
  const QuestionStep questionStep = quiz.step;
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
  const QuestionStep before = step_;
  step_ = questionStep;
  if (before == QuestionStep::idle && questionStep == QuestionStep::revealQuestion)
    said.push_back(turnLine(quiz));
  if (question_.changed(quiz.question.visible, quiz.question.text))
    said.push_back(quiz.question.text);
  for (int i = 0; i < 3; ++i)
    if (answers_[i].changed(answers[i]->visible, answers[i]->text))
      said.push_back(answers[i]->text);

  if (questionStep == QuestionStep::countdown) {
    const long long left = quiz.secondsLeft;
    if (before != QuestionStep::countdown) {
      clockStart_ = static_cast<int>(left);
      said.push_back(secondsLine(clockStart_));
    } else if (left == kLastCall && clockStart_ > kLastCall) {
      clockStart_ = kLastCall;  // called once
      said.push_back(secondsLine(kLastCall));
    }
  }

  if (result_.changed(quiz.resultPanel.visible, quiz.resultPanel.text))
    said.push_back(resultLine(quiz));
  return said;
}

SpokenLines TieBreakNarrator::update(bool onView, const TieBreak& tieBreak) {
  if (!onView) {
    coin_.forget();
    contestants_.forget();
    return {};
  }
  SpokenLines said;
  const Label& coin = tieBreak.coinFace;
  // While the coin spins its faces flash by: only where it lands is news.
  if (tieBreak.spinTicksLeft <= 0 && coin_.changed(coin.visible, coin.text))
    said.push_back(coin.text);

  const auto side = [&](Contestant c) {
    const TieBreak::Side& s = tieBreak.sides[c];
    std::string line = s.name.text;
    if (!s.petName.text.empty()) line += " with " + s.petName.text;
    if (!s.petType.text.empty())
      line += (s.petName.text.empty() ? " with a " : " the ") + s.petType.text;
    return line;
  };
  const std::string contestants = side(kFirstContestant) + ", against " + side(kSecondContestant);
  if (contestants_.changed(true, contestants)) said.push_back(contestants);
  return said;
}

}  // namespace zndl
