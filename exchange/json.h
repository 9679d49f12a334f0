// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A strict reader of JSON text (RFC 8259), for the files that question banks hand out.
// Whatever bytes it is given, it answers with the value or with where and why the text
// stops being JSON. Nothing is guessed: no comments, no trailing commas, no single
// quotes, no bytes that are not UTF-8. Its limits keep a huge or deeply nested file
// from taking the program's memory or stack. Plain C++, no Qt.
namespace zndl::json {

struct Value {
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  std::string text;               // a string's text in UTF-8; a number as written
  std::vector<Value> items;       // an array's elements, or an object's member values
  std::vector<std::string> keys;  // an object's member names, each beside its value

  bool isString() const { return kind == Kind::String; }
  bool isArray() const { return kind == Kind::Array; }
  bool isObject() const { return kind == Kind::Object; }
  // The value of an object's member; nothing when there is no such member or this is
  // not an object.
  const Value* find(std::string_view key) const;
  bool operator==(const Value&) const = default;
};

struct Limits {
  std::size_t maxBytes = 16 * 1024 * 1024;
  int maxDepth = 64;  // arrays and objects inside one another
  std::size_t maxValues = 1'000'000;
};

struct Parsed {
  std::optional<Value> value;  // nothing when the text is not JSON
  std::string error;           // why not, e.g. "expected ',' or ']' after an element"
  // Where the text stops being JSON: 1-based, the column counted in characters. Both 0
  // when the text as a whole is refused (too large, say).
  int line = 0;
  int column = 0;
};

// One JSON value with blanks around it, optionally after a UTF-8 byte-order mark. An
// object that names a member twice is refused: which of the two is meant is anyone's
// guess.
Parsed parse(std::string_view text, const Limits& limits = {});

// The text as a JSON string: in double quotes, with '"', '\\' and the control
// characters escaped (a message naming a member shows it on one line).
std::string quoted(std::string_view text);

}  // namespace zndl::json
