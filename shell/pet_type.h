// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zndl {

// A contestant's pet, as names.etc stores it and the title screen's radio buttons
// offer it.
enum PetType : int {
  kHamster = 0,
  kGoldfish = 1,
  kMouse = 2,
  kDog = 3,
};

// What the host says a pet is: "Hamster", "Goldfish", "Mouse" or "Dog"; nothing for a
// number that is no pet type.
inline std::string petTypeText(int type) {
  static const char* const kTypes[] = {"Hamster", "Goldfish", "Mouse", "Dog"};
  return (type >= kHamster && type <= kDog) ? kTypes[type] : "";
}

}  // namespace zndl
