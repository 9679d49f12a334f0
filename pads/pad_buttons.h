// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "pads/pad_rule.h"

namespace zndl {

// The buttons the game gives a meaning on a game controller, named for what they do: the
// three face buttons that answer (A, B and X as SDL's game-controller mapping names
// them, whatever the pad prints on them), the go button (Y) and Start.
enum class ControllerButton { answerA, answerB, answerC, go, start };

// The five buttons of a quiz buzzer handset, in the order the set reports them.
enum class BuzzerButton { red, blue, orange, green, yellow };

// What a contestant holding a game controller answers with: a pad's face buttons or a
// buzzer handset's colours (the quiz shows which answers what).
enum class ControllerFaces { buttons, buzzer };

// What a press does now, given what the contestant's pad may press (padView's actions):
// the answer buttons answer and call the coin (A Heads, B Tails); go presses CONTINUE,
// OK, TOSS THE COIN, KILL THE PET, Kill or Back To Title, whichever is offered; Start
// presses Play. Nothing when the button means nothing at this moment.
std::optional<PadAction> controllerAction(ControllerButton button,
                                          const std::vector<PadAction>& offered);

// A buzzer handset has no Start: its red buzzer is the go button and also presses Play;
// blue, orange and green answer A, B and C; yellow means nothing.
std::optional<PadAction> buzzerAction(BuzzerButton button, const std::vector<PadAction>& offered);

// The buzzer sets the kernel presents as one joystick of four handsets, five buttons each.
inline constexpr int kBuzzerHandsets = 4;
inline constexpr int kButtonsPerHandset = 5;
bool isBuzzerSet(std::uint16_t vendor, std::uint16_t product, int buttons);

// Which handset a button of the set belongs to, and which of its buttons it is.
struct HandsetButton {
  int handset;  // 0 to 3
  BuzzerButton button;
};
std::optional<HandsetButton> handsetButton(int setButton);

}  // namespace zndl
