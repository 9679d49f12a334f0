// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The group checker: finds the mistakes in a question group file that would make the
// game ask something other than what its author meant. It reads the file with the
// game's own store code, so what it reports is what the game will show.
namespace zndl::check {

// Measures text the way the quiz screen draws it. The command-line program measures
// with the game's own font; tests put in a simple stand-in.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // Width in pixels of the text written on one line.
  virtual int width(std::string_view utf8) const = 0;
  // Height in pixels of one line of text.
  virtual int lineHeight() const = 0;
  // How many lines the text takes when word-wrapped into `width` pixels.
  virtual int wrappedLineCount(std::string_view utf8, int width) const = 0;
};

struct Problem {
  int line = 0;  // 1-based line of the file
  std::string message;
  bool operator==(const Problem&) const = default;
};

// How a message names another line of the file, given its 1-based number. The
// command-line program says "line 57"; the editor names the cell that holds it.
using LineNamer = std::function<std::string(int line)>;
std::string numberedLine(int line);  // "line 57"

// All problems of the group file `bytes`, in line order. Never throws, whatever the
// bytes are. Other lines are named by `nameLine`, or by their number without it.
std::vector<Problem> checkGroup(std::string_view bytes, const TextMeasurer& measurer,
                                const LineNamer& nameLine = {});

}  // namespace zndl::check
