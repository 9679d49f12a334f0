// SPDX-License-Identifier: GPL-3.0-or-later
#include "pads/seats.h"

namespace zndl {

bool sameSecret(std::string_view a, std::string_view b) {
  // Every byte of the longer one is looked at, whatever the lengths.
  const std::size_t length = a.size() > b.size() ? a.size() : b.size();
  unsigned difference = a.size() == b.size() ? 0u : 1u;
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned char x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
    const unsigned char y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
    difference |= static_cast<unsigned>(x ^ y);
  }
  return difference == 0 && length > 0;
}

Seats::Joined Seats::join(PadKind kind, std::uint64_t connection, std::string_view offered,
                          std::int64_t now, std::string newToken) {
  expire(now);
  // A connection asks once; asking again starts afresh.
  lost(connection, now);
  if (!offered.empty()) {
    for (Contestant seat : kBothContestants) {
      Holder& holder = holders_[seat];
      if (holder.taken && holder.kind == kind && sameSecret(holder.token, offered)) {
        const std::optional<std::uint64_t> replaced = holder.connection;
        holder.connection = connection;
        return {seat, holder.token, true, replaced};
      }
    }
  }
  for (Contestant seat : kBothContestants) {
    Holder& holder = holders_[seat];
    if (holder.taken) continue;
    holder = Holder{true, kind, std::move(newToken), connection, 0};
    return {seat, holder.token, false, std::nullopt};
  }
  return {};
}

void Seats::lost(std::uint64_t connection, std::int64_t now) {
  for (Holder& holder : holders_) {
    if (holder.taken && holder.connection == connection) {
      holder.connection.reset();
      holder.lostAt = now;
    }
  }
}

void Seats::expire(std::int64_t now) {
  for (Holder& holder : holders_)
    if (holder.taken && !holder.connection && holder.kind == PadKind::phone &&
        now - holder.lostAt >= kPhoneGraceMs)
      holder = Holder{};
}

void Seats::free(Contestant seat) {
  holders_[seat] = Holder{};
}

std::optional<Contestant> Seats::seatOf(std::uint64_t connection) const {
  for (Contestant seat : kBothContestants)
    if (holders_[seat].taken && holders_[seat].connection == connection) return seat;
  return std::nullopt;
}

std::optional<std::uint64_t> Seats::connectionOf(Contestant seat) const {
  return holders_[seat].taken ? holders_[seat].connection : std::nullopt;
}

Seats::State Seats::state(Contestant seat) const {
  const Holder& holder = holders_[seat];
  if (!holder.taken) return State::waiting;
  return holder.connection ? State::connected : State::reconnecting;
}

}  // namespace zndl
