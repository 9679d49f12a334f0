// SPDX-License-Identifier: GPL-3.0-or-later
#include "checker/group_check.h"

#include <algorithm>

#include "checker/group_checker.h"
#include "host/text_list.h"

namespace zndl::check {

GroupChecker::GroupChecker(std::string_view bytes, const TextMeasurer& measurer, LineNamer nameLine)
    : bytes_(bytes),
      measurer_(measurer),
      nameLine_(std::move(nameLine)),
      store_(TextList::fromBytes(bytes)) {
  sectioned_ = isSectioned(store_);
}

std::vector<Problem> GroupChecker::run() {
  if (bytes_.starts_with("\xFF\xFE") || bytes_.starts_with("\xFE\xFF")) {
    report(0,
           "the file is saved as UTF-16, but the game reads Windows-1252 and would show "
           "every line garbled; save it as Windows-1252");
    return problems_;
  }
  checkEncoding();
  findMarkers();
  checkVersionLine();
  chainMarkers();
  if (!checkSequence()) return finish();
  reportStrayMarkers();
  // Only blocks that start with a marker can be checked, and the numbers may be huge.
  for (const Candidate* block : blocks_)
    if (block->marker.n <= questions_) checkQuestion(block->marker.n);
  return finish();
}

void GroupChecker::report(int index, std::string message) {
  problems_.push_back({index + 1, std::move(message)});
}

std::vector<Problem> GroupChecker::finish() {
  std::stable_sort(problems_.begin(), problems_.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  return problems_;
}

long long GroupChecker::rankOf(Marker m) const {
  return sectioned_ ? 3LL * (m.n - 1) + static_cast<int>(m.kind) : m.n - 1LL;
}

std::string GroupChecker::lineName(int index) const {
  return nameLine_ ? nameLine_(index + 1) : numberedLine(index + 1);
}

std::string numberedLine(int line) {
  return "line " + std::to_string(line);
}

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

bool blank(std::string_view s) {
  return s.find_first_not_of(" \t") == std::string_view::npos;
}

std::vector<Problem> checkGroup(std::string_view bytes, const TextMeasurer& measurer,
                                const LineNamer& nameLine) {
  return GroupChecker(bytes, measurer, nameLine).run();
}

}  // namespace zndl::check
