// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "shell/ui/screen_view.h"

namespace zndl {

template <class View>
std::unique_ptr<ScreenView> makeWindow(App& app) {
  return std::make_unique<View>(app);
}

}  // namespace zndl

// In a window's own file: the program may build this window.
#define MAKE_WINDOW_OF(View) template std::unique_ptr<ScreenView> makeWindow<View>(App & app)
