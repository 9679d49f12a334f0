// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "exchange/json.h"

using namespace zndl;
using json::Value;

namespace {

std::string where(const json::Parsed& p) {
  return std::to_string(p.line) + ":" + std::to_string(p.column) + " " + p.error;
}

// The error of a text that must not parse.
std::string refusal(std::string_view text, const json::Limits& limits = {}) {
  const json::Parsed p = json::parse(text, limits);
  EXPECT_FALSE(p.value) << text;
  EXPECT_FALSE(p.error.empty()) << text;
  return where(p);
}

}  // namespace

TEST(JsonReader, ReadsEveryKindOfValue) {
  const json::Parsed p = json::parse(
      "\xEF\xBB\xBF {\"s\": \"a\\\"b\\\\c\\/d\\b\\f\\n\\r\\t\", \"n\": [0, -12.5e+3, 1E-2],\r\n"
      "  \"t\": true, \"f\": false, \"z\": null, \"e\": {}, \"l\": [[]],\n"
      "  \"u\": \"caf\\u00e9 caf\xC3\xA9 \\ud83d\\ude00\"}\n");
  ASSERT_TRUE(p.value) << where(p);
  const Value& v = *p.value;
  ASSERT_TRUE(v.isObject());
  EXPECT_EQ(v.keys, (std::vector<std::string>{"s", "n", "t", "f", "z", "e", "l", "u"}));
  EXPECT_EQ(v.find("s")->text, "a\"b\\c/d\b\f\n\r\t");
  ASSERT_EQ(v.find("n")->items.size(), 3u);
  EXPECT_EQ(v.find("n")->items[1].kind, Value::Kind::Number);
  EXPECT_EQ(v.find("n")->items[1].text, "-12.5e+3");
  EXPECT_TRUE(v.find("t")->boolean);
  EXPECT_EQ(v.find("f")->kind, Value::Kind::Boolean);
  EXPECT_FALSE(v.find("f")->boolean);
  EXPECT_EQ(v.find("z")->kind, Value::Kind::Null);
  EXPECT_TRUE(v.find("e")->isObject());
  EXPECT_TRUE(v.find("l")->items[0].isArray());
  EXPECT_EQ(v.find("u")->text, "caf\u00e9 caf\u00e9 \U0001F600");
  EXPECT_EQ(v.find("missing"), nullptr);
  EXPECT_EQ(v.find("s")->find("s"), nullptr);  // not an object
  // A bare scalar is a whole document too.
  EXPECT_EQ(json::parse(" \"x\" ").value->text, "x");
}

TEST(JsonReader, RefusesWhatJsonDoesNotAllowAndSaysWhere) {
  EXPECT_EQ(refusal(""), "1:1 the file is empty");
  EXPECT_EQ(refusal(" \r\n "), "2:2 the file is empty");
  // Trailing commas, comments, single quotes and bare words are all someone's habit.
  EXPECT_EQ(refusal("[1, 2,]"),
            "1:7 expected a value (an object, an array, a string, a number, "
            "true, false or null), found ']'");
  EXPECT_EQ(refusal("{\"a\": 1,}"), "1:9 expected a member name in double quotes, found '}'");
  EXPECT_EQ(refusal("{'a': 1}"), "1:2 expected a member name in double quotes, found '''");
  EXPECT_EQ(refusal("[1] // done"),
            "1:5 the text goes on after the JSON value has ended, with '/'");
  EXPECT_EQ(refusal("{\"a\" 1}"), "1:6 expected ':' after a member name, found '1'");
  EXPECT_EQ(refusal("[1 2]"), "1:4 expected ',' or ']' after an element of an array, found '2'");
  EXPECT_EQ(refusal("{\"a\": 1 \"b\": 2}"),
            "1:9 expected ',' or '}' after a member of an object, found '\"'");
  EXPECT_EQ(refusal("[tru]").substr(0, 24), "1:2 expected a value (an");
  EXPECT_EQ(refusal("[True]").substr(0, 24), "1:2 expected a value (an");
  // Numbers as JSON writes them, and nothing else.
  for (const char* number : {"01", "-", "1.", "1.e5", "1e", "1e+", "-01", "-a"})
    EXPECT_EQ(refusal(std::string("[") + number + "]"),
              "1:2 a number must be written as JSON writes one, such as 12, -3, 0.5 or 1e6")
        << number;
  EXPECT_EQ(refusal("[.5]").substr(0, 24), "1:2 expected a value (an");
  EXPECT_EQ(refusal("[+1]").substr(0, 24), "1:2 expected a value (an");
  EXPECT_EQ(refusal("[0x1F]"), "1:3 expected ',' or ']' after an element of an array, found 'x'");
  // Columns count characters: the é before the fault is one column, not two bytes.
  EXPECT_EQ(refusal("[\"caf\xC3\xA9\",\n \"caf\xC3\xA9\" x]"),
            "2:9 expected ',' or ']' after an element of an array, found 'x'");
}

