// SPDX-License-Identifier: GPL-3.0-or-later
// How big the stage is shown on a display, and the player's choices of size.
#include <gtest/gtest.h>

#include "shell/stage_scale.h"

namespace zndl::stage {
namespace {

Display screen(int width, int height, int panel = 0, double ratio = 1.0) {
  return Display{width, height, width, height - panel, ratio};
}

// ---- Fitting the display ---------------------------------------------------------------

TEST(StageFit, TheCommonDisplaysGetTheLargestWholeFactorThatLeavesRoom) {
  EXPECT_EQ(windowFactor(screen(1280, 1024), kFit), 1);
  EXPECT_EQ(windowFactor(screen(1920, 1080), kFit), 2);
  EXPECT_EQ(windowFactor(screen(3840, 2160), kFit), 4);
  EXPECT_EQ(windowFactor(screen(2560, 1440), kFit), 2);
  EXPECT_EQ(windowFactor(screen(1024, 768), kFit), 1);
}

TEST(StageFit, TheDesktopsPanelsAndAWindowFrameAreLeftRoom) {
  // 1440 tall fits 1920x1440 exactly: no room for a frame, so one size smaller.
  EXPECT_EQ(windowFactor(screen(2560, 1440), kFit), 2);
  // A 1080-line display with a tall panel still has room for 960 lines.
  EXPECT_EQ(windowFactor(screen(1920, 1080, 64), kFit), 2);
  // A panel that eats the room does not.
  EXPECT_EQ(windowFactor(screen(1920, 1080, 100), kFit), 1);
  // 1280 wide takes the stage twice only with nothing around it.
  EXPECT_EQ(windowFactor(screen(1328, 1100), kFit), 2);
  EXPECT_EQ(windowFactor(screen(1327, 1100), kFit), 1);
}

TEST(StageFit, AnUnknownAvailableAreaFallsBackToTheWholeDisplay) {
  EXPECT_EQ(windowFactor(Display{1920, 1080, 0, 0, 1.0}, kFit), 2);
}

TEST(StageFit, NothingSmallerThanOneOrLargerThanFour) {
  EXPECT_EQ(windowFactor(screen(320, 200), kFit), 1);
  EXPECT_EQ(windowFactor(screen(0, 0), kFit), 1);
  EXPECT_EQ(windowFactor(screen(7680, 4320), kFit), 4);
  EXPECT_EQ(fullScreenFactor(screen(7680, 4320)), 4);
  EXPECT_EQ(fullScreenFactor(screen(320, 200)), 1);
}

TEST(StageFit, APlayersChoiceIsKeptEvenWhenItDoesNotFit) {
  EXPECT_EQ(windowFactor(screen(1920, 1080), 3), 3);
  EXPECT_EQ(windowFactor(screen(1280, 1024), 4), 4);
  EXPECT_EQ(windowFactor(screen(3840, 2160), 1), 1);
  // Outside 1 to 4 means fit.
  EXPECT_EQ(windowFactor(screen(1920, 1080), 9), 2);
  EXPECT_EQ(windowFactor(screen(1920, 1080), -1), 2);
}

TEST(StageFit, FullScreenUsesTheWholeDisplayWithoutMargins) {
  EXPECT_EQ(fullScreenFactor(screen(1920, 1080)), 2);
  EXPECT_EQ(fullScreenFactor(screen(1280, 960)), 2);
  EXPECT_EQ(fullScreenFactor(screen(1279, 960)), 1);
  EXPECT_EQ(fullScreenFactor(screen(3840, 2160)), 4);
  EXPECT_EQ(fullScreenFactor(screen(2560, 1440)), 3);
  // Panels do not count: full screen covers them.
  EXPECT_EQ(fullScreenFactor(screen(1920, 1080, 500)), 2);
}

// ---- Displays that draw bigger pixels themselves ------------------------------------------

TEST(StageFit, AHighDensityDisplayIsNotDoubledUp) {
  // A 4K panel at ratio 2 reports 1920x1080 of its own pixels: the stage at 4 device
  // pixels a pixel is 2 of the display's, so the windows scale by 2, not 4.
  const Display hidpi = screen(1920, 1080, 0, 2.0);
  EXPECT_EQ(windowFactor(hidpi, kFit), 4);
  EXPECT_DOUBLE_EQ(stageScale(windowFactor(hidpi, kFit), hidpi.pixelRatio), 2.0);
  EXPECT_EQ(fullScreenFactor(hidpi), 4);
  // A 2560x1440 panel at ratio 2: twice in device pixels is what the platform draws.
  const Display laptop = screen(1280, 720, 0, 2.0);
  EXPECT_EQ(windowFactor(laptop, kFit), 2);
  EXPECT_DOUBLE_EQ(stageScale(2, 2.0), 1.0);
  // Ratio 1.5: three times in device pixels is twice in the display's.
  EXPECT_DOUBLE_EQ(stageScale(3, 1.5), 2.0);
}

TEST(StageFit, TheStageIsNeverDrawnSmallerThanThePlatformDrawsIt) {
  EXPECT_DOUBLE_EQ(stageScale(1, 2.0), 1.0);
  EXPECT_DOUBLE_EQ(stageScale(1, 1.0), 1.0);
  EXPECT_DOUBLE_EQ(stageScale(3, 1.0), 3.0);
  // Nonsense ratios count as 1.
  EXPECT_DOUBLE_EQ(stageScale(2, 0.0), 2.0);
  EXPECT_DOUBLE_EQ(stageScale(2, -3.0), 2.0);
  EXPECT_EQ(windowFactor(screen(1920, 1080, 0, 0.0), kFit), 2);
}

// ---- The player's steps and words ----------------------------------------------------------

TEST(StageChoice, StepsGoOneSizeAtATimeAndStopAtTheEnds) {
  EXPECT_EQ(steppedChoice(2, +1), 3);
  EXPECT_EQ(steppedChoice(2, -1), 1);
  EXPECT_EQ(steppedChoice(4, +1), 4);
  EXPECT_EQ(steppedChoice(1, -1), 1);
  EXPECT_EQ(steppedChoice(1, +5), 2);
}

TEST(StageChoice, OnlyFitAndOneToFourAreChoices) {
  EXPECT_EQ(parseChoice("fit"), kFit);
  EXPECT_EQ(parseChoice("1"), 1);
  EXPECT_EQ(parseChoice("4"), 4);
  for (const char* wrong : {"0", "5", "", "2x", "fits", "FIT", "-1", "12", "3.0"})
    EXPECT_EQ(parseChoice(wrong), std::nullopt) << wrong;
  for (int choice = kFit; choice <= kMaxFactor; ++choice)
    EXPECT_EQ(parseChoice(choiceName(choice)), choice);
  EXPECT_STREQ(choiceName(7), "fit");
}

}  // namespace
}  // namespace zndl::stage
