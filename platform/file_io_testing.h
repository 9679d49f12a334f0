// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

// The system calls of an atomic save, as a seam: a test puts in steps that fail where
// it wants and proves that no failure loses the player's file. The game itself never
// includes this header.
namespace zndl::fileio {

// Each step does what its system call does (mkstemp, write, fsync, rename), with the
// same results and errno.
class WriteSteps {
 public:
  virtual ~WriteSteps() = default;
  virtual int makeTemporary(char* pathTemplate);
  virtual ssize_t write(int fd, const void* data, std::size_t size);
  virtual int sync(int fd);
  virtual int rename(const char* from, const char* to);
};

// replaceAtomically() with the given steps.
bool replaceAtomically(const std::string& path, std::string_view bytes, WriteSteps& steps);

// Every save made while it lives, the game's own included, goes through `steps`.
class UseWriteSteps {
 public:
  explicit UseWriteSteps(WriteSteps& steps);
  ~UseWriteSteps();
  UseWriteSteps(const UseWriteSteps&) = delete;
  UseWriteSteps& operator=(const UseWriteSteps&) = delete;

 private:
  WriteSteps* previous_;
};

}  // namespace zndl::fileio
