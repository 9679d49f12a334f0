// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/json.h"

// Files as the Open Trivia Database's API writes them, for the import's tests: its
// response object or a bare list of results, with the texts in one of its encodings.
namespace zndl::testing {

struct TriviaRow {
  std::string type = "multiple";
  std::string difficulty = "easy";
  std::string category = "General Knowledge";
  std::string question;
  std::string correct;
  std::vector<std::string> incorrect;
};

enum class TriviaEncoding { Html, Url3986, Base64 };

// Html leaves the text as given (a test writes its entities itself); the others encode
// the UTF-8 bytes as the API's url3986 and base64 do.
inline std::string triviaEncode(std::string_view text, TriviaEncoding encoding) {
  std::string out;
  if (encoding == TriviaEncoding::Html) return std::string(text);
  if (encoding == TriviaEncoding::Url3986) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char ch : text) {
      const auto c = static_cast<unsigned char>(ch);
      if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
          c == '.' || c == '_' || c == '~') {
        out += ch;
      } else {
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 15];
      }
    }
    return out;
  }
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::size_t i = 0; i < text.size(); i += 3) {
    unsigned group = 0;
    for (std::size_t k = 0; k < 3; ++k)
      group = group << 8 | (i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u);
    for (std::size_t k = 0; k < 4; ++k)
      out += k <= text.size() - i ? kDigits[group >> (18 - 6 * k) & 63] : '=';
  }
  return out;
}

inline std::string triviaJson(const std::vector<TriviaRow>& rows, TriviaEncoding encoding,
                              bool bareList = false) {
  const auto text = [&](std::string_view t) { return json::quoted(triviaEncode(t, encoding)); };
  std::string list = "[";
  for (const TriviaRow& r : rows) {
    if (list.size() > 1) list += ",";
    list += "{\"type\":" + text(r.type) + ",\"difficulty\":" + text(r.difficulty) +
            ",\"category\":" + text(r.category) + ",\"question\":" + text(r.question) +
            ",\"correct_answer\":" + text(r.correct) + ",\"incorrect_answers\":[";
    for (std::size_t k = 0; k < r.incorrect.size(); ++k)
      list += (k > 0 ? "," : "") + text(r.incorrect[k]);
    list += "]}";
  }
  list += "]";
  return bareList ? list : "{\"response_code\":0,\"results\":" + list + "}";
}

// Four questions as the players should see them, with accents, quotes, an apostrophe,
// an ampersand and the euro sign among them ...
inline std::vector<TriviaRow> sampleTriviaRows() {
  return {
      {"multiple",
       "easy",
       "Food & Drink",
       "Which dessert of meringue and fruit is named after the ballerina Anna Pavlova?",
       "Pavlova",
       {"Tiramisu", "Cr\u00e8me br\u00fbl\u00e9e", "Baklava"}},
      {"multiple",
       "medium",
       "Science & Nature",
       "Which planet's day is longer than its year?",
       "Venus",
       {"Mars", "Jupiter", "Mercury"}},
      {"multiple",
       "hard",
       "Science & Nature",
       "Which symbol is called an \"ampersand\"?",
       "&",
       {"@", "#", "%"}},
      {"multiple",
       "medium",
       "Food & Drink",
       "How many cents make one euro (\u20ac)?",
       "100",
       {"10", "50", "1000"}},
  };
}

// ... and as the API writes them in its default encoding, references and all.
inline std::vector<TriviaRow> sampleTriviaRowsAsHtml() {
  auto rows = sampleTriviaRows();
  rows[0].category = rows[3].category = "Food &amp; Drink";
  rows[1].category = rows[2].category = "Science &amp; Nature";
  rows[0].incorrect[1] = "Cr&egrave;me br&ucirc;l&eacute;e";
  rows[1].question = "Which planet&#039;s day is longer than its year?";
  rows[2].question = "Which symbol is called an &quot;ampersand&quot;?";
  rows[2].correct = "&amp;";
  rows[3].question = "How many cents make one euro (&#x20AC;)?";
  return rows;
}

}  // namespace zndl::testing
