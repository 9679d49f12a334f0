// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/question_store.h"

#include <map>
#include <mutex>
#include <utility>
#include <vector>

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

namespace {

// Plays back one sequence of draws, given as digits, and notes how many values each
// draw had to choose from.
class Draws : public RandomSource {
 public:
  explicit Draws(const std::vector<int>& digits) : digits_(digits) {}
  void seedFromClock() override {}
  int below(int n) override {
    if (n <= 1) return 0;
    ranges_.push_back(n);
    const std::size_t at = ranges_.size() - 1;
    return at < digits_.size() ? digits_[at] : 0;
  }
  const std::vector<int>& ranges() const { return ranges_; }

 private:
  const std::vector<int>& digits_;
  std::vector<int> ranges_;
};

// The places every entry of a pool of `count` reaches, by shuffling it with every
// sequence of draws the shuffle can take.
std::vector<ShuffleReach> reachByShuffling(int count) {
  std::vector<ShuffleReach> reach(static_cast<std::size_t>(count));
  std::vector<int> digits;
  for (;;) {
    TextList pool;
    for (int i = 0; i < count; ++i) pool.append(std::to_string(i));
    Draws draws(digits);
    shufflePool(pool, draws);
    for (int place = 0; place < count; ++place) {
      ShuffleReach& r = reach[static_cast<std::size_t>(std::stoi(pool.at(place)))];
      (place == 0 ? r.first : place == 1 ? r.second : r.further) = true;
    }
    // The next sequence, counting up with the last draw as the fastest digit.
    digits.resize(draws.ranges().size(), 0);
    std::size_t k = digits.size();
    while (k > 0 && digits[k - 1] + 1 >= draws.ranges()[k - 1]) --k;
    if (k == 0) return reach;
    ++digits[k - 1];
    digits.resize(k);
  }
}

// Pools larger than this are not run through: from four entries on, every entry can
// come out on top and can stay down, and more entries only add ways to get there.
constexpr int kLargestPoolShuffled = 6;

}  // namespace

ShuffleReach shuffleReach(int index, int count) {
  if (index < 0 || index >= count) return {};
  if (count > kLargestPoolShuffled) return {true, true, true};
  static std::mutex lock;
  static std::map<int, std::vector<ShuffleReach>> known;
  const std::lock_guard<std::mutex> hold(lock);
  auto it = known.find(count);
  if (it == known.end()) it = known.emplace(count, reachByShuffling(count)).first;
  return it->second[static_cast<std::size_t>(index)];
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
