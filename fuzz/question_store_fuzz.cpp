// SPDX-License-Identifier: GPL-3.0-or-later
// Any group file, in either layout, loads every question without failing or reading
// out of bounds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/random.h"
#include "quiz/question_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  zndl::ClockRandom random(size);
  for (const bool sectioned : {false, true}) {
    zndl::TextList lines = zndl::TextList::fromBytes(bytes);
    if (sectioned) {
      zndl::TextList withVersion{zndl::kVersionLine};
      for (const auto& line : lines.entries()) withVersion.append(line);
      lines = withVersion;
    }
    const zndl::QuestionStore store(lines);
    zndl::TextList wrong, correct;
    // Every question the file names, and one past the last.
    for (int n = 0; n <= 64; ++n) {
      const auto q = zndl::loadQuestion(store, n, wrong, correct, random);
      if (store.find(zndl::questionMarker(n)) < -1) std::abort();
      (void)q;
    }
    for (int i = 0; i < store.count(); ++i) {
      const int at = store.find(store.at(i));
      if (at < 0 || at > i) std::abort();  // the first equal line is never after this one
    }
  }
  return 0;
}
