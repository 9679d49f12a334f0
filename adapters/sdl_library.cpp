// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/sdl_library.h"

#include "adapters/shared_library.h"

namespace zndl::sdl {

std::shared_ptr<const Api> load(const std::string& library, std::string* why) {
  void* handle = shared_library::open(library, why);
  if (handle == nullptr) return nullptr;
  auto api = std::make_shared<Api>();
  std::string missing;
#define ZNDL_SDL_RESOLVE(name) \
  if (!shared_library::resolve(handle, #name, api->name) && missing.empty()) missing = #name;
  ZNDL_SDL_FUNCTIONS(ZNDL_SDL_RESOLVE)
#undef ZNDL_SDL_RESOLVE
  if (!missing.empty()) {
    if (why != nullptr) *why = library + " has no " + missing + " (SDL 2.24 or later is needed)";
    return nullptr;
  }
  return api;
}

}  // namespace zndl::sdl
