// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adapters/fluid_library.h"

namespace zndl {

struct FluidEngineOptions {
  // Empty: $ZNDL_SOUNDFONT when set, else the first of Debian's General MIDI
  // SoundFonts that is installed (see fluid::findSoundFont).
  std::string soundFont;
  // False: never open a sound device (tests render with render() instead).
  bool withAudio = true;
  // False: nothing is loaded until start(), so a program can put its first window on
  // the screen before FluidSynth takes any of the machine's time.
  bool startNow = true;
  // The FluidSynth library to load.
  std::string library = fluid::kLibrary;
};

// The synthesizer shared by the game's tune players: one FluidSynth instance, the
// General MIDI SoundFont Debian installs, and the sound device when there is one.
//
// Loading happens on a background thread: FluidSynth itself (see fluid_library.h),
// then the synthesizer, the SoundFont (samples on demand, so a large one never sits in
// memory whole) and the sound device, so no window ever waits for any of them. Until
// the SoundFont is in, nothing is rendered and a started tune simply waits. No
// FluidSynth, no SoundFont or no sound device leaves the music silent; the players
// work the same either way.
//
// The music sleeps while no tune plays: once the last tune has ended and its echo died
// away, or while muted, the sound device's stream is paused or closed and nothing
// renders, so a game left on its title screen costs nothing. A tune that starts wakes
// it again (see audio_output.h).
class FluidEngine {
 public:
  static std::shared_ptr<FluidEngine> create(const std::string& soundFont = {},
                                             bool withAudio = true);
  static std::shared_ptr<FluidEngine> create(const FluidEngineOptions& options);
  ~FluidEngine();
  FluidEngine(const FluidEngine&) = delete;
  FluidEngine& operator=(const FluidEngine&) = delete;

  // Starts the background load, if it has not started yet.
  void start();
  bool started() const;

  // Renders `seconds` of whatever is playing into interleaved stereo samples, moving
  // the players on by that much. For tests and measurements without a sound device;
  // starts the engine if need be and waits for the SoundFont first.
  std::vector<float> render(double seconds);
  double sampleRate() const;
  // Silences all music at once, or lets it be heard again. Muted, nothing renders and
  // the sound device sleeps, yet the tunes keep their time: each goes on by the clock
  // (by render()'s time without a sound device) and ends when it would have, and a tune
  // heard again goes on from where it has got to.
  void setMuted(bool muted);
  bool muted() const;
  // True once the background thread has opened a sound device.
  bool hasAudioDevice() const;
  // True while the sound device's stream is open and taking music: from a tune's start
  // until a moment after the last one has ended, and never while muted.
  bool audioAwake() const;
  // The SoundFont chosen (empty when none was found); it may have failed to load. It is
  // chosen as the engine starts loading: ask once waitForSoundFont() has returned.
  std::string soundFontPath() const;
  // True until the background thread has the synthesizer running and the SoundFont
  // load has finished (or failed), or has found there is no FluidSynth.
  bool isLoading() const;
  // Starts the engine if need be and waits until the SoundFont load has finished;
  // false when no SoundFont is loaded.
  bool waitForSoundFont();
  // Starts the engine if need be and waits until the background thread is done
  // (SoundFont and sound device).
  void waitUntilSettled();

 private:
  friend class FluidTunePlayer;
  struct Impl;
  explicit FluidEngine(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace zndl
