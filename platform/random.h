// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "platform/ports.h"

namespace zndl {

// The production random source: a small, fast generator (SplitMix64) with our own
// range reduction, so one seed gives the same game on every standard library.
class ClockRandom final : public RandomSource {
 public:
  explicit ClockRandom(std::uint64_t seed = 0) : state_(seed) {}
  void seedFromClock() override;
  int below(int n) override;

 private:
  std::uint64_t next();
  std::uint64_t state_;
};

}  // namespace zndl
