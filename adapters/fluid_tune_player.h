// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "adapters/fluid_engine.h"
#include "platform/midi_file.h"
#include "platform/ports.h"

namespace zndl {

// Where a player finds the bytes of the tune it is asked to open, and where they came
// from (see qt_tunes.h); nothing when there is no such tune.
using TuneSource =
    std::function<std::optional<std::string>(const std::string& fileName, std::string* origin)>;

// Plays the game's MIDI tunes through a FluidEngine. open() reads the whole tune into
// memory from the player's TuneSource; play() plays it once through from where it stands, and
// starts over when the tune has already played to its end; stop() halts it and
// silences its notes; rewind() goes back to the start without playing. Used from the
// UI thread only; the engine's audio thread renders meanwhile.
class FluidTunePlayer final : public TunePlayer {
 public:
  FluidTunePlayer(std::shared_ptr<FluidEngine> engine, TuneSource source);
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
  // Where the open tune came from, as its TuneSource told. Empty when nothing is open.
  std::string origin() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace zndl
