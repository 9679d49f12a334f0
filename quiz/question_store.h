// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "host/text_list.h"
#include "platform/ports.h"

namespace zndl {

// The loaded question group: the file's lines, searched for marker lines each time a
// question is loaded. Find keeps its meaning (first matching line, letter case
// ignored) but marker-shaped lines are indexed when the content changes, so loading
// question n costs the same in a group of ten questions and in one of a hundred
// thousand.
class QuestionStore {
 public:
  QuestionStore() = default;
  explicit QuestionStore(TextList lines);

  void assign(TextList lines);
  void loadFromFile(const std::string& name);  // throws "Cannot open file <name>"

  int count() const { return lines_.count(); }
  std::string at(int index) const { return lines_.at(index); }
  int find(std::string_view text) const;
  const TextList& lines() const { return lines_; }

 private:
  void buildIndex();
  TextList lines_;
  std::unordered_map<std::string, int> markers_;  // folded text -> first index
};

inline constexpr std::string_view kVersionLine = "(ZNDL v4)";

std::string questionMarker(int n);
std::string correctMarker(int n);
std::string wrongMarker(int n);

// One question as the engine shows it.
struct LoadedQuestion {
  std::string text;
  std::string correct;
  std::string wrong0;
  std::string wrong1;
};

// Shuffles a pool the game's own way: for every place i, swap it with a place drawn
// from 0 .. count-2. The narrow range is deliberate (authors rely on it): a pool of
// two always comes out reversed, and the last entry never stays last.
void shufflePool(TextList& pool, RandomSource& random);

// Builds question n from the store into the wrong-answer and correct-answer pools
// and returns its texts. Never fails: missing markers and entries give empty texts.
LoadedQuestion loadQuestion(const QuestionStore& store, int n, TextList& wrong, TextList& correct,
                            RandomSource& random);

}  // namespace zndl
