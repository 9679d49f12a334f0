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

// A group whose first line is exactly the version line is read in the sectioned
// layout ([n], [n-YES], [n-NO]); any other in the classic one.
bool isSectioned(const QuestionStore& store);

// Whether question n is followed by the marker of n + 1: the game asks question n only
// then, and the marker ends the question's lines.
bool questionFollows(const QuestionStore& store, int n);

// Entries first .. last of the store; empty when last < first.
struct EntryRange {
  int first = 0;
  int last = -1;
  int count() const { return last >= first ? last - first + 1 : 0; }
};

// Where question n's lines stand, found with the game's own marker search. In the
// classic layout the correct answer is the one line after the question, and a question
// without wrong answers falls back on the line just before the next marker.
struct QuestionLines {
  int text = 0;
  EntryRange correct;
  EntryRange wrong;
};
QuestionLines locateQuestion(const QuestionStore& store, int n);

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

// Where entry `index` of a pool of `count` entries can end up after shufflePool: in
// the first place, in the second, or further down.
struct ShuffleReach {
  bool first = false;
  bool second = false;
  bool further = false;
};
ShuffleReach shuffleReach(int index, int count);

// Builds question n from the store into the wrong-answer and correct-answer pools
// and returns its texts. Never fails: missing markers and entries give empty texts.
LoadedQuestion loadQuestion(const QuestionStore& store, int n, TextList& wrong, TextList& correct,
                            RandomSource& random);

}  // namespace zndl
