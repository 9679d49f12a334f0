// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "checker/group_check.h"
#include "quiz/question_store.h"

// The inside of checkGroup: one pass over a group file, its checks kept in files by
// what they look at (encoding, the marker sequence, each question).
namespace zndl::check {

enum class Kind { Question = 0, Correct = 1, Wrong = 2 };

struct Marker {
  int n = 0;
  Kind kind = Kind::Question;
};

// The marker's text as the game searches for it.
std::string markerText(int n, Kind kind);

// A marker line as the game searches for it: "[n]", "[n-YES]" or "[n-NO]", letter case
// ignored, n in decimal. With `lenient`, leading zeros are accepted too (for spotting
// near misses). Numbers beyond nine digits are not markers of any group worth checking.
std::optional<Marker> parseMarker(std::string_view s, bool lenient);

// The text without blanks (spaces, tabs and no-break spaces).
std::string withoutBlanks(std::string_view s);

// Whether a line reads as the version line once blanks and letter case are ignored.
bool nearVersionLine(std::string_view line);

std::string quoted(std::string_view text);
bool blank(std::string_view s);

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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
  GroupChecker(std::string_view bytes, const TextMeasurer& measurer, LineNamer nameLine);
  std::vector<Problem> run();

 private:
  void report(int index, std::string message);
  std::vector<Problem> finish();
  long long rankOf(Marker m) const;
  // Entry `index` of the store as a message names it.
  std::string lineName(int index) const;

  // Encoding (encoding_check.cpp).
  void checkEncoding();
  static std::string garbledWords(std::string_view raw);

  // The marker sequence (marker_chain.cpp, marker_sequence.cpp).
  void findMarkers();
  void checkVersionLine();
  void chainMarkers();
  const Candidate* chained(int n, Kind kind) const;
  int questionAt(int index) const;
  bool checkSequence();
  void reportMissing(int first, int last, const Candidate& next);
  void reportStrayMarkers();
  void reportNearMarker(const Candidate& c, const std::string& text);

  // One question (question_check.cpp).
  std::optional<int> soundMarker(int n, Kind kind) const;
  void checkQuestion(int n);
  void checkRepeatedAnswers(const std::vector<int>& correct, const std::vector<int>& wrong,
                            const std::string& question);
  void checkQuestionText(int index, const std::string& question);
  void checkAnswer(int index, const std::string& question, const char* kind);

  std::string_view bytes_;
  const TextMeasurer& measurer_;
  LineNamer nameLine_;
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

}  // namespace zndl::check
