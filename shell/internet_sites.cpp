// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/internet_sites.h"

#include "shell/game.h"
#include "shell/make_screen.h"

namespace zndl {

void InternetSites::onMakerSiteClicked() {
  game_.ports.desktop.openAddress(makerSite.text);
}
void InternetSites::onGameSiteClicked() {
  game_.ports.desktop.openAddress(gameSite.text + "index.htm");
}
void InternetSites::onGameMailClicked() {
  game_.ports.desktop.openAddress("mailto:" + gameMail.text);
}
void InternetSites::onMakerMailClicked() {
  game_.ports.desktop.openAddress("mailto:" + makerMail.text);
}

void InternetSites::onHoverBackground() {
  for (LinkLabel* link : {&makerSite, &gameSite, &gameMail, &makerMail}) link->hot = false;
}

void InternetSites::copy(const std::string& address) {
  clipboardCarrier = address;
  game_.ports.desktop.copyText(clipboardCarrier);
}

MAKE_SCREEN(InternetSites);

}  // namespace zndl
