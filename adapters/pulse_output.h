// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "adapters/audio_output.h"

namespace zndl {

// The music's own stream to a PulseAudio server (PipeWire's pulse server speaks the
// same), through libpulse loaded at run time.
//
// The stream asks for music a block of about 23 ms at a time and keeps about 46 ms
// queued at the server: tunes start on a tick, not under a player's fingers, and a few
// wake-ups a block cost a twentieth of what a live instrument's short periods do.
// Asleep, the stream is corked: the server asks for nothing and libpulse's thread waits
// on its socket. Woken, the stale queue is dropped and the first block is rendered at
// once, so a tune is heard within a block or two of its start.
class PulseOutput final : public AudioOutput {
 public:
  // Connects to `server` (empty: wherever libpulse itself looks) and opens a stereo
  // stream at `sampleRate` that pulls from `source`. Nothing when libpulse is missing or
  // the server cannot be reached; `why` then says why.
  static std::unique_ptr<PulseOutput> open(const std::string& server, Source source,
                                           double sampleRate, std::string* why);
  ~PulseOutput() override;
  PulseOutput(const PulseOutput&) = delete;
  PulseOutput& operator=(const PulseOutput&) = delete;

  void wake() override;
  bool awake() const override;
  std::string description() const override;

 private:
  struct Impl;
  explicit PulseOutput(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace zndl
