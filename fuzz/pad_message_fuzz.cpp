// SPDX-License-Identifier: GPL-3.0-or-later
// What a phone may send: any bytes read as an HTTP head and routed, and read as pad
// messages line by line and played into a game, must never misbehave; whatever is
// taken must be what the rules allow.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fakes/test_game.h"
#include "pads/http_request.h"
#include "pads/pad_protocol.h"
#include "pads/pad_rule.h"
#include "platform/cp1252.h"

namespace {

void checkJsonString(std::string_view text) {
  const std::string json = zndl::pad_protocol::jsonString(text);
  if (json.size() < 2 || json.front() != '"' || json.back() != '"') std::abort();
  for (std::size_t i = 1; i + 1 < json.size(); ++i) {
    const auto c = static_cast<unsigned char>(json[i]);
    if (c < 0x20 || c == '<' || c == '>' || c == '&') std::abort();
    if (c == '"' && json[i - 1] != '\\') std::abort();
  }
  if (!zndl::cp1252::isUtf8(json)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  namespace http = zndl::http;
  http::Request request;
  if (http::readHead(bytes, request) == http::Head::complete) {
    if (request.target.empty() || request.target.front() != '/') std::abort();
    if (request.headers.size() > http::kMaxHeaders) std::abort();
    const std::string token = "0123456789abcdef0123456789abcdef";
    std::string host;
    const auto asked = http::route(request, token, {"127.0.0.1:47470"}, &host);
    if (asked == http::Asked::socket && host != "127.0.0.1:47470") std::abort();
    if (asked != http::Asked::nothing && request.method != "GET") std::abort();
  }
  checkJsonString(bytes);

  static zndl::testing::TestGame* game = [] {
    auto* made = new zndl::testing::TestGame;
    (*made)->start();
    return made;
  }();
  std::string_view rest = bytes;
  int line = 0;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view text = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    const auto message = zndl::pad_protocol::parse(text);
    if (!message) continue;
    if (text.size() > zndl::pad_protocol::kMaxMessage) std::abort();
    const auto who = static_cast<zndl::Contestant>(line++ % 2);
    game->run([&] {
      if (message->kind == zndl::pad_protocol::Message::Kind::press)
        zndl::pressOnPad(**game, who, message->action, true);
      if (message->kind == zndl::pad_protocol::Message::Kind::enter)
        zndl::enterOnPad(**game, who, message->field, message->value);
    });
    for (const zndl::ContestantEntry& entry : (*game)->screen<zndl::TitleScreen>().entries)
      if (!zndl::TitleScreen::storableEntry(entry.name) ||
          !zndl::TitleScreen::storableEntry(entry.petName) || entry.petType < 0 ||
          entry.petType > 3)
        std::abort();
  }
  return 0;
}
