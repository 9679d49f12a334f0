// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reading and crash-safe replacing of the player's files.
namespace zndl::fileio {

// The system calls of an atomic save. Each step does what its system call does
// (mkstemp, write, fsync, rename), with the same results and errno; a test hands in
// steps that fail where it wants and proves that no failure loses the player's file.
class WriteSteps {
 public:
  virtual ~WriteSteps() = default;
  virtual int makeTemporary(char* pathTemplate);
  virtual ssize_t write(int fd, const void* data, std::size_t size);
  virtual int sync(int fd);
  virtual int rename(const char* from, const char* to);
};

// The system's own steps.
WriteSteps& systemWriteSteps();

// The bytes of a regular file, or nothing when it cannot be opened or read. Anything
// but a regular file (a FIFO, a socket, a device) is refused without waiting on it.
std::optional<std::string> readAll(const std::string& path);

// Replaces (or creates) the file so that a failure at any point leaves the old file
// whole: the bytes go to a temporary file beside it, are flushed to disk, and the
// temporary file is renamed over the old one. A file the player made read-only is
// refused, as an in-place write would be. Returns false on any failure.
bool replaceAtomically(const std::string& path, std::string_view bytes,
                       WriteSteps& steps = systemWriteSteps());

bool exists(const std::string& path);

}  // namespace zndl::fileio
