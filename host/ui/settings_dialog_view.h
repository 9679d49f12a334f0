// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "host/settings_dialog.h"
#include "shell/ui/screen_view.h"

namespace zndl {

// The window of the settings dialog: five load buttons, the speech delay and OK.
class SettingsDialogView : public ScreenView {
 public:
  explicit SettingsDialogView(App& app);
  void sync() override;

  QLineEdit* speechDelayField() const { return speechDelay_; }
  QToolButton* upArrow() const { return up_; }
  QToolButton* downArrow() const { return down_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The dialog's own place on the desktop, as far out as the stage is scaled, and
  // never off the screen once it is bigger than the stage's usual size.
  void placeWindow() override;

 private:
  void buildSpeechDelayField();

  SettingsDialog& screen_;
  QLineEdit* speechDelay_ = nullptr;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};

}  // namespace zndl
