// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/stage_scale.h"

#include <algorithm>
#include <cmath>

namespace zndl::stage {
namespace {

double sanePixelRatio(double ratio) {
  return std::isfinite(ratio) && ratio > 0 ? ratio : 1.0;
}

// The largest factor from 1 to kMaxFactor whose stage, in display pixels, plus
// `margin` fits `width` x `height`; 1 when none does.
int largestFitting(int width, int height, int margin, double pixelRatio) {
  const double ratio = sanePixelRatio(pixelRatio);
  for (int factor = kMaxFactor; factor > 1; --factor) {
    // Sizes on the display are whole pixels: compare with a little slack for ratios
    // such as 1.25 that do not divide evenly.
    const double w = kWidth * factor / ratio + margin;
    const double h = kHeight * factor / ratio + margin;
    if (w <= width + 1e-6 && h <= height + 1e-6) return factor;
  }
  return 1;
}

}  // namespace

int windowFactor(const Display& display, int choice) {
  if (choice >= 1 && choice <= kMaxFactor) return choice;
  const bool known = display.availableWidth > 0 && display.availableHeight > 0;
  const int width = known ? display.availableWidth : display.width;
  const int height = known ? display.availableHeight : display.height;
  return largestFitting(width, height, kMargin, display.pixelRatio);
}

int fullScreenFactor(const Display& display) {
  return largestFitting(display.width, display.height, 0, display.pixelRatio);
}

double stageScale(int factor, double pixelRatio) {
  return std::max(1.0, std::clamp(factor, 1, kMaxFactor) / sanePixelRatio(pixelRatio));
}

int steppedChoice(int currentFactor, int step) {
  return std::clamp(currentFactor + (step > 0 ? 1 : step < 0 ? -1 : 0), 1, kMaxFactor);
}

std::optional<int> parseChoice(std::string_view text) {
  if (text == "fit") return kFit;
  if (text.size() == 1 && text[0] >= '1' && text[0] <= '0' + kMaxFactor) return text[0] - '0';
  return std::nullopt;
}

const char* choiceName(int choice) {
  static const char* const names[] = {"fit", "1", "2", "3", "4"};
  return choice >= 1 && choice <= kMaxFactor ? names[choice] : names[0];
}

}  // namespace zndl::stage
