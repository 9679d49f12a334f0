// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a spreadsheet: importing never throws, every problem names a row of
// the file, every question taken is complete and writable, and a group that was
// taken comes back unchanged both through its group file and through export.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/csv.h"
#include "exchange/group_exchange.h"
#include "exchange/group_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zndl::exchange;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const CsvImport imported = importCsv(bytes);
  const std::size_t records =
      zndl::csv::parse(zndl::csv::decode(bytes).text, imported.separator).size();
  for (const auto& p : imported.problems)
    if (p.row < 1 || static_cast<std::size_t>(p.row) > std::max<std::size_t>(records, 1) ||
        p.message.empty())
      std::abort();
  for (const auto& q : imported.group.questions)
    if (q.text.empty() || q.right.empty() || q.wrong.size() < 2) std::abort();
  if (!unwritableTexts(imported.group).empty()) std::abort();
  if (groupFromBytes(writeGroup(imported.group).bytes) != imported.group) std::abort();
  const CsvImport again = importCsv(exportCsv(imported.group));
  if (!imported.group.questions.empty() &&
      (again.group != imported.group || !again.problems.empty()))
    std::abort();
  return 0;
}
