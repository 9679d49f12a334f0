#include "platform/fluid_tune_player.h"

#include <fluidsynth.h>

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "platform/error.h"

namespace zndl {

namespace {

constexpr double kSampleRate = 44100;

// ---- Finding the SoundFont and the sound device -----------------------------------

std::string findSoundFont(const std::string& requested) {
  if (!requested.empty()) return requested;
  if (const char* env = std::getenv("ZNDL_SOUNDFONT"); env != nullptr && *env != '\0') return env;
  // Debian's default-GM.sf2 points at whichever General MIDI SoundFont the system
  // prefers; the others are the packages that provide one.
  for (const char* candidate :
       {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/soundfonts/default.sf2",
        "/usr/share/soundfonts/FluidR3_GM.sf2"}) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return {};
}

// The SoundFonts are not equally loud: each gets the gain that puts the game's tunes
// at a normal listening level (the title tune around -20 dBFS) with headroom left in
// their loudest bars.
double gainFor(const std::string& fontPath) {
  std::error_code ec;
  const auto real = std::filesystem::canonical(fontPath, ec).filename().string();
  if (real == "TimGM6mb.sf2") return 0.75;
  if (real == "FluidR3_GM.sf2") return 0.5;
  return 0.6;
}

// The sound systems worth trying, in order. A sound server is only tried when its
// socket is there, so a headless machine never waits on a connection attempt.
// $ZNDL_AUDIO_DRIVER names the one FluidSynth driver to use instead ("jack", "sdl2"...).
std::vector<std::string> audioDrivers() {
  if (const char* chosen = std::getenv("ZNDL_AUDIO_DRIVER"); chosen != nullptr && *chosen != '\0') {
    return {chosen};
  }
  std::vector<std::string> drivers;
  std::error_code ec;
  const char* server = std::getenv("PULSE_SERVER");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if ((server != nullptr && *server != '\0') ||
      (runtime != nullptr &&
       std::filesystem::exists(std::filesystem::path(runtime) / "pulse" / "native", ec))) {
    drivers.push_back("pulseaudio");
  }
  if (std::filesystem::is_directory("/dev/snd", ec)) drivers.push_back("alsa");
  return drivers;
}

// FluidSynth's warnings (a missing preset, no sound device) are expected on a quiet
// machine and would only clutter the terminal; its errors stay visible, except while
// sound devices are being probed, where a failure just means trying the next one.
thread_local bool probingDevices = false;

void logError(int, const char* message, void*) {
  if (!probingDevices) std::fprintf(stderr, "fluidsynth: %s\n", message);
}

void installLogging() {
  static std::once_flag once;
  std::call_once(once, [] {
    fluid_set_log_function(FLUID_PANIC, logError, nullptr);
    fluid_set_log_function(FLUID_ERR, logError, nullptr);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  });
}

// Renders `frames` frames into the two buffers (which must start zeroed), reverb and
// chorus mixed in.
void renderInto(fluid_synth_t* synth, int frames, float* left, float* right) {
  float* dry[2] = {left, right};
  float* effects[4] = {left, right, left, right};
  fluid_synth_process(synth, frames, 4, effects, 2, dry);
}

}  // namespace

// ---- The engine ---------------------------------------------------------------------

namespace {

// A player that waits for the synthesizer: told, under the render lock, once it exists
// and the SoundFont is in.
struct SynthClient {
  virtual ~SynthClient() = default;
  virtual void synthReady() = 0;
};

}  // namespace

struct FluidEngine::Impl {
  // All set by the loader thread before `ready`, and fixed from then on.
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_audio_driver_t* driver = nullptr;
  std::string fontPath;

  // Held while rendering (audio thread or render()) and by every player operation:
  // FluidSynth's players must not be created, stopped or deleted mid-render, and the
  // player list and `ready` change only under it.
  std::mutex renderMutex;
  std::vector<SynthClient*> clients;
  // The synthesizer exists and the SoundFont load has finished (or failed). Before
  // that nothing is rendered and the players only note what they are asked to do.
  std::atomic<bool> ready{false};
  std::atomic<bool> audio{false};

  std::mutex loadMutex;
  std::condition_variable loadDone;
  bool fontDone = false;  // the SoundFont load has finished (or failed)
  bool fontLoaded = false;
  bool finished = false;  // the loader thread has done all it will do
  std::thread loader;

  ~Impl() {
    if (loader.joinable()) loader.join();
    if (driver != nullptr) delete_fluid_audio_driver(driver);
    if (synth != nullptr) delete_fluid_synth(synth);
    if (settings != nullptr) delete_fluid_settings(settings);
  }

