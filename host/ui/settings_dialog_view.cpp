// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/ui/settings_dialog_view.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <algorithm>
#include <functional>

#include "adapters/qt_ports.h"
#include "shell/ui/app.h"
#include "shell/ui/look.h"
#include "shell/ui/make_window.h"

namespace zndl {
namespace {

constexpr int kArrowWidth = 15;

}  // namespace

SettingsDialogView::SettingsDialogView(App& app)
    : ScreenView(app, app.game().screen<SettingsDialog>(), QSize(312, 183), Frame::Dialog,
                 "settings"),
      screen_(app.game().screen<SettingsDialog>()) {
  // A plain grey dialog, not one of the show's black stages.
  setPalette(QPalette());
  setFont(look::sansSerif(11));
  setAccessibleDescription(QStringLiteral(
      "Settings: load new texts for Pembril and the prizes from files, and set how long "
      "Pembril waits between lines."));

  auto* group = new QGroupBox(QStringLiteral("Introduction"), this);
  group->setObjectName("introductionGroup");
  group->setGeometry(8, 8, 297, 137);
  group->setFont(look::sansSerif(11));
  group->setAccessibleName(QStringLiteral("Introduction texts"));

  struct LoadButton {
    const char* name;
    QRect place;
    const char* caption;
    const char* hint;
    std::function<void()> handler;
  };
  SettingsDialog* form = &screen_;
  const LoadButton loads[] = {
      {"loadBanterButton",
       {8, 16, 137, 33},
       "Load new banter",
       "Load text for Pembril to say before a game.",
       [form] { form->onLoadBanter(); }},
      {"loadJobsButton",
       {152, 16, 137, 33},
       "Load new jobs",
       "Load new jobs for contestants",
       [form] { form->onLoadJobs(); }},
      {"loadPrizesButton",
       {8, 56, 137, 33},
       "Load new prizes",
       "",
       [form] { form->onLoadPrizes(); }},
      {"loadAfterJobsButton",
       {152, 56, 137, 33},
       "Load new \"after-jobs\"",
       "Load new ways for Pembril to describe contestants' jobs.",
       [form] { form->onLoadAfterJobs(); }},
      {"loadDescriptionsButton",
       {8, 96, 137, 33},
       "Load new descriptions",
       "Load ways for Pembril to describe Zandoodle before a game.",
       [form] { form->onLoadDescriptions(); }},
  };
  for (const LoadButton& load : loads) {
    QPushButton* button = makeButton(load.place, load.caption, load.handler, load.hint, group);
    button->setObjectName(load.name);
    if (*load.hint) button->setAccessibleDescription(QString::fromUtf8(load.hint));
  }

  QLabel* label =
      makeLabel(QRect(8, 155, 0, 0), look::sansSerif(11), palette().color(QPalette::WindowText),
                "Speech delay", Qt::AlignLeft | Qt::AlignTop, false);
  label->setObjectName("speechDelayCaption");
  // The free face runs wider than the old one: narrow it until the caption clears the
  // field beside it.
  const int room = 80 - 8 - 3;
  QFont font = label->font();
  for (int stretch = 95;
       QFontMetrics(font).horizontalAdvance(label->text()) > room && stretch >= 80; stretch -= 5) {
    font.setStretch(stretch);
  }
  label->setFont(font);
  label->adjustSize();

  buildSpeechDelayField();
  label->setBuddy(speechDelay_);

  QPushButton* ok = makeButton(QRect(208, 152, 97, 25), "OK", [this] { screen_.onOk(); });
  ok->setObjectName("okButton");
  ok->setAccessibleDescription(QStringLiteral("Close the settings and use the speech delay"));
  setDefaultButton(ok);
}

void SettingsDialogView::placeWindow() {
  const qreal scale = stageScale();
  QPoint at(scaledLength(SettingsDialog::kLeft, scale), scaledLength(SettingsDialog::kTop, scale));
  const QScreen* where = QGuiApplication::primaryScreen();
  if (scale != 1.0 && where) {
    const QRect area = where->availableGeometry();
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height())));
  }
  move(at);
}

bool SettingsDialogView::eventFilter(QObject* watched, QEvent* event) {
  // The arrow keys step the delay as the arrows beside it do, as in any number field.
  if (watched == speechDelay_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const int delta = key->key() == Qt::Key_Up ? 1 : key->key() == Qt::Key_Down ? -1 : 0;
    if (delta != 0 && key->modifiers() == Qt::NoModifier) {
      dispatch([this, delta] { screen_.stepSpeechDelay(delta); });
      return true;
    }
  }
  return ScreenView::eventFilter(watched, event);
}

void SettingsDialogView::buildSpeechDelayField() {
  speechDelay_ = new QLineEdit(this);
  speechDelay_->setObjectName("speechDelay");
  speechDelay_->setGeometry(80, 152, 121, 22);
  speechDelay_->setFont(look::sansSerif(11));
  speechDelay_->setTextMargins(0, 0, kArrowWidth, 0);
  speechDelay_->setAccessibleName(QStringLiteral("Speech delay, in milliseconds"));
  speechDelay_->setAccessibleDescription(QStringLiteral(
      "How long Pembril waits between lines of the introduction; the Up and Down keys step it"));
  // Only digits, the signs and the decimal separator can be typed. What they make need
  // not be a number: the game reads anything else as 0, so the field keeps the text.
  const QString separator = QRegularExpression::escape(QLocale().decimalPoint());
  speechDelay_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9+\\-%1]*").arg(separator)), speechDelay_));
  speechDelay_->setText(qs(screen_.speechDelayText));
  connect(speechDelay_, &QLineEdit::textEdited, this, [this](const QString& text) {
    dispatch([this, typed = ss(text)] { screen_.speechDelayText = typed; });
  });

  // The arrows sit inside the field's right edge, one above the other, and repeat
  // while held down.
  const int inner = speechDelay_->height() - 2;
  const int upper = inner / 2;
  const auto makeArrow = [this](Qt::ArrowType type, QRect place, int delta) {
    auto* arrow = new QToolButton(speechDelay_);
    arrow->setArrowType(type);
    arrow->setGeometry(place);
    arrow->setFocusPolicy(Qt::NoFocus);
    // The field takes the keyboard for its arrows: Up and Down step it.
    arrow->setFocusProxy(speechDelay_);
    arrow->setAutoRepeat(true);
    arrow->setCursor(Qt::ArrowCursor);
    connect(arrow, &QToolButton::clicked, this,
            [this, delta] { dispatch([this, delta] { screen_.stepSpeechDelay(delta); }); });
    return arrow;
  };
  const int left = speechDelay_->width() - kArrowWidth - 1;
  up_ = makeArrow(Qt::UpArrow, QRect(left, 1, kArrowWidth, upper), +1);
  up_->setObjectName("speechDelayUp");
  up_->setAccessibleName(QStringLiteral("Longer speech delay"));
  down_ = makeArrow(Qt::DownArrow, QRect(left, 1 + upper, kArrowWidth, inner - upper), -1);
  down_->setObjectName("speechDelayDown");
  down_->setAccessibleName(QStringLiteral("Shorter speech delay"));
  speechDelay_->installEventFilter(this);
}

void SettingsDialogView::sync() {
  const QString text = qs(screen_.speechDelayText);
  if (speechDelay_->text() != text) speechDelay_->setText(text);
}

MAKE_WINDOW_OF(SettingsDialogView);

}  // namespace zndl
