// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <cerrno>

#include "platform/file_io_testing.h"

namespace zndl::testing {

// The steps of an atomic save at which a write can be made to fail.
enum class WriteStage { Open, Data, Flush, Rename };

// Makes the next save fail at one stage, once; every other step is the real one. While
// it lives, the game's own saves go through it too.
class FailNextWriteAt : public fileio::WriteSteps {
 public:
  explicit FailNextWriteAt(WriteStage stage) : stage_(stage), use_(*this) {}

  int makeTemporary(char* pathTemplate) override {
    if (failsNow(WriteStage::Open)) return -1;
    return WriteSteps::makeTemporary(pathTemplate);
  }
  ssize_t write(int fd, const void* data, std::size_t size) override {
    if (failsNow(WriteStage::Data)) {
      // Part of the data goes out, then the disk "fills up".
      (void)!WriteSteps::write(fd, data, size / 2);
      errno = ENOSPC;
      return -1;
    }
    return WriteSteps::write(fd, data, size);
  }
  int sync(int fd) override {
    if (failsNow(WriteStage::Flush)) {
      errno = EIO;
      return -1;
    }
    return WriteSteps::sync(fd);
  }
  int rename(const char* from, const char* to) override {
    if (failsNow(WriteStage::Rename)) {
      errno = EXDEV;
      return -1;
    }
    return WriteSteps::rename(from, to);
  }

 private:
  bool failsNow(WriteStage stage) {
    if (spent_ || stage != stage_) return false;
    spent_ = true;
    return true;
  }

  WriteStage stage_;
  bool spent_ = false;
  fileio::UseWriteSteps use_;
};

}  // namespace zndl::testing
