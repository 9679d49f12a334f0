// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "checker/group_checker.h"
#include "platform/cp1252.h"

namespace zndl::check {

std::string markerText(int n, Kind kind) {
  switch (kind) {
    case Kind::Question:
      return questionMarker(n);
    case Kind::Correct:
      return correctMarker(n);
    case Kind::Wrong:
      return wrongMarker(n);
  }
  return {};
}

std::optional<Marker> parseMarker(std::string_view s, bool lenient) {
  if (s.size() < 3 || s.front() != '[' || s.back() != ']') return std::nullopt;
  s = s.substr(1, s.size() - 2);
  std::size_t digits = 0;
  while (digits < s.size() && s[digits] >= '0' && s[digits] <= '9') ++digits;
  std::string_view number = s.substr(0, digits);
  if (lenient) {
    while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
  }
  if (number.empty() || number.size() > 9 || number.front() == '0') return std::nullopt;
  Marker m;
  for (const char c : number) m.n = m.n * 10 + (c - '0');
  const std::string rest = cp1252::foldCase(s.substr(digits));
  if (rest.empty())
    m.kind = Kind::Question;
  else if (rest == "-yes")
    m.kind = Kind::Correct;
  else if (rest == "-no")
    m.kind = Kind::Wrong;
  else
    return std::nullopt;
  return m;
}

std::string withoutBlanks(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == ' ' || s[i] == '\t') continue;
    if (s.substr(i, 2) == "\u00A0") {
      ++i;
      continue;
    }
    out += s[i];
  }
  return out;
}

bool nearVersionLine(std::string_view line) {
  return cp1252::foldCase(withoutBlanks(line)) == cp1252::foldCase(withoutBlanks(kVersionLine));
}

void GroupChecker::findMarkers() {
  for (int i = 0; i < store_.count(); ++i) {
    const std::string line = store_.at(i);
    auto marker = parseMarker(line, false);
    const bool exact = marker.has_value();
    if (!marker) marker = parseMarker(withoutBlanks(line), true);
    if (!marker) continue;
    if (!sectioned_ && marker->kind != Kind::Question) {
      foreign_.push_back(i);
      troubled_.insert(i);
      continue;
    }
    candidates_.push_back({i, *marker, exact, rankOf(*marker)});
    numbered_.insert({marker->n, static_cast<int>(marker->kind)});
    if (marker->kind == Kind::Question) questionNumbers_.insert(marker->n);
  }
}

void GroupChecker::checkVersionLine() {
  std::string first = store_.at(0);
  const std::string bom = cp1252::toUtf8(kByteOrderMark);
  if (first.starts_with(bom)) first.erase(0, bom.size());
  if (!sectioned_ && first != kVersionLine && nearVersionLine(first)) {
    report(0, "the first line " + quoted(store_.at(0)) +
                  " looks like the version line but is not exactly (ZNDL v4) (letter case "
                  "and spaces count); the group is read in the classic layout, so " +
                  (foreign_.empty()
                       ? std::string("the line after each question is its correct answer")
                       : "the game shows the line after each question, its [n-YES] marker, "
                         "as the correct answer"));
    versionReported_ = true;
  }
  if (!foreign_.empty() && !versionReported_) {
    std::string message =
        quoted(store_.at(foreign_.front())) +
        " is a marker of the sectioned layout, but the first line is not exactly (ZNDL v4), "
        "so the group is read in the classic layout and the game shows such marker lines as "
        "answers";
    for (int i = 1; i < store_.count(); ++i) {
      if (nearVersionLine(store_.at(i))) {
        message += " (" + lineName(i) + " holds the version line, but only the first line counts)";
        break;
      }
    }
    report(foreign_.front(), message);
  }
}

// The group's intended marker sequence: the longest run of marker lines whose numbers
// rise in file order. Where two lines carry the same marker, an exact one wins over a
// near miss, and a copy that the same marker follows at once (at most one line
// later: a stray line just above the real marker) gives way to it; otherwise the
// earlier line wins, as it does in the game's search.
void GroupChecker::chainMarkers() {
  const auto preferable = [&](std::size_t later, std::size_t earlier) {
    const Candidate& x = candidates_[later];
    const Candidate& y = candidates_[earlier];
    if (x.exact != y.exact) return x.exact;
    const auto repeatedAtOnce = [&](std::size_t k) {
      return k + 1 < candidates_.size() && candidates_[k + 1].rank == candidates_[k].rank &&
             candidates_[k + 1].index - candidates_[k].index <= 2;
    };
    return repeatedAtOnce(earlier) && !repeatedAtOnce(later);
  };
  std::vector<std::size_t> tails;
  std::vector<long long> previous(candidates_.size(), -1);
  for (std::size_t i = 0; i < candidates_.size(); ++i) {
    const long long r = candidates_[i].rank;
    const auto pos = static_cast<std::size_t>(
        std::lower_bound(tails.begin(), tails.end(), r,
                         [&](std::size_t t, long long v) { return candidates_[t].rank < v; }) -
        tails.begin());
    if (pos < tails.size() && candidates_[tails[pos]].rank == r && !preferable(i, tails[pos]))
      continue;
    previous[i] = pos > 0 ? static_cast<long long>(tails[pos - 1]) : -1;
    if (pos == tails.size())
      tails.push_back(i);
    else
      tails[pos] = i;
  }
  for (long long k = tails.empty() ? -1 : static_cast<long long>(tails.back()); k >= 0;
       k = previous[static_cast<std::size_t>(k)]) {
    auto& c = candidates_[static_cast<std::size_t>(k)];
    c.inChain = true;
    chain_[c.rank] = static_cast<std::size_t>(k);
  }
  for (const auto& c : candidates_)
    if (!c.inChain || !c.exact) troubled_.insert(c.index);
}

const Candidate* GroupChecker::chained(int n, Kind kind) const {
  const auto it = chain_.find(rankOf({n, kind}));
  return it == chain_.end() ? nullptr : &candidates_[it->second];
}

// The question whose lines hold entry `index`, by the group's own blocks; 0 before
// the first question.
int GroupChecker::questionAt(int index) const {
  const auto it = std::lower_bound(blocks_.begin(), blocks_.end(), index,
                                   [](const Candidate* c, int i) { return c->index < i; });
  return it == blocks_.begin() ? 0 : (*(it - 1))->marker.n;
}

}  // namespace zndl::check
