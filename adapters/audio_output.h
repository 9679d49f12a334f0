// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace zndl {

// Where the synthesizer's sound goes: a stream that pulls blocks of music while awake
// and asleep takes nothing, so no thread of it wakes while no tune plays.
//
// The engine's source fills each block and says whether anything is left to hear. When
// it says no, the output goes to sleep, unless wake() was called since the block was
// asked for: a tune started just then is never slept through.
class AudioOutput {
 public:
  // Fills `frames` frames of both channels, which arrive zeroed; false once nothing is
  // left to hear.
  using Source = std::function<bool(float* left, float* right, int frames)>;

  virtual ~AudioOutput() = default;
  // Starts pulling again if asleep. From any thread but the output's own, and never
  // under the engine's render lock (the output's thread takes it inside the source).
  virtual void wake() = 0;
  // True while the stream is open and pulling.
  virtual bool awake() const = 0;
  // What plays, for the line on stderr: "PulseAudio (unix:/run/user/1000/pulse/native)".
  virtual std::string description() const = 0;
};

}  // namespace zndl
