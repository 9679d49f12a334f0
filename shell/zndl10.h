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
class TForm3 : public Screen {
 public:
  explicit TForm3(Game& game) : Screen(game, "Internet Sites") {}

  LinkLabel Label3{"http://www.vormle.example/"};             // the maker's web site
  LinkLabel Label1{"http://www.vormle.example/zandoodle/"};   // the game's web page
  LinkLabel Label2{"zandoodle@vormle.example"};              // the game's mail
  LinkLabel Label8{"info@vormle.example"};                   // the maker's mail
  std::string Edit1 = "Edit1";  // carries a copied address on its way to the clipboard

  void Label3Click();
  void Label1Click();
  void Label2Click();
  void Label4Click();  // bound to Label8
  void SpeedButton1Click() { copy(Label3.text); }
  void SpeedButton2Click() { copy(Label1.text); }
  void SpeedButton3Click() { copy(Label2.text); }
  void SpeedButton4Click() { copy(Label8.text); }
  void Label3MouseMove() { Label3.hot = true; }
  void Label1MouseMove() { Label1.hot = true; }
  void Label2MouseMove() { Label2.hot = true; }
  void Label8MouseMove() { Label8.hot = true; }
  void FormMouseMove();
  void Button1Click() { close(); }

 private:
  void copy(const std::string& address);
};

}  // namespace zndl
