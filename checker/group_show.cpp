// SPDX-License-Identifier: GPL-3.0-or-later
#include "checker/group_show.h"

namespace zndl::check {
namespace {

int lineOf(const QuestionStore& store, int index) {
  return index >= 0 && index < store.count() ? index + 1 : 0;
}

ShownEntry entryAt(const QuestionStore& store, int index, Showing showing) {
  return {store.at(index), lineOf(store, index), showing};
}

// The entries of a range of the store as a pool, each marked with its chances.
std::vector<ShownEntry> pool(const QuestionStore& store, EntryRange range,
                             Showing (*showingOf)(int, int)) {
  std::vector<ShownEntry> out;
  for (int i = range.first; i <= range.last; ++i)
    out.push_back(entryAt(store, i, showingOf(i - range.first, range.count())));
  return out;
}

const char* describe(Showing showing) {
  switch (showing) {
    case Showing::Never:
      return "never shown";
    case Showing::Sometimes:
      return "can be shown";
    case Showing::Always:
      return "always shown";
    case Showing::AlwaysFirst:
      return "always shown first";
    case Showing::AlwaysSecond:
      return "always shown second";
  }
  return "";
}

std::string lineText(int line) {
  return line > 0 ? "line " + std::to_string(line) : std::string("past the end of the file");
}

void appendEntries(std::string& out, const char* role, const std::vector<ShownEntry>& entries) {
  for (const auto& e : entries)
    out += std::string("  ") + role + ", " + lineText(e.line) + ", " + describe(e.showing) + ": " +
           e.text + "\n";
}

}  // namespace

Showing wrongAnswerShowing(int index, int count) {
  const ShuffleReach reach = shuffleReach(index, count);
  if (!reach.first && !reach.second) return Showing::Never;
  if (reach.further) return Showing::Sometimes;
  if (reach.first && reach.second) return Showing::Always;
  return reach.first ? Showing::AlwaysFirst : Showing::AlwaysSecond;
}

Showing correctAnswerShowing(int index, int count) {
  const ShuffleReach reach = shuffleReach(index, count);
  if (!reach.first) return Showing::Never;
  return reach.second || reach.further ? Showing::Sometimes : Showing::Always;
}

int questionsAsked(const QuestionStore& store) {
  int n = 1;
  while (questionFollows(store, n)) ++n;
  return n - 1;
}

std::vector<AskedQuestion> askedQuestions(const QuestionStore& store) {
  std::vector<AskedQuestion> out;
  const int asked = questionsAsked(store);
  const bool sectioned = isSectioned(store);
  for (int n = 1; n <= asked; ++n) {
    AskedQuestion q;
    q.number = n;
    const QuestionLines lines = locateQuestion(store, n);
    q.text = store.at(lines.text);
    q.textLine = lineOf(store, lines.text);
    // The classic layout's correct answer is never shuffled.
    q.correct = sectioned ? pool(store, lines.correct, correctAnswerShowing)
                          : pool(store, lines.correct, [](int, int) { return Showing::Always; });
    q.wrong = pool(store, lines.wrong, wrongAnswerShowing);
    out.push_back(std::move(q));
  }
  return out;
}

std::string formatShow(std::string_view fileName, const QuestionStore& store) {
  const auto questions = askedQuestions(store);
  std::string out(fileName);
  out += isSectioned(store) ? ": sectioned layout, " : ": classic layout, ";
  if (questions.empty())
    out += "the game asks no question\n";
  else
    out += "the game asks " + std::to_string(questions.size()) +
           (questions.size() == 1 ? " question\n" : " questions\n");
  for (const auto& q : questions) {
    out +=
        "Question " + std::to_string(q.number) + ", " + lineText(q.textLine) + ": " + q.text + "\n";
    if (q.correct.empty()) out += "  correct: none, the correct answer shows empty\n";
    appendEntries(out, "correct", q.correct);
    appendEntries(out, "wrong", q.wrong);
    if (q.wrong.empty()) out += "  wrong: none, both wrong answers show empty\n";
    if (q.wrong.size() == 1) out += "  wrong: only one, the second wrong answer shows empty\n";
  }
  return out;
}

}  // namespace zndl::check
