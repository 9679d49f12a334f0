// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/pad_hub.h"

#include "shell/ui/app.h"

namespace zndl {

PadHub::PadHub(App& app) : app_(app) {
  clock_.start();
}

Seats::Joined PadHub::join(PadKind kind, std::uint64_t connection, const std::string& offered,
                           const std::string& newToken) {
  const Seats::Joined joined = seats_.join(kind, connection, offered, now(), newToken);
  app_.syncAll();
  return joined;
}

void PadHub::lost(std::uint64_t connection) {
  if (!seats_.seatOf(connection)) return;
  seats_.lost(connection, now());
  app_.syncAll();
}

void PadHub::free(Contestant seat) {
  const auto connection = seats_.connectionOf(seat);
  seats_.free(seat);
  if (connection)
    for (const auto& listener : freedListeners_) listener(*connection);
  app_.syncAll();
}

bool PadHub::press(std::uint64_t connection, PadAction action) {
  seats_.expire(now());
  const auto seat = seats_.seatOf(connection);
  // Behind the error box the game takes nothing, from the PC or from a pad.
  if (!seat || app_.errorShowing()) return false;
  bool pressed = false;
  app_.dispatch([&] { pressed = pressOnPad(app_.game(), *seat, action, seats_.bothTaken()); });
  return pressed;
}

bool PadHub::enter(std::uint64_t connection, EntryField field, const std::string& value) {
  const auto seat = seats_.seatOf(connection);
  if (!seat || app_.errorShowing()) return false;
  bool entered = false;
  app_.dispatch([&] { entered = enterOnPad(app_.game(), *seat, field, value); });
  return entered;
}

void PadHub::setJoin(Join join) {
  join_ = std::move(join);
  app_.syncAll();
}

PadView PadHub::view(Contestant seat) const {
  return padView(app_.game(), seat, seats_.bothTaken());
}

bool PadHub::anyHeldBy(PadKind kind) const {
  for (Contestant c : kBothContestants)
    if (seats_.taken(c) && seats_.kind(c) == kind) return true;
  return false;
}

void PadHub::setControllerFaces(Contestant seat, ControllerFaces faces) {
  if (faces_[seat] == faces) return;
  faces_[seat] = faces;
  app_.syncAll();
}

std::optional<ControllerFaces> PadHub::controllerFaces(Contestant seat) const {
  if (!seats_.taken(seat) || seats_.kind(seat) != PadKind::controller) return std::nullopt;
  return faces_[seat];
}

void PadHub::changed() {
  seats_.expire(now());
  for (const auto& listener : listeners_) listener();
}

}  // namespace zndl
