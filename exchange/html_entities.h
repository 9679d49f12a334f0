// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// HTML's character references (&eacute;, &#233;, &#xE9;), as question banks write the
// characters of their texts. Plain C++, no Qt.
namespace zndl::html {

struct Entity {
  std::string_view name;  // as written between '&' and ';', e.g. "eacute"
  std::string_view text;  // what it stands for, in UTF-8
  bool legacy;            // the oldest names, which browsers also read without the ';'
};

// Every named reference of HTML whose text Windows-1252 can hold (a group file can
// hold nothing else), sorted by name byte for byte.
std::span<const Entity> entities();
const Entity* findEntity(std::string_view name);

struct Decoded {
  std::string text;  // UTF-8
  // The named references outside the table as they are written ("&hearts;"), left in
  // the text as they stand.
  std::vector<std::string> unknown;
};

// The text with its references replaced the way a browser reads text in a page:
// numbered ones in decimal or hexadecimal (the ';' may be missing; 128 to 159 are
// the Windows-1252 characters of those bytes, as browsers have always taken them;
// 0, surrogates and numbers past U+10FFFF become U+FFFD), and named ones from the
// table, the oldest names also without their ';'. An '&' that starts no reference
// stays as it is.
Decoded decode(std::string_view text);

}  // namespace zndl::html
