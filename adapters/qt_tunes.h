// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace zndl {

// The bytes of a tune: the file of that name in the working directory, or else, for a
// bare name, the copy built into the program (the Qt resource ":/assets/music/NAME").
// Nothing when neither exists. `origin` receives where the bytes came from: the
// file's name or the resource's path. Throws zndl::Error when a file that exists
// cannot be read.
std::optional<std::string> tuneData(const std::string& fileName, std::string* origin = nullptr);

}  // namespace zndl
