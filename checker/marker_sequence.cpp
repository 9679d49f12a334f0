// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "checker/group_checker.h"

namespace zndl::check {

// End marker, gaps and missing markers. False when there is no question at all.
bool GroupChecker::checkSequence() {
  auto& blocks = blocks_;
  for (const auto& [rank, k] : chain_)
    if (candidates_[k].marker.kind == Kind::Question) blocks.push_back(&candidates_[k]);
  if (blocks.empty()) {
    report(0, "the group has no question marker [1], so the game asks no question");
    return false;
  }
  const Candidate& last = *blocks.back();
  const int top = last.marker.n;
  bool endMissing = false;
  if (sectioned_) {
    endMissing = chained(top, Kind::Correct) || chained(top, Kind::Wrong);
  } else {
    for (int i = last.index + 1; i < store_.count() && !endMissing; ++i)
      endMissing = !blank(store_.at(i));
  }
  questions_ = endMissing ? top : top - 1;
  endOfContent_ = store_.count();
  while (endOfContent_ > 0 && blank(store_.at(endOfContent_ - 1))) --endOfContent_;
  lastBlockOpen_ = endMissing;

  if (endMissing) {
    report(last.index, "question " + std::to_string(top) +
                           " is never asked: there is no end marker " + questionMarker(top + 1) +
                           " after its last answer");
  } else if (top == 1) {
    report(last.index,
           "the group holds no question: [1] is its only marker, so it is the "
           "end marker");
  } else if (sectioned_) {
    for (int i = last.index + 1; i < store_.count(); ++i) {
      if (blank(store_.at(i)) || troubled_.count(i)) continue;
      report(i, "the lines after the end marker " + questionMarker(top) + " (" +
                    lineName(last.index) + ") are never read; a question here needs its own " +
                    correctMarker(top) + " and " + wrongMarker(top) +
                    " markers and a new end marker " + questionMarker(top + 1));
      break;
    }
  }

  int expected = 1;
  for (const Candidate* block : blocks) {
    reportMissing(expected, block->marker.n - 1, *block);
    expected = block->marker.n + 1;
  }
  if (sectioned_) {
    for (const Candidate* block : blocks) {
      const int n = block->marker.n;
      if (n > questions_) break;
      const bool yes = numbered_.count({n, static_cast<int>(Kind::Correct)}) > 0;
      const bool no = numbered_.count({n, static_cast<int>(Kind::Wrong)}) > 0;
      const std::string q = "question " + std::to_string(n);
      if (!yes && !no)
        report(block->index, q + " has no " + correctMarker(n) + " and no " + wrongMarker(n) +
                                 " marker, so the game cannot find its answers");
      else if (!yes)
        report(block->index, q + " has no " + correctMarker(n) +
                                 " marker, so the game cannot find its correct answers");
      else if (!no)
        report(block->index, q + " has no " + wrongMarker(n) +
                                 " marker, so the game cannot find its wrong answers");
    }
  }
  return true;
}

// Question markers first .. last that stand nowhere in the file, before `next`.
void GroupChecker::reportMissing(int first, int last, const Candidate& next) {
  int n = first;
  while (n <= last) {
    if (questionNumbers_.count(n)) {
      ++n;
      continue;
    }
    const auto present = questionNumbers_.upper_bound(n);
    const int end = present == questionNumbers_.end() ? last : std::min(last, *present - 1);
    const std::string which =
        n == end ? "the marker " + questionMarker(n) + " is"
                 : "the markers " + questionMarker(n) + " to " + questionMarker(end) + " are";
    std::string message = which + " missing before " + questionMarker(next.marker.n) + ": ";
    if (n == 1 && end == 1)
      message += "the game still asks question 1, with the file's first line " +
                 quoted(store_.at(0)) + " as its question";
    else if (n <= 2)
      message += "the game asks no question at all";
    else
      message +=
          "the game never asks question " + std::to_string(n - 1) + " or any question after it";
    report(next.index, message);
    n = end + 1;
  }
}

// Lines that carry a marker but have no place in the group's sequence.
void GroupChecker::reportStrayMarkers() {
  std::vector<const Candidate*> chainOrder;
  for (const auto& [rank, k] : chain_) chainOrder.push_back(&candidates_[k]);
  // A whole block repeated or out of order is reported once, at its question marker.
  std::map<int, int> strayBlocks;  // n -> first question marker [n] outside the sequence
  for (const auto& c : candidates_)
    if (c.exact && !c.inChain && c.marker.kind == Kind::Question)
      strayBlocks.emplace(c.marker.n, c.index);
  const auto inStrayBlock = [&](const Candidate& c) {
    const auto it = strayBlocks.find(c.marker.n);
    return c.marker.kind != Kind::Question && it != strayBlocks.end() && it->second < c.index;
  };
  for (const auto& c : candidates_) {
    const std::string text = markerText(c.marker.n, c.marker.kind);
    if (!c.exact) {
      reportNearMarker(c, text);
      continue;
    }
    if (c.inChain) continue;
    const auto held = chain_.find(c.rank);
    if (held != chain_.end()) {
      const Candidate& real = candidates_[held->second];
      const std::string realLine = lineName(real.index);
      if (c.index < real.index)
        report(c.index, "this line reads " + quoted(store_.at(c.index)) +
                            ", the same as the marker " + text + " at " + realLine +
                            " (letter case does not matter); the game's search stops at the "
                            "first such line and takes this one for the marker" +
                            (c.marker.kind == Kind::Question && c.marker.n > questions_
                                 ? std::string("; keep only one end marker")
                                 : std::string(", so the questions around it come out wrong")));
      else if (!inStrayBlock(c))
        report(c.index,
               "the marker " + text + " appears a second time (first at " + realLine +
                   "); the game only ever finds the first one" +
                   (questionAt(c.index) > questions_ ? std::string(", and never reads this line")
                                                     : " and reads this line as part of question " +
                                                           std::to_string(questionAt(c.index))));
      continue;
    }
    if (inStrayBlock(c)) continue;
    // Out of order: a chained marker that it should follow stands after it, or one it
    // should precede stands before it.
    const auto after = std::upper_bound(chainOrder.begin(), chainOrder.end(), c.index,
                                        [](int i, const Candidate* k) { return i < k->index; });
    std::string message = "the ";
    message += c.marker.kind == Kind::Question ? "block " : "marker ";
    message += text + " is out of order: it stands ";
    if (after != chainOrder.end() && (*after)->rank < c.rank)
      message += "before " + markerText((*after)->marker.n, (*after)->marker.kind) + " (" +
                 lineName((*after)->index) + ")";
    else if (after != chainOrder.begin())
      message += "after " + markerText((*(after - 1))->marker.n, (*(after - 1))->marker.kind) +
                 " (" + lineName((*(after - 1))->index) + ")";
    if (c.marker.kind == Kind::Question)
      message +=
          "; blocks must follow each other in number order, or the game mixes up the "
          "answers of the questions around it";
    else
      message += "; the markers of a question must come in the order " +
                 questionMarker(c.marker.n) + ", " + correctMarker(c.marker.n) + ", " +
                 wrongMarker(c.marker.n) + ", or the game mixes up its answers";
    report(c.index, message);
  }
}

void GroupChecker::reportNearMarker(const Candidate& c, const std::string& text) {
  const std::string line = store_.at(c.index);
  const bool spaces = withoutBlanks(line) != line;
  const bool zeros = !parseMarker(withoutBlanks(line), false);
  std::string message = quoted(line) + " is not the marker " + text +
                        ": a marker line must read exactly " + text + ", with no " +
                        (spaces && zeros ? "spaces or leading zeros"
                         : zeros         ? "leading zeros"
                                         : "spaces");
  const int found = store_.find(text);
  const int n = c.marker.n;
  if (found != -1)
    message += "; the game takes " + lineName(found) + " for " + text + " instead";
  else if (c.marker.kind != Kind::Question)
    message += "; without it the game cannot find the answers of question " + std::to_string(n);
  else if (n == 1)
    message += "; without it the game shows the file's first line as question 1";
  else if (n == 2)
    message += "; without it the game asks no question";
  else
    message += "; without it the game never asks question " + std::to_string(n - 1) +
               " or any question after it";
  report(c.index, message);
}

}  // namespace zndl::check
