// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include "platform/ports.h"

namespace zndl {

// The error box: the message, the game's title, an error sign and one OK button.
class QtErrorBox final : public ErrorBox {
 public:
  void showError(const std::string& text) override;
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

inline QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string ss(const QString& text) { return text.toStdString(); }
// A file name as the file system spells it, and back.
inline QString qpath(const std::string& name) { return QString::fromLocal8Bit(name.c_str()); }
inline std::string spath(const QString& name) { return name.toLocal8Bit().toStdString(); }

}  // namespace zndl
