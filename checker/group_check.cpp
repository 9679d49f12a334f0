// SPDX-License-Identifier: GPL-3.0-or-later
#include "checker/group_check.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "checker/group_show.h"
#include "host/text_list.h"
#include "platform/cp1252.h"
#include "quiz/question_store.h"

namespace zndl::check {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

enum class Kind { Question = 0, Correct = 1, Wrong = 2 };

struct Marker {
  int n = 0;
  Kind kind = Kind::Question;
};

std::string markerText(int n, Kind kind) {
  switch (kind) {
    case Kind::Question:
      return questionMarker(n);
    case Kind::Correct:
      return correctMarker(n);
    case Kind::Wrong:
      return wrongMarker(n);
  }
  return {};
}

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool blank(std::string_view s) {
  return s.find_first_not_of(" \t") == std::string_view::npos;
}

// A marker line as the game searches for it: "[n]", "[n-YES]" or "[n-NO]", letter case
// ignored, n in decimal. With `lenient`, leading zeros are accepted too (for spotting
// near misses). Numbers beyond nine digits are not markers of any group worth checking.
std::optional<Marker> parseMarker(std::string_view s, bool lenient) {
  if (s.size() < 3 || s.front() != '[' || s.back() != ']') return std::nullopt;
  s = s.substr(1, s.size() - 2);
  std::size_t digits = 0;
  while (digits < s.size() && s[digits] >= '0' && s[digits] <= '9') ++digits;
  std::string_view number = s.substr(0, digits);
  if (lenient) {
    while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
  }
  if (number.empty() || number.size() > 9 || number.front() == '0') return std::nullopt;
  Marker m;
  for (const char c : number) m.n = m.n * 10 + (c - '0');
  std::string rest;
  for (const char c : s.substr(digits)) rest += lower(c);
  if (rest.empty())
    m.kind = Kind::Question;
  else if (rest == "-yes")
    m.kind = Kind::Correct;
  else if (rest == "-no")
    m.kind = Kind::Wrong;
  else
    return std::nullopt;
  return m;
}

// The text without blanks (spaces, tabs and no-break spaces).
std::string withoutBlanks(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == ' ' || s[i] == '\t') continue;
    if (s.substr(i, 2) == "\u00A0") {
      ++i;
      continue;
    }
    out += s[i];
  }
  return out;
}

bool nearVersionLine(std::string_view line) {
  std::string folded;
  for (const char c : withoutBlanks(line)) folded += lower(c);
  std::string wanted;
  for (const char c : withoutBlanks(kVersionLine)) wanted += lower(c);
  return folded == wanted;
}

// Whether the bytes are well-formed UTF-8 with at least one character beyond ASCII:
// text saved by a modern editor, which the game would show garbled.
bool looksLikeUtf8(std::string_view bytes) {
  bool multibyte = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t extra = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
    } else {
      return false;
    }
    if (i + extra >= bytes.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    multibyte = true;
    i += extra + 1;
  }
  return multibyte;
}

