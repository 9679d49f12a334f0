// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/opentdb.h"

#include <algorithm>
#include <map>
#include <utility>

#include "exchange/json.h"
#include "exchange/opentdb_text.h"

namespace zndl::exchange {
namespace {

using opentdb::decodeText;

constexpr std::string_view kTextFields[] = {"type", "difficulty", "category", "question",
                                            "correct_answer"};

// What the API's response codes mean, as its documentation puts them.
std::string responseCodeMeaning(std::string_view code) {
  if (code == "1") return "it does not hold as many questions as were asked for; ask for fewer";
  if (code == "2") return "the address asked for something it does not understand";
  if (code == "3") return "the session token it was given does not exist";
  if (code == "4") return "the session token has had every question of the query; reset it";
  if (code == "5") return "too many requests came at once; wait five seconds and ask again";
  return "a code this program does not know";
}

// One result as the game's question, with what it says of itself for the notes, or the
// reasons it cannot be one.
struct Row {
  Question question;
  std::string category;
  std::string difficulty;
  std::vector<std::string> faults;
};

class RowReader {
 public:
  RowReader(const json::Value& result, OpenTdbEncoding encoding)
      : result_(result), encoding_(encoding) {}

  Row read() {
    if (!result_.isObject()) {
      row_.faults.push_back(
          "this is not a question: each result must be an object with a question, a "
          "correct_answer and incorrect_answers");
      return std::move(row_);
    }
    const std::string type = field("type", "the type", false);
    if (type == "boolean") {
      row_.faults = {
          "a true/false question, which cannot be converted: the game offers three answers "
          "to choose from, and a true/false question has only two"};
      return std::move(row_);
    }
    if (!type.empty() && type != "multiple") {
      row_.faults = {namedText("the type", type) +
                     " is neither multiple (choice) nor boolean (true/false)"};
      return std::move(row_);
    }
    row_.category = field("category", "the category", false);
    row_.difficulty = field("difficulty", "the difficulty", false);
    Question& q = row_.question;
    q.text = field("question", "the question", true);
    if (const std::string right = field("correct_answer", "the right answer", true); !right.empty())
      q.right.push_back(right);
    wrongAnswers();
    if (!missing_.empty()) row_.faults.insert(row_.faults.begin(), missing_);
    return std::move(row_);
  }

 private:
  // The decoded text of a member; "" when it is missing or cannot be read, with the
  // reason among the row's faults. A question or an answer must also fit a line of a
  // group file without reading like a marker.
  std::string field(std::string_view key, const std::string& what, bool shown) {
    const json::Value* v = result_.find(key);
    if (!v) {
      if (shown) missing_ += (missing_.empty() ? "" : "; ") + ("there is no " + std::string(key));
      return {};
    }
    if (!v->isString()) {
      row_.faults.push_back(std::string(key) + " is not a string");
      return {};
    }
    return checked(decodeText(v->text, encoding_), what, shown);
  }

  std::string checked(opentdb::DecodedText decoded, const std::string& what, bool shown) {
    const std::string named =
        shown && what != "the question" ? namedText(what, decoded.text) : what;
    // A text with an unknown entity is still read for its other faults; one that could
    // not be decoded at all has nothing more to say.
    for (const auto& fault : decoded.faults) row_.faults.push_back(what + " " + fault);
    if (shown && decoded.faults.empty() && decoded.text.empty())
      row_.faults.push_back(what + " is empty");
    for (const auto& fault : textFaults(decoded.text)) row_.faults.push_back(named + " " + fault);
    if (shown && looksLikeMarker(decoded.text))
      row_.faults.push_back(named +
                            " reads like a marker line, which the game would take for the marker");
    return std::move(decoded.text);
  }

  void wrongAnswers() {
    const json::Value* list = result_.find("incorrect_answers");
    if (!list) {
      missing_ += (missing_.empty() ? "" : "; ") + std::string("there are no incorrect_answers");
      return;
    }
    if (!list->isArray()) {
      row_.faults.push_back("incorrect_answers is not a list");
      return;
    }
    int readable = 0;
    for (std::size_t k = 0; k < list->items.size(); ++k) {
      const json::Value& item = list->items[k];
      const std::string what = "wrong answer " + std::to_string(k + 1);
      if (!item.isString()) {
        row_.faults.push_back(what + " is not a string");
        continue;
      }
      const std::size_t before = row_.faults.size();
      std::string text = checked(decodeText(item.text, encoding_), what, true);
      ++readable;
      if (row_.faults.size() == before) row_.question.wrong.push_back(std::move(text));
    }
    if (readable < 2)
      row_.faults.push_back("the row has " + std::string(readable == 0 ? "no" : "only one") +
                            " wrong answer; a question needs at least two");
  }

