// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/group_checks.h"

#include <algorithm>

#include "exchange/group_writer.h"

namespace zndl::editor {

std::vector<CellProblem> checkCells(const Group& group, const check::TextMeasurer& measurer) {
  std::vector<CellProblem> out;
  for (auto& u : unwritableTexts(group)) out.push_back({u.place, std::move(u.message)});
  const exchange::WrittenGroup written = exchange::writeGroup(group);
  // The checker names other lines of the file ("repeats line 57"); here they are the
  // cells that hold them.
  const auto nameLine = [&written](int line) {
    const auto index = static_cast<std::size_t>(line - 1);
    if (line >= 1 && index < written.lines.size() && written.lines[index].row >= 0)
      return describePlace(written.lines[index]);
    return check::numberedLine(line);
  };
  for (const auto& problem : check::checkGroup(written.bytes, measurer, nameLine)) {
    const int index = problem.line - 1;
    Place place{-1, Column::Question, -1};
    if (index >= 0 && index < static_cast<int>(written.lines.size())) place = written.lines[index];
    out.push_back({place, problem.message});
  }
  std::stable_sort(out.begin(), out.end(), [](const CellProblem& a, const CellProblem& b) {
    return a.place.row < b.place.row;
  });
  return out;
}

}  // namespace zndl::editor
