// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quiz/question_store.h"

// A question group as its author edits it: questions in play order, each with its
// text, its correct answers and its wrong answers. Plain C++, no Qt.
namespace zndl::exchange {

struct Question {
  std::string text;
  std::vector<std::string> right;  // one or more; more than one are alternatives
  std::vector<std::string> wrong;  // two or more
  bool operator==(const Question&) const = default;
};

struct Group {
  // Lines before the first question (a title, notes). The game never reads them.
  std::vector<std::string> notes;
  std::vector<Question> questions;
  bool operator==(const Group&) const = default;
};

// The questions exactly as the game asks them from this store, in either layout: the
// same marker search and the same answer ranges as loading a question.
Group groupFromStore(const QuestionStore& store);
// The bytes of a group file in any layout (as read from disk).
Group groupFromBytes(std::string_view bytes);

// Where a text of the group sits: a question's text, one of its right answers or one
// of its wrong answers. Notes have row -1.
enum class Column { Question = 0, Right = 1, Wrong = 2 };
struct Place {
  int row = -1;
  Column column = Column::Question;
  int item = 0;  // index among the right or wrong answers; 0 for the question
  bool operator==(const Place&) const = default;
};

// A text the group file cannot hold as it stands: a character outside Windows-1252
// or a line break.
struct Unwritable {
  Place place;
  std::string message;
};
std::vector<Unwritable> unwritableTexts(const Group& group);

// A sentence naming every character of the text Windows-1252 cannot hold, or the
// empty text when there is none, e.g. `"☃" (U+2603)`; a byte that is not UTF-8 is
// named on its own, e.g. `byte 0xED`.
std::string unencodableCharacters(std::string_view utf8);

// Why the text cannot stand as a line of a group file, each reason a phrase to follow
// the text's name: "holds a line break, ..." or "holds "☃" (U+2603), which
// Windows-1252 cannot hold" and then `afterCharacters`. Empty when it can.
std::vector<std::string> textFaults(std::string_view text, std::string_view afterCharacters = "");

// Whether the text reads as a marker line of a group (any number, letter case
// ignored), which the game would take for the marker itself.
bool looksLikeMarker(std::string_view text);

// What a table cell or answer is called in messages: "the question of row 3",
// "right answer 2 of row 3".
std::string describePlace(const Place& place);

}  // namespace zndl::exchange
