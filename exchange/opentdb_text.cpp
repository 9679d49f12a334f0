// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/opentdb_text.h"

#include <algorithm>

#include "checker/group_checker.h"
#include "exchange/html_entities.h"
#include "platform/cp1252.h"

namespace zndl::exchange::opentdb {
namespace {

int base64Digit(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// What RFC 3986 leaves unescaped.
bool unreserved(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

bool knownType(std::string_view type) {
  return type == "multiple" || type == "boolean";
}

}  // namespace

std::optional<std::string> fromBase64(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    // '=' pads only the end: "xx==" or "xxx=".
    const int pad = last ? static_cast<int>(std::count(text.end() - 2, text.end(), '=')) : 0;
    if (pad == 1 && text[i + 2] == '=') return std::nullopt;
    unsigned group = 0;
    for (int k = 0; k < 4; ++k) {
      const int d = k >= 4 - pad ? 0 : base64Digit(text[i + static_cast<std::size_t>(k)]);
      if (d < 0) return std::nullopt;
      group = group << 6 | static_cast<unsigned>(d);
    }
    out += static_cast<char>(group >> 16);
    if (pad < 2) out += static_cast<char>(group >> 8 & 0xFF);
    if (pad < 1) out += static_cast<char>(group & 0xFF);
  }
  return out;
}

std::optional<std::string> fromPercent(std::string_view text, bool plusIsSpace) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+' && plusIsSpace) {
      out += ' ';
    } else if (text[i] == '%') {
      const int high = i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
      const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
      if (low < 0) return std::nullopt;
      out += static_cast<char>(high << 4 | low);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

OpenTdbEncoding detectEncoding(const std::vector<std::string_view>& types,
                               const std::vector<std::string_view>& texts) {
  // "multiple" and "boolean" read the same in the default and the percent encodings,
  // but base64 turns them into letters that are no type.
  if (!types.empty() && std::all_of(types.begin(), types.end(), [](std::string_view t) {
        const auto decoded = fromBase64(t);
        return decoded && knownType(*decoded);
      }))
    return OpenTdbEncoding::Base64;
  bool escapes = false;
  bool plus = false;
  for (const std::string_view text : texts) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (unreserved(c)) continue;
      if (c == '+') {
        plus = true;
      } else if (c == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
                 hexDigit(text[i + 2]) >= 0) {
        escapes = true;
        i += 2;
      } else {
        // A space, a question mark, an '&': ordinary text, which percent-encoding
        // never leaves as it is.
        return OpenTdbEncoding::Html;
      }
    }
  }
  // RFC 3986 escapes a '+' itself, so a bare one is the older form's space.
  if (plus) return OpenTdbEncoding::UrlLegacy;
  return escapes ? OpenTdbEncoding::Url3986 : OpenTdbEncoding::Html;
}

DecodedText decodeText(std::string_view text, OpenTdbEncoding encoding) {
  DecodedText out;
  std::optional<std::string> bytes;
  switch (encoding) {
    case OpenTdbEncoding::Html: {
      html::Decoded decoded = html::decode(text);
      for (const auto& name : decoded.unknown)
        out.faults.push_back("holds " + check::quoted(name) +
                             ", which is no HTML entity for a character Windows-1252 can hold");
      out.text = std::move(decoded.text);
      return out;
    }
    case OpenTdbEncoding::Url3986:
    case OpenTdbEncoding::UrlLegacy:
      bytes = fromPercent(text, encoding == OpenTdbEncoding::UrlLegacy);
      if (!bytes) out.faults.push_back("is not percent-encoded as the rest of the file is");
      break;
    case OpenTdbEncoding::Base64:
      bytes = fromBase64(text);
      if (!bytes) out.faults.push_back("is not base64 as the rest of the file is");
      break;
  }
  if (bytes && !cp1252::isUtf8(*bytes)) {
    out.faults.push_back("is not UTF-8 text once decoded");
    bytes.reset();
  }
  if (bytes) out.text = std::move(*bytes);
  return out;
}

}  // namespace zndl::exchange::opentdb
