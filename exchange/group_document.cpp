// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/group_document.h"

#include <cstdio>
#include <set>

#include "checker/group_checker.h"
#include "checker/group_show.h"
#include "host/text_list.h"
#include "platform/cp1252.h"

namespace zndl::exchange {

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

std::string hexName(const char* format, unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

std::string unencodableCharacters(std::string_view utf8) {
  std::string out;
  std::set<std::string> named;
  const auto name = [&](const std::string& what) {
    if (named.insert(what).second) out += (out.empty() ? "" : ", ") + what;
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t at = i;
    if (const auto cp = cp1252::decodeUtf8(utf8, i)) {
      const std::string_view ch = utf8.substr(at, i - at);
      if (!cp1252::representable(ch))
        name("\"" + std::string(ch) + "\" (" + hexName("U+%04X", *cp) + ")");
    } else {
      // Not UTF-8 at all: named a byte at a time.
      name(hexName("byte 0x%02X", static_cast<unsigned char>(utf8[i])));
      ++i;
    }
  }
  return out;
}

std::vector<std::string> textFaults(std::string_view text, std::string_view afterCharacters) {
  std::vector<std::string> out;
  if (text.find_first_of("\r\n") != std::string_view::npos)
    out.push_back("holds a line break, which a line of a group file cannot hold");
  const std::string chars = unencodableCharacters(text);
  if (!chars.empty())
    out.push_back("holds " + chars + ", which Windows-1252 cannot hold" +
                  std::string(afterCharacters));
  return out;
}

bool looksLikeMarker(std::string_view text) {
  return check::parseMarker(text, false).has_value();
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
    for (const auto& fault : textFaults(text, ", so the game could not show it"))
      out.push_back({place, describePlace(place) + " " + fault});
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

}  // namespace zndl::exchange
