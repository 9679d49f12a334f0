// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/fluid_tune_player.h"

#include <algorithm>
#include <optional>

#include "platform/error.h"
#include "adapters/fluid_engine_impl.h"

namespace zndl {

// What the game asked of the player, kept even before the synthesizer exists; the
// FluidSynth player is made from it once it does. Every member is guarded by the
// engine's render lock.
struct FluidTunePlayer::State final : SynthClient {
  std::shared_ptr<FluidEngine> engine;
  TuneSource source;
  std::string data;
  std::string origin;
  MidiSummary tune;
  bool open = false;
  bool playing = false;              // play() asked for, while there is no synthesizer
  fluid_player_t* player = nullptr;  // once the synthesizer is ready, while a tune is open
  bool atStart = true;               // nothing of the tune has played since the start
  bool stopped = false;              // halted by stop(), not run to its end
  bool ended = false;                // ran to its end while muted
  // Where the next start goes on from, when the tune moved on while muted.
  std::optional<uint64_t> resumeAt;
  // Where the last seek went, until a block is rendered and FluidSynth has taken it.
  std::optional<uint64_t> seekedTo;
  uint64_t seekedAtBlock = 0;

  // While the engine is muted a tune with a FluidSynth player is held: the player is
  // halted and the tune stands at `tick`, or, running, at `tick` plus the time since
  // `since` on the engine's clock.
  struct Held {
    uint64_t tick = 0;
    bool running = false;
    double since = 0;
  };
  std::optional<Held> held;

  FluidEngine::Impl& impl() const { return *engine->impl_; }
  std::unique_lock<std::mutex> lock() const { return std::unique_lock(impl().renderMutex); }
  bool live() const { return player != nullptr; }
  // The FluidSynth functions: only used while `player` exists, so the library is in.
  const fluid::Api& fs() const { return *impl().api; }
  int status() const { return fs().fluid_player_get_status(player); }
  // Every event of the tune has been played. The tune's own length in ticks is the
  // one FluidSynth counts to, known before its player has read the tracks in.
  bool finished() const { return tune.ticks > 0 && currentTick() >= tune.ticks; }
  // Playing: FluidSynth's player runs, and its last notes have not died away into a
  // sleeping engine.
  bool running() const {
    return status() == FLUID_PLAYER_PLAYING && !(finished() && impl().asleep);
  }

  uint64_t currentTick() const {
    if (seekedTo && impl().blocks == seekedAtBlock) return *seekedTo;
    return static_cast<uint64_t>(std::max(0, fs().fluid_player_get_current_tick(player)));
  }

  // Where a held tune stands now.
  uint64_t heldTick() const {
    if (!held->running) return held->tick;
    return tune.tickAt(tune.secondsAt(held->tick) + impl().now() - held->since);
  }
  bool heldAtEnd() const { return heldTick() >= tune.ticks; }

  void seek(uint64_t tick) {
    fs().fluid_player_seek(player, static_cast<int>(tick));
    seekedTo = tick;
    seekedAtBlock = impl().blocks;
  }

  void synthReady() override {
    if (!open) return;
    restart();
    if (playing) {
      if (held)
        hold(0, true);
      else
        start();
    }
    playing = false;
  }

  bool mutedChanged(bool muted, double now) override {
    if (!live()) return false;
    if (muted) {
      const bool running = status() == FLUID_PLAYER_PLAYING;
      held = Held{currentTick(), running, now};
      if (running) {
        fs().fluid_player_stop(player);
        stopped = true;
      }
      silence();
      return false;
    }
    if (!held) return false;
    const uint64_t tick = heldTick();
    const bool running = held->running;
    held.reset();
    if (tick >= tune.ticks) {
      ended = true;
      return false;
    }
    resumeAt = tick;
    return running && start();
  }

  bool sounding() const override {
    return live() && !held && status() == FLUID_PLAYER_PLAYING && !finished();
  }

  void hold(uint64_t tick, bool running) { held = Held{tick, running, impl().now()}; }

