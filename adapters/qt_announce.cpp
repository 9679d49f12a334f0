// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/qt_announce.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>
#include <QtGlobal>
#include <array>
#include <utility>

namespace zndl {
namespace {

AnnouncementListener& listener() {
  static AnnouncementListener instance;
  return instance;
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

void tellScreenReader(QWidget* window, const QString& text) {
  if (!QAccessible::isActive()) return;
  QAccessibleAnnouncementEvent event(window, text);
  event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
  QAccessible::updateAccessibility(&event);
}

#else

// A notification object: never drawn, never focused; its name is the text it carries.
class Notification : public QWidget {
 public:
  explicit Notification(QWidget* bar) : QWidget(bar) {
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(0, 0);
  }
  QString text;
};

// The status bar the notifications hang under, kept hidden.
class NotificationBar : public QWidget {
 public:
  static constexpr int kTurns = 8;

  explicit NotificationBar(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("screenReaderNotifications"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(0, 0);
    for (auto& slot : notifications_) slot = new Notification(this);
    hide();
  }
  Notification* next() {
    Notification* notification = notifications_[next_];
    next_ = (next_ + 1) % kTurns;
    return notification;
  }

 private:
  std::array<Notification*, kTurns> notifications_{};
  int next_ = 0;
};

class NotificationAccessible : public QAccessibleWidget {
 public:
  explicit NotificationAccessible(Notification* widget)
      : QAccessibleWidget(widget, QAccessible::Notification) {}
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return static_cast<Notification*>(widget())->text;
    return QAccessibleWidget::text(kind);
  }
};

// Neither class has Q_OBJECT, so Qt asks for them as "QWidget": they are told apart
// by their type.
QAccessibleInterface* notificationAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String("QWidget")) return nullptr;
  if (auto* notification = dynamic_cast<Notification*>(object))
    return new NotificationAccessible(notification);
  if (auto* bar = dynamic_cast<NotificationBar*>(object))
    return new QAccessibleWidget(bar, QAccessible::StatusBar);
  return nullptr;
}

NotificationBar& barOf(QWidget* window) {
  // Installed on first use, after the application's own factory for the standard
  // widgets: the factory installed last is asked first.
  static const bool installed = (QAccessible::installFactory(&notificationAccessible), true);
  (void)installed;
  for (QObject* child : window->children())
    if (auto* bar = dynamic_cast<NotificationBar*>(child)) return *bar;
  return *new NotificationBar(window);
}

void tellScreenReader(QWidget* window, const QString& text) {
  Notification* notification = barOf(window).next();
  notification->text = text;
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(notification, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&event);
}

#endif

}  // namespace

void announce(QWidget* window, const QString& text) {
  if (!window || text.trimmed().isEmpty()) return;
  window = window->window();
  tellScreenReader(window, text);
  if (listener()) listener()(window, text);
}

void setAnnouncementListener(AnnouncementListener newListener) {
  listener() = std::move(newListener);
}

}  // namespace zndl
