// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/html_entities.h"

#include <algorithm>

#include "platform/cp1252.h"

namespace zndl::html {
namespace {

bool isAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int digitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hex) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A numbered reference at text[at] ("&#..."): its length, or 0 when no digit follows
// and the '&' is only an ampersand.
std::size_t numbered(std::string_view text, std::size_t at, std::string& out) {
  std::size_t i = at + 2;
  const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  const std::size_t first = i;
  char32_t cp = 0;
  for (int d; i < text.size() && (d = digitValue(text[i], hex)) >= 0; ++i)
    cp = std::min<char32_t>(cp * (hex ? 16 : 10) + static_cast<char32_t>(d), 0x110000);
  if (i == first) return 0;
  if (i < text.size() && text[i] == ';') ++i;
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    cp = 0xFFFD;
  } else if (cp >= 0x80 && cp <= 0x9F) {
    // Pages declared as Latin-1 were written in Windows-1252, so browsers read these
    // numbers as that code page's characters (&#150; is an en dash).
    out += cp1252::toUtf8(std::string(1, static_cast<char>(cp)));
    return i - at;
  }
  cp1252::appendUtf8(out, cp);
  return i - at;
}

}  // namespace

const Entity* findEntity(std::string_view name) {
  const auto table = entities();
  const auto it = std::lower_bound(table.begin(), table.end(), name,
                                   [](const Entity& e, std::string_view n) { return e.name < n; });
  return it != table.end() && it->name == name ? &*it : nullptr;
}

Decoded decode(std::string_view text) {
  Decoded out;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t amp = text.find('&', i);
    out.text += text.substr(i, amp == std::string_view::npos ? std::string_view::npos : amp - i);
    if (amp == std::string_view::npos) break;
    i = amp + 1;
    if (i < text.size() && text[i] == '#') {
      if (const std::size_t length = numbered(text, amp, out.text)) {
        i = amp + length;
        continue;
      }
      out.text += '&';
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && isAlnum(text[end])) ++end;
    const std::string_view name = text.substr(i, end - i);
    if (end < text.size() && text[end] == ';' && !name.empty()) {
      if (const Entity* e = findEntity(name)) {
        out.text += e->text;
      } else {
        // Outside the table: a character Windows-1252 lacks, or a name HTML does not
        // know. Either way the text cannot be shown as it was meant.
        const std::string written = "&" + std::string(name) + ";";
        out.unknown.push_back(written);
        out.text += written;
      }
      i = end + 1;
      continue;
    }
    // Without a ';' only the oldest names count, the longest that fits ("&copy2024").
    std::size_t length = name.size();
    const Entity* legacy = nullptr;
    for (; length > 0 && !legacy; --length)
      if (const Entity* e = findEntity(name.substr(0, length)); e && e->legacy) legacy = e;
    if (legacy) {
      out.text += legacy->text;
      i += legacy->name.size();
    } else {
      out.text += '&';
    }
  }
  return out;
}

}  // namespace zndl::html
