// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/opentdb.h"

// The texts of an Open Trivia Database file in their encodings: telling which one a
// file uses, and decoding a text from it.
namespace zndl::exchange::opentdb {

// Strict base64 (RFC 4648, with its padding); nothing for anything else.
std::optional<std::string> fromBase64(std::string_view text);
// %XX escapes, and with plusIsSpace '+' for a space; nothing for a '%' without two
// hexadecimal digits.
std::optional<std::string> fromPercent(std::string_view text, bool plusIsSpace);

// The encoding of a file, from every text of it (the types first, then all texts): base64
// when every type decodes from base64 to a type the API knows, percent-encoding when
// every text is made of what it leaves unescaped and some hold an escape, the API's
// default otherwise.
OpenTdbEncoding detectEncoding(const std::vector<std::string_view>& types,
                               const std::vector<std::string_view>& texts);

struct DecodedText {
  std::string text;  // UTF-8
  // Why the text cannot be read, each a phrase to follow the text's name ("is not
  // valid base64"); empty when it can.
  std::vector<std::string> faults;
};
DecodedText decodeText(std::string_view text, OpenTdbEncoding encoding);

}  // namespace zndl::exchange::opentdb
