// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/fluid_library.h"

#include "adapters/shared_library.h"

namespace zndl::fluid {

std::shared_ptr<const Api> load(const std::string& library, std::string* why) {
  void* handle = shared_library::open(library, why);
  if (handle == nullptr) return nullptr;
  auto api = std::make_shared<Api>();
  std::string missing;
#define ZNDL_FLUID_RESOLVE(name) \
  if (!shared_library::resolve(handle, #name, api->name) && missing.empty()) missing = #name;
  ZNDL_FLUID_FUNCTIONS(ZNDL_FLUID_RESOLVE)
#undef ZNDL_FLUID_RESOLVE
  if (!missing.empty()) {
    if (why != nullptr) *why = library + " has no " + missing;
    return nullptr;
  }
  return api;
}

}  // namespace zndl::fluid
