// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <memory>

#include "fakes/fake_ports.h"
#include "shell/ui/app.h"

namespace zndl::testing {

// The real windows over a game wired to fakes, in a fresh working directory. Files a
// test wants present at start are written before start() is called.
struct TestApp : FakePorts {
  TempDir dir;
  std::unique_ptr<App> app;

  void start() { app = std::make_unique<App>(ports()); }
  Game& game() { return app->game(); }
};

// The widget of a window by its control name; a missing one fails the test.
template <class W>
W* child(QWidget& parent, const char* name) {
  W* widget = parent.findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

}  // namespace zndl::testing
