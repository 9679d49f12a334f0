// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_ports.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "platform/app_title.h"

namespace zndl {

void QtErrorBox::showError(const std::string& text) {
  QMessageBox::critical(QApplication::activeWindow(), QString::fromUtf8(kAppTitle), qs(text),
                        QMessageBox::Ok);
}

void QtDesktop::openAddress(const std::string& address) {
  // Nothing is reported when no program takes the address.
  QDesktopServices::openUrl(QUrl(qs(address)));
}

void QtDesktop::copyText(const std::string& text) {
  QGuiApplication::clipboard()->setText(qs(text), QClipboard::Clipboard);
}

std::optional<std::string> QtFilePicker::pickFile(const std::string& offered) {
  const QString chosen =
      QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), qpath(offered));
  if (chosen.isEmpty()) return std::nullopt;
  return spath(chosen);
}

}  // namespace zndl
