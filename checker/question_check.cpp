// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "checker/group_checker.h"
#include "platform/cp1252.h"
#include "quiz/quiz_layout.h"

namespace zndl::check {

using quiz_layout::kAnswerLineWidth;
using quiz_layout::kAnswerPrefixes;
using quiz_layout::kQuestionBoxHeight;
using quiz_layout::kQuestionBoxWidth;

// The entry of marker (n, kind) when the group's sequence and the game's search agree
// on it; nothing otherwise.
std::optional<int> GroupChecker::soundMarker(int n, Kind kind) const {
  const Candidate* c = chained(n, kind);
  if (!c || !c->exact || store_.find(markerText(n, kind)) != c->index) return std::nullopt;
  return c->index;
}

// Content checks run only on blocks whose markers are all in place: a block that a
// stray or missing marker breaks has been reported already, and what the game makes
// of it would only repeat that problem.
void GroupChecker::checkQuestion(int n) {
  const auto p = soundMarker(n, Kind::Question);
  if (!p) return;
  auto q = soundMarker(n + 1, Kind::Question);
  if (n == questions_ && lastBlockOpen_) q = std::max(endOfContent_, *p + 1);
  if (!q || *q <= *p) return;
  if (troubled_.upper_bound(*p) != troubled_.lower_bound(*q)) return;
  const std::string question = "question " + std::to_string(n);
  std::vector<int> correct;
  std::vector<int> wrong;
  if (!sectioned_) {
    const int lines = *q - *p - 1;
    if (lines == 0) return report(*p, question + " has no question and no answers");
    if (lines == 1) return report(*p, question + " has no answers");
    if (lines == 2)
      report(*p, question + " has no wrong answers, so the game shows its correct answer " +
                     quoted(store_.at(*p + 2)) +
                     " as a wrong answer too and the other "
                     "wrong answer empty; give it at least two");
    else if (lines == 3)
      report(*p, question +
                     " has only one wrong answer, so the second wrong answer shows "
                     "empty; give it at least two");
    correct.push_back(*p + 2);
    for (int i = *p + 3; i < *q; ++i) wrong.push_back(i);
  } else {
    const auto y = soundMarker(n, Kind::Correct);
    const auto o = soundMarker(n, Kind::Wrong);
    if (!y || !o || !(*p < *y && *y < *o && *o < *q)) return;
    if (*y == *p + 1)
      return report(*p, question + " has no question line, so the game shows " +
                            quoted(store_.at(*y)) + " as its question");
    for (int i = *p + 2; i < *y; ++i)
      if (!blank(store_.at(i)))
        report(i, "this line is never shown: the question is the single line after " +
                      questionMarker(n));
    if (*o == *y + 1)
      report(*y, question + " has no correct answer between " + correctMarker(n) + " and " +
                     wrongMarker(n) + ", so the correct answer shows empty");
    if (*q - *o - 1 == 0)
      report(*o, question +
                     " has no wrong answers, so both wrong answers show empty; give "
                     "it at least two");
    else if (*q - *o - 1 == 1)
      report(*o, question +
                     " has only one wrong answer, so the second wrong answer shows "
                     "empty; give it at least two");
    for (int i = *y + 1; i < *o; ++i) correct.push_back(i);
    for (int i = *o + 1; i < *q; ++i) wrong.push_back(i);
  }
  checkQuestionText(*p + 1, question);
  for (const int i : correct) checkAnswer(i, question, "correct");
  for (const int i : wrong) checkAnswer(i, question, "wrong");
  checkRepeatedAnswers(correct, wrong, question);
}

// A wrong answer that is also right, or one written twice, can put the same answer
// on two answer lines.
void GroupChecker::checkRepeatedAnswers(const std::vector<int>& correct,
                                        const std::vector<int>& wrong,
                                        const std::string& question) {
  std::map<std::string, int> right;
  for (const int i : correct) right.emplace(cp1252::foldCase(store_.at(i)), i);
  std::map<std::string, int> seen;
  for (const int i : wrong) {
    const std::string text = store_.at(i);
    if (blank(text)) continue;
    const std::string key = cp1252::foldCase(text);
    if (const auto it = right.find(key); it != right.end())
      report(i, "the wrong answer " + quoted(text) + " of " + question +
                    " is also its correct answer at " + lineName(it->second) +
                    ", so the same answer can show twice");
    else if (const auto [first, fresh] = seen.emplace(key, i); !fresh)
      report(i, "the wrong answer " + quoted(text) + " of " + question + " repeats " +
                    lineName(first->second) + ", so both wrong answers can read the same");
  }
}

void GroupChecker::checkQuestionText(int index, const std::string& question) {
  const std::string text = store_.at(index);
  if (blank(text)) return report(index, "the question line of " + question + " is empty");
  const int room = std::max(1, kQuestionBoxHeight / std::max(1, measurer_.lineHeight()));
  const int lines = measurer_.wrappedLineCount(text, kQuestionBoxWidth);
  if (lines > room)
    report(index, question + " takes " + std::to_string(lines) +
                      " lines in the question box at the game's font, which has room for " +
                      std::to_string(room) + "; the rest is cut off");
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view word = std::string_view(text).substr(start, end - start);
    const int width = word.empty() ? 0 : measurer_.width(word);
    if (width > kQuestionBoxWidth)
      report(index, "the word " + quoted(word) + " is " + std::to_string(width) +
                        " pixels wide, more than the question box's " +
                        std::to_string(kQuestionBoxWidth) + ", and is cut off");
    start = end + 1;
  }
}

void GroupChecker::checkAnswer(int index, const std::string& question, const char* kind) {
  const std::string text = store_.at(index);
  if (text.empty())
    return report(index, std::string("an empty line among the ") + kind + " answers of " +
                             question +
                             ", which the game shows as an "
                             "empty answer");
  int widest = 0;
  std::string_view widestPrefix;
  for (const auto prefix : kAnswerPrefixes) {
    const int width = measurer_.width(std::string(prefix) + text);
    if (width > widest) {
      widest = width;
      widestPrefix = prefix;
    }
  }
  if (widest > kAnswerLineWidth)
    report(index, "the answer " + quoted(text) + " is too wide for its answer line: with " +
                      quoted(widestPrefix) + " in front it is " + std::to_string(widest) +
                      " pixels wide, and the line holds " + std::to_string(kAnswerLineWidth) +
                      " on one line");
}

}  // namespace zndl::check
