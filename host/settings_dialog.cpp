// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/settings_dialog.h"

#include <climits>

#include "platform/numbers.h"
#include "shell/game.h"

namespace zndl {

SettingsDialog::SettingsDialog(Game& game) : Screen(game, "Zandoodle Settings") {}

void SettingsDialog::create() {
  speechDelayText = std::to_string(game_.introduction.speechTimer.interval);
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

void SettingsDialog::loadInto(TextList& list) {
  const auto chosen = game_.ports.filePicker.pickFile(lastFileChosen);
  if (!chosen) return;
  lastFileChosen = *chosen;
  list.loadFromFile(*chosen);
}

void SettingsDialog::onLoadBanter() {
  loadInto(game_.introduction.script);
}
void SettingsDialog::onLoadDescriptions() {
  loadInto(game_.introduction.descriptions);
}
void SettingsDialog::onLoadJobs() {
  loadInto(game_.introduction.jobs);
}
void SettingsDialog::onLoadAfterJobs() {
  loadInto(game_.introduction.afterJobs);
}
void SettingsDialog::onLoadPrizes() {
  loadInto(game_.finale.prizes);
}

void SettingsDialog::onOk() {
  hide();
  game_.introduction.speechTimer.setInterval(speechDelay());
}

}  // namespace zndl
