// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine's insides, shared with the tune player (fluid_tune_player.cpp) only.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "adapters/audio_output.h"
#include "adapters/fluid_engine.h"

namespace zndl {

// A player, as the engine sees it. Every call comes under the render lock.
struct SynthClient {
  virtual ~SynthClient() = default;
  // The synthesizer exists and the SoundFont is in.
  virtual void synthReady() = 0;
  // The engine was muted or heard again at `now` (FluidEngine::Impl::now()). True when
  // a tune that was held by the mute plays on.
  virtual bool mutedChanged(bool muted, double now) = 0;
  // True while the player's tune has notes left to play: the music cannot sleep.
  virtual bool sounding() const = 0;
};

// With $ZNDL_MUSIC_TRACE set, says on stderr when a tune starts and when the last one
// has ended, with the time of the monotonic clock, for the budget measurements.
void traceMusic(const char* what);

struct FluidEngine::Impl {
  FluidEngineOptions options;
  // Chosen by the loader thread as it begins; under loadMutex.
  std::string fontPath;

  // All set by the loader thread before `ready`, and fixed from then on. `synth` is
  // only ever set together with `api`.
  std::shared_ptr<const fluid::Api> api;
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  // Set by the loader thread once the sound device is open; `liveOutput` lets the
  // players' thread reach it meanwhile.
  std::unique_ptr<AudioOutput> output;
  std::atomic<AudioOutput*> liveOutput{nullptr};

  // Held while rendering (the output's thread or render()) and by every player
  // operation: FluidSynth's players must not be created, stopped or deleted mid-render,
  // and the player list, `ready` and `muted` change only under it.
  std::mutex renderMutex;
  std::vector<SynthClient*> clients;
  // The synthesizer exists and the SoundFont load has finished (or failed), or there
  // is no FluidSynth. Before that nothing is rendered and the players only note what
  // they are asked to do.
  std::atomic<bool> ready{false};
  std::atomic<bool> audio{false};
  // Muted: nothing renders, and the tunes keep their time by the clock (see now()).
  std::atomic<bool> muted{false};
  // Under the render lock: the seconds render() has rendered, the blocks rendered so
  // far, and what the sound device's last blocks sounded like.
  double renderedSeconds = 0;
  uint64_t blocks = 0;
  int quietFrames = 0;
  bool tunePlayed = false;
  // The sound device was told nothing is left to hear. A tune that has played its last
  // note is over then, though FluidSynth, which only counts time as it renders, would
  // let it ring on for its last voices and two seconds more.
  bool asleep = false;

  mutable std::mutex loadMutex;
  std::condition_variable loadDone;
  bool begun = false;     // start() has run
  bool fontDone = false;  // the SoundFont load has finished (or failed)
  bool fontLoaded = false;
  bool finished = false;  // the loader thread has done all it will do
  std::thread loader;

  ~Impl();
  void load();
  bool startSynth();
  void openAudio();
  // The clock the tunes keep while muted: with a sound device the steady clock, in
  // seconds; without one the time render() has rendered. Under the render lock.
  double now() const;
  // Wakes the sound device for a tune that starts. Not under the render lock.
  void wakeOutput();
  void renderInto(int frames, float* left, float* right);
  // The sound device's source: renders a block under the render lock; false once
  // nothing plays and the last notes and their echo have died away.
  bool pull(float* left, float* right, int frames);
};

}  // namespace zndl
