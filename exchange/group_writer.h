// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "exchange/group_document.h"

// Writes a group in the sectioned layout: the version line, the notes, then for
// every question [n], its text, [n-YES], its right answers, [n-NO], its wrong answers,
// and the end marker after the last one. Windows-1252 with CR LF line ends; questions
// are numbered in row order.
namespace zndl::exchange {

struct WrittenGroup {
  std::string bytes;
  // What each line of the file holds, by 0-based line: a text's place, or for a
  // marker line the cell the marker opens ([n] the question, [n-YES] the right
  // answers, [n-NO] the wrong answers, with item -1). The version line, the notes and
  // the end marker have row -1.
  std::vector<Place> lines;
};

// The file's bytes. A text the file cannot hold (see unwritableTexts) is written with
// '?' for each character Windows-1252 lacks and a space for each line break, so the
// result is always a well-formed file; saving refuses such a group instead.
WrittenGroup writeGroup(const Group& group);

// Saves the group atomically. Refuses, writing nothing, when a text cannot be
// written as it stands; `error` then names every such text (one per line), or says
// that the file could not be written.
bool saveGroup(const std::string& path, const Group& group, std::string& error);

}  // namespace zndl::exchange
