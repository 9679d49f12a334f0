// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Finding what the synthesizer needs on this machine: a General MIDI SoundFont and the
// sound systems worth trying.
namespace zndl::fluid {

// `requested` when given, else $ZNDL_SOUNDFONT when set, else the first of Debian's
// General MIDI SoundFonts that is installed (default-GM.sf2 first: it points at the
// one the system prefers). Empty when there is none.
std::string findSoundFont(const std::string& requested = {});

// Every General MIDI SoundFont Debian's packages install here, each file once (the
// links followed), in a fixed order.
std::vector<std::string> installedSoundFonts();

// The synthesizer's gain for a SoundFont: each gets the one that puts the game's tunes
// at a normal listening level (the title tune around -20 dBFS) with headroom left in
// their loudest bars.
double gainFor(const std::string& fontPath);

// The FluidSynth audio drivers worth trying, in order. A sound server is only tried
// when its socket is there, so a headless machine never waits on a connection attempt.
// $ZNDL_AUDIO_DRIVER names the one driver to use instead ("jack", "sdl2"...).
std::vector<std::string> audioDrivers();

}  // namespace zndl::fluid