  // A fresh FluidSynth player at the start of the tune.
  void restart() {
    if (player != nullptr) fs().delete_fluid_player(player);
    player = fs().new_fluid_player(impl().synth);
    if (player != nullptr &&
        fs().fluid_player_add_mem(player, data.data(), data.size()) != FLUID_OK) {
      fs().delete_fluid_player(player);
      player = nullptr;
    }
    atStart = true;
    stopped = ended = false;
    resumeAt.reset();
    seekedTo.reset();
    held.reset();
    if (player != nullptr && impl().muted.load()) hold(0, false);
  }

  // Plays from where the tune stands; true when it starts for real.
  bool start() {
    if (player == nullptr) return false;
    // Fresh controllers (pitch bend, expression, pedals) on the tune's channels, so a
    // tune stopped mid-phrase leaves nothing behind for this one.
    if (atStart) {
      for (int channel : tune.channels) fs().fluid_synth_cc(impl().synth, channel, 121, 0);
    }
    if (resumeAt) seek(*resumeAt);
    resumeAt.reset();
    fs().fluid_player_play(player);
    atStart = false;
    stopped = false;
    traceMusic("play");
    return true;
  }

  // Cuts the tune's notes off at once, as FluidSynth's own stop does; it would do so
  // only on the next rendered block, which a deleted player never sees.
  void silence() {
    for (int channel : tune.channels) fs().fluid_synth_all_sounds_off(impl().synth, channel);
  }

  void release() {
    if (player != nullptr) {
      if (status() == FLUID_PLAYER_PLAYING) silence();
      fs().delete_fluid_player(player);
      player = nullptr;
    }
    open = playing = false;
    held.reset();
    data.clear();
    origin.clear();
    tune = {};
  }
};

FluidTunePlayer::FluidTunePlayer(std::shared_ptr<FluidEngine> engine, TuneSource source)
    : state_(std::make_unique<State>()) {
  state_->engine = std::move(engine);
  state_->source = std::move(source);
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
  auto bytes = state_->source ? state_->source(fileName, &origin) : std::nullopt;
  if (!bytes) throw cannotOpen(fileName);
  auto summary = readMidiSummary(*bytes);
  if (!summary) throw Error(fileName + " is not a MIDI file");

  State& s = *state_;
  auto lock = s.lock();
  s.data = std::move(*bytes);
  s.origin = std::move(origin);
  s.tune = std::move(*summary);
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
  {
    auto lock = s.lock();
    if (!s.open) return;
    if (!s.live()) {
      s.playing = true;
      return;
    }
    if (s.held) {
      // Muted: the tune runs on by the clock alone.
      if (s.held->running && !s.heldAtEnd()) return;
      if (s.heldAtEnd()) s.restart();
      if (s.held) s.hold(s.held->tick, true);
      return;
    }
    if (s.running()) return;
    // A tune that has played to its end starts over, as a media player's play does.
    if (s.ended || s.status() == FLUID_PLAYER_PLAYING ||
        (s.status() == FLUID_PLAYER_DONE && !s.stopped))
      s.restart();
    s.start();
  }
  // Outside the render lock: the sound device's thread takes it to render.
  s.impl().wakeOutput();
}

void FluidTunePlayer::stop() {
  State& s = *state_;
  auto lock = s.lock();
  s.playing = false;
  if (!s.live()) return;
  if (s.held) {
    s.hold(s.heldTick(), false);
    return;
  }
  if (!s.running()) return;
  s.fs().fluid_player_stop(s.player);
  s.stopped = true;
  s.silence();
}

void FluidTunePlayer::rewind() {
  State& s = *state_;
  auto lock = s.lock();
  s.playing = false;
  if (!s.live()) return;
  if (!s.held && s.status() == FLUID_PLAYER_PLAYING) s.silence();
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
  const State& s = *state_;
  auto lock = s.lock();
  if (!s.live()) return s.playing;
  if (s.held) return s.held->running && !s.heldAtEnd();
  return s.running();
}

bool FluidTunePlayer::reachedEnd() const {
  const State& s = *state_;
  auto lock = s.lock();
  if (!s.live()) return false;
  if (s.held) return s.heldAtEnd();
  return s.ended || s.finished();
}

std::string FluidTunePlayer::origin() const {
  auto lock = state_->lock();
  return state_->origin;
}

}  // namespace zndl
