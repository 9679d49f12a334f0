// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fakes/fakes.h"
#include "shell/game.h"

namespace zndl::testing {

// One fake for every port, and the game's view of them.
struct FakePorts {
  FakeTunePlayer titleTune;
  FakeTunePlayer quizTune;
  FakeErrorBox errors;
  FakeDesktop desktop;
  FakeFilePicker picker;
  ScriptedRandom random;

  Ports ports() { return Ports{titleTune, quizTune, errors, desktop, picker, random}; }
};

}  // namespace zndl::testing
