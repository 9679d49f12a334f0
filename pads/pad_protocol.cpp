// SPDX-License-Identifier: GPL-3.0-or-later
#include "pads/pad_protocol.h"

#include <cstdio>

#include "platform/cp1252.h"
#include "shell/pet_type.h"

namespace zndl::pad_protocol {
namespace {

struct ActionWord {
  const char* word;
  PadAction action;
};
constexpr ActionWord kActions[] = {
    {"a", PadAction::answerA},          {"b", PadAction::answerB},
    {"c", PadAction::answerC},          {"continue", PadAction::continueQuiz},
    {"ok", PadAction::okNotice},        {"toss", PadAction::tossCoin},
    {"killpet", PadAction::killThePet}, {"heads", PadAction::callHeads},
    {"tails", PadAction::callTails},    {"kill", PadAction::kill},
    {"back", PadAction::backToTitle},   {"play", PadAction::play},
};

struct FieldWord {
  const char* word;
  EntryField field;
};
constexpr FieldWord kFields[] = {{"name", EntryField::name},
                                 {"pet", EntryField::petName},
                                 {"type", EntryField::petType},
                                 {"time", EntryField::answerTime},
                                 {"group", EntryField::group}};

bool isToken(std::string_view text) {
  if (text.size() != kTokenLength) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

const char* screenWord(PadScreen screen) {
  switch (screen) {
    case PadScreen::title:
      return "title";
    case PadScreen::introduction:
      return "introduction";
    case PadScreen::quiz:
      return "quiz";
    case PadScreen::notice:
      return "notice";
    case PadScreen::tieBreak:
      return "tieBreak";
    case PadScreen::coinCall:
      return "coinCall";
    case PadScreen::finale:
      return "finale";
  }
  return "title";
}

const char* stateWord(Seats::State state) {
  switch (state) {
    case Seats::State::connected:
      return "connected";
    case Seats::State::reconnecting:
      return "reconnecting";
    case Seats::State::waiting:
      break;
  }
  return "waiting";
}

template <class T, class Each>
std::string jsonArray(const T& items, Each each) {
  std::string out = "[";
  for (const auto& item : items) {
    if (out.size() > 1) out += ",";
    out += each(item);
  }
  return out + "]";
}

std::string quoted(const std::string& text) {
  return jsonString(text);
}

}  // namespace

std::optional<Message> parse(std::string_view text) {
  if (text.empty() || text.size() > kMaxMessage || !cp1252::isUtf8(text)) return std::nullopt;
  const std::size_t space = text.find(' ');
  const std::string_view word = text.substr(0, space);
  const bool hasArgument = space != std::string_view::npos;
  const std::string_view argument = hasArgument ? text.substr(space + 1) : std::string_view();
  Message message;
  if (word == "ping" && !hasArgument) {
    message.kind = Message::Kind::ping;
    return message;
  }
  if (word == "hello") {
    if (hasArgument && !isToken(argument)) return std::nullopt;
    message.kind = Message::Kind::hello;
    message.value = std::string(argument);
    return message;
  }
  if (word == "press" && hasArgument) {
    for (const ActionWord& a : kActions)
      if (argument == a.word) {
        message.kind = Message::Kind::press;
        message.action = a.action;
        return message;
      }
    return std::nullopt;
  }
  for (const FieldWord& f : kFields)
    if (word == f.word && hasArgument) {
      message.kind = Message::Kind::enter;
      message.field = f.field;
      message.value = std::string(argument);
      return message;
    }
  return std::nullopt;
}

const char* actionWord(PadAction action) {
  for (const ActionWord& a : kActions)
    if (a.action == action) return a.word;
  return "";
}

std::string jsonString(std::string_view utf8) {
  std::string out = "\"";
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    const auto c = cp1252::decodeUtf8(utf8, pos);
    if (!c) {  // not UTF-8: the replacement character, so the JSON stays valid
      out += "\\ufffd";
      pos = start + 1;
      continue;
    }
    if (*c == '"' || *c == '\\') {
      out += '\\';
      out += static_cast<char>(*c);
    } else if (*c < 0x20 || *c == '<' || *c == '>' || *c == '&' || *c == 0x2028 || *c == 0x2029 ||
               (*c >= 0x7F && *c <= 0x9F)) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(*c));
      out += escaped;
    } else {
      out.append(utf8.substr(start, pos - start));
    }
  }
  return out + "\"";
}

std::string joinedJson(const Seats::Joined& joined) {
  if (!joined.seat) return R"({"seat":-1,"full":true})";
  return "{\"seat\":" + std::to_string(*joined.seat) + ",\"token\":" + quoted(joined.token) +
         ",\"rejoined\":" + (joined.rejoined ? "true" : "false") + "}";
}

std::string freedJson() {
  return R"({"seat":-1,"freed":true})";
}

std::string viewJson(const PadView& view, Contestant seat, const Seats& seats) {
  const auto number = [](int n) { return std::to_string(n); };
  std::string out = "{\"seat\":" + std::to_string(seat);
  out += ",\"screen\":\"" + std::string(screenWord(view.screen)) + "\"";
  out += ",\"seats\":" + jsonArray(kBothContestants, [&](Contestant c) {
           return std::string("\"") + stateWord(seats.state(c)) + "\"";
         });
  out += ",\"names\":" + jsonArray(view.names, quoted);
  out += ",\"actions\":" + jsonArray(view.actions, [](PadAction a) {
           return std::string("\"") + actionWord(a) + "\"";
         });
  out += ",\"host\":" + quoted(view.hostLine);
  if (view.screen == PadScreen::title) {
    out += ",\"entry\":{\"name\":" + quoted(view.entry.name) +
           ",\"pet\":" + quoted(view.entry.petName) +
           ",\"type\":" + std::to_string(view.entry.petType) +
           ",\"time\":" + quoted(view.entry.answerTime.text) +
           ",\"times\":" + jsonArray(view.entry.answerTime.items, quoted) + ",\"types\":" +
           jsonArray(std::array{kHamster, kGoldfish, kMouse, kDog},
                     [](int t) { return quoted(petTypeText(t)); }) +
           "}";
    out += ",\"groups\":" + jsonArray(view.groups, quoted);
    out += ",\"group\":" + quoted(view.group);
  }
  if (view.screen == PadScreen::quiz) {
    out += ",\"turn\":" + std::to_string(view.turn);
    out += ",\"question\":" + quoted(view.question);
    out += ",\"answers\":" + jsonArray(view.answers, quoted);
    out += ",\"clock\":" + quoted(view.clock);
    out += ",\"result\":" + quoted(view.result);
    out += ",\"scores\":" + jsonArray(view.scores, number);
    out += ",\"lives\":" + jsonArray(view.lives, number);
  }
  return out + "}";
}

}  // namespace zndl::pad_protocol
