// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <cerrno>
#include <optional>

#include "platform/file_io.h"

namespace zndl::testing {

// The steps of an atomic save at which a write can be made to fail.
enum class WriteStage { Open, Data, Flush, Rename };

// The system's steps of a save, but that the next save can be made to fail at one
// stage, once.
class FailingWrites : public fileio::WriteSteps {
 public:
  FailingWrites() = default;
  explicit FailingWrites(WriteStage stage) { failNextAt(stage); }

  void failNextAt(WriteStage stage) { stage_ = stage; }

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
    if (stage_ != stage) return false;
    stage_.reset();
    return true;
  }

  std::optional<WriteStage> stage_;
};

}  // namespace zndl::testing
