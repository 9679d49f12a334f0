// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/random.h"

#include <chrono>

namespace zndl {

void ClockRandom::seedFromClock() {
  const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
  const auto mono = std::chrono::steady_clock::now().time_since_epoch().count();
  state_ = static_cast<std::uint64_t>(wall) ^ (static_cast<std::uint64_t>(mono) << 17);
}

std::uint64_t ClockRandom::next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int ClockRandom::below(int n) {
  if (n <= 1) return 0;
  // Rejection keeps every value exactly equally likely.
  const std::uint64_t range = static_cast<std::uint64_t>(n);
  const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
  std::uint64_t x = next();
  while (x >= limit) x = next();
  return static_cast<int>(x % range);
}

}  // namespace zndl
