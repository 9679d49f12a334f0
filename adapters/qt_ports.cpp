// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/qt_ports.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "platform/app_title.h"

namespace zndl {

namespace {

constexpr const char* kErrorBoxName = "errorBox";
// How long a box waits for its window to reach the screen before it shows anyway.
constexpr int kMapWaitMs = 2000;

// Ends `loop` as soon as the window it watches is on the screen.
class ExposeWatch final : public QObject {
 public:
  explicit ExposeWatch(QEventLoop& loop) : loop_(loop) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
      loop_.quit();
    return false;
  }

 private:
  QEventLoop& loop_;
};

// Waits until the window is on the screen (the window manager has mapped it), so a
// box never stands alone on a bare desktop before the game's window is up.
void waitUntilOnScreen(QWidget* window) {
  if (!window || !window->isVisible() || !window->windowHandle()) return;
  QWindow* handle = window->windowHandle();
  if (handle->isExposed()) return;
  QEventLoop loop;
  ExposeWatch watch(loop);
  handle->installEventFilter(&watch);
  QTimer::singleShot(kMapWaitMs, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  handle->removeEventFilter(&watch);
}

}  // namespace

void QtErrorBox::showError(const std::string& text) {
  QWidget* owner = owner_ ? owner_() : nullptr;
  if (!owner) owner = QApplication::activeWindow();
  waitUntilOnScreen(owner);
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kAppTitle), qs(text), QMessageBox::Ok,
                  owner);
  box.setObjectName(QString::fromLatin1(kErrorBoxName));
  box.setWindowRole(QString::fromLatin1(kErrorBoxName));
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
