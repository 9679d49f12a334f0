// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace zndl {

class App;
class FluidEngine;

// Runs the whole program: the application object, the real music, windows and error
// box, and the event loop until the title screen closes.
int runProgram(int argc, char* argv[]);

// Moves the program onto X11 when it starts in a Wayland session that has an X server
// too and the player chose no platform; call before the application object exists.
void chooseWindowSystem(bool platformChosen);

// Gives every window the game's icon (the bitmaps drawn at build time).
void installWindowIcon();

// Starts `engine` (FluidSynth, the SoundFont, the sound device) once the title window
// is on the screen, so none of it delays the title; the title tune, started before,
// then plays by itself.
void startMusicWhenShown(App& app, std::shared_ptr<FluidEngine> engine);

}  // namespace zndl
