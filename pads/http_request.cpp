// SPDX-License-Identifier: GPL-3.0-or-later
#include "pads/http_request.h"

#include <algorithm>

#include "pads/seats.h"

namespace zndl::http {
namespace {

bool isTokenChar(char c) {
  // RFC 9110's tchar.
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool isFieldChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u == '\t' || (u >= 0x20 && u != 0x7F);
}

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool hasWord(std::string_view list, std::string_view word) {
  // A comma-separated header value holding `word`, in any letter case.
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    if (lower(trim(list.substr(0, comma))) == word) return true;
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return false;
}

}  // namespace

std::optional<std::string> Request::header(std::string_view lowerName) const {
  std::optional<std::string> found;
  for (const auto& [name, value] : headers) {
    if (name != lowerName) continue;
    if (found) return std::nullopt;
    found = value;
  }
  return found;
}

Head readHead(std::string_view bytes, Request& out) {
  const std::size_t end = bytes.find("\r\n\r\n");
  if (end == std::string_view::npos) return bytes.size() >= kMaxHead ? Head::bad : Head::incomplete;
  if (end + 4 > kMaxHead) return Head::bad;
  std::string_view head = bytes.substr(0, end + 2);
  Request request;

  const std::size_t lineEnd = head.find("\r\n");
  std::string_view line = head.substr(0, lineEnd);
  head.remove_prefix(lineEnd + 2);
  const std::size_t first = line.find(' ');
  const std::size_t second = line.find(' ', first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos) return Head::bad;
  const std::string_view method = line.substr(0, first);
  const std::string_view target = line.substr(first + 1, second - first - 1);
  if (line.substr(second + 1) != "HTTP/1.1" || method.empty() || target.empty() ||
      target.front() != '/')
    return Head::bad;
  if (!std::all_of(method.begin(), method.end(), isTokenChar)) return Head::bad;
  for (char c : target)
    if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F)
      return Head::bad;
  request.method = std::string(method);
  request.target = std::string(target);

  while (!head.empty()) {
    const std::size_t next = head.find("\r\n");
    const std::string_view field = head.substr(0, next);
    head.remove_prefix(next + 2);
    const std::size_t colon = field.find(':');
    if (colon == 0 || colon == std::string_view::npos) return Head::bad;
    const std::string_view name = field.substr(0, colon);
    const std::string_view value = field.substr(colon + 1);
    if (!std::all_of(name.begin(), name.end(), isTokenChar) ||
        !std::all_of(value.begin(), value.end(), isFieldChar))
      return Head::bad;
    if (request.headers.size() == kMaxHeaders) return Head::bad;
    request.headers.emplace_back(lower(name), std::string(trim(value)));
  }
  out = std::move(request);
  return Head::complete;
}

Asked route(const Request& request, std::string_view token, const std::vector<std::string>& hosts,
            std::string* host) {
  if (request.method != "GET") return Asked::nothing;
  std::string_view target = request.target;
  if (!target.starts_with("/j/")) return Asked::nothing;
  target.remove_prefix(3);
  const std::size_t slash = target.find('/');
  if (!sameSecret(target.substr(0, slash), token)) return Asked::nothing;
  const std::string_view rest = slash == std::string_view::npos ? "" : target.substr(slash);
  if (rest.empty()) return Asked::page;
  if (rest == "/pad.css") return Asked::style;
  if (rest == "/pad.js") return Asked::script;
  if (rest != "/ws") return Asked::nothing;

  // The socket: an upgrade to a WebSocket, asked by this game's own page at an address
  // the game serves, so neither another site's page nor a renamed host drives a seat.
  const auto hostHeader = request.header("host");
  const auto origin = request.header("origin");
  const auto upgrade = request.header("upgrade");
  const auto connection = request.header("connection");
  if (!hostHeader || !origin || !upgrade || !connection) return Asked::nothing;
  if (lower(*upgrade) != "websocket" || !hasWord(*connection, "upgrade")) return Asked::nothing;
  if (std::find(hosts.begin(), hosts.end(), *hostHeader) == hosts.end()) return Asked::nothing;
  if (*origin != "http://" + *hostHeader) return Asked::nothing;
  if (host) *host = *hostHeader;
  return Asked::socket;
}

}  // namespace zndl::http
