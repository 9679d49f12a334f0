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

// One way for the music to reach the speakers.
struct SoundOutput {
  // The game's own PulseAudio stream (PipeWire serves the same protocol), or one of
  // FluidSynth's audio drivers.
  enum class Kind { PulseAudio, FluidDriver };
  Kind kind = Kind::FluidDriver;
  // The FluidSynth driver ("alsa", "jack", ...); "pulseaudio" for the PulseAudio stream.
  std::string driver;
  // PulseAudio: the server, as libpulse names it ("unix:/run/user/1000/pulse/native",
  // "tcp:host"); empty lets libpulse look for itself.
  std::string server;
};

// The PulseAudio server libpulse would connect to: $PULSE_SERVER; else the socket in
// $PULSE_RUNTIME_PATH, or when that is not set in $XDG_RUNTIME_DIR/pulse; else the
// system-wide one in /run/pulse. Empty when there is none. A socket is only named when
// it is there, so a machine without a server never waits on a connection attempt.
std::string pulseServer();

// The ways worth trying, in order: the PulseAudio server when there is one, then ALSA
// when the machine has sound devices. $ZNDL_AUDIO_DRIVER names the one FluidSynth
// driver to use instead ("alsa", "jack", "sdl2"...; "pulseaudio" for the server
// libpulse would choose).
std::vector<SoundOutput> soundOutputs();

}  // namespace zndl::fluid