bool hasHighByte(std::string_view s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// One line of the file as a contender for a place in the group's marker sequence.
struct Candidate {
  int index = 0;  // entry of the store
  Marker marker;
  bool exact = true;   // false: a near miss such as "[3] "
  long long rank = 0;  // place in the sequence [1], [1-YES], [1-NO], [2], ...
  bool inChain = false;
};

class GroupChecker {
 public:
  GroupChecker(std::string_view bytes, const TextMeasurer& measurer)
      : bytes_(bytes), measurer_(measurer), store_(TextList::fromBytes(bytes)) {
    sectioned_ = isSectioned(store_);
  }

  std::vector<Problem> run() {
    if (bytes_.starts_with("\xFF\xFE") || bytes_.starts_with("\xFE\xFF")) {
      report(0,
             "the file is saved as UTF-16, but the game reads Windows-1252 and would show "
             "every line garbled; save it as Windows-1252");
      return problems_;
    }
    checkEncoding();
    findMarkers();
    checkVersionLine();
    chainMarkers();
    if (!checkSequence()) return finish();
    reportStrayMarkers();
    // Only blocks that start with a marker can be checked, and the numbers may be huge.
    for (const Candidate* block : blocks_)
      if (block->marker.n <= questions_) checkQuestion(block->marker.n);
    return finish();
  }

 private:
  void report(int index, std::string message) {
    problems_.push_back({index + 1, std::move(message)});
  }

  std::vector<Problem> finish() {
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return problems_;
  }

  long long rankOf(Marker m) const {
    return sectioned_ ? 3LL * (m.n - 1) + static_cast<int>(m.kind) : m.n - 1LL;
  }

  // ---- Encoding -------------------------------------------------------------------

  void checkEncoding() {
    for (int i = 0; i < store_.count(); ++i) {
      const std::string shown = store_.at(i);
      std::string raw = cp1252::fromUtf8(shown).value_or(std::string());
      if (i == 0 && raw.starts_with(kByteOrderMark)) {
        raw.erase(0, kByteOrderMark.size());
        std::string message =
            "the file starts with a UTF-8 byte-order mark, which the game reads as the text " +
            quoted(cp1252::toUtf8(kByteOrderMark)) + " at the start of this line";
        if (raw == kVersionLine) {
          message +=
              ", so the first line is not exactly (ZNDL v4) and the group is read in the "
              "classic layout";
          versionReported_ = true;
        }
        report(i, message + "; save the file as Windows-1252 without a byte-order mark");
      }
      if (looksLikeUtf8(raw)) {
        report(i, "this line is UTF-8 text, but the game reads Windows-1252 and shows " +
                      garbledWords(raw) + "; save the file as Windows-1252");
      } else {
        for (const char c : raw) {
          const auto byte = static_cast<unsigned char>(c);
          if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) {
            static const char* hex = "0123456789ABCDEF";
            report(i, std::string("this line holds the byte 0x") + hex[byte >> 4] + hex[byte & 15] +
                          ", which is no character in Windows-1252; the game shows nothing "
                          "sensible there");
            break;
          }
        }
      }
    }
  }

  // The words of a UTF-8 line that hold other than ASCII, as written and as the game
  // shows them.
  static std::string garbledWords(std::string_view raw) {
    std::string out;
    int shown = 0;
    std::size_t start = 0;
    while (start <= raw.size()) {
      std::size_t end = raw.find(' ', start);
      if (end == std::string_view::npos) end = raw.size();
      const std::string_view word = raw.substr(start, end - start);
      if (hasHighByte(word)) {
        if (shown == 3) {
          out += " and more";
          break;
        }
        if (shown > 0) out += ", ";
        out += quoted(word) + " as " + quoted(cp1252::toUtf8(word));
        ++shown;
      }
      start = end + 1;
    }
    return out;
  }

  // ---- Markers ----------------------------------------------------------------------

  void findMarkers() {
    for (int i = 0; i < store_.count(); ++i) {
      const std::string line = store_.at(i);
      auto marker = parseMarker(line, false);
      const bool exact = marker.has_value();
      if (!marker) marker = parseMarker(withoutBlanks(line), true);
      if (!marker) continue;
      if (!sectioned_ && marker->kind != Kind::Question) {
        foreign_.push_back(i);
        troubled_.insert(i);
        continue;
      }
      candidates_.push_back({i, *marker, exact, rankOf(*marker)});
      numbered_.insert({marker->n, static_cast<int>(marker->kind)});
      if (marker->kind == Kind::Question) questionNumbers_.insert(marker->n);
    }
  }

  void checkVersionLine() {
    std::string first = store_.at(0);
    const std::string bom = cp1252::toUtf8(kByteOrderMark);
    if (first.starts_with(bom)) first.erase(0, bom.size());
    if (!sectioned_ && first != kVersionLine && nearVersionLine(first)) {
      report(0, "the first line " + quoted(store_.at(0)) +
                    " looks like the version line but is not exactly (ZNDL v4) (letter case "
                    "and spaces count); the group is read in the classic layout, so " +
                    (foreign_.empty()
                         ? std::string("the line after each question is its correct answer")
                         : "the game shows the line after each question, its [n-YES] marker, "
                           "as the correct answer"));
      versionReported_ = true;
    }
    if (!foreign_.empty() && !versionReported_) {
      std::string message =
          quoted(store_.at(foreign_.front())) +
          " is a marker of the sectioned layout, but the first line is not exactly (ZNDL v4), "
          "so the group is read in the classic layout and the game shows such marker lines as "
          "answers";
      for (int i = 1; i < store_.count(); ++i) {
        if (nearVersionLine(store_.at(i))) {
          message += " (line " + std::to_string(i + 1) +
                     " holds the version line, but only the first line counts)";
          break;
        }
      }
      report(foreign_.front(), message);
    }
  }

  // The group's intended marker sequence: the longest run of marker lines whose numbers
  // rise in file order. Where two lines carry the same marker, an exact one wins over a
  // near miss, and a copy that the same marker follows at once (at most one line
  // later: a stray line just above the real marker) gives way to it; otherwise the
  // earlier line wins, as it does in the game's search.
  void chainMarkers() {
    const auto preferable = [&](std::size_t later, std::size_t earlier) {
      const Candidate& x = candidates_[later];
      const Candidate& y = candidates_[earlier];
      if (x.exact != y.exact) return x.exact;
      const auto repeatedAtOnce = [&](std::size_t k) {
        return k + 1 < candidates_.size() && candidates_[k + 1].rank == candidates_[k].rank &&
               candidates_[k + 1].index - candidates_[k].index <= 2;
      };
      return repeatedAtOnce(earlier) && !repeatedAtOnce(later);
    };
    std::vector<std::size_t> tails;
    std::vector<long long> previous(candidates_.size(), -1);
    for (std::size_t i = 0; i < candidates_.size(); ++i) {
      const long long r = candidates_[i].rank;
      const auto pos = static_cast<std::size_t>(
          std::lower_bound(tails.begin(), tails.end(), r,
                           [&](std::size_t t, long long v) { return candidates_[t].rank < v; }) -
          tails.begin());
      if (pos < tails.size() && candidates_[tails[pos]].rank == r && !preferable(i, tails[pos]))
        continue;
      previous[i] = pos > 0 ? static_cast<long long>(tails[pos - 1]) : -1;
      if (pos == tails.size())
        tails.push_back(i);
      else
        tails[pos] = i;
    }
    for (long long k = tails.empty() ? -1 : static_cast<long long>(tails.back()); k >= 0;
         k = previous[static_cast<std::size_t>(k)]) {
      auto& c = candidates_[static_cast<std::size_t>(k)];
      c.inChain = true;
      chain_[c.rank] = static_cast<std::size_t>(k);
    }
    for (const auto& c : candidates_)
      if (!c.inChain || !c.exact) troubled_.insert(c.index);
  }

  const Candidate* chained(int n, Kind kind) const {
    const auto it = chain_.find(rankOf({n, kind}));
    return it == chain_.end() ? nullptr : &candidates_[it->second];
  }

  // The question whose lines hold entry `index`, by the group's own blocks; 0 before
  // the first question.
  int questionAt(int index) const {
    const auto it = std::lower_bound(blocks_.begin(), blocks_.end(), index,
                                     [](const Candidate* c, int i) { return c->index < i; });
    return it == blocks_.begin() ? 0 : (*(it - 1))->marker.n;
  }

  // ---- The sequence of questions ----------------------------------------------------

  // End marker, gaps and missing markers. False when there is no question at all.
  bool checkSequence() {
    auto& blocks = blocks_;
    for (const auto& [rank, k] : chain_)
      if (candidates_[k].marker.kind == Kind::Question) blocks.push_back(&candidates_[k]);
    if (blocks.empty()) {
      report(0, "the group has no question marker [1], so the game asks no question");
      return false;
    }
    const Candidate& last = *blocks.back();
    const int top = last.marker.n;
    bool endMissing = false;
    if (sectioned_) {
      endMissing = chained(top, Kind::Correct) || chained(top, Kind::Wrong);
    } else {
      for (int i = last.index + 1; i < store_.count() && !endMissing; ++i)
        endMissing = !blank(store_.at(i));
    }
    questions_ = endMissing ? top : top - 1;
    endOfContent_ = store_.count();
    while (endOfContent_ > 0 && blank(store_.at(endOfContent_ - 1))) --endOfContent_;
    lastBlockOpen_ = endMissing;

    if (endMissing) {
      report(last.index, "question " + std::to_string(top) +
                             " is never asked: there is no end marker " + questionMarker(top + 1) +
                             " after its last answer");
    } else if (top == 1) {
      report(last.index,
             "the group holds no question: [1] is its only marker, so it is the "
             "end marker");
    } else if (sectioned_) {
      for (int i = last.index + 1; i < store_.count(); ++i) {
        if (blank(store_.at(i)) || troubled_.count(i)) continue;
        report(i, "the lines after the end marker " + questionMarker(top) + " (line " +
                      std::to_string(last.index + 1) +
                      ") are never read; a question here needs its own " + correctMarker(top) +
                      " and " + wrongMarker(top) + " markers and a new end marker " +
                      questionMarker(top + 1));
        break;
      }
    }

    int expected = 1;
    for (const Candidate* block : blocks) {
      reportMissing(expected, block->marker.n - 1, *block);
      expected = block->marker.n + 1;
    }
    if (sectioned_) {
      for (const Candidate* block : blocks) {
        const int n = block->marker.n;
        if (n > questions_) break;
        const bool yes = numbered_.count({n, static_cast<int>(Kind::Correct)}) > 0;
        const bool no = numbered_.count({n, static_cast<int>(Kind::Wrong)}) > 0;
        const std::string q = "question " + std::to_string(n);
        if (!yes && !no)
          report(block->index, q + " has no " + correctMarker(n) + " and no " + wrongMarker(n) +
                                   " marker, so the game cannot find its answers");
        else if (!yes)
          report(block->index, q + " has no " + correctMarker(n) +
                                   " marker, so the game cannot find its correct answers");
        else if (!no)
          report(block->index, q + " has no " + wrongMarker(n) +
                                   " marker, so the game cannot find its wrong answers");
      }
    }
    return true;
  }

  // Question markers first .. last that stand nowhere in the file, before `next`.
  void reportMissing(int first, int last, const Candidate& next) {
    int n = first;
    while (n <= last) {
      if (questionNumbers_.count(n)) {
        ++n;
        continue;
      }
      const auto present = questionNumbers_.upper_bound(n);
      const int end = present == questionNumbers_.end() ? last : std::min(last, *present - 1);
      const std::string which =
          n == end ? "the marker " + questionMarker(n) + " is"
                   : "the markers " + questionMarker(n) + " to " + questionMarker(end) + " are";
      std::string message = which + " missing before " + questionMarker(next.marker.n) + ": ";
      if (n == 1 && end == 1)
        message += "the game still asks question 1, with the file's first line " +
                   quoted(store_.at(0)) + " as its question";
      else if (n <= 2)
        message += "the game asks no question at all";
      else
        message +=
            "the game never asks question " + std::to_string(n - 1) + " or any question after it";
      report(next.index, message);
      n = end + 1;
    }
  }

  // Lines that carry a marker but have no place in the group's sequence.
  void reportStrayMarkers() {
    std::vector<const Candidate*> chainOrder;
    for (const auto& [rank, k] : chain_) chainOrder.push_back(&candidates_[k]);
    // A whole block repeated or out of order is reported once, at its question marker.
    std::map<int, int> strayBlocks;  // n -> first question marker [n] outside the sequence
    for (const auto& c : candidates_)
      if (c.exact && !c.inChain && c.marker.kind == Kind::Question)
        strayBlocks.emplace(c.marker.n, c.index);
    const auto inStrayBlock = [&](const Candidate& c) {
      const auto it = strayBlocks.find(c.marker.n);
      return c.marker.kind != Kind::Question && it != strayBlocks.end() && it->second < c.index;
    };
    for (const auto& c : candidates_) {
      const std::string text = markerText(c.marker.n, c.marker.kind);
      if (!c.exact) {
        reportNearMarker(c, text);
        continue;
      }
      if (c.inChain) continue;
      const auto held = chain_.find(c.rank);
      if (held != chain_.end()) {
        const Candidate& real = candidates_[held->second];
        const std::string realLine = std::to_string(real.index + 1);
        if (c.index < real.index)
          report(c.index, "this line reads " + quoted(store_.at(c.index)) +
                              ", the same as the marker " + text + " at line " + realLine +
                              " (letter case does not matter); the game's search stops at the "
                              "first such line and takes this one for the marker" +
                              (c.marker.kind == Kind::Question && c.marker.n > questions_
                                   ? std::string("; keep only one end marker")
                                   : std::string(", so the questions around it come out wrong")));
        else if (!inStrayBlock(c))
          report(c.index, "the marker " + text + " appears a second time (first at line " +
                              realLine + "); the game only ever finds the first one" +
                              (questionAt(c.index) > questions_
                                   ? std::string(", and never reads this line")
                                   : " and reads this line as part of question " +
                                         std::to_string(questionAt(c.index))));
        continue;
      }
      if (inStrayBlock(c)) continue;
      // Out of order: a chained marker that it should follow stands after it, or one it
      // should precede stands before it.
      const auto after = std::upper_bound(chainOrder.begin(), chainOrder.end(), c.index,
                                          [](int i, const Candidate* k) { return i < k->index; });
      std::string message = "the ";
      message += c.marker.kind == Kind::Question ? "block " : "marker ";
      message += text + " is out of order: it stands ";
      if (after != chainOrder.end() && (*after)->rank < c.rank)
        message += "before " + markerText((*after)->marker.n, (*after)->marker.kind) + " (line " +
                   std::to_string((*after)->index + 1) + ")";
      else if (after != chainOrder.begin())
        message += "after " + markerText((*(after - 1))->marker.n, (*(after - 1))->marker.kind) +
                   " (line " + std::to_string((*(after - 1))->index + 1) + ")";
      if (c.marker.kind == Kind::Question)
        message +=
            "; blocks must follow each other in number order, or the game mixes up the "
            "answers of the questions around it";
      else
        message += "; the markers of a question must come in the order " +
                   questionMarker(c.marker.n) + ", " + correctMarker(c.marker.n) + ", " +
                   wrongMarker(c.marker.n) + ", or the game mixes up its answers";
      report(c.index, message);
    }
  }

  void reportNearMarker(const Candidate& c, const std::string& text) {
    const std::string line = store_.at(c.index);
    const bool spaces = withoutBlanks(line) != line;
    const bool zeros = !parseMarker(withoutBlanks(line), false);
    std::string message = quoted(line) + " is not the marker " + text +
                          ": a marker line must read exactly " + text + ", with no " +
                          (spaces && zeros ? "spaces or leading zeros"
                           : zeros         ? "leading zeros"
                                           : "spaces");
    const int found = store_.find(text);
    const int n = c.marker.n;
    if (found != -1)
      message += "; the game takes line " + std::to_string(found + 1) + " for " + text + " instead";
    else if (c.marker.kind != Kind::Question)
      message += "; without it the game cannot find the answers of question " + std::to_string(n);
    else if (n == 1)
      message += "; without it the game shows the file's first line as question 1";
    else if (n == 2)
      message += "; without it the game asks no question";
    else
      message += "; without it the game never asks question " + std::to_string(n - 1) +
                 " or any question after it";
    report(c.index, message);
  }

  // ---- One question -----------------------------------------------------------------

  // The entry of marker (n, kind) when the group's sequence and the game's search agree
  // on it; nothing otherwise.
  std::optional<int> soundMarker(int n, Kind kind) const {
    const Candidate* c = chained(n, kind);
    if (!c || !c->exact || store_.find(markerText(n, kind)) != c->index) return std::nullopt;
    return c->index;
  }

  // Content checks run only on blocks whose markers are all in place: a block that a
  // stray or missing marker breaks has been reported already, and what the game makes
  // of it would only repeat that problem.
  void checkQuestion(int n) {
    const auto p = soundMarker(n, Kind::Question);
    if (!p) return;
    auto q = soundMarker(n + 1, Kind::Question);
    if (n == questions_ && lastBlockOpen_) q = std::max(endOfContent_, *p + 1);
    if (!q || *q <= *p) return;
    if (troubled_.upper_bound(*p) != troubled_.lower_bound(*q)) return;
    const std::string question = "question " + std::to_string(n);
    std::vector<int> correct;
    std::vector<int> wrong;
    if (!sectioned_) {
      const int lines = *q - *p - 1;
      if (lines == 0) return report(*p, question + " has no question and no answers");
      if (lines == 1) return report(*p, question + " has no answers");
      if (lines == 2)
        report(*p, question + " has no wrong answers, so the game shows its correct answer " +
                       quoted(store_.at(*p + 2)) +
                       " as a wrong answer too and the other "
                       "wrong answer empty; give it at least two");
      else if (lines == 3)
        report(*p, question +
                       " has only one wrong answer, so the second wrong answer shows "
                       "empty; give it at least two");
      correct.push_back(*p + 2);
      for (int i = *p + 3; i < *q; ++i) wrong.push_back(i);
    } else {
      const auto y = soundMarker(n, Kind::Correct);
      const auto o = soundMarker(n, Kind::Wrong);
      if (!y || !o || !(*p < *y && *y < *o && *o < *q)) return;
      if (*y == *p + 1)
        return report(*p, question + " has no question line, so the game shows " +
                              quoted(store_.at(*y)) + " as its question");
      for (int i = *p + 2; i < *y; ++i)
        if (!blank(store_.at(i)))
          report(i, "this line is never shown: the question is the single line after " +
                        questionMarker(n));
      if (*o == *y + 1)
        report(*y, question + " has no correct answer between " + correctMarker(n) + " and " +
                       wrongMarker(n) + ", so the correct answer shows empty");
      if (*q - *o - 1 == 0)
        report(*o, question +
                       " has no wrong answers, so both wrong answers show empty; give "
                       "it at least two");
      else if (*q - *o - 1 == 1)
        report(*o, question +
                       " has only one wrong answer, so the second wrong answer shows "
                       "empty; give it at least two");
      for (int i = *y + 1; i < *o; ++i) correct.push_back(i);
      for (int i = *o + 1; i < *q; ++i) wrong.push_back(i);
    }
    checkQuestionText(*p + 1, question);
    for (const int i : correct) checkAnswer(i, question, "correct");
    for (const int i : wrong) checkAnswer(i, question, "wrong");
    checkRepeatedAnswers(correct, wrong, question);
  }

  // A wrong answer that is also right, or one written twice, can put the same answer
  // on two answer lines.
  void checkRepeatedAnswers(const std::vector<int>& correct, const std::vector<int>& wrong,
                            const std::string& question) {
    std::map<std::string, int> right;
    for (const int i : correct) right.emplace(cp1252::foldCase(store_.at(i)), i);
    std::map<std::string, int> seen;
    for (const int i : wrong) {
      const std::string text = store_.at(i);
      if (blank(text)) continue;
      const std::string key = cp1252::foldCase(text);
      if (const auto it = right.find(key); it != right.end())
        report(i, "the wrong answer " + quoted(text) + " of " + question +
                      " is also its correct answer at line " + std::to_string(it->second + 1) +
                      ", so the same answer can show twice");
      else if (const auto [first, fresh] = seen.emplace(key, i); !fresh)
        report(i, "the wrong answer " + quoted(text) + " of " + question + " repeats line " +
                      std::to_string(first->second + 1) +
                      ", so both wrong answers can read the same");
    }
  }

  void checkQuestionText(int index, const std::string& question) {
    const std::string text = store_.at(index);
    if (blank(text)) return report(index, "the question line of " + question + " is empty");
    const int room = std::max(1, kQuestionBoxHeight / std::max(1, measurer_.lineHeight()));
    const int lines = measurer_.wrappedLineCount(text, kQuestionBoxWidth);
    if (lines > room)
      report(index, question + " takes " + std::to_string(lines) +
                        " lines in the question box at the game's font, which has room for " +
                        std::to_string(room) + "; the rest is cut off");
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find(' ', start);
      if (end == std::string::npos) end = text.size();
      const std::string_view word = std::string_view(text).substr(start, end - start);
      const int width = word.empty() ? 0 : measurer_.width(word);
      if (width > kQuestionBoxWidth)
        report(index, "the word " + quoted(word) + " is " + std::to_string(width) +
                          " pixels wide, more than the question box's " +
                          std::to_string(kQuestionBoxWidth) + ", and is cut off");
      start = end + 1;
    }
  }

  void checkAnswer(int index, const std::string& question, const char* kind) {
    const std::string text = store_.at(index);
    if (text.empty())
      return report(index, std::string("an empty line among the ") + kind + " answers of " +
                               question +
                               ", which the game shows as an "
                               "empty answer");
    int widest = 0;
    std::string_view widestPrefix;
    for (const auto prefix : kAnswerPrefixes) {
      const int width = measurer_.width(std::string(prefix) + text);
      if (width > widest) {
        widest = width;
        widestPrefix = prefix;
      }
    }
    if (widest > kAnswerLineWidth)
      report(index, "the answer " + quoted(text) + " is too wide for its answer line: with " +
                        quoted(widestPrefix) + " in front it is " + std::to_string(widest) +
                        " pixels wide, and the line holds " + std::to_string(kAnswerLineWidth) +
                        " on one line");
  }

  std::string_view bytes_;
  const TextMeasurer& measurer_;
  QuestionStore store_;
  bool sectioned_ = false;
  bool versionReported_ = false;
  std::vector<Problem> problems_;
  std::vector<Candidate> candidates_;       // marker lines in file order
  std::vector<int> foreign_;                // sectioned markers in a classic group
  std::map<long long, std::size_t> chain_;  // rank -> candidate in the sequence
  std::set<std::pair<int, int>> numbered_;  // (n, kind) of every marker line
  std::set<int> questionNumbers_;           // n of every question marker line
  std::vector<const Candidate*> blocks_;    // the question markers of the sequence
  std::set<int> troubled_;                  // marker lines reported on their own
  int questions_ = 0;                       // questions the author wrote
  int endOfContent_ = 0;                    // one past the last line that is not blank
  bool lastBlockOpen_ = false;              // the last question lacks its end marker
};

}  // namespace

std::vector<Problem> checkGroup(std::string_view bytes, const TextMeasurer& measurer) {
  return GroupChecker(bytes, measurer).run();
}

}  // namespace zndl::check
