// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace zndl {

// What open() needs to know of a Standard MIDI File: the MIDI channels it uses. Nothing
// when the bytes are not a Standard MIDI File FluidSynth can play (no "MThd" header,
// SMPTE timing, a track cut short, an event it cannot parse).
//
// It also says how the tune's ticks run in time, so a tune can be moved on by the clock
// while nothing renders it (a muted tune keeps its time): FluidSynth's player counts
// in ticks, the clock in seconds.
struct MidiSummary {
  std::vector<int> channels;  // sorted, each 0..15
  double seconds = 0;         // length, following the tempo changes
  uint64_t ticks = 0;         // the tick of the last event, where the player ends
  uint32_t division = 480;    // ticks a quarter note
  // Each tempo change that comes before the end: its tick and the microseconds a quarter
  // lasts from there, in order. Before the first, 120 beats a minute.
  std::vector<std::pair<uint64_t, uint32_t>> tempos;

  // The time from the start at which `tick` is played.
  double secondsAt(uint64_t tick) const;
  // The tick played `seconds` after the start, rounded down; past the end, `ticks`.
  uint64_t tickAt(double seconds) const;
};
std::optional<MidiSummary> readMidiSummary(std::string_view bytes);

}  // namespace zndl
