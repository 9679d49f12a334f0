// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "shell/contestants.h"

// The host's lines at the end of a game, with the show's curly quotes and apostrophe.
namespace zndl {

struct ContestantEntry;
struct Standing;

inline constexpr const char* kDeadHeat =
    "\u201CWell would you look at that? A dead heat! We\u2019ll have to have a tie-breaker.\u201D";
inline constexpr const char* kPrizesFile = "prizes";

// How a game ended: level, won on points, or lost on lives.
enum class VerdictKind { deadHeat, morePoints, outOfLives };

struct Verdict {
  VerdictKind kind = VerdictKind::deadHeat;
  Winner winner = kNoWinner;
};

// The game-end decision: more points win; a contestant with no lives left loses, and
// that outweighs the points (player two's loss over player one's, if both are out).
Verdict decideVerdict(const Contestants<Standing>& standings);

// What the host says of a verdict, with the contestants' entries as they stand.
std::string verdictLine(const Verdict& verdict, const Contestants<ContestantEntry>& entries);

inline std::string morePointsVerdict(const std::string& winner, const std::string& loser,
                                     const std::string& loserPetType,
                                     const std::string& loserPetName) {
  return "\u201CWell, at the end of the game, " + winner + " has more points, so that means " +
         loser + "\u2019s " + loserPetType + ", " + loserPetName +
         " will be killed in just a few moments.\u201D";
}

inline std::string fiveLivesVerdict(const std::string& loser, const std::string& loserPetName) {
  return "\u201CWell, looks like " + loser + " got 5 questions wrong, so " + loserPetName +
         " will be killed in just a few moments.\u201D";
}

inline std::string honoursCall(const std::string& winner) {
  return "\u201C" + winner + " would you do the honours?\u201D";
}

inline std::string prizeLine(const std::string& winner, const std::string& prize) {
  return "\u201CThank you, " + winner + " and enjoy your Winner\u2019s Prize, " + prize + ".\u201D";
}

}  // namespace zndl
