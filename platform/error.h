// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace zndl {

// The one kind of failure the game reports: a step that cannot go on throws it, the
// handler it runs in ends there, and the dispatch guard shows the message in the
// error box. Anything else escaping a handler is a bug.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline Error cannotOpen(const std::string& name) { return Error("Cannot open file " + name); }
inline Error cannotCreate(const std::string& name) { return Error("Cannot create file " + name); }

}  // namespace zndl