  static int audioCallback(void* data, int len, int, float*[], int nout, float* out[]) {
    auto* self = static_cast<Impl*>(data);
    if (nout < 2 || !self->ready.load(std::memory_order_acquire)) return FLUID_OK;
    std::lock_guard lock(self->renderMutex);
    renderInto(self->synth, len, out[0], out[1]);
    return FLUID_OK;
  }

  // The loader thread: synthesizer, SoundFont, then the sound device. Creating the
  // synthesizer alone takes tens of milliseconds, the SoundFont hundreds.
  void load(bool withAudio) {
    const bool loaded = startSynth();
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
      fontLoaded = loaded;
    }
    loadDone.notify_all();

    if (withAudio && synth != nullptr) openAudio();
    {
      std::lock_guard lock(loadMutex);
      finished = true;
    }
    loadDone.notify_all();
  }

  bool startSynth() {
    settings = new_fluid_settings();
    if (settings == nullptr) return false;
    fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
    fluid_settings_setnum(settings, "synth.gain", gainFor(fontPath));
    // Only the samples of the instruments in use are read from the SoundFont, so even
    // a 140 MB one costs a few megabytes; and nothing is pinned in RAM.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    synth = new_fluid_synth(settings);
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
    return fluid_synth_sfload(synth, fontPath.c_str(), 1) != FLUID_FAILED;
  }

  void openAudio() {
    probingDevices = true;
    for (const auto& name : audioDrivers()) {
      fluid_settings_setstr(settings, "audio.driver", name.c_str());
      driver = new_fluid_audio_driver2(settings, audioCallback, this);
      if (driver != nullptr) break;
    }
    probingDevices = false;
    if (driver != nullptr) {
      audio.store(true);
    } else {
      std::fprintf(stderr, "zandoodle: no sound device; the music is silent\n");
    }
  }
};

FluidEngine::FluidEngine(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

FluidEngine::~FluidEngine() = default;

std::shared_ptr<FluidEngine> FluidEngine::create(const std::string& soundFont, bool withAudio) {
  installLogging();
  auto impl = std::make_unique<Impl>();
  impl->fontPath = findSoundFont(soundFont);
  std::shared_ptr<FluidEngine> engine(new FluidEngine(std::move(impl)));
  Impl* self = engine->impl_.get();
  self->loader = std::thread([self, withAudio] { self->load(withAudio); });
  return engine;
}

std::vector<float> FluidEngine::render(double seconds) {
  waitForSoundFont();
  const auto frames = static_cast<size_t>(std::lround(std::max(0.0, seconds) * kSampleRate));
  std::vector<float> left(frames), right(frames), out(2 * frames);
  if (impl_->synth != nullptr) {
    std::lock_guard lock(impl_->renderMutex);
    renderInto(impl_->synth, static_cast<int>(frames), left.data(), right.data());
  }
  for (size_t i = 0; i < frames; ++i) {
    out[2 * i] = left[i];
    out[2 * i + 1] = right[i];
  }
  return out;
}

double FluidEngine::sampleRate() const {
  return kSampleRate;
}

bool FluidEngine::hasAudioDevice() const {
  return impl_->audio.load();
}

std::string FluidEngine::soundFontPath() const {
  return impl_->fontPath;
}

bool FluidEngine::isLoading() const {
  return !impl_->ready.load();
}

bool FluidEngine::waitForSoundFont() {
  std::unique_lock lock(impl_->loadMutex);
  impl_->loadDone.wait(lock, [this] { return impl_->fontDone; });
  return impl_->fontLoaded;
}

void FluidEngine::waitUntilSettled() {
  std::unique_lock lock(impl_->loadMutex);
  impl_->loadDone.wait(lock, [this] { return impl_->finished; });
}

// ---- Where tunes come from ------------------------------------------------------------

std::optional<std::string> tuneData(const std::string& fileName, std::string* origin) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(fileName, ec)) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw cannotOpen(fileName);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) throw cannotOpen(fileName);
    if (origin != nullptr) *origin = fileName;
    return bytes;
  }
  // Only a bare name falls back on the tunes built into the program.
  if (fileName.empty() || fileName.find('/') != std::string::npos) return std::nullopt;
  const QString resource = QStringLiteral(":/assets/music/") + QString::fromLocal8Bit(fileName);
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (origin != nullptr) *origin = resource.toStdString();
  return bytes.toStdString();
}

// ---- The player -------------------------------------------------------------------------

// What the game asked of the player, kept even before the synthesizer exists; the
// FluidSynth player is made from it once it does. Every member is guarded by the
// engine's render lock.
struct FluidTunePlayer::State final : SynthClient {
  std::shared_ptr<FluidEngine> engine;
  std::string data;
  std::string origin;
  std::vector<int> channels;
  bool open = false;
  bool playing = false;              // play() asked for, while there is no synthesizer
  fluid_player_t* player = nullptr;  // once the synthesizer is ready, while a tune is open
  bool atStart = true;               // nothing of the tune has played since the start
  bool stopped = false;              // halted by stop(), not run to its end

