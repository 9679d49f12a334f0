// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"

namespace zndl {

// An ordered list of one-line entries, indexed from 0, kept as UTF-8 and stored in
// files as Windows-1252 text. Reading accepts CR LF, a lone CR and a lone LF; writing
// uses CR LF and ends the way the file it came from ended, so an unchanged list is
// written back byte for byte. Reading an index outside the list gives the empty text.
class TextList {
 public:
  TextList() = default;
  // A built-in list: its text ends with a line break.
  TextList(std::initializer_list<std::string_view> entries);

  static TextList fromBytes(std::string_view bytes);
  std::string toBytes() const;

  // Replaces the whole content with the file's; throws "Cannot open file <name>".
  void loadFromFile(const std::string& name);
  // Creates or atomically replaces the file; throws "Cannot create file <name>".
  void saveToFile(const std::string& name,
                  fileio::WriteSteps& steps = fileio::systemWriteSteps()) const;
  // Whether the content came from a file (at start, from the settings, at a game end).
  bool loadedFromFile() const { return loadedFromFile_; }

  int count() const { return static_cast<int>(entries_.size()); }
  std::string at(int index) const;
  // Sets an entry, first growing the list with empty entries when it is too short.
  void set(int index, std::string text);
  void append(std::string text);
  void clear();
  // The first entry equal to `text`, letter case ignored, whole lines; -1 if none.
  int find(std::string_view text) const;
  void swap(int i, int j);

  const std::vector<std::string>& entries() const { return entries_; }
  bool operator==(const TextList& other) const = default;

 private:
  std::vector<std::string> entries_;
  bool finalBreak_ = true;
  bool loadedFromFile_ = false;
};

}  // namespace zndl
