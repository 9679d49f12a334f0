// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zndl {

// Asks the screen reader to say `text` politely: after whatever it is reading, and
// without moving the keyboard. `window` is the window the text belongs to.
//
// Qt 6.8 and later send an announcement event. Before that, Qt's bridge to the
// screen readers has no announcements, so the text goes into one of a few hidden
// notification objects under a hidden status bar of the window, which is then shown
// to the screen reader; Orca reads a notification as it appears, and inside a status
// bar it reads the text alone. A window has several of them in turn, because two
// texts given to the same object before Orca gets to it leave only the last.
void announce(QWidget* window, const QString& text);

// Tests listen here: every announcement also reaches the listener, if one is set.
using AnnouncementListener = std::function<void(QWidget* window, const QString& text)>;
void setAnnouncementListener(AnnouncementListener listener);

}  // namespace zndl
