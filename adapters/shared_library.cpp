// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/shared_library.h"

#include <dlfcn.h>

#include <mutex>

namespace zndl::shared_library {
namespace {

// dlerror() reports the last failure of any thread; one load at a time keeps the
// message with its own call.
std::mutex loading;

}  // namespace

void* open(const std::string& library, std::string* why) {
  std::lock_guard lock(loading);
  dlerror();
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr && why != nullptr) {
    const char* error = dlerror();
    *why = error != nullptr ? error : "cannot load " + library;
  }
  return handle;
}

void* symbol(void* handle, const char* name) {
  return dlsym(handle, name);
}

}  // namespace zndl::shared_library
