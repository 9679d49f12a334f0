// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "adapters/phones.h"
#include "pads/pad_buttons.h"
#include "pads/pad_rule.h"
#include "pads/seats.h"

namespace zndl {

class App;

// The contestants' pads as the program keeps them: which pad holds which seat, what
// each is shown and what it may press. Phones (adapters/phone_server.*) and game
// controllers (adapters/sdl_pads.*) come and go through here; a press reaches the
// game's handler as a click does, through App::dispatch, and every change of the game
// or the seats is told to whoever listens.
class PadHub : public QObject, public PhonesHub {
 public:
  explicit PadHub(App& app);

  // A number for a new connection or device, never given twice in a run.
  std::uint64_t newConnection() override { return ++lastConnection_; }

  Seats::Joined join(PadKind kind, std::uint64_t connection, const std::string& offered,
                     const std::string& newToken) override;
  void lost(std::uint64_t connection) override;
  // The PC lets a seat go; its pad's adapter is told (onFreed).
  void free(Contestant seat);

  // What a pad asks for; false when its pad holds no seat or may not do it now.
  bool press(std::uint64_t connection, PadAction action) override;
  bool enter(std::uint64_t connection, EntryField field, const std::string& value) override;

  const Seats& seats() const override { return seats_; }
  // What the contestant's pad shows now.
  PadView view(Contestant seat) const override;
  // Whether any seat is held by a pad of this kind.
  bool anyHeldBy(PadKind kind) const;
  // What the game controller that took a seat answers with, as its adapter says; none
  // while no controller holds the seat.
  void setControllerFaces(Contestant seat, ControllerFaces faces);
  std::optional<ControllerFaces> controllerFaces(Contestant seat) const;

  // Where phones join, while the phones' server listens.
  void setJoin(Join join) override;
  const Join& join() const { return join_; }

  // Called after every change of the game's screens or of the seats.
  void onChanged(std::function<void()> listener) override {
    listeners_.push_back(std::move(listener));
  }
  // Called with the connection whose seat the PC freed.
  void onFreed(std::function<void(std::uint64_t)> listener) override {
    freedListeners_.push_back(std::move(listener));
  }
  // The game or the seats have changed (App::syncAll calls it last).
  void changed();

 private:
  std::int64_t now() const { return clock_.elapsed(); }

  App& app_;
  Seats seats_;
  QElapsedTimer clock_;
  std::uint64_t lastConnection_ = 0;
  Join join_;
  Contestants<ControllerFaces> faces_{ControllerFaces::buttons, ControllerFaces::buttons};
  std::vector<std::function<void()>> listeners_;
  std::vector<std::function<void(std::uint64_t)>> freedListeners_;
};

}  // namespace zndl
