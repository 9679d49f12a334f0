#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace zndl {

class FluidEngine;

// Plays the game's MIDI tunes through FluidSynth. A bare name is looked up in the
// working directory first and then among the tunes built into the program. Without
// a sound device the player stays silent but works the same.
class FluidTunePlayer final : public TunePlayer {
 public:
  explicit FluidTunePlayer(std::shared_ptr<FluidEngine> engine);
  ~FluidTunePlayer() override;

  void open(const std::string& fileName) override;
  void play() override;
  void stop() override;
  void rewind() override;
  void close() override;

  bool isOpen() const;
  bool isPlaying() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The synthesizer shared by the game's players: one FluidSynth instance with the
// General MIDI SoundFont Debian installs, and the sound device when there is one.
class FluidEngine {
 public:
  // `soundFont` empty: find the SoundFont Debian installs. `withAudio` false: never
  // open a sound device (tests render instead).
  static std::shared_ptr<FluidEngine> create(const std::string& soundFont = {},
                                             bool withAudio = true);
  virtual ~FluidEngine() = default;

  // Renders `seconds` of whatever is playing into interleaved stereo samples, for
  // tests and measurements. Only meaningful without a sound device.
  virtual std::vector<float> render(double seconds) = 0;
  virtual bool hasAudioDevice() const = 0;
  virtual std::string soundFontPath() const = 0;
  // Waits until the SoundFont (loaded in the background) is ready; false if none.
  virtual bool waitForSoundFont() = 0;
  virtual void* synth() = 0;  // the fluid_synth_t
};

// Where a tune comes from: a file in the working directory, or the copy built into
// the program. Empty when neither exists.
std::string tuneData(const std::string& fileName, std::string* origin = nullptr);

}  // namespace zndl
