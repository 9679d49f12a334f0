// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_line.h"
#include "platform/session.h"

using namespace zndl;

namespace {

Session wayland(std::vector<std::string> arguments = {"zandoodle"}) {
  Session s;
  s.waylandDisplay = "wayland-0";
  s.display = ":0";
  s.platformOption = parseCommandLine(arguments).platformChosen;
  return s;
}

}  // namespace

TEST(Session, AWaylandSessionWithAnXServerRunsTheGameOnX11) {
  EXPECT_TRUE(preferX11(wayland()));
  EXPECT_TRUE(preferX11(wayland({})));
  // Arguments that only look like the option are not a choice of platform.
  EXPECT_TRUE(preferX11(wayland({"zandoodle", "-platformx", "platform"})));
}

TEST(Session, WithoutAnXServerOrOutsideWaylandNothingChanges) {
  Session noX = wayland();
  noX.display.clear();
  EXPECT_FALSE(preferX11(noX));
  Session x11 = wayland();
  x11.waylandDisplay.clear();
  EXPECT_FALSE(preferX11(x11));
}

TEST(Session, ThePlayersOwnChoiceOfPlatformIsKept) {
  Session chosen = wayland();
  chosen.chosenPlatform = "wayland";
  EXPECT_FALSE(preferX11(chosen));
  EXPECT_FALSE(preferX11(wayland({"zandoodle", "-platform", "wayland"})));
  EXPECT_FALSE(preferX11(wayland({"zandoodle", "--platform", "wayland"})));
  EXPECT_FALSE(preferX11(wayland({"zandoodle", "--scale", "2", "-platform", "offscreen"})));
  // The program's own name is not an option.
  EXPECT_TRUE(preferX11(wayland({"-platform"})));
}
