// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "checker/group_checker.h"
#include "platform/cp1252.h"

namespace zndl::check {

namespace {

bool hasHighByte(std::string_view s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Whether the bytes are well-formed UTF-8 with at least one character beyond ASCII:
// text saved by a modern editor, which the game would show garbled.
bool looksLikeUtf8(std::string_view bytes) {
  return hasHighByte(bytes) && cp1252::isUtf8(bytes);
}

}  // namespace

void GroupChecker::checkEncoding() {
  for (int i = 0; i < store_.count(); ++i) {
    const std::string shown = store_.at(i);
    std::string raw = cp1252::fromUtf8(shown).value_or(std::string());
    if (i == 0 && raw.starts_with(kByteOrderMark)) {
      raw.erase(0, kByteOrderMark.size());
      std::string message =
          "the file starts with a UTF-8 byte-order mark, which the game reads as the text " +
          quoted(cp1252::toUtf8(kByteOrderMark)) + " at the start of this line";
      if (raw == kVersionLine) {
        message +=
            ", so the first line is not exactly (ZNDL v4) and the group is read in the "
            "classic layout";
        versionReported_ = true;
      }
      report(i, message + "; save the file as Windows-1252 without a byte-order mark");
    }
    if (looksLikeUtf8(raw)) {
      report(i, "this line is UTF-8 text, but the game reads Windows-1252 and shows " +
                    garbledWords(raw) + "; save the file as Windows-1252");
    } else {
      for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) {
          static const char* hex = "0123456789ABCDEF";
          report(i, std::string("this line holds the byte 0x") + hex[byte >> 4] + hex[byte & 15] +
                        ", which is no character in Windows-1252; the game shows nothing "
                        "sensible there");
          break;
        }
      }
    }
  }
}

// The words of a UTF-8 line that hold other than ASCII, as written and as the game
// shows them.
std::string GroupChecker::garbledWords(std::string_view raw) {
  std::string out;
  int shown = 0;
  std::size_t start = 0;
  while (start <= raw.size()) {
    std::size_t end = raw.find(' ', start);
    if (end == std::string_view::npos) end = raw.size();
    const std::string_view word = raw.substr(start, end - start);
    if (hasHighByte(word)) {
      if (shown == 3) {
        out += " and more";
        break;
      }
      if (shown > 0) out += ", ";
      out += quoted(word) + " as " + quoted(cp1252::toUtf8(word));
      ++shown;
    }
    start = end + 1;
  }
  return out;
}

}  // namespace zndl::check