TEST(JsonReader, StringsAreUtf8WithTheirEscapesWhole) {
  EXPECT_EQ(refusal("[\"open"), "1:7 a string is not closed: its closing '\"' is missing");
  EXPECT_EQ(refusal("[\"open\\"), "1:8 a string is not closed: its closing '\"' is missing");
  EXPECT_EQ(refusal("[\"tab\there\"]"),
            "1:6 a string holds a control character, which JSON writes as an escape");
  EXPECT_NE(refusal("[\"\\x41\"]").find("a backslash before 'x', which is no escape"),
            std::string::npos);
  EXPECT_EQ(refusal("[\"\\u00g1\"]"),
            "1:7 \\u must be followed by four hexadecimal digits, found 'g'");
  EXPECT_EQ(refusal("[\"\\ude00\"]"),
            "1:3 a string holds the second half of a surrogate pair without the first");
  EXPECT_EQ(refusal("[\"\\ud83d x\"]"),
            "1:3 a string holds the first half of a surrogate pair without the second");
  EXPECT_EQ(refusal("[\"\\ud83d\\u0041\"]"),
            "1:3 a string holds the first half of a surrogate pair without the second");
  // Windows-1252 bytes, an overlong form and a cut-off sequence are not UTF-8.
  for (const char* bad : {"[\"caf\xE9\"]", "[\"\xC0\xAF\"]", "[\"\xE2\x98\"]"})
    EXPECT_NE(refusal(bad).find("is not UTF-8 here (byte 0x"), std::string::npos) << bad;
  EXPECT_EQ(json::parse("[\"\\u0000\"]").value->items[0].text, std::string(1, '\0'));
}

TEST(JsonReader, AMemberNamedTwiceIsRefusedWhereItsObjectStarts) {
  EXPECT_EQ(refusal("[1,\n  {\"results\": [], \"x\": 1, \"results\": [2]}]"),
            "2:3 this object names the member \"results\" twice");
  // The name as JSON writes it, so that the message stays on one line.
  EXPECT_EQ(refusal("{\"a\\nb\": 1, \"a\\u000ab\": 2}"),
            "1:1 this object names the member \"a\\u000Ab\" twice");
  // The same name in different objects is fine.
  EXPECT_TRUE(json::parse("[{\"a\": 1}, {\"a\": {\"a\": 2}}]").value);
}

TEST(JsonReader, LimitsBoundSizeDepthAndValues) {
  json::Limits small;
  small.maxBytes = 32;
  small.maxDepth = 3;
  small.maxValues = 5;
  EXPECT_TRUE(json::parse("[[[1]]]", small).value);
  EXPECT_EQ(refusal("[[[[1]]]]", small), "1:4 arrays and objects are nested more than 3 deep");
  EXPECT_EQ(refusal("{\"a\": {\"b\": [{}]}}", small),
            "1:14 arrays and objects are nested more than 3 deep");
  EXPECT_TRUE(json::parse("[1, 2, 3, 4]", small).value);
  EXPECT_EQ(refusal("[1, 2, 3, 4, 5]", small), "1:14 the file holds more than 5 values");
  const std::string big = "[\"" + std::string(40, 'x') + "\"]";
  EXPECT_EQ(refusal(big, small),
            "0:0 the file is larger than 32 bytes, more than any question bank needs");
  // The ordinary limits let no file run the stack out, however deep it goes.
  const std::string deep(100000, '[');
  EXPECT_NE(refusal(deep).find("nested more than 64 deep"), std::string::npos);
  EXPECT_TRUE(json::parse(std::string(64, '[') + std::string(64, ']')).value);
}
