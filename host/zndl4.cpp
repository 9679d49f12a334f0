#include "host/zndl4.h"

#include <climits>

#include "platform/numbers.h"
#include "shell/game.h"

namespace zndl {

TForm1::TForm1(Game& game) : Screen(game, "Zandoodle Settings") {}

void TForm1::FormCreate() {
  SpinEdit1 = std::to_string(game_.ChatBox.Timer1.interval);
}

int TForm1::speechDelay() const {
  const auto value = parseWholeNumber(SpinEdit1);
  if (!value || *value > INT_MAX || *value < INT_MIN) return 0;
  return static_cast<int>(*value);
}

void TForm1::stepSpeechDelay(int delta) {
  // Worked out wide, so stepping past the ends of int gives a text that reads as 0
  // instead of overflowing.
  SpinEdit1 = std::to_string(static_cast<long long>(speechDelay()) + delta);
}

void TForm1::loadInto(TextList& list) {
  const auto chosen = game_.ports.filePicker.pickFile(OpenDialog1);
  if (!chosen) return;
  OpenDialog1 = *chosen;
  list.loadFromFile(*chosen);
}

void TForm1::LNBClick() {
  loadInto(game_.ChatBox.Memo1);
}
void TForm1::LNDClick() {
  loadInto(game_.ChatBox.Memo2);
}
void TForm1::LNJClick() {
  loadInto(game_.ChatBox.Memo3);
}
void TForm1::LNAJClick() {
  loadInto(game_.ChatBox.Memo4);
}
void TForm1::Button1Click() {
  loadInto(game_.AnvilBox.Prizes);
}

void TForm1::OKClick() {
  hide();
  game_.ChatBox.Timer1.setInterval(speechDelay());
}

}  // namespace zndl
