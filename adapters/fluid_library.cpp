// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/fluid_library.h"

#include "adapters/shared_library.h"

namespace zndl::fluid {

std::shared_ptr<const Api> load(const std::string& library, std::string* why) {
  return shared_library::loadTable<Api>(library, why, "", [](Api& api, auto look) {
#define ZNDL_FLUID_RESOLVE(name) look(#name, api.name);
    ZNDL_FLUID_FUNCTIONS(ZNDL_FLUID_RESOLVE)
#undef ZNDL_FLUID_RESOLVE
  });
}

}  // namespace zndl::fluid
