#include "shell/zndl10.h"

#include "shell/game.h"

namespace zndl {

void TForm3::Label3Click() { game_.ports.desktop.openAddress(Label3.text); }
void TForm3::Label1Click() { game_.ports.desktop.openAddress(Label1.text + "index.htm"); }
void TForm3::Label2Click() { game_.ports.desktop.openAddress("mailto:" + Label2.text); }
void TForm3::Label4Click() { game_.ports.desktop.openAddress("mailto:" + Label8.text); }

void TForm3::FormMouseMove() {
  for (LinkLabel* link : {&Label3, &Label1, &Label2, &Label8}) link->hot = false;
}

void TForm3::copy(const std::string& address) {
  Edit1 = address;
  game_.ports.desktop.copyText(Edit1);
}

}  // namespace zndl
