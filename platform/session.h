// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zndl {

// What the program finds about the desktop session it starts in.
struct Session {
  std::string waylandDisplay;  // WAYLAND_DISPLAY
  std::string display;         // DISPLAY: an X server is there too
  std::string chosenPlatform;  // QT_QPA_PLATFORM
  bool platformOption = false;  // -platform on the command line (CommandLine::platformChosen)
};

// Whether to run on X11 rather than on the session's own Wayland: the game places its
// windows itself and keeps its dialogs on top, which only X11 allows. A player's own
// choice of platform (QT_QPA_PLATFORM, or -platform on the command line) is kept, and
// without an X server there is nothing to move to.
bool preferX11(const Session& session);

}  // namespace zndl
