// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as a list must survive the trip to UTF-8 and back unchanged (up to
// the line-break normalisation), and every operation on the list must stay in bounds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "host/text_list.h"
#include "platform/cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const zndl::TextList list = zndl::TextList::fromBytes(bytes);
  const std::string written = list.toBytes();
  if (zndl::TextList::fromBytes(written) != list) std::abort();
  if (zndl::TextList::fromBytes(written).toBytes() != written) std::abort();
  if (!list.at(-1).empty() || !list.at(list.count()).empty()) std::abort();
  for (int i = 0; i < list.count(); ++i) {
    const std::string entry = list.at(i);
    if (!zndl::cp1252::representable(entry)) std::abort();
    const int first = list.find(entry);
    if (first < 0 || first > i) std::abort();  // the first equal entry, never a later one
  }
  const auto back = zndl::cp1252::fromUtf8(zndl::cp1252::toUtf8(bytes));
  if (!back || *back != bytes) std::abort();
  (void)zndl::cp1252::foldCase(bytes);  // arbitrary bytes, not UTF-8: must not misbehave
  return 0;
}
