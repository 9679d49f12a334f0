// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "adapters/audio_output.h"
#include "adapters/fluid_library.h"

namespace zndl {

// The music through one of FluidSynth's audio drivers (ALSA when there is no sound
// server), with periods of about 23 ms.
//
// FluidSynth's drivers cannot pause, so asleep the driver is closed, its thread and the
// device with it, and woken it is opened again. A driver cannot be closed from its own
// thread, the one that finds the music has ended: a thread of the output's own does
// both, waiting on nothing in between.
class FluidDriverOutput final : public AudioOutput {
 public:
  // Opens FluidSynth's `driver` with the synthesizer's `settings`; nothing when it cannot
  // be opened.
  static std::unique_ptr<FluidDriverOutput> open(std::shared_ptr<const fluid::Api> api,
                                                 fluid_settings_t* settings,
                                                 const std::string& driver, Source source);
  ~FluidDriverOutput() override;
  FluidDriverOutput(const FluidDriverOutput&) = delete;
  FluidDriverOutput& operator=(const FluidDriverOutput&) = delete;

  void wake() override;
  bool awake() const override;
  std::string description() const override;

 private:
  FluidDriverOutput(std::shared_ptr<const fluid::Api> api, fluid_settings_t* settings,
                    std::string driver, Source source);
  fluid_audio_driver_t* openDriver();
  void run();
  static int callback(void* data, int len, int nfx, float* fx[], int nout, float* out[]);

  std::shared_ptr<const fluid::Api> api_;
  fluid_settings_t* settings_;
  std::string name_;
  Source source_;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool wanted_ = true;   // the music wants the driver open
  bool broken_ = false;  // it could not be opened again: the music stays silent
  bool quit_ = false;
  bool open_ = false;  // the driver is open: from its opening until it is closed
  // Counts the wakes, so a block's "nothing left" loses against a wake that came after
  // the block was asked for.
  uint64_t wakes_ = 0;
  fluid_audio_driver_t* driver_ = nullptr;  // only the output's thread changes it once running
  std::thread thread_;
};

}  // namespace zndl
