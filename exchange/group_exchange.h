// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/import.h"
#include "exchange/opentdb.h"
#include "exchange/spreadsheet.h"

// Files of questions from elsewhere turned into group files and back: the commands of
// zandoodle-check and the editor's File > Import.
namespace zndl::exchange {

// The questions of a file in whichever format it holds them. A name ending in .json
// means the Open Trivia Database's JSON, one ending in .csv or .tsv a spreadsheet; any
// other file (a download saved as .txt, say) is JSON when it looks like JSON and a
// spreadsheet otherwise.
Import importQuestions(std::string_view path, std::string_view bytes);

// Status 0: written; 1: rows were refused (with skipBadRows the other rows are still
// written); 2: a file could not be read or written. `messages` are lines
// "FILE:ROW: explanation" (or "FILE: explanation") without line breaks.
struct Exchange {
  int status = 0;
  std::vector<std::string> messages;
};
Exchange importFile(const std::string& path, const std::string& groupPath, bool skipBadRows);
Exchange exportFile(const std::string& groupPath, const std::string& csvPath);

}  // namespace zndl::exchange
