// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "platform/cp1252.h"

namespace zndl::csv {
namespace {

// UTF-16 in the given byte order; a lone surrogate becomes U+FFFD.
std::string fromUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  const auto unit = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned u = static_cast<unsigned>(unit(i));
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      const unsigned low = static_cast<unsigned>(unit(i + 2));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp1252::appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    if (u >= 0xD800 && u <= 0xDFFF) u = 0xFFFD;
    cp1252::appendUtf8(out, u);
  }
  return out;
}

// How many fields each of the first rows has with this separator.
std::vector<std::size_t> fieldCounts(std::string_view text, char separator) {
  std::vector<std::size_t> counts;
  for (const auto& r :
       parse(text.substr(0, std::min<std::size_t>(text.size(), 64 * 1024)), separator)) {
    if (r.fields.size() == 1 && r.fields[0].empty()) continue;  // an empty line
    counts.push_back(r.fields.size());
    if (counts.size() == 50) break;
  }
  return counts;
}

}  // namespace

Decoded decode(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return {fromUtf16(bytes.substr(2), false), Encoding::Utf16};
  if (bytes.starts_with("\xFE\xFF")) return {fromUtf16(bytes.substr(2), true), Encoding::Utf16};
  if (bytes.starts_with("\xEF\xBB\xBF") && cp1252::isUtf8(bytes.substr(3)))
    return {std::string(bytes.substr(3)), Encoding::Utf8WithBom};
  if (cp1252::isUtf8(bytes)) return {std::string(bytes), Encoding::Utf8};
  return {cp1252::toUtf8(bytes), Encoding::Windows1252};
}

char detectSeparator(std::string_view text) {
  // Rows that split into a whole question (question, right answer, two wrong answers)
  // count first, then rows that agree on their number of fields; the order of the
  // candidates settles a tie.
  char best = ',';
  std::pair<std::size_t, std::size_t> bestScore{0, 0};
  for (const char candidate : {'\t', ';', ','}) {
    const auto counts = fieldCounts(text, candidate);
    std::size_t whole = 0;
    std::map<std::size_t, std::size_t> tally;
    for (const auto c : counts) {
      if (c >= 4) ++whole;
      if (c > 1) ++tally[c];
    }
    std::size_t agreeing = 0;
    for (const auto& entry : tally) agreeing = std::max(agreeing, entry.second);
    const std::pair<std::size_t, std::size_t> score{whole, agreeing};
    if (score > bestScore) {
      best = candidate;
      bestScore = score;
    }
  }
  return best;
}

std::vector<Record> parse(std::string_view text, char separator) {
  std::vector<Record> records;
  Record record;
  std::string field;
  int row = 1;
  record.row = row;
  bool quoted = false;     // inside a quoted field
  bool fieldStart = true;  // nothing of the current field read yet
  const auto endField = [&] {
    record.fields.push_back(std::move(field));
    field.clear();
    fieldStart = true;
  };
  const auto endRecord = [&] {
    endField();
    records.push_back(std::move(record));
    record = Record();
    record.row = ++row;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        field += c;
      }
    } else if (c == '"' && fieldStart) {
      quoted = true;
      fieldStart = false;
    } else if (c == separator) {
      endField();
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      endRecord();
    } else {
      // Text after a closing quote, or a quote inside an unquoted field, is kept as
      // it stands.
      field += c;
      fieldStart = false;
    }
  }
  if (quoted) record.unclosedQuote = true;
  // A final line break ends the last record; only text after it makes another.
  if (quoted || !fieldStart || !field.empty() || !record.fields.empty()) {
    endField();
    records.push_back(std::move(record));
  }
  return records;
}

std::string formatRecord(const std::vector<std::string>& fields, char separator) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += separator;
    const std::string& f = fields[i];
    if (f.find_first_of(std::string("\"\r\n") + separator) == std::string::npos) {
      out += f;
      continue;
    }
    out += '"';
    for (const char c : f) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out + "\r\n";
}

}  // namespace zndl::csv
