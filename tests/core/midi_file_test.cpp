// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/midi_bytes.h"
#include "platform/midi_file.h"

using namespace zndl;
using namespace zndl::testing;

TEST(MidiFile, ReadsTheChannelsAndTheLengthOfAFile) {
  // Format 1: a tempo track (60 bpm after the first quarter) and a track on channel 9
  // that uses running status, with an unknown chunk in between.
  const std::string tempoTrack = std::string("\x00\xFF\x51\x03\x07\xA1\x20", 7) +
                                 varLength(kQuarter) + "\xFF\x51\x03\x0F\x42\x40" +
                                 std::string("\x00\xFF\x2F\x00", 4);
  const std::string drums = std::string("\x00\x99\x24\x64", 4) + varLength(2 * kQuarter) +
                            std::string("\x24\x00", 2) + std::string("\x00\xFF\x2F\x00", 4);
  const std::string file =
      "MThd" + bigEndian(6, 4) + bigEndian(1, 2) + bigEndian(2, 2) + bigEndian(kQuarter, 2) +
      "MTrk" + bigEndian(static_cast<uint32_t>(tempoTrack.size()), 4) + tempoTrack + "XFIH" +
      bigEndian(3, 4) + "abc" + "MTrk" + bigEndian(static_cast<uint32_t>(drums.size()), 4) + drums;
  auto summary = readMidiSummary(file);
  ASSERT_TRUE(summary.has_value());
  EXPECT_EQ(summary->channels, std::vector<int>{9});
  EXPECT_NEAR(summary->seconds, 0.5 + 1.0, 1e-9);  // a quarter at 120, then one at 60
}
