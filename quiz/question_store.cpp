// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/question_store.h"

#include <utility>

#include "platform/cp1252.h"

namespace zndl {
namespace {

bool markerShaped(const std::string& line) {
  return line.size() >= 3 && line.front() == '[' && line.back() == ']';
}

}  // namespace

QuestionStore::QuestionStore(TextList lines) {
  assign(std::move(lines));
}

void QuestionStore::assign(TextList lines) {
  lines_ = std::move(lines);
  buildIndex();
}

void QuestionStore::loadFromFile(const std::string& name) {
  TextList lines;
  lines.loadFromFile(name);
  assign(std::move(lines));
}

void QuestionStore::buildIndex() {
  markers_.clear();
  const auto& entries = lines_.entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (markerShaped(entries[i]))
      markers_.emplace(cp1252::foldCase(entries[i]), static_cast<int>(i));
  }
}

int QuestionStore::find(std::string_view text) const {
  const std::string key(text);
  if (markerShaped(key)) {
    const auto it = markers_.find(cp1252::foldCase(key));
    return it == markers_.end() ? -1 : it->second;
  }
  return lines_.find(text);
}

namespace {

std::string marker(int n, std::string_view suffix) {
  return "[" + std::to_string(n) + std::string(suffix);
}

}  // namespace

std::string questionMarker(int n) {
  return marker(n, "]");
}
std::string correctMarker(int n) {
  return marker(n, "-YES]");
}
std::string wrongMarker(int n) {
  return marker(n, "-NO]");
}

bool isSectioned(const QuestionStore& store) {
  return store.at(0) == kVersionLine;
}

bool questionFollows(const QuestionStore& store, int n) {
  return store.find(questionMarker(n + 1)) != -1;
}

QuestionLines locateQuestion(const QuestionStore& store, int n) {
  QuestionLines lines;
  const int p = store.find(questionMarker(n));
  const int next = store.find(questionMarker(n + 1));
  lines.text = p + 1;
  if (!isSectioned(store)) {
    lines.correct = {p + 2, p + 2};
    lines.wrong = {p + 3, next - 1};
    if (lines.wrong.count() == 0) lines.wrong = {next - 1, next - 1};
  } else {
    const int y = store.find(correctMarker(n));
    const int o = store.find(wrongMarker(n));
    lines.correct = {y + 1, o - 1};
    lines.wrong = {o + 1, next - 1};
  }
  return lines;
}

void shufflePool(TextList& pool, RandomSource& random) {
  const int c = pool.count();
  for (int i = 0; i < c; ++i) pool.swap(i, random.below(c - 1));
}

ShuffleReach shuffleReach(int index, int count) {
  if (index < 0 || index >= count) return {};
  // Every draw is below count - 1, so a single entry stays put and a pair is always
  // reversed.
  if (count == 1) return {true, false, false};
  if (count == 2)
    return index == 0 ? ShuffleReach{false, true, false} : ShuffleReach{true, false, false};
  // Only the swap of the last place moves the last entry, and it moves it into one of
  // the places before: of three entries, the last ends first or second. From four
  // entries on, every entry can end in every place.
  if (count == 3 && index == 2) return {true, true, false};
  return {true, true, true};
}

LoadedQuestion loadQuestion(const QuestionStore& store, int n, TextList& wrong, TextList& correct,
                            RandomSource& random) {
  LoadedQuestion q;
  const QuestionLines lines = locateQuestion(store, n);
  q.text = store.at(lines.text);
  wrong.clear();
  for (int i = lines.wrong.first; i <= lines.wrong.last; ++i) wrong.append(store.at(i));
  shufflePool(wrong, random);
  if (!isSectioned(store)) {
    q.correct = store.at(lines.correct.first);
  } else {
    correct.clear();
    for (int i = lines.correct.first; i <= lines.correct.last; ++i) correct.append(store.at(i));
    shufflePool(correct, random);
    q.correct = correct.at(0);
  }
  q.wrong0 = wrong.at(0);
  q.wrong1 = wrong.at(1);
  return q;
}

}  // namespace zndl
