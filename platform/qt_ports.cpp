// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_ports.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>
#include <QWindow>

#include "platform/app_title.h"

namespace zndl {

namespace {

constexpr const char* kErrorBoxName = "errorBox";
// How long a box waits for its window to reach the screen before it shows anyway.
constexpr int kMapWaitMs = 2000;

// Waits until the window is on the screen (the window manager has mapped it), so a
// box never stands alone on a bare desktop before the game's window is up.
void waitUntilOnScreen(QWidget* window) {
  if (!window || !window->isVisible() || !window->windowHandle()) return;
  QElapsedTimer waited;
  waited.start();
  while (!window->windowHandle()->isExposed() && waited.elapsed() < kMapWaitMs)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
}

}  // namespace

void QtErrorBox::showError(const std::string& text) {
  QWidget* owner = owner_ ? owner_() : nullptr;
  if (!owner) owner = QApplication::activeWindow();
  waitUntilOnScreen(owner);
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kAppTitle), qs(text), QMessageBox::Ok,
                  owner);
  box.setObjectName(QString::fromLatin1(kErrorBoxName));
  box.exec();
}

void QtErrorBox::raiseOpenBox() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() != QLatin1String(kErrorBoxName) || !window->isVisible()) continue;
    window->raise();
    window->activateWindow();
  }
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