  const json::Value& result_;
  OpenTdbEncoding encoding_;
  Row row_;
  std::string missing_;
};

std::string joinFaults(const std::vector<std::string>& faults) {
  std::string out;
  for (const auto& f : faults) out += (out.empty() ? "" : "; ") + f;
  return out;
}

// Counts in the order things were first met, for the notes.
class Tally {
 public:
  void add(const std::string& what) {
    if (what.empty()) return;
    if (counts_.emplace(what, 0).second) order_.push_back(what);
    ++counts_[what];
  }
  std::size_t size() const { return order_.size(); }
  const std::vector<std::string>& order() const { return order_; }
  int count(const std::string& what) const { return counts_.at(what); }

 private:
  std::map<std::string, int> counts_;
  std::vector<std::string> order_;
};

std::vector<std::string> notesFor(const Tally& categories, const Tally& difficulties) {
  std::vector<std::string> notes{std::string(kOpenTdbSourceNote), std::string(kOpenTdbLicenceNote)};
  if (categories.size() == 1) notes.push_back("Category: " + categories.order()[0]);
  if (categories.size() > 1) {
    std::string line = "Categories: ";
    for (const auto& c : categories.order())
      line += (c == categories.order()[0] ? "" : ", ") + c + " (" +
              std::to_string(categories.count(c)) + ")";
    notes.push_back(line);
  }
  if (difficulties.size() > 0) {
    // Easiest first, then whatever else a file calls its questions.
    std::vector<std::string> order = difficulties.order();
    const auto rank = [](const std::string& d) {
      return d == "easy" ? 0 : d == "medium" ? 1 : d == "hard" ? 2 : 3;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](const auto& a, const auto& b) { return rank(a) < rank(b); });
    std::string line = "Difficulty: ";
    for (const auto& d : order)
      line += (d == order[0] ? "" : ", ") + std::to_string(difficulties.count(d)) + " " + d;
    notes.push_back(line);
  }
  return notes;
}

// The list of results in the file, or the reason there is none.
const json::Value* resultsOf(const json::Value& top, std::string& why) {
  if (top.isArray()) return &top;
  if (!top.isObject()) {
    why = "the file holds a single JSON value, not a list of questions";
    return nullptr;
  }
  if (const json::Value* code = top.find("response_code")) {
    if (code->kind != json::Value::Kind::Number) {
      why = "response_code is not a number";
      return nullptr;
    }
    if (code->text != "0") {
      why = "the Open Trivia Database sent no questions: its response code " + code->text +
            " says " + responseCodeMeaning(code->text);
      return nullptr;
    }
  }
  const json::Value* results = top.find("results");
  if (!results || !results->isArray()) {
    why = "the object has no list of results, where the Open Trivia Database puts its questions";
    return nullptr;
  }
  return results;
}

}  // namespace

bool looksLikeJson(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  const auto first = bytes.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && (bytes[first] == '{' || bytes[first] == '[');
}

OpenTdbImport importOpenTdb(std::string_view bytes) {
  OpenTdbImport out;
  const json::Parsed parsed = json::parse(bytes);
  std::string why;
  const json::Value* results = nullptr;
  if (!parsed.value) {
    why = parsed.line > 0 ? "the file is not JSON: at line " + std::to_string(parsed.line) +
                                ", column " + std::to_string(parsed.column) + ", " + parsed.error
                          : "the file cannot be read: " + parsed.error;
  } else if (results = resultsOf(*parsed.value, why); results && results->items.empty()) {
    why = "the file holds no question";
  }
  if (!why.empty()) {
    out.usable = false;
    out.problems.push_back({0, why});
    return out;
  }

  std::vector<std::string_view> types;
  std::vector<std::string_view> texts;
  for (const json::Value& r : results->items) {
    for (const auto key : kTextFields)
      if (const json::Value* v = r.find(key); v && v->isString())
        (key == "type" ? types : texts).push_back(v->text);
    if (const json::Value* list = r.find("incorrect_answers"); list && list->isArray())
      for (const json::Value& item : list->items)
        if (item.isString()) texts.push_back(item.text);
  }
  out.encoding = opentdb::detectEncoding(types, texts);

  Tally categories;
  Tally difficulties;
  for (std::size_t i = 0; i < results->items.size(); ++i) {
    Row row = RowReader(results->items[i], out.encoding).read();
    if (!row.faults.empty()) {
      out.problems.push_back({static_cast<int>(i + 1), joinFaults(row.faults)});
      ++out.refusedRows;
      continue;
    }
    categories.add(row.category);
    difficulties.add(row.difficulty);
    out.group.questions.push_back(std::move(row.question));
  }
  out.group.notes = notesFor(categories, difficulties);
  return out;
}

}  // namespace zndl::exchange
