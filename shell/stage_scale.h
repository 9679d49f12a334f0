// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

// How large the stage is shown. Every screen is designed at 640x480 logical pixels;
// on a large display the whole stage is drawn bigger, by a whole factor, so a room
// watching one television can read it.
namespace zndl::stage {

inline constexpr int kWidth = 640;
inline constexpr int kHeight = 480;
inline constexpr int kMaxFactor = 4;
// Room left around a window for its frame and the desktop's panels when fitting.
inline constexpr int kMargin = 48;
// The player's choice of size: a whole factor, or the largest that fits.
inline constexpr int kFit = 0;

// A display as the window system reports it, in its own (device-independent) pixels,
// and the ratio of device pixels to those.
struct Display {
  int width = 0;
  int height = 0;
  int availableWidth = 0;   // less the desktop's panels; 0 when unknown
  int availableHeight = 0;
  double pixelRatio = 1.0;
};

// The magnification in device pixels for a windowed stage: the choice itself (1 to
// 4), or for kFit the largest whole factor at which the stage and a margin fit the
// display's available area; never below 1.
int windowFactor(const Display& display, int choice);
// The magnification for a full-screen stage: the largest whole factor (up to 4) at
// which the stage fits the whole display; never below 1.
int fullScreenFactor(const Display& display);
// The scale the windows apply to their logical layout for a magnification: a display
// that already draws each pixel bigger contributes its own ratio, so it is not
// doubled up. Never below 1: the smallest stage is the one the platform draws.
double stageScale(int factor, double pixelRatio);
// The choice after a step up (+1) or down (-1) from the factor now in use.
int steppedChoice(int currentFactor, int step);

// "fit", or a whole number from 1 to 4.
std::optional<int> parseChoice(std::string_view text);
// The choice as the command line and the settings write it.
const char* choiceName(int choice);

}  // namespace zndl::stage

namespace zndl {

// How the windows are shown and heard, as the player chose: the size of the stage
// (a whole factor, or stage::kFit), full screen, and the music muted.
struct Presentation {
  int scale = stage::kFit;
  bool fullScreen = false;
  bool muted = false;
  bool phones = false;  // phones as answer pads
  bool operator==(const Presentation&) const = default;
};

}  // namespace zndl
