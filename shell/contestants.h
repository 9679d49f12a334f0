// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <utility>

namespace zndl {

// The two contestants in turn order: player one answers the first question and
// stands on the left of every screen.
enum Contestant : int {
  kFirstContestant = 0,
  kSecondContestant = 1,
};

inline constexpr Contestant kBothContestants[] = {kFirstContestant, kSecondContestant};

constexpr Contestant otherContestant(Contestant contestant) {
  return static_cast<Contestant>(1 - contestant);
}

// One of a thing for each contestant: their entries, points, lives, names on a screen.
template <class T>
class Contestants {
 public:
  Contestants() = default;
  Contestants(T first, T second) : values_{std::move(first), std::move(second)} {}

  T& operator[](Contestant contestant) { return values_[index(contestant)]; }
  const T& operator[](Contestant contestant) const { return values_[index(contestant)]; }

  auto begin() { return values_.begin(); }
  auto end() { return values_.end(); }
  auto begin() const { return values_.begin(); }
  auto end() const { return values_.end(); }

  bool operator==(const Contestants&) const = default;

 private:
  static std::size_t index(Contestant contestant) { return static_cast<std::size_t>(contestant); }
  std::array<T, 2> values_{};
};

// Who has won the game under way: nobody yet (or a dead heat), or a contestant.
enum Winner : int {
  kNoWinner = 0,
  kPlayerOneWins = 1,
  kPlayerTwoWins = 2,
};

constexpr Winner winnerIs(Contestant contestant) {
  return static_cast<Winner>(static_cast<int>(kPlayerOneWins) + static_cast<int>(contestant));
}

// The contestant who has won, if anybody has.
constexpr std::optional<Contestant> winnerOf(Winner winner) {
  if (winner != kPlayerOneWins && winner != kPlayerTwoWins) return std::nullopt;
  return static_cast<Contestant>(static_cast<int>(winner) - static_cast<int>(kPlayerOneWins));
}

}  // namespace zndl
