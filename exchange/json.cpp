// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/json.h"

#include <algorithm>
#include <cstdio>

#include "platform/cp1252.h"

namespace zndl::json {
namespace {

// Thrown inside the parser only: where the text went wrong and why.
struct Failure {
  std::size_t at;
  std::string why;
};

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Parser {
 public:
  Parser(std::string_view text, const Limits& limits) : text_(text), limits_(limits) {}

  Value document() {
    if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
    skipBlanks();
    if (pos_ == text_.size()) fail("the file is empty");
    Value v = value(0);
    skipBlanks();
    if (pos_ != text_.size())
      fail("the text goes on after the JSON value has ended, with " + here());
    return v;
  }

 private:
  [[noreturn]] void fail(std::string why) const { throw Failure{pos_, std::move(why)}; }
  [[noreturn]] void failAt(std::size_t at, std::string why) const {
    throw Failure{at, std::move(why)};
  }

  // What stands at the current place, for messages: "'x'", "the end of the file".
  std::string here() const {
    if (pos_ >= text_.size()) return "the end of the file";
    const auto c = static_cast<unsigned char>(text_[pos_]);
    char buffer[16];
    if (c >= 0x20 && c < 0x7F)
      std::snprintf(buffer, sizeof buffer, "'%c'", c);
    else
      std::snprintf(buffer, sizeof buffer, "byte 0x%02X", c);
    return buffer;
  }

  void skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
  }

