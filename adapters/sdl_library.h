// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// SDL's declarations give the types and constants; its functions are reached through
// the pointers below, loaded with dlopen() once the title is on the screen. The game
// never links libSDL2, so its fifty-odd libraries (X11, Wayland, the sound servers) are
// not loaded and relocated before the title window can open, and a missing SDL leaves
// the game without controllers rather than unable to start.
#include <SDL.h>

#include <memory>
#include <string>

namespace zndl::sdl {

// The library the game loads: SDL 2's ABI, as Debian's libsdl2-2.0-0 installs it.
inline constexpr const char* kLibrary = "libSDL2-2.0.so.0";

#define ZNDL_SDL_FUNCTIONS(X)        \
  X(SDL_SetHint)                     \
  X(SDL_InitSubSystem)               \
  X(SDL_QuitSubSystem)               \
  X(SDL_WasInit)                     \
  X(SDL_Quit)                        \
  X(SDL_GetError)                    \
  X(SDL_PumpEvents)                  \
  X(SDL_PeepEvents)                  \
  X(SDL_NumJoysticks)                \
  X(SDL_IsGameController)            \
  X(SDL_GameControllerOpen)          \
  X(SDL_GameControllerClose)         \
  X(SDL_GameControllerAddMapping)    \
  X(SDL_JoystickOpen)                \
  X(SDL_JoystickClose)               \
  X(SDL_JoystickInstanceID)          \
  X(SDL_JoystickGetDeviceInstanceID) \
  X(SDL_JoystickGetDeviceGUID)       \
  X(SDL_JoystickGetGUIDString)       \
  X(SDL_JoystickGetVendor)           \
  X(SDL_JoystickGetProduct)          \
  X(SDL_JoystickNumButtons)          \
  X(SDL_JoystickPath)                \
  X(SDL_JoystickAttachVirtualEx)     \
  X(SDL_JoystickDetachVirtual)       \
  X(SDL_JoystickSetVirtualButton)

// The SDL functions the game uses (and the virtual joysticks its tests plug in), each
// with the type its header declares. All of them are in SDL 2.24 and later.
struct Api {
#define ZNDL_SDL_POINTER(name) decltype(&::name) name = nullptr;
  ZNDL_SDL_FUNCTIONS(ZNDL_SDL_POINTER)
#undef ZNDL_SDL_POINTER
};

// Loads `library` (once; it stays loaded for the rest of the program) and looks up
// every function. Nothing when the library or any function is missing; `why` then
// says what was wrong.
std::shared_ptr<const Api> load(const std::string& library = kLibrary, std::string* why = nullptr);

}  // namespace zndl::sdl
