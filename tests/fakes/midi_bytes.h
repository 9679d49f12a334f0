// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// Small Standard MIDI Files written byte by byte, for the tests of the MIDI reader and
// of the tune players.
namespace zndl::testing {

inline constexpr int kQuarter = 480;  // ticks; at the default 120 beats a minute, half a second

struct Note {
  int key;
  int start;   // ticks
  int length;  // ticks
  int velocity = 100;
};

inline std::string varLength(uint32_t value) {
  std::string out(1, static_cast<char>(value & 0x7F));
  while ((value >>= 7) != 0) out.insert(out.begin(), static_cast<char>(0x80 | (value & 0x7F)));
  return out;
}

inline std::string bigEndian(uint32_t value, int width) {
  std::string out;
  for (int i = width - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// A format-0 file: tempo, a piano on `channel`, the notes, the end of the track at `end`.
inline std::string midiFile(const std::vector<Note>& notes, int end, int channel = 0) {
  struct Event {
    int tick;
    int order;  // note-offs before note-ons on the same tick
    std::string bytes;
  };
  std::vector<Event> events;
  events.push_back({0, 0, std::string("\xFF\x51\x03\x07\xA1\x20", 6)});  // 120 bpm
  events.push_back({0, 0, {static_cast<char>(0xC0 | channel), 0}});      // acoustic grand
  for (const Note& n : notes) {
    events.push_back({n.start,
                      2,
                      {static_cast<char>(0x90 | channel), static_cast<char>(n.key),
                       static_cast<char>(n.velocity)}});
    events.push_back(
        {n.start + n.length,
         1,
         {static_cast<char>(0x80 | channel), static_cast<char>(n.key), static_cast<char>(64)}});
  }
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  events.push_back({end, 3, std::string("\xFF\x2F\x00", 3)});
  std::string track;
  int at = 0;
  for (const Event& e : events) {
    track += varLength(static_cast<uint32_t>(e.tick - at)) + e.bytes;
    at = e.tick;
  }
  return "MThd" + bigEndian(6, 4) + bigEndian(0, 2) + bigEndian(1, 2) + bigEndian(kQuarter, 2) +
         "MTrk" + bigEndian(static_cast<uint32_t>(track.size()), 4) + track;
}

}  // namespace zndl::testing