  FluidEngine::Impl& impl() const { return *engine->impl_; }
  std::unique_lock<std::mutex> lock() const { return std::unique_lock(impl().renderMutex); }
  bool live() const { return player != nullptr; }
  int status() const { return fluid_player_get_status(player); }

  void synthReady() override {
    if (!open) return;
    restart();
    if (playing) start();
    playing = false;
  }

  // A fresh FluidSynth player at the start of the tune.
  void restart() {
    if (player != nullptr) delete_fluid_player(player);
    player = new_fluid_player(impl().synth);
    if (player != nullptr && fluid_player_add_mem(player, data.data(), data.size()) != FLUID_OK) {
      delete_fluid_player(player);
      player = nullptr;
    }
    atStart = true;
    stopped = false;
  }

  void start() {
    if (player == nullptr) return;
    // Fresh controllers (pitch bend, expression, pedals) on the tune's channels, so a
    // tune stopped mid-phrase leaves nothing behind for this one.
    if (atStart) {
      for (int channel : channels) fluid_synth_cc(impl().synth, channel, 121, 0);
    }
    fluid_player_play(player);
    atStart = false;
    stopped = false;
  }

  // Cuts the tune's notes off at once, as FluidSynth's own stop does; it would do so
  // only on the next rendered block, which a deleted player never sees.
  void silence() {
    for (int channel : channels) fluid_synth_all_sounds_off(impl().synth, channel);
  }

  void release() {
    if (player != nullptr) {
      if (status() == FLUID_PLAYER_PLAYING) silence();
      delete_fluid_player(player);
      player = nullptr;
    }
    open = playing = false;
    data.clear();
    origin.clear();
    channels.clear();
  }
};

FluidTunePlayer::FluidTunePlayer(std::shared_ptr<FluidEngine> engine)
    : state_(std::make_unique<State>()) {
  state_->engine = std::move(engine);
  auto lock = state_->lock();
  state_->impl().clients.push_back(state_.get());
}

FluidTunePlayer::~FluidTunePlayer() {
  auto lock = state_->lock();
  state_->release();
  auto& clients = state_->impl().clients;
  clients.erase(std::find(clients.begin(), clients.end(), state_.get()));
}

void FluidTunePlayer::open(const std::string& fileName) {
  close();
  std::string origin;
  auto bytes = tuneData(fileName, &origin);
  if (!bytes) throw cannotOpen(fileName);
  auto summary = readMidiSummary(*bytes);
  if (!summary) throw Error(fileName + " is not a MIDI file");

  State& s = *state_;
  auto lock = s.lock();
  s.data = std::move(*bytes);
  s.origin = std::move(origin);
  s.channels = std::move(summary->channels);
  s.open = true;
  if (s.impl().ready && s.impl().synth != nullptr) {
    s.restart();
    if (!s.live()) {
      s.release();
      throw Error("Cannot play file " + fileName);
    }
  }
}

void FluidTunePlayer::play() {
  State& s = *state_;
  auto lock = s.lock();
  if (!s.open) return;
  if (!s.live()) {
    s.playing = true;
    return;
  }
  const int status = s.status();
  if (status == FLUID_PLAYER_PLAYING) return;
  // A tune that has played to its end starts over, as a media player's play does.
  if (status == FLUID_PLAYER_DONE && !s.stopped) s.restart();
  s.start();
}

void FluidTunePlayer::stop() {
  State& s = *state_;
  auto lock = s.lock();
  s.playing = false;
  if (!s.live() || s.status() != FLUID_PLAYER_PLAYING) return;
  fluid_player_stop(s.player);
  s.stopped = true;
  s.silence();
}

void FluidTunePlayer::rewind() {
  State& s = *state_;
  auto lock = s.lock();
  s.playing = false;
  if (!s.live()) return;
  if (s.status() == FLUID_PLAYER_PLAYING) s.silence();
  s.restart();
}

void FluidTunePlayer::close() {
  auto lock = state_->lock();
  state_->release();
}

bool FluidTunePlayer::isOpen() const {
  auto lock = state_->lock();
  return state_->open;
}

bool FluidTunePlayer::isPlaying() const {
  auto lock = state_->lock();
  return state_->live() ? state_->status() == FLUID_PLAYER_PLAYING : state_->playing;
}

bool FluidTunePlayer::reachedEnd() const {
  auto lock = state_->lock();
  if (!state_->live()) return false;
  // The tracks are read in on the audio thread when the tune starts.
  const int total = fluid_player_get_total_ticks(state_->player);
  return total > 0 && fluid_player_get_current_tick(state_->player) >= total;
}

std::string FluidTunePlayer::origin() const {
  auto lock = state_->lock();
  return state_->origin;
}

}  // namespace zndl
