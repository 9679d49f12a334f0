// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session.h"

namespace zndl {

bool preferX11(const Session& session) {
  if (session.waylandDisplay.empty() || session.display.empty()) return false;
  return session.chosenPlatform.empty() && !session.platformOption;
}

}  // namespace zndl
