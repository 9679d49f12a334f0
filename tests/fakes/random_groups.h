// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/random.h"

namespace zndl::testing {

// A question group for the soaks: well formed, or broken in one of the ways authors
// break them (a missing block, markers in other case or missing, a stray marker,
// no end marker, a stray byte).
inline std::string randomGroup(ClockRandom& r) {
  const bool sectioned = r.below(2) == 0;
  const int questions = r.below(8);
  std::string out = sectioned ? (r.below(8) ? "(ZNDL v4)" : "(zndl v4) ") : "A classic group";
  out += "\r\n";
  for (int q = 1; q <= questions; ++q) {
    const std::string n = std::to_string(q);
    if (r.below(15) == 0) continue;  // a block missing altogether
    out += "[" + n + "]\r\nQuestion " + n + "?\r\n";
    if (sectioned) {
      if (r.below(10)) out += "[" + n + "-YES]\r\n";
      for (int a = r.below(4); a > 0; --a) out += "Right " + n + "." + std::to_string(a) + "\r\n";
      if (r.below(10)) out += "[" + n + "-no]\r\n";
    } else {
      out += "Right " + n + "\r\n";
    }
    for (int w = r.below(5); w > 0; --w) out += "Wrong " + n + "." + std::to_string(w) + "\r\n";
    if (r.below(20) == 0) out += "[" + std::to_string(r.below(questions + 2)) + "]\r\n";
  }
  if (r.below(6)) out += "[" + std::to_string(questions + 1) + "]\r\n";
  if (r.below(6) == 0) out += std::string(1, static_cast<char>(r.below(256))) + "\r";
  return out;
}

}  // namespace zndl::testing
