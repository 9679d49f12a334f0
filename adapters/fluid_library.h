// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FluidSynth's declarations give the types and constants; its functions are reached
// through the pointers below, loaded with dlopen() when the music is first wanted. The
// game never links libfluidsynth, so its forty-odd libraries are not loaded and
// relocated before the title window can open, and a missing FluidSynth leaves the game
// silent rather than unable to start.
#include <fluidsynth.h>

#include <memory>
#include <string>

namespace zndl::fluid {

// The library the game loads: FluidSynth 2's ABI, as Debian's libfluidsynth3 installs it.
inline constexpr const char* kLibrary = "libfluidsynth.so.3";

#define ZNDL_FLUID_FUNCTIONS(X)                                                          \
  X(fluid_set_log_function)                                                              \
  X(new_fluid_settings)                                                                  \
  X(delete_fluid_settings)                                                               \
  X(fluid_settings_setnum)                                                               \
  X(fluid_settings_setint)                                                               \
  X(fluid_settings_setstr)                                                               \
  X(new_fluid_synth)                                                                     \
  X(delete_fluid_synth)                                                                  \
  X(fluid_synth_sfload)                                                                  \
  X(fluid_synth_process)                                                                 \
  X(fluid_synth_cc)                                                                      \
  X(fluid_synth_all_sounds_off)                                                          \
  X(new_fluid_audio_driver2)                                                             \
  X(delete_fluid_audio_driver)                                                           \
  X(new_fluid_player)                                                                    \
  X(delete_fluid_player)                                                                 \
  X(fluid_player_add_mem)                                                                \
  X(fluid_player_play)                                                                   \
  X(fluid_player_stop)                                                                   \
  X(fluid_player_get_status)                                                             \
  X(fluid_player_get_current_tick)                                                       \
  X(fluid_player_seek)

// The FluidSynth functions the game uses, each with the type its header declares.
struct Api {
#define ZNDL_FLUID_POINTER(name) decltype(&::name) name = nullptr;
  ZNDL_FLUID_FUNCTIONS(ZNDL_FLUID_POINTER)
#undef ZNDL_FLUID_POINTER
};

// Loads `library` (once; it stays loaded for the rest of the program) and looks up
// every function. Nothing when the library or any function is missing; `why` then
// says what was wrong.
std::shared_ptr<const Api> load(const std::string& library = kLibrary, std::string* why = nullptr);

}  // namespace zndl::fluid
