// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "host/introduction.h"
#include "shell/screen.h"

namespace zndl {

// The settings dialog: load any of the five lists from a chosen file, and set the
// introduction's speech delay.
class SettingsDialog : public Screen {
 public:
  explicit SettingsDialog(Game& game);

  std::string speechDelayText = "2500";  // speech delay in milliseconds, as typed
  std::string lastFileChosen;            // the file chosen last, offered again

  static constexpr int kLeft = 773;
  static constexpr int kTop = 226;

  void create();
  void onLoadBanter();
  void onLoadDescriptions();
  void onLoadJobs();
  void onLoadAfterJobs();
  void onLoadPrizes();
  void onOk();
  // The field's up and down arrows: the value read as speechDelay(), plus `delta`.
  void stepSpeechDelay(int delta);

  // The field's value; a text that is not a whole number counts as 0.
  int speechDelay() const;

 private:
  // The file picked, remembered to be offered again; none when the player cancels.
  std::optional<std::string> pickFile();
  void loadHostList(Introduction::List list);
};

}  // namespace zndl
