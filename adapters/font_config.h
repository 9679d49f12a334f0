// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zndl {

// Reads the player's font configuration for the whole process before the toolkit asks
// for it, as fontconfig's own first start (FcInit) reads it, less one pass.
//
// FcInit reads the configuration and finds the fonts, then reads every file of
// fontconfig's template folder, in use or not, only so that `fc-conflist` can list them;
// nothing of that pass changes which font is chosen or how it is drawn, and it is about a
// third of fontconfig's start. Here the configuration is read and the fonts found the
// same way, and the result becomes the process's configuration, where FcInit then finds
// it.
//
// Returns false and changes nothing when the configuration cannot be read or names no
// cache folder, or when FC_DEBUG asks fontconfig to report its start: fontconfig's own
// start then runs as always, with its warnings and its fallback configuration. Call it
// before anything in the process has used fontconfig.
bool loadFontConfiguration();

}  // namespace zndl
