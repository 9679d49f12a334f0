// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace zndl {

// What open() needs to know of a Standard MIDI File: the MIDI channels it uses. Nothing
// when the bytes are not a Standard MIDI File FluidSynth can play (no "MThd" header,
// SMPTE timing, a track cut short, an event it cannot parse).
struct MidiSummary {
  std::vector<int> channels;  // sorted, each 0..15
  double seconds = 0;         // length, following the tempo changes
};
std::optional<MidiSummary> readMidiSummary(std::string_view bytes);

}  // namespace zndl
