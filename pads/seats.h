// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "shell/contestants.h"

namespace zndl {

// What kind of pad holds a seat.
enum class PadKind { phone, controller };

// The two contestants' seats and the pads that hold them. A pad is known by a
// connection number its adapter gives it; a seat is held by its token, which the pad
// keeps and offers again to get the seat back after it was lost for a while (a phone
// that slept or reloaded its page, a controller unplugged). Time is in milliseconds on
// any clock that only moves forward.
class Seats {
 public:
  // How long a lost phone keeps its seat. A lost controller keeps it until the PC frees
  // it, as it is only lost while unplugged.
  static constexpr std::int64_t kPhoneGraceMs = 120000;

  enum class State { waiting, connected, reconnecting };

  struct Joined {
    std::optional<Contestant> seat;  // none: both seats are taken
    std::string token;               // the seat's token, to keep
    bool rejoined = false;           // the pad got back the seat it held
    // The connection that still held the seat the pad got back (another page of the
    // same phone, or one that has not been seen to go yet): it holds nothing now.
    std::optional<std::uint64_t> replaced;
  };

  // A pad asks for a seat, offering the token it kept (or nothing). A matching token
  // gives back its seat (a connection still holding it is let go); otherwise the first
  // free seat goes to the pad under `newToken`.
  Joined join(PadKind kind, std::uint64_t connection, std::string_view offered, std::int64_t now,
              std::string newToken);
  // A pad's connection has gone: its seat waits for it.
  void lost(std::uint64_t connection, std::int64_t now);
  // Frees the seats whose phones have been gone too long.
  void expire(std::int64_t now);
  // The PC lets a seat go: its pad is told so and its token is void.
  void free(Contestant seat);

  std::optional<Contestant> seatOf(std::uint64_t connection) const;
  std::optional<std::uint64_t> connectionOf(Contestant seat) const;
  bool taken(Contestant seat) const { return holders_[seat].taken; }
  bool bothTaken() const { return taken(kFirstContestant) && taken(kSecondContestant); }
  State state(Contestant seat) const;
  PadKind kind(Contestant seat) const { return holders_[seat].kind; }

 private:
  struct Holder {
    bool taken = false;
    PadKind kind = PadKind::phone;
    std::string token;
    std::optional<std::uint64_t> connection;
    std::int64_t lostAt = 0;
  };
  Contestants<Holder> holders_;
};

// Whether two secrets are the same, in a time that does not depend on where they differ.
bool sameSecret(std::string_view a, std::string_view b);

}  // namespace zndl
