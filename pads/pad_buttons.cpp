// SPDX-License-Identifier: GPL-3.0-or-later
#include "pads/pad_buttons.h"

#include <algorithm>
#include <initializer_list>

namespace zndl {
namespace {

// The first of `wanted` that the pad may press now.
std::optional<PadAction> firstOffered(std::initializer_list<PadAction> wanted,
                                      const std::vector<PadAction>& offered) {
  for (PadAction action : wanted)
    if (std::find(offered.begin(), offered.end(), action) != offered.end()) return action;
  return std::nullopt;
}

// Sony's vendor number, and the products of its wired buzzer sets.
constexpr std::uint16_t kSony = 0x054c;
constexpr std::uint16_t kBuzzerProducts[] = {0x0002, 0x1000};

}  // namespace

std::optional<PadAction> controllerAction(ControllerButton button,
                                          const std::vector<PadAction>& offered) {
  switch (button) {
    case ControllerButton::answerA:
      return firstOffered({PadAction::answerA, PadAction::callHeads}, offered);
    case ControllerButton::answerB:
      return firstOffered({PadAction::answerB, PadAction::callTails}, offered);
    case ControllerButton::answerC:
      return firstOffered({PadAction::answerC}, offered);
    case ControllerButton::go:
      return firstOffered({PadAction::continueQuiz, PadAction::okNotice, PadAction::tossCoin,
                           PadAction::killThePet, PadAction::kill, PadAction::backToTitle},
                          offered);
    case ControllerButton::start:
      return firstOffered({PadAction::play}, offered);
  }
  return std::nullopt;
}

std::optional<PadAction> buzzerAction(BuzzerButton button, const std::vector<PadAction>& offered) {
  switch (button) {
    case BuzzerButton::red:
      if (auto go = controllerAction(ControllerButton::go, offered)) return go;
      return controllerAction(ControllerButton::start, offered);
    case BuzzerButton::blue:
      return controllerAction(ControllerButton::answerA, offered);
    case BuzzerButton::orange:
      return controllerAction(ControllerButton::answerB, offered);
    case BuzzerButton::green:
      return controllerAction(ControllerButton::answerC, offered);
    case BuzzerButton::yellow:
      return std::nullopt;
  }
  return std::nullopt;
}

bool isBuzzerSet(std::uint16_t vendor, std::uint16_t product, int buttons) {
  return vendor == kSony && buttons == kBuzzerHandsets * kButtonsPerHandset &&
         std::find(std::begin(kBuzzerProducts), std::end(kBuzzerProducts), product) !=
             std::end(kBuzzerProducts);
}

std::optional<HandsetButton> handsetButton(int setButton) {
  if (setButton < 0 || setButton >= kBuzzerHandsets * kButtonsPerHandset) return std::nullopt;
  return HandsetButton{setButton / kButtonsPerHandset,
                       static_cast<BuzzerButton>(setButton % kButtonsPerHandset)};
}

}  // namespace zndl
