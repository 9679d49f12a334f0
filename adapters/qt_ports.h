// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "platform/ports.h"

namespace zndl {

// The error box: the message, the game's title, an error sign and one OK button.
// It belongs to the game's main window once there is one: the box waits until that
// window is on the screen, stands above it and stays above whatever the game shows
// while the box is open.
class QtErrorBox final : public ErrorBox {
 public:
  void showError(const std::string& text) override;
  // The window the box belongs to; without one, the active window.
  void setOwner(std::function<QWidget*()> owner) { owner_ = std::move(owner); }
  // Brings an open box back above the game's windows; does nothing when none is open.
  static void raiseOpenBox();

 private:
  std::function<QWidget*()> owner_;
};

// The desktop's open action and the clipboard (plain text).
class QtDesktop final : public Desktop {
 public:
  void openAddress(const std::string& address) override;
  void copyText(const std::string& text) override;
};

// The platform's open-file dialog, offering the file chosen the time before.
class QtFilePicker final : public FilePicker {
 public:
  std::optional<std::string> pickFile(const std::string& offered) override;
};

inline QString qs(const std::string& utf8) {
  return QString::fromStdString(utf8);
}
inline std::string ss(const QString& text) {
  return text.toStdString();
}
// A file name as the file system spells it, and back.
inline QString qpath(const std::string& name) {
  return QString::fromLocal8Bit(name.c_str());
}
inline std::string spath(const QString& name) {
  return name.toLocal8Bit().toStdString();
}

}  // namespace zndl
