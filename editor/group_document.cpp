// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/group_document.h"

#include <cstdio>
#include <set>

#include "checker/group_show.h"
#include "host/text_list.h"
#include "platform/cp1252.h"

namespace zndl::editor {

Group groupFromStore(const QuestionStore& store) {
  Group group;
  // The notes: what stands between the version line (or, in the classic layout, the
  // start of the file) and the first question marker, or the end of the file in a
  // group that has no question yet.
  int first = store.find(questionMarker(1));
  if (first < 0) first = store.count();
  const int from = isSectioned(store) ? 1 : 0;
  for (int i = from; i < first; ++i) group.notes.push_back(store.at(i));
  for (const auto& asked : check::askedQuestions(store)) {
    Question q;
    q.text = asked.text;
    for (const auto& e : asked.correct) q.right.push_back(e.text);
    for (const auto& e : asked.wrong) q.wrong.push_back(e.text);
    group.questions.push_back(std::move(q));
  }
  return group;
}

Group groupFromBytes(std::string_view bytes) {
  return groupFromStore(QuestionStore(TextList::fromBytes(bytes)));
}

namespace {

// The length of the UTF-8 sequence at `at`, or 0 when it is malformed there.
std::size_t sequenceLength(std::string_view s, std::size_t at) {
  const auto lead = static_cast<unsigned char>(s[at]);
  std::size_t n = 0;
  if (lead < 0x80)
    return 1;
  else if (lead >= 0xC2 && lead <= 0xDF)
    n = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    n = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    n = 4;
  else
    return 0;
  if (at + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[at + k]) & 0xC0) != 0x80) return 0;
  return n;
}

}  // namespace

std::string codePointName(std::string_view utf8, std::size_t at) {
  const std::size_t n = sequenceLength(utf8, at);
  if (n == 0) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "byte 0x%02X",
                  static_cast<unsigned>(static_cast<unsigned char>(utf8[at])));
    return buffer;
  }
  unsigned value = static_cast<unsigned char>(utf8[at]);
  if (n > 1) value &= 0x7Fu >> n;
  for (std::size_t k = 1; k < n; ++k)
    value = (value << 6) | (static_cast<unsigned char>(utf8[at + k]) & 0x3Fu);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", value);
  return buffer;
}

std::string unencodableCharacters(std::string_view utf8) {
  std::string out;
  std::set<std::string> named;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t n = sequenceLength(utf8, i);
    const std::size_t step = n == 0 ? 1 : n;
    const std::string_view ch = utf8.substr(i, step);
    if (n == 0 || !cp1252::representable(ch)) {
      const std::string name = codePointName(utf8, i);
      if (named.insert(name).second) {
        if (!out.empty()) out += ", ";
        out += n == 0 ? name : "\"" + std::string(ch) + "\" (" + name + ")";
      }
    }
    i += step;
  }
  return out;
}

bool looksLikeMarker(std::string_view text) {
  if (text.size() < 3 || text.front() != '[' || text.back() != ']') return false;
  std::size_t digits = 1;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
  const std::string_view number = text.substr(1, digits - 1);
  if (number.empty() || number.size() > 9 || number.front() == '0') return false;
  const int n = std::stoi(std::string(number));
  return cp1252::equalsIgnoringCase(text, questionMarker(n)) ||
         cp1252::equalsIgnoringCase(text, correctMarker(n)) ||
         cp1252::equalsIgnoringCase(text, wrongMarker(n));
}

std::string describePlace(const Place& place) {
  if (place.row < 0) return "the notes before the first question";
  const std::string row = "row " + std::to_string(place.row + 1);
  switch (place.column) {
    case Column::Question:
      return "the question of " + row;
    case Column::Right:
      return place.item < 0 ? "the right answers of " + row
                            : "right answer " + std::to_string(place.item + 1) + " of " + row;
    case Column::Wrong:
      return place.item < 0 ? "the wrong answers of " + row
                            : "wrong answer " + std::to_string(place.item + 1) + " of " + row;
  }
  return row;
}

std::vector<Unwritable> unwritableTexts(const Group& group) {
  std::vector<Unwritable> out;
  const auto check = [&](const std::string& text, Place place) {
    if (text.find_first_of("\r\n") != std::string::npos)
      out.push_back({place, describePlace(place) +
                                " holds a line break, which a line of a group file cannot hold"});
    const std::string chars = unencodableCharacters(text);
    if (!chars.empty())
      out.push_back({place, describePlace(place) + " holds " + chars +
                                ", which Windows-1252 cannot hold, so the game could not show it"});
  };
  for (std::size_t i = 0; i < group.notes.size(); ++i)
    check(group.notes[i], {-1, Column::Question, static_cast<int>(i)});
  for (std::size_t r = 0; r < group.questions.size(); ++r) {
    const Question& q = group.questions[r];
    const int row = static_cast<int>(r);
    check(q.text, {row, Column::Question, 0});
    for (std::size_t k = 0; k < q.right.size(); ++k)
      check(q.right[k], {row, Column::Right, static_cast<int>(k)});
    for (std::size_t k = 0; k < q.wrong.size(); ++k)
      check(q.wrong[k], {row, Column::Wrong, static_cast<int>(k)});
  }
  return out;
}

}  // namespace zndl::editor
