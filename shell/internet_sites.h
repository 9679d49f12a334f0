// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "shell/screen.h"

namespace zndl {

// A link of the Internet Sites dialog: the address it shows and whether the pointer
// has lit it up (aqua instead of blue).
struct LinkLabel {
  std::string text;
  bool hot = false;
};

// The Internet Sites dialog: the maker's and the game's web and mail addresses, each
// opened by the desktop on a click or copied to the clipboard.
class InternetSites : public Screen {
 public:
  explicit InternetSites(Game& game) : Screen(game, "Internet Sites") {}

  LinkLabel makerSite{"http://www.vormle.example/"};           // the maker's web site
  LinkLabel gameSite{"http://www.vormle.example/zandoodle/"};  // the game's web page
  LinkLabel gameMail{"zandoodle@vormle.example"};              // the game's mail
  LinkLabel makerMail{"info@vormle.example"};                  // the maker's mail
  std::string clipboardCarrier = "Edit1";  // carries a copied address on its way to the clipboard

  void onMakerSiteClicked();
  void onGameSiteClicked();
  void onGameMailClicked();
  void onMakerMailClicked();
  void onCopyMakerSite() { copy(makerSite.text); }
  void onCopyGameSite() { copy(gameSite.text); }
  void onCopyGameMail() { copy(gameMail.text); }
  void onCopyMakerMail() { copy(makerMail.text); }
  void onHoverMakerSite() { makerSite.hot = true; }
  void onHoverGameSite() { gameSite.hot = true; }
  void onHoverGameMail() { gameMail.hot = true; }
  void onHoverMakerMail() { makerMail.hot = true; }
  void onHoverBackground();
  void onOk() { close(); }

 private:
  void copy(const std::string& address);
};

}  // namespace zndl
