// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/sdl_library.h"

#include "adapters/shared_library.h"

namespace zndl::sdl {

std::shared_ptr<const Api> load(const std::string& library, std::string* why) {
  return shared_library::loadTable<Api>(library, why, " (SDL 2.24 or later is needed)",
                                        [](Api& api, auto look) {
#define ZNDL_SDL_RESOLVE(name) look(#name, api.name);
                                          ZNDL_SDL_FUNCTIONS(ZNDL_SDL_RESOLVE)
#undef ZNDL_SDL_RESOLVE
                                        });
}

}  // namespace zndl::sdl
