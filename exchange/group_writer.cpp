// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/group_writer.h"

#include "platform/cp1252.h"
#include "platform/file_io.h"

namespace zndl::exchange {
namespace {

// The Windows-1252 bytes of a text, with '?' for what the code page lacks and a space
// for a line break.
std::string lineBytes(std::string_view utf8) {
  if (auto bytes = cp1252::fromUtf8(utf8);
      bytes && bytes->find_first_of("\r\n") == std::string::npos)
    return *bytes;
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t at = i;
    if (!cp1252::decodeUtf8(utf8, i)) {
      out += '?';  // a byte that is not UTF-8
      ++i;
      continue;
    }
    const std::string_view ch = utf8.substr(at, i - at);
    if (ch == "\r" || ch == "\n")
      out += ' ';
    else if (auto b = cp1252::fromUtf8(ch))
      out += *b;
    else
      out += '?';
  }
  return out;
}

}  // namespace

WrittenGroup writeGroup(const Group& group) {
  WrittenGroup out;
  const auto line = [&](std::string_view text, Place place) {
    out.bytes += text;
    out.bytes += "\r\n";
    out.lines.push_back(place);
  };
  const Place nowhere{-1, Column::Question, -1};
  line(lineBytes(kVersionLine), nowhere);
  for (std::size_t i = 0; i < group.notes.size(); ++i)
    line(lineBytes(group.notes[i]), {-1, Column::Question, static_cast<int>(i)});
  int n = 0;
  for (const Question& q : group.questions) {
    const int row = n++;
    line(questionMarker(n), {row, Column::Question, -1});
    line(lineBytes(q.text), {row, Column::Question, 0});
    line(correctMarker(n), {row, Column::Right, -1});
    for (std::size_t k = 0; k < q.right.size(); ++k)
      line(lineBytes(q.right[k]), {row, Column::Right, static_cast<int>(k)});
    line(wrongMarker(n), {row, Column::Wrong, -1});
    for (std::size_t k = 0; k < q.wrong.size(); ++k)
      line(lineBytes(q.wrong[k]), {row, Column::Wrong, static_cast<int>(k)});
  }
  line(questionMarker(n + 1), nowhere);
  return out;
}

bool saveGroup(const std::string& path, const Group& group, std::string& error) {
  error.clear();
  for (const auto& u : unwritableTexts(group)) error += u.message + "\n";
  if (!error.empty()) return false;
  if (!fileio::replaceAtomically(path, writeGroup(group).bytes)) {
    error = "cannot write " + path + "\n";
    return false;
  }
  return true;
}

}  // namespace zndl::exchange
