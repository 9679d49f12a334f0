// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/spreadsheet.h"

#include <algorithm>
#include <optional>

#include "platform/cp1252.h"

namespace zndl::exchange {
namespace {

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return std::string(s.substr(first, last - first + 1));
}

bool blankRecord(const csv::Record& r) {
  return std::all_of(r.fields.begin(), r.fields.end(),
                     [](const std::string& f) { return f.empty(); });
}

// The role a header cell names: "Question", "Right", "Wrong", also with "answer" or a
// plural; nothing for an empty cell.
enum class Role { None, Question, Right, Wrong, Unknown };
Role roleOf(std::string_view cell) {
  std::string word = cp1252::foldCase(trimmed(cell));
  if (word.empty()) return Role::None;
  for (const std::string_view tail : {" answers", " answer", "s"}) {
    if (word.size() > tail.size() && word.ends_with(tail)) {
      word.resize(word.size() - tail.size());
      break;
    }
  }
  if (word == "question") return Role::Question;
  if (word == "right") return Role::Right;
  if (word == "wrong") return Role::Wrong;
  return Role::Unknown;
}

// The roles of a header row, or nothing when the row is not a header (it holds other
// words, or no Question at all).
std::optional<std::vector<Role>> headerRoles(const csv::Record& r) {
  std::vector<Role> roles;
  bool any = false;
  for (const auto& f : r.fields) {
    const Role role = roleOf(f);
    if (role == Role::Unknown) return std::nullopt;
    any = any || role != Role::None;
    roles.push_back(role);
  }
  if (!any) return std::nullopt;
  return roles;
}

// One row turned into a question, or the reasons it cannot be.
struct Converted {
  Question question;
  std::vector<std::string> faults;
};

Converted convert(const csv::Record& r, const std::vector<Role>& roles) {
  Converted out;
  bool sawQuestion = false;
  for (std::size_t c = 0; c < r.fields.size(); ++c) {
    const std::string& text = r.fields[c];
    const Role role = c < roles.size() ? roles[c] : Role::None;
    const std::string column = "column " + std::to_string(c + 1);
    if (role == Role::None || role == Role::Unknown) {
      if (!text.empty())
        out.faults.push_back(column +
                             " has no role in the header row (Question, Right or Wrong), so " +
                             namedText("its text", text) + " would be lost");
      continue;
    }
    if (role == Role::Question) {
      sawQuestion = true;
      out.question.text = text;
    } else if (!text.empty()) {
      (role == Role::Right ? out.question.right : out.question.wrong).push_back(text);
    }
    if (text.empty()) continue;
    const std::string what = role == Role::Question ? "the question"
                             : role == Role::Right  ? namedText("the right answer", text)
                                                    : namedText("the wrong answer", text);
    for (const auto& fault : textFaults(text))
      out.faults.push_back(what + " in " + column + " " + fault);
    if (looksLikeMarker(text))
      out.faults.push_back(what + " in " + column +
                           " reads like a marker line, which the game would take for the marker");
  }
  if (!sawQuestion || out.question.text.empty())
    out.faults.insert(out.faults.begin(), "the question is empty");
  if (out.question.right.empty()) out.faults.push_back("the row has no right answer");
  if (out.question.wrong.size() < 2)
    out.faults.push_back("the row has " +
                         std::string(out.question.wrong.empty() ? "no" : "only one") +
                         " wrong answer; a question needs at least two");
  return out;
}

std::string joinFaults(const std::vector<std::string>& faults) {
  std::string out;
  for (const auto& f : faults) out += (out.empty() ? "" : "; ") + f;
  return out;
}

}  // namespace

CsvImport importCsv(std::string_view bytes) {
  CsvImport result;
  const csv::Decoded decoded = csv::decode(bytes);
  result.encoding = decoded.encoding;
  // A header row settles the separator; otherwise the rows' shape does.
  result.separator = csv::detectSeparator(decoded.text);
  for (const char candidate : {'\t', ';', ','}) {
    const std::size_t end = decoded.text.find_first_of("\r\n");
    const auto firstLine = csv::parse(std::string_view(decoded.text).substr(0, end), candidate);
    if (!firstLine.empty() && firstLine[0].fields.size() > 1 && headerRoles(firstLine[0])) {
      result.separator = candidate;
      break;
    }
  }
  const auto records = csv::parse(decoded.text, result.separator);

  std::vector<Role> roles;
  std::size_t first = 0;
  while (first < records.size() && blankRecord(records[first])) ++first;
  if (first < records.size()) {
    if (const auto header = headerRoles(records[first])) {
      roles = *header;
      const int row = records[first].row;
      const auto count = [&](Role r) { return std::count(roles.begin(), roles.end(), r); };
      if (count(Role::Question) != 1) {
        result.problems.push_back(
            {row, count(Role::Question) == 0
                      ? "the header row names no Question column"
                      : "the header row names more than one Question column"});
      }
      if (count(Role::Right) == 0)
        result.problems.push_back({row, "the header row names no Right column"});
      if (count(Role::Wrong) < 2)
        result.problems.push_back(
            {row,
             "the header row names fewer than two Wrong columns; a question needs at least two "
             "wrong answers"});
      if (!result.problems.empty()) {
        result.usable = false;
        return result;
      }
      ++first;
    }
  }
  const bool headed = !roles.empty();
  for (std::size_t i = first; i < records.size(); ++i) {
    const csv::Record& r = records[i];
    if (r.unclosedQuote) {
      result.problems.push_back(
          {r.row, "a quoted field starts in this row but its closing quote is missing"});
      ++result.refusedRows;
      continue;
    }
    if (blankRecord(r)) continue;
    if (!headed) {
      roles.assign(r.fields.size(), Role::Wrong);
      roles[0] = Role::Question;
      if (roles.size() > 1) roles[1] = Role::Right;
    }
    Converted c = convert(r, roles);
    if (c.faults.empty()) {
      result.group.questions.push_back(std::move(c.question));
    } else {
      result.problems.push_back({r.row, joinFaults(c.faults)});
      ++result.refusedRows;
    }
  }
  if (result.group.questions.empty() && result.refusedRows == 0) {
    result.problems.push_back({1, "the file holds no question"});
    result.usable = false;
  }
  return result;
}

std::string exportCsv(const Group& group) {
  std::size_t rights = 1;
  std::size_t wrongs = 2;
  for (const auto& q : group.questions) {
    rights = std::max(rights, q.right.size());
    wrongs = std::max(wrongs, q.wrong.size());
  }
  std::string out = "\xEF\xBB\xBF";
  std::vector<std::string> header{"Question"};
  header.insert(header.end(), rights, "Right");
  header.insert(header.end(), wrongs, "Wrong");
  out += csv::formatRecord(header, ',');
  for (const auto& q : group.questions) {
    std::vector<std::string> row{q.text};
    for (std::size_t k = 0; k < rights; ++k) row.push_back(k < q.right.size() ? q.right[k] : "");
    for (std::size_t k = 0; k < wrongs; ++k) row.push_back(k < q.wrong.size() ? q.wrong[k] : "");
    out += csv::formatRecord(row, ',');
  }
  return out;
}

}  // namespace zndl::exchange
