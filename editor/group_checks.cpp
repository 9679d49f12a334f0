// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/group_checks.h"

#include <algorithm>
#include <cctype>

#include "editor/group_writer.h"

namespace zndl::editor {
namespace {

// The checker names other lines of the file ("repeats line 57"); in the editor those
// become the cells that hold them.
std::string withPlaces(const std::string& message, const std::vector<Place>& lines) {
  std::string out;
  std::size_t at = 0;
  while (true) {
    const std::size_t found = message.find("line ", at);
    if (found == std::string::npos) break;
    std::size_t end = found + 5;
    while (end < message.size() && std::isdigit(static_cast<unsigned char>(message[end]))) ++end;
    out += message.substr(at, found - at);
    const bool number = end > found + 5 && end - found - 5 <= 9;
    const int line = number ? std::stoi(message.substr(found + 5, end - found - 5)) : 0;
    if (line >= 1 && line <= static_cast<int>(lines.size()) && lines[line - 1].row >= 0)
      out += describePlace(lines[line - 1]);
    else
      out += message.substr(found, end - found);
    at = end;
  }
  return out + message.substr(at);
}

}  // namespace

std::vector<CellProblem> checkCells(const Group& group, const check::TextMeasurer& measurer) {
  std::vector<CellProblem> out;
  for (auto& u : unwritableTexts(group)) out.push_back({u.place, std::move(u.message)});
  const WrittenGroup written = writeGroup(group);
  for (const auto& problem : check::checkGroup(written.bytes, measurer)) {
    const int index = problem.line - 1;
    Place place{-1, Column::Question, -1};
    if (index >= 0 && index < static_cast<int>(written.lines.size())) place = written.lines[index];
    out.push_back({place, withPlaces(problem.message, written.lines)});
  }
  std::stable_sort(out.begin(), out.end(), [](const CellProblem& a, const CellProblem& b) {
    return a.place.row < b.place.row;
  });
  return out;
}

}  // namespace zndl::editor
