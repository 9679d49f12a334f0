#pragma once

#include <string>

#include "host/text_list.h"
#include "shell/screen.h"

namespace zndl {

// The settings dialog: load any of the five lists from a chosen file, and set the
// introduction's speech delay.
class TForm1 : public Screen {
 public:
  explicit TForm1(Game& game);

  std::string SpinEdit1 = "2500";  // speech delay in milliseconds, as typed
  std::string OpenDialog1;         // the file chosen last, offered again

  static constexpr int kLeft = 773;
  static constexpr int kTop = 226;

  void FormCreate();
  void LNBClick();
  void LNDClick();
  void LNJClick();
  void LNAJClick();
  void Button1Click();
  void OKClick();
  // The field's up and down arrows: the value read as speechDelay(), plus `delta`.
  void stepSpeechDelay(int delta);

  // The field's value; a text that is not a whole number counts as 0.
  int speechDelay() const;

 private:
  void loadInto(TextList& list);
};

}  // namespace zndl