  bool take(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  Value value(int depth) {
    if (++values_ > limits_.maxValues)
      fail("the file holds more than " + std::to_string(limits_.maxValues) + " values");
    Value v;
    const char c = pos_ < text_.size() ? text_[pos_] : '\0';
    if (c == '{' || c == '[') {
      if (depth >= limits_.maxDepth)
        fail("arrays and objects are nested more than " + std::to_string(limits_.maxDepth) +
             " deep");
      c == '{' ? object(v, depth + 1) : array(v, depth + 1);
    } else if (c == '"') {
      v.kind = Value::Kind::String;
      v.text = string();
    } else if (c == '-' || isDigit(c)) {
      v.kind = Value::Kind::Number;
      v.text = number();
    } else if (literal("true")) {
      v.kind = Value::Kind::Boolean;
      v.boolean = true;
    } else if (literal("false")) {
      v.kind = Value::Kind::Boolean;
    } else if (!literal("null")) {
      fail(
          "expected a value (an object, an array, a string, a number, true, false or "
          "null), found " +
          here());
    }
    return v;
  }

  bool literal(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  void array(Value& v, int depth) {
    v.kind = Value::Kind::Array;
    ++pos_;
    skipBlanks();
    if (take(']')) return;
    while (true) {
      skipBlanks();
      v.items.push_back(value(depth));
      skipBlanks();
      if (take(']')) return;
      if (!take(',')) fail("expected ',' or ']' after an element of an array, found " + here());
    }
  }

  void object(Value& v, int depth) {
    v.kind = Value::Kind::Object;
    const std::size_t start = pos_;
    ++pos_;
    skipBlanks();
    if (!take('}')) {
      while (true) {
        skipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != '"')
          fail("expected a member name in double quotes, found " + here());
        v.keys.push_back(string());
        skipBlanks();
        if (!take(':')) fail("expected ':' after a member name, found " + here());
        skipBlanks();
        v.items.push_back(value(depth));
        skipBlanks();
        if (take('}')) break;
        if (!take(',')) fail("expected ',' or '}' after a member of an object, found " + here());
      }
    }
    // Sorted names side by side show a repeat in n log n, however many members.
    std::vector<std::string_view> names(v.keys.begin(), v.keys.end());
    std::sort(names.begin(), names.end());
    if (const auto twice = std::adjacent_find(names.begin(), names.end()); twice != names.end())
      failAt(start, "this object names the member " + quoted(*twice) + " twice");
  }

  std::string number() {
    const std::size_t start = pos_;
    const auto digits = [&] {
      const std::size_t from = pos_;
      while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_;
      return pos_ - from;
    };
    const auto malformed = [&] {
      failAt(start, "a number must be written as JSON writes one, such as 12, -3, 0.5 or 1e6");
    };
    take('-');
    if (take('0')) {
      if (pos_ < text_.size() && isDigit(text_[pos_])) malformed();  // no leading zeros
    } else if (digits() == 0) {
      malformed();
    }
    if (take('.') && digits() == 0) malformed();
    if (take('e') || take('E')) {
      if (!take('+')) take('-');
      if (digits() == 0) malformed();
    }
    return std::string(text_.substr(start, pos_ - start));
  }

  unsigned hex4() {
    unsigned u = 0;
    for (int k = 0; k < 4; ++k) {
      const int d = pos_ < text_.size() ? hexDigit(text_[pos_]) : -1;
      if (d < 0) fail("\\u must be followed by four hexadecimal digits, found " + here());
      u = u << 4 | static_cast<unsigned>(d);
      ++pos_;
    }
    return u;
  }

  std::string string() {
    std::string out;
    ++pos_;  // the opening quote
    while (true) {
      if (pos_ >= text_.size()) fail("a string is not closed: its closing '\"' is missing");
      const auto c = static_cast<unsigned char>(text_[pos_]);
      if (c == '"') {
        ++pos_;
        return out;
      }
      if (c < 0x20) fail("a string holds a control character, which JSON writes as an escape");
      if (c >= 0x80) {
        const std::size_t at = pos_;
        if (!cp1252::decodeUtf8(text_, pos_))
          fail("the text is not UTF-8 here (" + here() + "), and JSON text must be");
        out += text_.substr(at, pos_ - at);
        continue;
      }
      ++pos_;
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      escape(out);
    }
  }

  void escape(std::string& out) {
    const std::size_t at = pos_ - 1;
    if (pos_ >= text_.size()) fail("a string is not closed: its closing '\"' is missing");
    const char e = text_[pos_++];
    switch (e) {
      case '"':
      case '\\':
      case '/':
        out += e;
        return;
      case 'b':
        out += '\b';
        return;
      case 'f':
        out += '\f';
        return;
      case 'n':
        out += '\n';
        return;
      case 'r':
        out += '\r';
        return;
      case 't':
        out += '\t';
        return;
      case 'u':
        break;
      default:
        --pos_;
        fail("a string holds a backslash before " + here() +
             ", which is no escape JSON knows (\\\", \\\\, \\/, \\b, \\f, \\n, \\r, \\t, \\u)");
    }
    unsigned u = hex4();
    if (u >= 0xDC00 && u <= 0xDFFF)
      failAt(at, "a string holds the second half of a surrogate pair without the first");
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (!literal("\\u"))
        failAt(at, "a string holds the first half of a surrogate pair without the second");
      const unsigned low = hex4();
      if (low < 0xDC00 || low > 0xDFFF)
        failAt(at, "a string holds the first half of a surrogate pair without the second");
      u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
    }
    cp1252::appendUtf8(out, u);
  }

  std::string_view text_;
  const Limits& limits_;
  std::size_t pos_ = 0;
  std::size_t values_ = 0;
};

}  // namespace

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
      out += buffer;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

const Value* Value::find(std::string_view key) const {
  if (kind != Kind::Object) return nullptr;
  for (std::size_t i = 0; i < keys.size(); ++i)
    if (keys[i] == key) return &items[i];
  return nullptr;
}

Parsed parse(std::string_view text, const Limits& limits) {
  Parsed out;
  if (text.size() > limits.maxBytes) {
    out.error = "the file is larger than " + std::to_string(limits.maxBytes) +
                " bytes, more than any question bank needs";
    return out;
  }
  try {
    out.value = Parser(text, limits).document();
  } catch (const Failure& f) {
    out.error = f.why;
    out.line = 1;
    out.column = 1;
    // Columns count characters, so a line of accented text points where an editor does.
    for (std::size_t i = text.starts_with("\xEF\xBB\xBF") ? 3 : 0; i < f.at && i < text.size();
         ++i) {
      if (text[i] == '\n') {
        ++out.line;
        out.column = 1;
      } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
        ++out.column;
      }
    }
  }
  return out;
}

}  // namespace zndl::json
