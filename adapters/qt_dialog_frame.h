// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace zndl {

// The game's dialogs have a title bar with their caption and no minimise or maximise
// button. Most window managers (GNOME's, KDE's) leave those buttons off a window whose
// Motif functions do not offer them, which Qt sets from the window flags. Openbox draws
// both on every dialog whatever its Motif hints say, and leaves them off only windows
// whose type cannot be minimised: under Openbox the dialog is typed a toolbar first
// (and a dialog after it, for everyone else), which keeps its caption, its frame and
// its close command. Call before the dialog is first shown; elsewhere it does nothing.
void keepTitleButtonsOff(QWidget& dialog);

}  // namespace zndl
