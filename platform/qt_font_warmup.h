// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <thread>

namespace zndl {

// Reads the system's font configuration on a thread of its own while the application
// object connects to the display, so the first window's text does not wait for it.
// Qt reads it through fontconfig, which parses some forty configuration files and loads
// its caches the first time a font is looked up: several milliseconds of the title's
// start. fontconfig keeps one configuration for the process, made by whichever thread
// asks first, so Qt then finds it ready. Where Qt does not use fontconfig, nothing is
// done. The destructor waits for the thread.
class FontWarmUp {
 public:
  FontWarmUp();
  ~FontWarmUp();
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

  // True when fontconfig was found and is being (or has been) initialised.
  bool started() const { return thread_.joinable(); }

 private:
  std::thread thread_;
};

}  // namespace zndl
