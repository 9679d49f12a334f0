// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/csv.h"
#include "exchange/group_document.h"

// Question groups to and from spreadsheets. A row is a question: without a header
// row, column 1 holds the question, column 2 the right answer and every further
// non-empty column a wrong answer. A header row names each column's role with the
// words Question, Right and Wrong (any letter case); Right and Wrong may repeat, and
// several Right columns hold alternatives.
namespace zndl::exchange {

struct RowProblem {
  int row = 0;  // 1-based row of the spreadsheet
  std::string message;
};

struct CsvImport {
  Group group;  // the rows that could be converted, in order
  std::vector<RowProblem> problems;
  int refusedRows = 0;
  // False when the file as a whole cannot be read as a group (a header without a
  // Question column, no question at all); nothing may be written then.
  bool usable = true;
  csv::Encoding encoding = csv::Encoding::Utf8;
  char separator = ',';

  // Whether the converted rows may be written as a group: the file is usable, some
  // row converted, and no row was refused unless refused rows are to be left out.
  bool acceptable(bool skipBadRows) const {
    return usable && !group.questions.empty() && (skipBadRows || refusedRows == 0);
  }
};

// Reads a spreadsheet saved as CSV or TSV (see csv.h for encodings and separators).
// A row is refused, with a problem naming it, when its texts have a line break or a
// character Windows-1252 cannot hold, read like a marker line, or when it has no
// question, no right answer or fewer than two wrong answers. Empty rows are skipped.
CsvImport importCsv(std::string_view bytes);

// The group as UTF-8 text with a byte-order mark (so that spreadsheets recognise the
// encoding), comma-separated with CR LF line ends, under a header row: Question, as
// many Right columns as the question with the most alternatives needs, and as many
// Wrong columns as the one with the most wrong answers. The notes are not exported.
std::string exportCsv(const Group& group);

// The commands of zandoodle-check. Status 0: written; 1: rows were refused (with
// skipBadRows the other rows are still written); 2: a file could not be read or
// written. `messages` are lines "FILE:ROW: explanation" without line breaks.
struct Exchange {
  int status = 0;
  std::vector<std::string> messages;
};
Exchange importFile(const std::string& csvPath, const std::string& groupPath, bool skipBadRows);
Exchange exportFile(const std::string& groupPath, const std::string& csvPath);

}  // namespace zndl::exchange
