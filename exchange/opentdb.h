// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "exchange/import.h"

// Question groups from the Open Trivia Database (https://opentdb.com/), the free bank
// of quiz questions whose web API hands them out as JSON, under CC BY-SA 4.0. A
// question there has a type, a difficulty, a category, its text, its correct answer
// and its incorrect answers; its multiple-choice questions are the game's questions.
namespace zndl::exchange {

// How the API wrote the texts: its default (HTML character references such as &quot;
// and &#039;), percent-encoding (RFC 3986, or the older form with '+' for a space), or
// base64. The texts of a file tell which.
enum class OpenTdbEncoding { Html, Url3986, UrlLegacy, Base64 };

struct OpenTdbImport : Import {
  OpenTdbEncoding encoding = OpenTdbEncoding::Html;
};

// Whether the bytes are JSON rather than spreadsheet text: the first character after
// a byte-order mark and blanks opens an object or an array.
bool looksLikeJson(std::string_view bytes);

// Reads the API's answer, {"response_code": 0, "results": [...]}, or a bare list of its
// results; a problem's row is the question's place in that list, counting from 1.
// Multiple-choice questions become questions with their correct answer and all their
// incorrect ones. A row is refused, with a problem naming it, when it is a true/false
// question (the game asks every question with three answers), when a text cannot be
// decoded, holds a line break or a character Windows-1252 cannot hold, or reads like
// a marker line, and when it has no question, no correct answer or fewer than two
// incorrect answers. The group's notes name the source and its licence, the category
// or categories and how many questions are easy, medium and hard.
OpenTdbImport importOpenTdb(std::string_view bytes);

// The attribution the licence asks of every group made from the database.
inline constexpr std::string_view kOpenTdbSourceNote =
    "Source: Open Trivia Database, https://opentdb.com/ (questions by its contributors)";
inline constexpr std::string_view kOpenTdbLicenceNote =
    "Licence: CC BY-SA 4.0, https://creativecommons.org/licenses/by-sa/4.0/ "
    "(converted to a Zandoodle group)";

}  // namespace zndl::exchange
