// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/group_document.h"

// What an import made of a file of questions from elsewhere, whatever its format.
namespace zndl::exchange {

struct RowProblem {
  // 1-based: the row of a spreadsheet, or the question's place in a list of questions.
  // 0: the file as a whole.
  int row = 0;
  std::string message;
};

struct Import {
  Group group;  // the rows that could be converted, in order
  std::vector<RowProblem> problems;
  int refusedRows = 0;
  // False when the file as a whole cannot be read as a group (a header without a
  // Question column, no question at all); nothing may be written then.
  bool usable = true;

  // Whether the converted rows may be written as a group: the file is usable, some
  // row converted, and no row was refused unless refused rows are to be left out.
  bool acceptable(bool skipBadRows) const {
    return usable && !group.questions.empty() && (skipBadRows || refusedRows == 0);
  }
};

// A problem as the programs print it: "FILE:ROW: explanation", or "FILE: explanation"
// for the file as a whole.
inline std::string describeProblem(std::string_view file, const RowProblem& problem) {
  return std::string(file) + (problem.row > 0 ? ":" + std::to_string(problem.row) : "") + ": " +
         problem.message;
}

// A text as a problem names it: `the right answer "Paris"`; without the text itself
// when it is empty or holds a line break, which a line of messages cannot.
inline std::string namedText(std::string_view what, std::string_view text) {
  if (text.empty() || text.find_first_of("\r\n") != std::string_view::npos)
    return std::string(what);
  return std::string(what) + " \"" + std::string(text) + "\"";
}

}  // namespace zndl::exchange
