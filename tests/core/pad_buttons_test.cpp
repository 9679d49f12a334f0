// SPDX-License-Identifier: GPL-3.0-or-later
// What a game controller's and a buzzer handset's buttons press, given what the rule
// offers the contestant, and how a buzzer set's twenty buttons split into handsets.
#include <gtest/gtest.h>

#include <vector>

#include "pads/pad_buttons.h"

using namespace zndl;

namespace {

using Actions = std::vector<PadAction>;
using B = ControllerButton;

const Actions kAnswers = {PadAction::answerA, PadAction::answerB, PadAction::answerC};
const Actions kCall = {PadAction::callHeads, PadAction::callTails};
const B kAllButtons[] = {B::answerA, B::answerB, B::answerC, B::go, B::start};
const BuzzerButton kAllBuzzers[] = {BuzzerButton::red, BuzzerButton::blue, BuzzerButton::orange,
                                    BuzzerButton::green, BuzzerButton::yellow};

}  // namespace

TEST(PadButtons, TheFaceButtonsAnswerWhileTheClockRunsAndNothingElseDoes) {
  EXPECT_EQ(controllerAction(B::answerA, kAnswers), PadAction::answerA);
  EXPECT_EQ(controllerAction(B::answerB, kAnswers), PadAction::answerB);
  EXPECT_EQ(controllerAction(B::answerC, kAnswers), PadAction::answerC);
  EXPECT_EQ(controllerAction(B::go, kAnswers), std::nullopt);
  EXPECT_EQ(controllerAction(B::start, kAnswers), std::nullopt);
  // Nothing offered (the other contestant's turn, the host speaking): nothing pressed.
  for (B button : kAllButtons) EXPECT_EQ(controllerAction(button, {}), std::nullopt);
}

TEST(PadButtons, TheCoinIsCalledWithAForHeadsAndBForTails) {
  EXPECT_EQ(controllerAction(B::answerA, kCall), PadAction::callHeads);
  EXPECT_EQ(controllerAction(B::answerB, kCall), PadAction::callTails);
  EXPECT_EQ(controllerAction(B::answerC, kCall), std::nullopt);
  EXPECT_EQ(controllerAction(B::go, kCall), std::nullopt) << "a call is never made for you";
  EXPECT_EQ(buzzerAction(BuzzerButton::blue, kCall), PadAction::callHeads);
  EXPECT_EQ(buzzerAction(BuzzerButton::orange, kCall), PadAction::callTails);
  EXPECT_EQ(buzzerAction(BuzzerButton::green, kCall), std::nullopt);
  EXPECT_EQ(buzzerAction(BuzzerButton::red, kCall), std::nullopt);
}

TEST(PadButtons, GoPressesWhateverTheScreenWaitsForAndStartOnlyPlay) {
  for (PadAction waited : {PadAction::continueQuiz, PadAction::okNotice, PadAction::tossCoin,
                           PadAction::killThePet, PadAction::kill, PadAction::backToTitle}) {
    EXPECT_EQ(controllerAction(B::go, {waited}), waited);
    EXPECT_EQ(buzzerAction(BuzzerButton::red, {waited}), waited);
    EXPECT_EQ(controllerAction(B::start, {waited}), std::nullopt);
    for (B answer : {B::answerA, B::answerB, B::answerC})
      EXPECT_EQ(controllerAction(answer, {waited}), std::nullopt);
  }
  EXPECT_EQ(controllerAction(B::start, {PadAction::play}), PadAction::play);
  EXPECT_EQ(controllerAction(B::go, {PadAction::play}), std::nullopt);
  // A handset has no Start: its red buzzer opens Play.
  EXPECT_EQ(buzzerAction(BuzzerButton::red, {PadAction::play}), PadAction::play);
}

TEST(PadButtons, TheColourButtonsAnswerAndYellowIsNeverAnything) {
  EXPECT_EQ(buzzerAction(BuzzerButton::blue, kAnswers), PadAction::answerA);
  EXPECT_EQ(buzzerAction(BuzzerButton::orange, kAnswers), PadAction::answerB);
  EXPECT_EQ(buzzerAction(BuzzerButton::green, kAnswers), PadAction::answerC);
  EXPECT_EQ(buzzerAction(BuzzerButton::red, kAnswers), std::nullopt);
  const Actions everything = {PadAction::answerA,   PadAction::answerB,   PadAction::answerC,
                              PadAction::callHeads, PadAction::callTails, PadAction::okNotice,
                              PadAction::play};
  EXPECT_EQ(buzzerAction(BuzzerButton::yellow, everything), std::nullopt);
  for (BuzzerButton button : kAllBuzzers) EXPECT_EQ(buzzerAction(button, {}), std::nullopt);
}

TEST(PadButtons, OnlySonysTwentyButtonSetsAreBuzzers) {
  EXPECT_TRUE(isBuzzerSet(0x054c, 0x0002, 20));
  EXPECT_TRUE(isBuzzerSet(0x054c, 0x1000, 20));
  EXPECT_FALSE(isBuzzerSet(0x054c, 0x1000, 19));
  EXPECT_FALSE(isBuzzerSet(0x054c, 0x1000, 21));
  EXPECT_FALSE(isBuzzerSet(0x054c, 0x0268, 20)) << "another of Sony's pads";
  EXPECT_FALSE(isBuzzerSet(0x045e, 0x0002, 20));
}

TEST(PadButtons, ASetsButtonsAreFourHandsetsOfFiveFromRedToYellow) {
  const struct {
    int setButton;
    int handset;
    BuzzerButton button;
  } cases[] = {{0, 0, BuzzerButton::red},    {1, 0, BuzzerButton::blue},
               {4, 0, BuzzerButton::yellow}, {5, 1, BuzzerButton::red},
               {8, 1, BuzzerButton::green},  {12, 2, BuzzerButton::orange},
               {15, 3, BuzzerButton::red},   {19, 3, BuzzerButton::yellow}};
  for (const auto& c : cases) {
    const auto found = handsetButton(c.setButton);
    ASSERT_TRUE(found) << c.setButton;
    EXPECT_EQ(found->handset, c.handset) << c.setButton;
    EXPECT_EQ(found->button, c.button) << c.setButton;
  }
  EXPECT_EQ(handsetButton(-1), std::nullopt);
  EXPECT_EQ(handsetButton(20), std::nullopt);
}
