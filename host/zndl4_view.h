#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "host/zndl4.h"
#include "shell/screen_view.h"

namespace zndl {

// The window of the settings dialog: five load buttons, the speech delay and OK.
class SettingsView : public ScreenView {
 public:
  explicit SettingsView(App& app);
  void sync() override;

  QLineEdit* speechDelayField() const { return spinEdit_; }
  QToolButton* upArrow() const { return up_; }
  QToolButton* downArrow() const { return down_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildSpeechDelayField();

  TForm1& screen_;
  QLineEdit* spinEdit_ = nullptr;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};

}  // namespace zndl
