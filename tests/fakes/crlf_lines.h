// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace zndl::testing {

// The bytes of a file of these lines, each ended with CR LF as the game writes them.
inline std::string crlfLines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (const auto line : lines) out += std::string(line) + "\r\n";
  return out;
}

}  // namespace zndl::testing
