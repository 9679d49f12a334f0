// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/csv.h"
#include "exchange/group_document.h"
#include "exchange/import.h"

// Question groups to and from spreadsheets. A row is a question: without a header
// row, column 1 holds the question, column 2 the right answer and every further
// non-empty column a wrong answer. A header row names each column's role with the
// words Question, Right and Wrong (any letter case); Right and Wrong may repeat, and
// several Right columns hold alternatives.
namespace zndl::exchange {

struct CsvImport : Import {
  csv::Encoding encoding = csv::Encoding::Utf8;
  char separator = ',';
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

}  // namespace zndl::exchange
