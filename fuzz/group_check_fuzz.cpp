// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a group file: the checker names only lines of the file, never throws,
// and showing the group works too.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "checker/group_check.h"
#include "checker/group_show.h"
#include "quiz/question_store.h"

namespace {

// A stand-in for the game's font: every character the same width.
class FixedWidth final : public zndl::check::TextMeasurer {
 public:
  int width(std::string_view utf8) const override { return 9 * static_cast<int>(utf8.size()); }
  int lineHeight() const override { return 18; }
  int wrappedLineCount(std::string_view utf8, int w) const override {
    return 1 + width(utf8) / (w > 0 ? w : 1);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const int lines = std::max(1, zndl::TextList::fromBytes(bytes).count());
  for (const auto& problem : zndl::check::checkGroup(bytes, FixedWidth())) {
    if (problem.line < 1 || problem.line > lines || problem.message.empty()) std::abort();
  }
  (void)zndl::check::formatShow("fuzz.set",
                                zndl::QuestionStore(zndl::TextList::fromBytes(bytes)));
  return 0;
}
