// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/fluid_engine.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "adapters/fluid_engine_impl.h"
#include "adapters/fluid_output.h"
#include "adapters/fluid_soundfont.h"
#include "adapters/pulse_output.h"

namespace zndl {
namespace {

constexpr double kSampleRate = 44100;

// The music sleeps once no tune has notes left and its blocks have stayed below
// -80 dBFS (the last releases and the reverb's echo) for a fifth of a second: what the
// server still holds then is silence, and dropping it loses nothing. The game's tunes
// get there about a second after their last note.
constexpr float kQuietLevel = 1e-4f;
constexpr int kQuietHoldFrames = static_cast<int>(kSampleRate / 5);

double steadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// FluidSynth's warnings (a missing preset, no sound device) are expected on a quiet
// machine and would only clutter the terminal; its errors stay visible, except while
// sound devices are being probed, where a failure just means trying the next one.
thread_local bool probingDevices = false;

void logError(int, const char* message, void*) {
  if (!probingDevices) std::fprintf(stderr, "fluidsynth: %s\n", message);
}

void installLogging(const fluid::Api& fs) {
  fs.fluid_set_log_function(FLUID_PANIC, logError, nullptr);
  fs.fluid_set_log_function(FLUID_ERR, logError, nullptr);
  fs.fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fs.fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fs.fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
}

}  // namespace

void traceMusic(const char* what) {
  static const bool tracing = std::getenv("ZNDL_MUSIC_TRACE") != nullptr;
  if (tracing) std::fprintf(stderr, "zandoodle: music %s %.6f\n", what, steadySeconds());
}

FluidEngine::Impl::~Impl() {
  if (loader.joinable()) loader.join();
  // The device's thread renders from the synthesizer: it goes first.
  liveOutput.store(nullptr);
  output.reset();
  if (api == nullptr) return;
  if (synth != nullptr) api->delete_fluid_synth(synth);
  if (settings != nullptr) api->delete_fluid_settings(settings);
}

// Renders `frames` frames into the two buffers (which must start zeroed), reverb and
// chorus mixed in. Under the render lock, with a synthesizer.
void FluidEngine::Impl::renderInto(int frames, float* left, float* right) {
  float* dry[2] = {left, right};
  float* effects[4] = {left, right, left, right};
  api->fluid_synth_process(synth, frames, 4, effects, 2, dry);
  ++blocks;
}

bool FluidEngine::Impl::pull(float* left, float* right, int frames) {
  std::lock_guard lock(renderMutex);
  if (synth == nullptr || muted.load()) {
    asleep = true;
    return false;
  }
  renderInto(frames, left, right);
  const bool playing = std::any_of(clients.begin(), clients.end(),
                                   [](const SynthClient* c) { return c->sounding(); });
  if (tunePlayed && !playing) traceMusic("ended");
  tunePlayed = playing;
  float loudest = 0;
  for (int i = 0; i < frames; ++i)
    loudest = std::max({loudest, std::fabs(left[i]), std::fabs(right[i])});
  quietFrames = loudest < kQuietLevel ? std::min(quietFrames + frames, kQuietHoldFrames) : 0;
  asleep = !playing && quietFrames >= kQuietHoldFrames;
  return !asleep;
}

double FluidEngine::Impl::now() const {
  return options.withAudio ? steadySeconds() : renderedSeconds;
}

void FluidEngine::Impl::wakeOutput() {
  if (AudioOutput* out = liveOutput.load()) out->wake();
}

// The loader thread: FluidSynth, the synthesizer, the SoundFont, then the sound
// device. Loading the library takes milliseconds, creating the synthesizer tens of
// them, the SoundFont hundreds.
void FluidEngine::Impl::load() {
  // Looking for the SoundFont reads the environment and the disk: done here, it keeps
  // off the thread that puts the first window up.
  {
    std::string found = fluid::findSoundFont(options.soundFont);
    std::lock_guard lock(loadMutex);
    fontPath = std::move(found);
  }
  std::string why;
  auto loaded = fluid::load(options.library, &why);
  if (loaded == nullptr)
    std::fprintf(stderr, "zandoodle: FluidSynth is missing (%s); the music is silent\n",
                 why.c_str());
  bool fontIn = false;
  if (loaded != nullptr) {
    installLogging(*loaded);
    api = std::move(loaded);
    fontIn = startSynth();
  }
  {
    std::lock_guard lock(renderMutex);
    ready.store(true, std::memory_order_release);
    if (synth != nullptr) {
      for (SynthClient* client : clients) client->synthReady();
    }
  }
  {
    std::lock_guard lock(loadMutex);
    fontDone = true;
    fontLoaded = fontIn;
  }
  loadDone.notify_all();

  if (options.withAudio && synth != nullptr) openAudio();
  {
    std::lock_guard lock(loadMutex);
    finished = true;
  }
  loadDone.notify_all();
}

bool FluidEngine::Impl::startSynth() {
  const fluid::Api& fs = *api;
  settings = fs.new_fluid_settings();
  if (settings == nullptr) return false;
  fs.fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
  fs.fluid_settings_setnum(settings, "synth.gain", fluid::gainFor(fontPath));
  // Only the samples of the instruments in use are read from the SoundFont, so even a
  // 140 MB one costs a few megabytes; and nothing is pinned in RAM.
  fs.fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  fs.fluid_settings_setint(settings, "synth.lock-memory", 0);
  synth = fs.new_fluid_synth(settings);
  if (synth == nullptr) return false;

  std::error_code ec;
  if (fontPath.empty()) {
    std::fprintf(stderr,
                 "zandoodle: no General MIDI SoundFont found (Debian's timgm6mb-soundfont "
                 "provides one); the music is silent\n");
    return false;
  }
  if (!std::filesystem::is_regular_file(fontPath, ec)) {
    std::fprintf(stderr, "zandoodle: SoundFont %s not found; the music is silent\n",
                 fontPath.c_str());
    return false;
  }
  return fs.fluid_synth_sfload(synth, fontPath.c_str(), 1) != FLUID_FAILED;
}

void FluidEngine::Impl::openAudio() {
  AudioOutput::Source source = [this](float* left, float* right, int frames) {
    return pull(left, right, frames);
  };
  probingDevices = true;
  for (const auto& way : fluid::soundOutputs()) {
    std::string why;
    if (way.kind == fluid::SoundOutput::Kind::PulseAudio)
      output = PulseOutput::open(way.server, source, kSampleRate, &why);
    else
      output = FluidDriverOutput::open(api, settings, way.driver, source);
    if (output != nullptr) break;
  }
  probingDevices = false;
  if (output != nullptr) {
    std::fprintf(stderr, "zandoodle: the music plays through %s\n", output->description().c_str());
    liveOutput.store(output.get());
    audio.store(true);
    // A tune may have started while the device was being opened.
    output->wake();
  } else {
    std::fprintf(stderr, "zandoodle: no sound device; the music is silent\n");
  }
}

// ---- The engine ---------------------------------------------------------------------

FluidEngine::FluidEngine(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

FluidEngine::~FluidEngine() = default;

std::shared_ptr<FluidEngine> FluidEngine::create(const std::string& soundFont, bool withAudio) {
  FluidEngineOptions options;
  options.soundFont = soundFont;
  options.withAudio = withAudio;
  return create(options);
}

std::shared_ptr<FluidEngine> FluidEngine::create(const FluidEngineOptions& options) {
  auto impl = std::make_unique<Impl>();
  impl->options = options;
  std::shared_ptr<FluidEngine> engine(new FluidEngine(std::move(impl)));
  if (options.startNow) engine->start();
  return engine;
}

void FluidEngine::start() {
  std::lock_guard lock(impl_->loadMutex);
  if (impl_->begun) return;
  impl_->begun = true;
  Impl* self = impl_.get();
  impl_->loader = std::thread([self] { self->load(); });
}

bool FluidEngine::started() const {
  std::lock_guard lock(impl_->loadMutex);
  return impl_->begun;
}

std::vector<float> FluidEngine::render(double seconds) {
  waitForSoundFont();
  const auto frames = static_cast<size_t>(std::lround(std::max(0.0, seconds) * kSampleRate));
  std::vector<float> left(frames), right(frames), out(2 * frames);
  if (impl_->synth != nullptr) {
    std::lock_guard lock(impl_->renderMutex);
    impl_->renderedSeconds += static_cast<double>(frames) / kSampleRate;
    // Muted, nothing is rendered: the tunes move on by the time alone.
    if (!impl_->muted.load())
      impl_->renderInto(static_cast<int>(frames), left.data(), right.data());
  }
  for (size_t i = 0; i < frames; ++i) {
    out[2 * i] = left[i];
    out[2 * i + 1] = right[i];
  }
  return out;
}

void FluidEngine::setMuted(bool muted) {
  bool resumed = false;
  {
    std::lock_guard lock(impl_->renderMutex);
    if (impl_->muted.load() == muted) return;
    impl_->muted.store(muted);
    const double now = impl_->now();
    for (SynthClient* client : impl_->clients)
      resumed = client->mutedChanged(muted, now) || resumed;
  }
  if (resumed) impl_->wakeOutput();
}

bool FluidEngine::muted() const {
  return impl_->muted.load();
}

double FluidEngine::sampleRate() const {
  return kSampleRate;
}

bool FluidEngine::hasAudioDevice() const {
  return impl_->audio.load();
}

bool FluidEngine::audioAwake() const {
  const AudioOutput* out = impl_->liveOutput.load();
  return out != nullptr && out->awake();
}

std::string FluidEngine::soundFontPath() const {
  std::lock_guard lock(impl_->loadMutex);
  return impl_->fontPath;
}

bool FluidEngine::isLoading() const {
  return !impl_->ready.load();
}

bool FluidEngine::waitForSoundFont() {
  start();
  std::unique_lock lock(impl_->loadMutex);
  impl_->loadDone.wait(lock, [this] { return impl_->fontDone; });
  return impl_->fontLoaded;
}

void FluidEngine::waitUntilSettled() {
  start();
  std::unique_lock lock(impl_->loadMutex);
  impl_->loadDone.wait(lock, [this] { return impl_->finished; });
}

}  // namespace zndl
