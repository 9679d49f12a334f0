#pragma once

#include <memory>

#include "fakes/fakes.h"
#include "shell/app.h"

namespace zndl::testing {

// The real windows over a game wired to fakes, in a fresh working directory. Files a
// test wants present at start are written before start() is called.
struct TestApp {
  TempDir dir;
  FakeTunePlayer titleTune;
  FakeTunePlayer quizTune;
  FakeErrorBox errors;
  FakeDesktop desktop;
  FakeFilePicker picker;
  ScriptedRandom random;
  std::unique_ptr<App> app;

  void start() {
    app = std::make_unique<App>(Ports{titleTune, quizTune, errors, desktop, picker, random});
  }
  Game& game() { return app->game(); }
};

}  // namespace zndl::testing
