// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "checker/group_check.h"
#include "editor/group_model.h"

// The checker's findings on the editor's cells. The group is written the way saving
// writes it and the checker reads that file, so the editor reports exactly what
// zandoodle-check would report on the saved group, but on the cells that cause it.
namespace zndl::editor {

struct CellProblem {
  // item -1: the cell as a whole (a question with too few wrong answers and the like).
  Place place;
  std::string message;
};

// Every problem of the group, in row order; problems of the whole group (row -1)
// first. Texts the file cannot hold are reported too.
std::vector<CellProblem> checkCells(const Group& group, const check::TextMeasurer& measurer);

}  // namespace zndl::editor
