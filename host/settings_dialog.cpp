// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/settings_dialog.h"

#include <climits>

#include "finale/finale.h"
#include "host/introduction.h"
#include "platform/numbers.h"
#include "shell/game.h"
#include "shell/make_screen.h"

namespace zndl {

SettingsDialog::SettingsDialog(Game& game) : Screen(game, "Zandoodle Settings") {}

void SettingsDialog::create() {
  speechDelayText = std::to_string(game_.screen<Introduction>().tickTimer.interval);
}

int SettingsDialog::speechDelay() const {
  const auto value = parseWholeNumber(speechDelayText);
  if (!value || *value > INT_MAX || *value < INT_MIN) return 0;
  return static_cast<int>(*value);
}

void SettingsDialog::stepSpeechDelay(int delta) {
  // Worked out wide, so stepping past the ends of int gives a text that reads as 0
  // instead of overflowing.
  speechDelayText = std::to_string(static_cast<long long>(speechDelay()) + delta);
}

std::optional<std::string> SettingsDialog::pickFile() {
  const auto chosen = game_.ports.filePicker.pickFile(lastFileChosen);
  if (chosen) lastFileChosen = *chosen;
  return chosen;
}

void SettingsDialog::loadHostList(Introduction::List list) {
  if (const auto chosen = pickFile()) game_.screen<Introduction>().loadListFrom(list, *chosen);
}

void SettingsDialog::onLoadBanter() {
  loadHostList(Introduction::List::script);
}
void SettingsDialog::onLoadDescriptions() {
  loadHostList(Introduction::List::descriptions);
}
void SettingsDialog::onLoadJobs() {
  loadHostList(Introduction::List::jobs);
}
void SettingsDialog::onLoadAfterJobs() {
  loadHostList(Introduction::List::afterJobs);
}
void SettingsDialog::onLoadPrizes() {
  if (const auto chosen = pickFile()) game_.screen<Finale>().loadPrizesFrom(*chosen);
}

void SettingsDialog::onOk() {
  hide();
  game_.screen<Introduction>().setSpeechDelay(speechDelay());
}

MAKE_SCREEN(SettingsDialog);

}  // namespace zndl
