// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/fluid_output.h"

#include <algorithm>
#include <cstdio>

namespace zndl {
namespace {

// Periods of 1024 frames, two of them in the device: about 46 ms queued.
constexpr int kPeriodFrames = 1024;
constexpr int kPeriods = 2;

}  // namespace

FluidDriverOutput::FluidDriverOutput(std::shared_ptr<const fluid::Api> api,
                                     fluid_settings_t* settings, std::string driver, Source source)
    : api_(std::move(api)),
      settings_(settings),
      name_(std::move(driver)),
      source_(std::move(source)) {}

std::unique_ptr<FluidDriverOutput> FluidDriverOutput::open(std::shared_ptr<const fluid::Api> api,
                                                           fluid_settings_t* settings,
                                                           const std::string& driver,
                                                           Source source) {
  std::unique_ptr<FluidDriverOutput> output(
      new FluidDriverOutput(std::move(api), settings, driver, std::move(source)));
  output->api_->fluid_settings_setstr(settings, "audio.driver", driver.c_str());
  output->api_->fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
  output->api_->fluid_settings_setint(settings, "audio.periods", kPeriods);
  output->driver_ = output->openDriver();
  if (output->driver_ == nullptr) return nullptr;
  output->open_ = true;
  FluidDriverOutput* self = output.get();
  output->thread_ = std::thread([self] { self->run(); });
  return output;
}

FluidDriverOutput::~FluidDriverOutput() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
  if (driver_ != nullptr) api_->delete_fluid_audio_driver(driver_);
}

fluid_audio_driver_t* FluidDriverOutput::openDriver() {
  return api_->new_fluid_audio_driver2(settings_, callback, this);
}

// The output's thread: opens and closes the driver as the music wants.
void FluidDriverOutput::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return quit_ || (!broken_ && wanted_ != (driver_ != nullptr)); });
    if (quit_) return;
    if (driver_ != nullptr) {
      // The driver's thread takes the lock in the callback: it must be free while the
      // driver ends that thread.
      fluid_audio_driver_t* closing = driver_;
      lock.unlock();
      api_->delete_fluid_audio_driver(closing);
      lock.lock();
      driver_ = nullptr;
      open_ = false;
    } else {
      lock.unlock();
      fluid_audio_driver_t* opened = openDriver();
      lock.lock();
      driver_ = opened;
      open_ = opened != nullptr;
      if (opened == nullptr) {
        broken_ = true;
        std::fprintf(
            stderr, "zandoodle: the sound device could not be opened again; the music is silent\n");
      }
    }
  }
}

int FluidDriverOutput::callback(void* data, int len, int, float*[], int nout, float* out[]) {
  auto* self = static_cast<FluidDriverOutput*>(data);
  if (nout < 2) return FLUID_OK;
  // FluidSynth hands over its buffers as it left them.
  std::fill_n(out[0], len, 0.0f);
  std::fill_n(out[1], len, 0.0f);
  uint64_t seen = 0;
  {
    std::lock_guard lock(self->mutex_);
    seen = self->wakes_;
  }
  if (!self->source_(out[0], out[1], len)) {
    std::lock_guard lock(self->mutex_);
    if (self->wakes_ == seen && self->wanted_) {
      self->wanted_ = false;
      self->changed_.notify_all();
    }
  }
  return FLUID_OK;
}

void FluidDriverOutput::wake() {
  std::lock_guard lock(mutex_);
  ++wakes_;
  if (!wanted_) {
    wanted_ = true;
    changed_.notify_all();
  }
}

bool FluidDriverOutput::awake() const {
  std::lock_guard lock(mutex_);
  return open_;
}

std::string FluidDriverOutput::description() const {
  return name_ == "alsa" ? "ALSA" : "FluidSynth's " + name_ + " driver";
}

}  // namespace zndl
