// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fakes/failing_writes.h"
#include "fakes/fakes.h"
// The whole game, every screen with it: the tests reach any of them.
#include "finale/coin_call.h"
#include "finale/finale.h"
#include "finale/notice.h"
#include "finale/tie_break.h"
#include "host/introduction.h"
#include "host/settings_dialog.h"
#include "quiz/quiz_screen.h"
#include "shell/game.h"
#include "shell/internet_sites.h"
#include "shell/title_screen.h"

namespace zndl::testing {

// One fake for every port, and the game's view of them.
struct FakePorts {
  FakeTunePlayer titleTune;
  FakeTunePlayer quizTune;
  FakeErrorBox errors;
  FakeDesktop desktop;
  FakeFilePicker picker;
  ScriptedRandom random;
  FailingWrites writes;  // the system's own until a test says where a save fails

  Ports ports() { return Ports{titleTune, quizTune, errors, desktop, picker, random, writes}; }
};

}  // namespace zndl::testing
