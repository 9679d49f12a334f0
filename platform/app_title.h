// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zndl {

// The game's name and version as every window's caption and the desktop show it.
inline constexpr const char* kAppTitle = "Zandoodle v4.2";

}  // namespace zndl
