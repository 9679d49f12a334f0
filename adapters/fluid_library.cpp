// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/fluid_library.h"

#include <dlfcn.h>

#include <cstring>
#include <mutex>

namespace zndl::fluid {

std::shared_ptr<const Api> load(const std::string& library, std::string* why) {
  // dlerror() reports the last failure of any thread; one load at a time keeps the
  // message with its own call.
  static std::mutex loading;
  std::lock_guard lock(loading);
  dlerror();
  // Never closed: the audio driver's threads may still be inside it at exit.
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    if (why != nullptr) {
      const char* error = dlerror();
      *why = error != nullptr ? error : "cannot load " + library;
    }
    return nullptr;
  }
  auto api = std::make_shared<Api>();
  std::string missing;
  // A pointer to a function and dlsym's void* are the same size on every platform
  // that has dlsym; the copy avoids a cast between the two kinds of pointer.
  auto resolve = [&](auto& pointer, const char* name) {
    void* symbol = dlsym(handle, name);
    if (symbol == nullptr && missing.empty()) missing = name;
    static_assert(sizeof(pointer) == sizeof(symbol));
    std::memcpy(&pointer, &symbol, sizeof(pointer));
  };
#define ZNDL_FLUID_RESOLVE(name) resolve(api->name, #name);
  ZNDL_FLUID_FUNCTIONS(ZNDL_FLUID_RESOLVE)
#undef ZNDL_FLUID_RESOLVE
  if (!missing.empty()) {
    if (why != nullptr) *why = library + " has no " + missing;
    return nullptr;
  }
  return api;
}

}  // namespace zndl::fluid
