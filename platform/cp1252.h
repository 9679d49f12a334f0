// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The game's files are single-byte Windows-1252 text; the core holds UTF-8. These
// conversions cover all 256 bytes both ways (the five bytes Windows-1252 leaves
// undefined map to the C1 controls of the same value), so bytes read and written
// back are unchanged.
namespace zndl::cp1252 {

std::string toUtf8(std::string_view bytes);

// The Windows-1252 bytes of a UTF-8 text, or nothing when the text holds a character
// the code page cannot hold (or is not valid UTF-8).
std::optional<std::string> fromUtf8(std::string_view utf8);

// Whether every character of the UTF-8 text has a Windows-1252 byte.
bool representable(std::string_view utf8);

// Decodes the UTF-8 sequence at `pos` and moves `pos` past it; nothing, and `pos`
// unmoved, for a malformed or cut-off sequence.
std::optional<char32_t> decodeUtf8(std::string_view utf8, std::size_t& pos);
// Whether the bytes are well-formed UTF-8 throughout.
bool isUtf8(std::string_view bytes);
// Appends the UTF-8 form of a character.
void appendUtf8(std::string& out, char32_t cp);

// Letter case folded the way the game compares names and markers: ASCII letters and
// the Windows-1252 accented letters compare equal to their other case.
std::string foldCase(std::string_view utf8);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zndl::cp1252
