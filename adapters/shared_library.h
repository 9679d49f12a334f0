// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstring>
#include <memory>
#include <string>

// Libraries the game loads with dlopen() when it first needs them (FluidSynth,
// libpulse), so a missing one leaves the music silent instead of the game unable to
// start, and none of them is loaded before the title window opens.
namespace zndl::shared_library {

// Opens `library` for good: it is never closed, as threads it started may still be
// inside it at exit. Null when it cannot be loaded; `why` then says why.
void* open(const std::string& library, std::string* why);

// Looks up `name` in `handle` and stores it in `pointer`, a pointer to a function;
// false when the library has no such function.
void* symbol(void* handle, const char* name);
template <class Function>
bool resolve(void* handle, const char* name, Function*& pointer) {
  void* found = symbol(handle, name);
  // A pointer to a function and dlsym's void* are the same size on every platform
  // that has dlsym; the copy avoids a cast between the two kinds of pointer.
  static_assert(sizeof(pointer) == sizeof(found));
  std::memcpy(&pointer, &found, sizeof(pointer));
  return found != nullptr;
}

// Loads `library` and fills a table of its functions: `resolveAll(api, look)` calls
// `look(name, api.pointer)` for each function. Null when the library or any function
// is missing; `why` then names the first one missing, followed by `needs`.
template <class Api, class ResolveAll>
std::shared_ptr<const Api> loadTable(const std::string& library, std::string* why,
                                     const std::string& needs, ResolveAll resolveAll) {
  void* handle = open(library, why);
  if (handle == nullptr) return nullptr;
  auto api = std::make_shared<Api>();
  std::string missing;
  resolveAll(*api, [&](const char* name, auto*& pointer) {
    if (!resolve(handle, name, pointer) && missing.empty()) missing = name;
  });
  if (!missing.empty()) {
    if (why != nullptr) *why = library + " has no " + missing + needs;
    return nullptr;
  }
  return api;
}

}  // namespace zndl::shared_library
