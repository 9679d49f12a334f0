// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "pads/pad_rule.h"
#include "pads/seats.h"

// What a phone and the game say to each other, one WebSocket text message at a time.
//
// A phone sends one line, a word and at most one argument after a single space:
//   hello [TOKEN]     asks for a seat, with the seat's token kept from before
//   press ACTION      a, b, c, continue, ok, toss, killpet, heads, tails, kill, back, play
//   name TEXT         the contestant's name; pet TEXT the pet's name (UTF-8)
//   type N            the pet type, 0 to 3; time T the answer time; group NAME the group
//   ping              nothing but keeping the connection alive
// Anything else is not a message; the game ignores it and counts it.
//
// The game sends JSON objects: the seat given (with its token, once), or that both
// seats are taken or that the PC freed this phone's seat; and, whenever it changes,
// what the phone shows (padView) with the seats' states.
namespace zndl::pad_protocol {

inline constexpr std::size_t kMaxMessage = 4096;  // bytes, for a message either way in
inline constexpr std::size_t kTokenLength = 32;   // hex digits of a seat's 128-bit token

struct Message {
  enum class Kind { hello, press, enter, ping };
  Kind kind = Kind::ping;
  PadAction action = PadAction::play;
  EntryField field = EntryField::name;
  std::string value;  // the token of a hello, the text of an entry
};

std::optional<Message> parse(std::string_view text);

// The word a phone sends for an action, and the one it reads in "actions".
const char* actionWord(PadAction action);

// {"seat":0,"token":"..."}: a seat given; {"seat":-1,"full":true}: both are taken.
std::string joinedJson(const Seats::Joined& joined);
// {"seat":-1,"freed":true}
std::string freedJson();
// What a seated phone shows now.
std::string viewJson(const PadView& view, Contestant seat, const Seats& seats);

// A JSON string for a UTF-8 text: quoted, with the characters JSON asks to escape and
// the ones a browser might take for markup escaped as \uXXXX.
std::string jsonString(std::string_view utf8);

}  // namespace zndl::pad_protocol
