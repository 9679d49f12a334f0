// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/join_panel.h"

#include <QPainter>

#include "adapters/qt_ports.h"
#include "shell/title_screen.h"
#include "shell/ui/look.h"
#include "shell/ui/pad_hub.h"

namespace zndl {
namespace {

constexpr int kQuietZone = 4;  // modules of white around the code

QString seatLine(Contestant seat, const Seats& seats, const std::string& name) {
  const QString who =
      seat == kFirstContestant ? QStringLiteral("Player one: ") : QStringLiteral("Player two: ");
  if (seats.state(seat) == Seats::State::waiting) return who + QStringLiteral("waiting");
  const QString device =
      seats.kind(seat) == PadKind::phone ? QStringLiteral("phone") : QStringLiteral("controller");
  QString line = who + (name.empty() ? device : qs(name) + QStringLiteral("\u2019s ") + device);
  if (seats.state(seat) == Seats::State::reconnecting) line += QStringLiteral(" (reconnecting)");
  return line;
}

}  // namespace

QrWidget::QrWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void QrWidget::setCode(QrCode code) {
  code_ = std::move(code);
  update();
}

void QrWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (code_.size == 0) return;
  // Whole device pixels a module, so no module is blurred between two.
  const qreal ratio = devicePixelRatioF();
  const int across = code_.size + 2 * kQuietZone;
  const int modulePixels = std::max(1, int(std::min(width(), height()) * ratio) / across);
  const qreal module = modulePixels / ratio;
  const qreal origin = (std::min(width(), height()) - module * across) / 2 + module * kQuietZone;
  for (int y = 0; y < code_.size; ++y)
    for (int x = 0; x < code_.size; ++x)
      if (code_.dark(x, y))
        painter.fillRect(QRectF(origin + x * module, origin + y * module, module, module),
                         Qt::black);
}

JoinPanel::JoinPanel(QWidget* stage, PadHub& hub,
                     const std::function<QPushButton*(QRect, const std::string&,
                                                      std::function<void()>, QWidget*)>& make)
    : QFrame(stage), hub_(hub) {
  setObjectName("joinPanel");
  setAccessibleName(QStringLiteral("Join from a phone"));
  setGeometry(8, 136, 352, 336);
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0, 0, 64));
  pal.setColor(QPalette::WindowText, look::kYellow);
  setPalette(pal);

  caption_ = label(QRect(8, 4, 336, 22), 17, true, "joinCaption");
  caption_->setText(QStringLiteral("Answer from your phone"));
  code_ = new QrWidget(this);
  code_->setObjectName("joinCode");
  code_->setGeometry(88, 28, 176, 176);
  address_ = label(QRect(4, 206, 344, 18), 12, true, "joinAddress");
  address_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  hint_ = label(QRect(8, 224, 336, 28), 11, false, "joinHint");
  hint_->setText(
      QStringLiteral("Scan the code, or open the address, on a phone on the same "
                     "Wi-Fi as this PC."));
  for (Contestant c : kBothContestants) {
    seats_[c] =
        label(QRect(8, 254 + 21 * c, 336, 20), 14, true, c == kFirstContestant ? "seat1" : "seat2");
    free_[c] = make(
        QRect(8 + 118 * c, 302, 110, 25), c == kFirstContestant ? "Free seat one" : "Free seat two",
        [this, c] { hub_.free(c); }, this);
    free_[c]->setObjectName(c == kFirstContestant ? "freeSeat1" : "freeSeat2");
    free_[c]->setAccessibleName(c == kFirstContestant ? QStringLiteral("Free player one's seat")
                                                      : QStringLiteral("Free player two's seat"));
  }
  next_ = make(
      QRect(244, 302, 100, 25), "&Next address",
      [this] {
        if (hub_.join().nextAddress) hub_.join().nextAddress();
      },
      this);
  next_->setObjectName("nextAddress");
  next_->setAccessibleName(QStringLiteral("Show the next address of this PC"));
  setVisible(false);
}

QLabel* JoinPanel::label(QRect place, int pixels, bool bold, const char* name) {
  auto* widget = new QLabel(this);
  ScreenView::setUpLabel(widget, place, look::verdana(pixels, bold), look::kYellow,
                         Qt::AlignHCenter | Qt::AlignVCenter, true);
  widget->setObjectName(name);
  return widget;
}

void JoinPanel::sync(const TitleScreen& title) {
  const PadHub::Join& join = hub_.join();
  const bool phones = !join.url.empty();
  const Seats& seats = hub_.seats();
  const bool controllers = hub_.anyHeldBy(PadKind::controller);
  setVisible(phones || controllers);
  if (!isVisible()) return;
  caption_->setText(phones ? QStringLiteral("Answer from your phone")
                           : QStringLiteral("Answer from a controller"));
  for (QWidget* widget : {static_cast<QWidget*>(code_), static_cast<QWidget*>(address_),
                          static_cast<QWidget*>(hint_)})
    widget->setVisible(phones);
  next_->setVisible(phones && join.addresses > 1);
  if (join.url != shownUrl_) {
    shownUrl_ = join.url;
    code_->setCode(join.code);
    address_->setText(qs(join.url));
    code_->setAccessibleName(QStringLiteral("Code to scan with a phone: ") + qs(join.url));
  }
  for (Contestant c : kBothContestants) {
    const QString line = seatLine(c, seats, title.entries[c].name);
    if (seats_[c]->text() != line) seats_[c]->setText(line);
    free_[c]->setEnabled(seats.taken(c));
  }
}

}  // namespace zndl
