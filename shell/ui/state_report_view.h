// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zndl {

class App;

// For the desktop tests: while the program runs, writes what a window manager cannot
// tell (which control holds the keyboard, each screen's X window, the quiz's state)
// to `path` several times a second, replacing the file whole each time.
void startStateReport(App& app, const QString& path);

}  // namespace zndl
