// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>

namespace zndl {

// How often a peer may speak: a steady rate with room for a burst. Time is in
// milliseconds on a clock that only moves forward.
class RateLimit {
 public:
  RateLimit(double perSecond, double burst) : perSecond_(perSecond), burst_(burst), left_(burst) {}

  // Takes one turn; false when the peer has spoken too often.
  bool take(std::int64_t now) {
    if (last_ >= 0) left_ = std::min(burst_, left_ + perSecond_ * double(now - last_) / 1000.0);
    last_ = now;
    if (left_ < 1.0) return false;
    left_ -= 1.0;
    return true;
  }

 private:
  double perSecond_;
  double burst_;
  double left_;
  std::int64_t last_ = -1;
};

}  // namespace zndl
