// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/midi_file.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string_view>

namespace zndl {
namespace {

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
  bool atEnd() const { return pos_ >= bytes_.size(); }
  size_t left() const { return bytes_.size() - pos_; }
  bool byte(int& out) {
    if (atEnd()) return false;
    out = static_cast<unsigned char>(bytes_[pos_++]);
    return true;
  }
  bool number(int width, uint32_t& out) {
    if (left() < static_cast<size_t>(width)) return false;
    out = 0;
    for (int i = 0; i < width; ++i) out = out << 8 | static_cast<unsigned char>(bytes_[pos_++]);
    return true;
  }
  // A variable-length quantity: at most four bytes, as FluidSynth reads them.
  bool varLength(uint32_t& out) {
    out = 0;
    for (int i = 0; i < 4; ++i) {
      int c = 0;
      if (!byte(c)) return false;
      out = out << 7 | static_cast<uint32_t>(c & 0x7F);
      if ((c & 0x80) == 0) return true;
    }
    return false;
  }
  void unread() { --pos_; }
  bool skip(size_t n) {
    if (left() < n) return false;
    pos_ += n;
    return true;
  }
  std::string_view take(size_t n) {
    auto part = bytes_.substr(pos_, n);
    pos_ += n;
    return part;
  }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};

// Reads one track's events: the channels it uses, its tempo changes and its length.
bool readTrack(std::string_view data, std::set<int>& channels, std::map<uint64_t, uint32_t>& tempos,
               uint64_t& endTick) {
  ByteReader in(data);
  uint64_t tick = 0;
  int running = 0;
  while (!in.atEnd()) {
    uint32_t delta = 0;
    int status = 0;
    if (!in.varLength(delta) || !in.byte(status)) return false;
    tick += delta;
    if (status < 0x80) {
      // Running status: the byte just read is the first data byte.
      if (running == 0) return false;
      in.unread();
      status = running;
    }
    if (status < 0xF0) {
      running = status;
      const int kind = status & 0xF0;
      const int count = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
      for (int i = 0; i < count; ++i) {
        int value = 0;
        if (!in.byte(value) || value >= 0x80) return false;
      }
      channels.insert(status & 0x0F);
    } else if (status == 0xF0 || status == 0xF7) {
      uint32_t length = 0;
      if (!in.varLength(length) || !in.skip(length)) return false;
    } else if (status == 0xFF) {
      int type = 0;
      uint32_t length = 0;
      if (!in.byte(type) || !in.varLength(length) || in.left() < length) return false;
      auto payload = in.take(length);
      if (type == 0x51 && length == 3) {
        const uint32_t tempo = static_cast<unsigned char>(payload[0]) << 16 |
                               static_cast<unsigned char>(payload[1]) << 8 |
                               static_cast<unsigned char>(payload[2]);
        if (tempo > 0) tempos[tick] = tempo;
      }
      if (type == 0x2F) break;  // end of track
    } else {
      return false;  // system common and real-time bytes do not belong in a file
    }
  }
  endTick = std::max(endTick, tick);
  return true;
}

constexpr uint32_t kDefaultTempo = 500000;  // 120 beats a minute until the tune says otherwise

double span(uint64_t ticks, uint32_t tempo, uint32_t division) {
  return static_cast<double>(ticks) * tempo / division / 1e6;
}

}  // namespace

double MidiSummary::secondsAt(uint64_t tick) const {
  double seconds = 0;
  uint64_t at = 0;
  uint32_t tempo = kDefaultTempo;
  for (const auto& [from, next] : tempos) {
    if (from >= tick) break;
    seconds += span(from - at, tempo, division);
    at = from;
    tempo = next;
  }
  return seconds + span(tick - at, tempo, division);
}

uint64_t MidiSummary::tickAt(double seconds) const {
  if (seconds <= 0) return 0;
  double elapsed = 0;
  uint64_t at = 0;
  uint32_t tempo = kDefaultTempo;
  for (const auto& [from, next] : tempos) {
    const double part = span(from - at, tempo, division);
    if (elapsed + part > seconds) break;
    elapsed += part;
    at = from;
    tempo = next;
  }
  const double more = (seconds - elapsed) * 1e6 * division / tempo;
  const uint64_t tick = at + static_cast<uint64_t>(more + 1e-9);
  return std::min(tick, ticks);
}

std::optional<MidiSummary> readMidiSummary(std::string_view bytes) {
  ByteReader in(bytes);
  uint32_t headerLength = 0, format = 0, trackCount = 0, division = 0;
  if (bytes.substr(0, 4) != "MThd" || !in.skip(4) || !in.number(4, headerLength) ||
      headerLength != 6 || !in.number(2, format) || !in.number(2, trackCount) ||
      !in.number(2, division)) {
    return std::nullopt;
  }
  // FluidSynth plays formats 0 to 2 with metrical timing, and up to 128 tracks.
  if (format > 2 || trackCount == 0 || trackCount > 128 || division == 0 ||
      (division & 0x8000) != 0) {
    return std::nullopt;
  }
  std::set<int> channels;
  std::map<uint64_t, uint32_t> tempos;
  uint64_t endTick = 0;
  for (uint32_t track = 0; track < trackCount;) {
    uint32_t length = 0;
    if (in.left() < 8) return std::nullopt;
    const auto id = in.take(4);
    if (!in.number(4, length) || in.left() < length) return std::nullopt;
    const auto chunk = in.take(length);
    if (id != "MTrk") continue;  // unknown chunks are skipped, as the format allows
    if (!readTrack(chunk, channels, tempos, endTick)) return std::nullopt;
    ++track;
  }

  MidiSummary summary;
  summary.channels.assign(channels.begin(), channels.end());
  summary.ticks = endTick;
  summary.division = division;
  for (const auto& change : tempos)
    if (change.first < endTick) summary.tempos.push_back(change);
  summary.seconds = summary.secondsAt(endTick);
  return summary;
}

}  // namespace zndl
