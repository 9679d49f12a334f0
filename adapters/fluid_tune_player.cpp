// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/fluid_tune_player.h"

#include <algorithm>

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
  std::vector<int> channels;
  bool open = false;
  bool playing = false;              // play() asked for, while there is no synthesizer
  fluid_player_t* player = nullptr;  // once the synthesizer is ready, while a tune is open
  bool atStart = true;               // nothing of the tune has played since the start
  bool stopped = false;              // halted by stop(), not run to its end

  FluidEngine::Impl& impl() const { return *engine->impl_; }
  std::unique_lock<std::mutex> lock() const { return std::unique_lock(impl().renderMutex); }
  bool live() const { return player != nullptr; }
  // The FluidSynth functions: only used while `player` exists, so the library is in.
  const fluid::Api& fs() const { return *impl().api; }
  int status() const { return fs().fluid_player_get_status(player); }

  void synthReady() override {
    if (!open) return;
    restart();
    if (playing) start();
    playing = false;
  }

  // A fresh FluidSynth player at the start of the tune.
  void restart() {
    if (player != nullptr) fs().delete_fluid_player(player);
    player = fs().new_fluid_player(impl().synth);
    if (player != nullptr && fs().fluid_player_add_mem(player, data.data(), data.size()) != FLUID_OK) {
      fs().delete_fluid_player(player);
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
      for (int channel : channels) fs().fluid_synth_cc(impl().synth, channel, 121, 0);
    }
    fs().fluid_player_play(player);
    atStart = false;
    stopped = false;
  }

  // Cuts the tune's notes off at once, as FluidSynth's own stop does; it would do so
  // only on the next rendered block, which a deleted player never sees.
  void silence() {
    for (int channel : channels) fs().fluid_synth_all_sounds_off(impl().synth, channel);
  }

  void release() {
    if (player != nullptr) {
      if (status() == FLUID_PLAYER_PLAYING) silence();
      fs().delete_fluid_player(player);
      player = nullptr;
    }
    open = playing = false;
    data.clear();
    origin.clear();
    channels.clear();
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
  s.fs().fluid_player_stop(s.player);
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
  const int total = state_->fs().fluid_player_get_total_ticks(state_->player);
  return total > 0 && state_->fs().fluid_player_get_current_tick(state_->player) >= total;
}

std::string FluidTunePlayer::origin() const {
  auto lock = state_->lock();
  return state_->origin;
}

}  // namespace zndl
