// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine's insides, shared with the tune player (fluid_tune_player.cpp) only.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "adapters/fluid_engine.h"

namespace zndl {

// A player that waits for the synthesizer: told, under the render lock, once it exists
// and the SoundFont is in.
struct SynthClient {
  virtual ~SynthClient() = default;
  virtual void synthReady() = 0;
};

struct FluidEngine::Impl {
  FluidEngineOptions options;
  // Chosen by the loader thread as it begins; under loadMutex.
  std::string fontPath;

  // All set by the loader thread before `ready`, and fixed from then on. `synth` is
  // only ever set together with `api`.
  std::shared_ptr<const fluid::Api> api;
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_audio_driver_t* driver = nullptr;

  // Held while rendering (audio thread or render()) and by every player operation:
  // FluidSynth's players must not be created, stopped or deleted mid-render, and the
  // player list and `ready` change only under it.
  std::mutex renderMutex;
  std::vector<SynthClient*> clients;
  // The synthesizer exists and the SoundFont load has finished (or failed), or there
  // is no FluidSynth. Before that nothing is rendered and the players only note what
  // they are asked to do.
  std::atomic<bool> ready{false};
  std::atomic<bool> audio{false};
  // Muted: the synthesizer plays on as ever, its output multiplied by nothing.
  std::atomic<bool> muted{false};

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
  void renderInto(int frames, float* left, float* right);
  static int audioCallback(void* data, int len, int, float*[], int nout, float* out[]);
};

}  // namespace zndl
