// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Whole-file reading and crash-safe replacing of the player's files.
namespace zndl::fileio {

// The bytes of a regular file, or nothing when it cannot be opened or read. Anything
// but a regular file (a FIFO, a socket, a device) is refused without waiting on it.
std::optional<std::string> readAll(const std::string& path);

// Replaces (or creates) the file so that a failure at any point leaves the old file
// whole: the bytes go to a temporary file beside it, are flushed to disk, and the
// temporary file is renamed over the old one. A file the player made read-only is
// refused, as an in-place write would be. Returns false on any failure.
bool replaceAtomically(const std::string& path, std::string_view bytes);

bool exists(const std::string& path);

}  // namespace zndl::fileio
