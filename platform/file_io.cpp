// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace zndl::fileio {
namespace {

// The file a name stands for: a symbolic link is followed, so the player's link stays
// a link and its target gets the new content.
std::string resolve(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      std::string out(real);
      std::free(real);
      return out;
    }
  }
  return path;
}

std::string directoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool writeAll(WriteSteps& steps, int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = steps.write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

int WriteSteps::makeTemporary(char* pathTemplate) {
  return ::mkstemp(pathTemplate);
}
ssize_t WriteSteps::write(int fd, const void* data, std::size_t size) {
  return ::write(fd, data, size);
}
int WriteSteps::sync(int fd) {
  return ::fsync(fd);
}
int WriteSteps::rename(const char* from, const char* to) {
  return ::rename(from, to);
}

WriteSteps& systemWriteSteps() {
  static WriteSteps steps;
  return steps;
}

std::optional<std::string> readAll(const std::string& path) {
  // Opening never waits: a FIFO with no writer, a socket or a device named like one
  // of the game's files is refused like a file that is not there.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  std::string data;
  data.reserve(static_cast<std::size_t>(st.st_size));
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    data.append(buffer.data(), static_cast<std::size_t>(n));
  }
  ::close(fd);
  return data;
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool replaceAtomically(const std::string& name, std::string_view bytes, WriteSteps& steps) {
  const std::string path = resolve(name);
  mode_t mode = 0;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return false;
    // Read-only means read-only, also for a player who happens to run as root.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0)
      return false;
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }

  const std::string dir = directoryOf(path);
  const auto slash = path.rfind('/');
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string temp = (dir == "." && slash == std::string::npos ? std::string() : dir + "/") + "." +
                     base + ".XXXXXX";
  std::vector<char> templ(temp.begin(), temp.end());
  templ.push_back('\0');
  const int fd = steps.makeTemporary(templ.data());
  if (fd < 0) return false;
  const std::string tempPath(templ.data());
  auto fail = [&] {
    ::close(fd);
    ::unlink(tempPath.c_str());
    return false;
  };
  if (!writeAll(steps, fd, bytes)) return fail();
  if (::fchmod(fd, mode) != 0) return fail();
  if (steps.sync(fd) != 0) return fail();
  if (::close(fd) != 0) {
    ::unlink(tempPath.c_str());
    return false;
  }
  if (steps.rename(tempPath.c_str(), path.c_str()) != 0) {
    ::unlink(tempPath.c_str());
    return false;
  }
  // Make the rename itself durable; a failure here no longer risks the data.
  const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}

}  // namespace zndl::fileio
