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

// The entries first .. last of the store as a pool, each marked with its chances.
template <typename ShowingOf>
std::vector<ShownEntry> pool(const QuestionStore& store, int first, int last, ShowingOf showingOf) {
  std::vector<ShownEntry> out;
  const int count = last - first + 1;
  for (int i = first; i <= last; ++i) out.push_back(entryAt(store, i, showingOf(i - first, count)));
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
  if (index < 0 || index >= count) return Showing::Never;
  // One entry is left alone; two always swap; of three, the last is always moved
  // into one of the first two places. From four on, every entry may or may not come up.
  if (count == 1) return Showing::AlwaysFirst;
  if (count == 2) return index == 0 ? Showing::AlwaysSecond : Showing::AlwaysFirst;
  if (count == 3 && index == 2) return Showing::Always;
  return Showing::Sometimes;
}

Showing correctAnswerShowing(int index, int count) {
  if (index < 0 || index >= count) return Showing::Never;
  if (count == 1) return Showing::Always;
  if (count == 2) return index == 1 ? Showing::Always : Showing::Never;
  return Showing::Sometimes;
}

bool isSectioned(const QuestionStore& store) {
  return store.at(0) == kVersionLine;
}

int questionsAsked(const QuestionStore& store) {
  int n = 1;
  while (store.find(questionMarker(n + 1)) != -1) ++n;
  return n - 1;
}

std::vector<AskedQuestion> askedQuestions(const QuestionStore& store) {
  std::vector<AskedQuestion> out;
  const int asked = questionsAsked(store);
  const bool sectioned = isSectioned(store);
  for (int n = 1; n <= asked; ++n) {
    AskedQuestion q;
    q.number = n;
    const int p = store.find(questionMarker(n));
    const int next = store.find(questionMarker(n + 1));
    q.text = store.at(p + 1);
    q.textLine = lineOf(store, p + 1);
    if (!sectioned) {
      q.correct.push_back(entryAt(store, p + 2, Showing::Always));
      // An empty range falls back on the line just before the next marker.
      if (p + 3 <= next - 1)
        q.wrong = pool(store, p + 3, next - 1, wrongAnswerShowing);
      else
        q.wrong.push_back(entryAt(store, next - 1, Showing::AlwaysFirst));
    } else {
      const int y = store.find(correctMarker(n));
      const int o = store.find(wrongMarker(n));
      q.correct = pool(store, y + 1, o - 1, correctAnswerShowing);
      q.wrong = pool(store, o + 1, next - 1, wrongAnswerShowing);
    }
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
