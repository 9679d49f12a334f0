// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "fakes/failing_writes.h"
#include "fakes/fakes.h"
#include "platform/file_io.h"

using namespace zndl;
using namespace zndl::testing;

TEST(AtomicSave, ReplacesTheFileAndKeepsItsPermissions) {
  TempDir dir;
  writeFile("names.etc", "old\r\n");
  ::chmod("names.etc", 0640);
  ASSERT_TRUE(fileio::replaceAtomically("names.etc", "new\r\n"));
  EXPECT_EQ(readFile("names.etc"), "new\r\n");
  struct stat st {};
  ::stat("names.etc", &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_TRUE(fileio::replaceAtomically("fresh", ""));
  EXPECT_TRUE(fileio::exists("fresh"));
}

TEST(AtomicSave, AFailureAtAnyStageLeavesTheOldFileWholeAndNoLitter) {
  for (const WriteStage stage :
       {WriteStage::Open, WriteStage::Data, WriteStage::Flush, WriteStage::Rename}) {
    TempDir dir;
    writeFile("jobs", "Doctor\r\nVet\r\n");
    FailingWrites failing(stage);
    EXPECT_FALSE(fileio::replaceAtomically("jobs", std::string(10000, 'x'), failing));
    EXPECT_EQ(readFile("jobs"), "Doctor\r\nVet\r\n");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      (void)entry;
      ++files;
    }
    EXPECT_EQ(files, 1) << "no temporary file left behind";
    EXPECT_TRUE(fileio::replaceAtomically("jobs", "next", failing)) << "only one write fails";
  }
}

TEST(AtomicSave, ARefusedFileIsNotReplaced) {
  TempDir dir;
  writeFile("jobs", "mine\r\n");
  ::chmod("jobs", 0444);
  EXPECT_FALSE(fileio::replaceAtomically("jobs", "theirs"));
  EXPECT_EQ(readFile("jobs"), "mine\r\n");
  std::filesystem::create_directory("prizes");
  EXPECT_FALSE(fileio::replaceAtomically("prizes", "x")) << "a folder is not a file";
}

TEST(AtomicSave, ALinkStaysALinkAndItsTargetGetsTheContent) {
  TempDir dir;
  writeFile("real", "old");
  std::filesystem::create_symlink("real", "names.etc");
  ASSERT_TRUE(fileio::replaceAtomically("names.etc", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink("names.etc"));
  EXPECT_EQ(readFile("real"), "new");
}

TEST(FileRead, FoldersAndMissingFilesCannotBeRead) {
  TempDir dir;
  std::filesystem::create_directory("banter");
  EXPECT_FALSE(fileio::readAll("banter").has_value());
  EXPECT_FALSE(fileio::readAll("missing").has_value());
  writeFile("empty", "");
  EXPECT_EQ(fileio::readAll("empty"), std::string());
}

TEST(AtomicSave, AProcessKilledMidSaveNeverLeavesATruncatedFile) {
  TempDir dir;
  const std::string small = "Ann\r\nBob\r\n";
  const std::string large(1 << 20, 'x');  // a megabyte, so kills land mid-write
  writeFile("names.etc", small);
  for (int round = 0; round < 20; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        fileio::replaceAtomically("names.etc", large);
        fileio::replaceAtomically("names.etc", small);
      }
    }
    ::usleep(static_cast<useconds_t>(2000 + round * 700));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string now = readFile("names.etc");
    ASSERT_TRUE(now == small || now == large)
        << "round " << round << ": " << now.size() << " bytes";
  }
}

// A FIFO with no writer would block the game at open; it, a socket and a device are
// refused at once like a missing file.
TEST(FileRead, OnlyRegularFilesAreReadAndNothingWaits) {
  TempDir dir;
  ASSERT_EQ(::mkfifo("banter", 0644), 0);
  EXPECT_FALSE(fileio::readAll("banter").has_value());
  EXPECT_FALSE(fileio::readAll("/dev/null").has_value());
  EXPECT_FALSE(fileio::readAll("/dev/zero").has_value());
  writeFile("prizes", "Prizes\r\nA goat\r\n");
  EXPECT_EQ(fileio::readAll("prizes"), "Prizes\r\nA goat\r\n");
}
