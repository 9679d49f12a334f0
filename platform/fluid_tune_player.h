#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/midi_file.h"
#include "platform/ports.h"

namespace zndl {

// The synthesizer shared by the game's tune players: one FluidSynth instance, the
// General MIDI SoundFont Debian installs, and the sound device when there is one.
//
// create() returns at once: the SoundFont is loaded (samples on demand, so a large
// one never sits in memory whole) and the sound device opened on a background thread,
// so the first window never waits for either. Until the SoundFont is in, nothing is
// rendered and a started tune simply waits. No SoundFont or no sound device leaves the
// music silent; the players work the same either way.
class FluidEngine {
 public:
  // `soundFont` empty: $ZNDL_SOUNDFONT when set, else the first of Debian's General
  // MIDI SoundFonts that is installed. `withAudio` false: never open a sound device
  // (tests render with render() instead).
  static std::shared_ptr<FluidEngine> create(const std::string& soundFont = {},
                                             bool withAudio = true);
  ~FluidEngine();
  FluidEngine(const FluidEngine&) = delete;
  FluidEngine& operator=(const FluidEngine&) = delete;

  // Renders `seconds` of whatever is playing into interleaved stereo samples, moving
  // the players on by that much. For tests and measurements without a sound device;
  // waits for the SoundFont first.
  std::vector<float> render(double seconds);
  double sampleRate() const;
  // True once the background thread has opened a sound device.
  bool hasAudioDevice() const;
  // The SoundFont chosen (empty when none was found); it may have failed to load.
  std::string soundFontPath() const;
  // True while the background thread is still starting the synthesizer and loading
  // the SoundFont.
  bool isLoading() const;
  // Waits until the background load has finished; false when no SoundFont is loaded.
  bool waitForSoundFont();
  // Waits until the background thread is done (SoundFont and sound device).
  void waitUntilSettled();

 private:
  friend class FluidTunePlayer;
  struct Impl;
  explicit FluidEngine(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Plays the game's MIDI tunes through a FluidEngine. open() reads the whole tune into
// memory (see tuneData()); play() plays it once through from where it stands, and
// starts over when the tune has already played to its end; stop() halts it and
// silences its notes; rewind() goes back to the start without playing. Used from the
// UI thread only; the engine's audio thread renders meanwhile.
class FluidTunePlayer final : public TunePlayer {
 public:
  explicit FluidTunePlayer(std::shared_ptr<FluidEngine> engine);
  ~FluidTunePlayer() override;
  FluidTunePlayer(const FluidTunePlayer&) = delete;
  FluidTunePlayer& operator=(const FluidTunePlayer&) = delete;

  void open(const std::string& fileName) override;
  void play() override;
  void stop() override;
  void rewind() override;
  void close() override;

  bool isOpen() const;
  // True from play() until the tune has run out and its last notes have died away
  // (FluidSynth lets them ring a moment), or until stop().
  bool isPlaying() const;
  // True once every event of the open tune has been played.
  bool reachedEnd() const;
  // Where the open tune came from: the local file's name, or the built-in copy's
  // resource path (":/assets/music/NAME"). Empty when nothing is open.
  std::string origin() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The bytes of a tune: the file of that name in the working directory, or else, for a
// bare name, the copy built into the program. Nothing when neither exists. `origin`
// receives where the bytes came from. Throws zndl::Error when a file that exists
// cannot be read.
std::optional<std::string> tuneData(const std::string& fileName, std::string* origin = nullptr);

}  // namespace zndl
