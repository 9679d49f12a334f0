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

// Built by appending: GCC 12 at -O3 misreads `"[" + std::to_string(n)` as an
// overlapping copy (-Wrestrict) and would fail the release build.
std::string marker(int n, std::string_view suffix) {
  std::string text;
  text.reserve(16 + suffix.size());
  text += '[';
  text += std::to_string(n);
  text += suffix;
  return text;
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

void shufflePool(TextList& pool, RandomSource& random) {
  const int c = pool.count();
  for (int i = 0; i < c; ++i) pool.swap(i, random.below(c - 1));
}

LoadedQuestion loadQuestion(const QuestionStore& store, int n, TextList& wrong, TextList& correct,
                            RandomSource& random) {
  LoadedQuestion q;
  const int p = store.find(questionMarker(n));
  const int next = store.find(questionMarker(n + 1));
  q.text = store.at(p + 1);
  wrong.clear();
  if (store.at(0) != kVersionLine) {
    for (int i = p + 3; i <= next - 1; ++i) wrong.append(store.at(i));
    if (wrong.count() == 0) wrong.append(store.at(next - 1));
    shufflePool(wrong, random);
    q.correct = store.at(p + 2);
  } else {
    const int y = store.find(correctMarker(n));
    const int o = store.find(wrongMarker(n));
    correct.clear();
    for (int i = y + 1; i <= o - 1; ++i) correct.append(store.at(i));
    for (int i = o + 1; i <= next - 1; ++i) wrong.append(store.at(i));
    shufflePool(wrong, random);
    shufflePool(correct, random);
    q.correct = correct.at(0);
  }
  q.wrong0 = wrong.at(0);
  q.wrong1 = wrong.at(1);
  return q;
}

}  // namespace zndl
