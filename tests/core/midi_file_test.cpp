// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/midi_bytes.h"
#include "platform/midi_file.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

// Format 1: a tempo track (60 bpm after the first quarter) and a track on channel 9
// that uses running status, with an unknown chunk in between. Two quarters long.
std::string twoTempoFile() {
  const std::string tempoTrack = std::string("\x00\xFF\x51\x03\x07\xA1\x20", 7) +
                                 varLength(kQuarter) + "\xFF\x51\x03\x0F\x42\x40" +
                                 std::string("\x00\xFF\x2F\x00", 4);
  const std::string drums = std::string("\x00\x99\x24\x64", 4) + varLength(2 * kQuarter) +
                            std::string("\x24\x00", 2) + std::string("\x00\xFF\x2F\x00", 4);
  return "MThd" + bigEndian(6, 4) + bigEndian(1, 2) + bigEndian(2, 2) + bigEndian(kQuarter, 2) +
         "MTrk" + bigEndian(static_cast<uint32_t>(tempoTrack.size()), 4) + tempoTrack + "XFIH" +
         bigEndian(3, 4) + "abc" + "MTrk" + bigEndian(static_cast<uint32_t>(drums.size()), 4) +
         drums;
}

}  // namespace

TEST(MidiFile, ReadsTheChannelsAndTheLengthOfAFile) {
  const std::string file = twoTempoFile();
  auto summary = readMidiSummary(file);
  ASSERT_TRUE(summary.has_value());
  EXPECT_EQ(summary->channels, std::vector<int>{9});
  EXPECT_NEAR(summary->seconds, 0.5 + 1.0, 1e-9);  // a quarter at 120, then one at 60
}

// A muted tune is moved on by the clock: seconds become ticks and back through every
// tempo change, and nothing runs past the end.
TEST(MidiFile, TurnsTicksIntoSecondsAndBackAcrossTempoChanges) {
  auto summary = readMidiSummary(twoTempoFile());
  ASSERT_TRUE(summary.has_value());
  EXPECT_EQ(summary->ticks, 2u * kQuarter);
  EXPECT_EQ(summary->division, static_cast<uint32_t>(kQuarter));
  // 120 bpm from the start, 60 from the first quarter.
  EXPECT_DOUBLE_EQ(summary->secondsAt(0), 0.0);
  EXPECT_DOUBLE_EQ(summary->secondsAt(kQuarter / 2), 0.25);
  EXPECT_DOUBLE_EQ(summary->secondsAt(kQuarter), 0.5);
  EXPECT_DOUBLE_EQ(summary->secondsAt(kQuarter + kQuarter / 2), 1.0);
  EXPECT_DOUBLE_EQ(summary->secondsAt(summary->ticks), summary->seconds);

  EXPECT_EQ(summary->tickAt(-1.0), 0u);
  EXPECT_EQ(summary->tickAt(0.25), static_cast<uint64_t>(kQuarter / 2));
  EXPECT_EQ(summary->tickAt(0.5), static_cast<uint64_t>(kQuarter));
  EXPECT_EQ(summary->tickAt(1.0), static_cast<uint64_t>(kQuarter + kQuarter / 2));
  EXPECT_EQ(summary->tickAt(1.4999), static_cast<uint64_t>(2 * kQuarter - 1)) << "rounded down";
  EXPECT_EQ(summary->tickAt(60.0), summary->ticks) << "past the end is the end";
  for (uint64_t tick = 0; tick <= summary->ticks; tick += 37)
    EXPECT_EQ(summary->tickAt(summary->secondsAt(tick) + 1e-9), tick) << tick;
}

TEST(MidiFile, ATuneWithoutTempoRunsAtOneHundredAndTwentyBeats) {
  const std::string track = std::string("\x00\x90\x3C\x64", 4) + varLength(4 * kQuarter) +
                            std::string("\x3C\x00\x00\xFF\x2F\x00", 6);
  const std::string file = "MThd" + bigEndian(6, 4) + bigEndian(0, 2) + bigEndian(1, 2) +
                           bigEndian(kQuarter, 2) + "MTrk" +
                           bigEndian(static_cast<uint32_t>(track.size()), 4) + track;
  auto summary = readMidiSummary(file);
  ASSERT_TRUE(summary.has_value());
  EXPECT_TRUE(summary->tempos.empty());
  EXPECT_DOUBLE_EQ(summary->seconds, 2.0);
  EXPECT_EQ(summary->tickAt(1.0), 2u * kQuarter);
}
