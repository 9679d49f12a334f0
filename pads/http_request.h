// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The one kind of HTTP request the phones' server takes: the head of a GET, read
// strictly and within bounds. Anything else is no request.
namespace zndl::http {

inline constexpr std::size_t kMaxHead = 4096;  // bytes: request line and headers
inline constexpr std::size_t kMaxHeaders = 32;

struct Request {
  std::string method;
  std::string target;
  std::vector<std::pair<std::string, std::string>> headers;  // names in lower case

  // The value of a header that stands once; nothing when it is missing or repeated.
  std::optional<std::string> header(std::string_view lowerName) const;
};

enum class Head { incomplete, complete, bad };

// Reads the head at the start of `bytes`: incomplete while it may still come whole,
// bad once it cannot be a request (too long, a malformed line, a version but HTTP/1.1).
Head readHead(std::string_view bytes, Request& out);

// What a request asks the phones' server for.
enum class Asked { page, style, script, socket, nothing };

// Where a request goes: the page and its two files at /j/TOKEN, the socket at
// /j/TOKEN/ws as a WebSocket upgrade from a page of this game (Origin and Host naming
// one of `hosts`, each "ADDRESS:PORT"); anything else, a wrong token included, is
// nothing. `host` is set to the Host of an upgrade.
Asked route(const Request& request, std::string_view token, const std::vector<std::string>& hosts,
            std::string* host = nullptr);

}  // namespace zndl::http
