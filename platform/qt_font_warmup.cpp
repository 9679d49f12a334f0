// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_font_warmup.h"

#include <dlfcn.h>

#include <cstring>

namespace zndl {

FontWarmUp::FontWarmUp() {
  // Qt's platform code links fontconfig; the game does not, so it is looked up among
  // the libraries already loaded.
  using Init = int (*)();
  void* symbol = dlsym(RTLD_DEFAULT, "FcInit");
  if (symbol == nullptr) return;
  Init init = nullptr;
  static_assert(sizeof(init) == sizeof(symbol));
  std::memcpy(&init, &symbol, sizeof(init));
  thread_ = std::thread([init] { init(); });
}

FontWarmUp::~FontWarmUp() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace zndl
