// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/ui/tie_break_view.h"

#include <QPainter>
#include <algorithm>

#include "adapters/qt_ports.h"
#include "shell/ui/app.h"
#include "shell/ui/look.h"
#include "shell/ui/make_window.h"

namespace zndl {
namespace {

// The smallest characters a squeezed name is drawn with before it is cut off.
constexpr int kSmallestPixels = 12;

}  // namespace

ShapeWidget::ShapeWidget(QWidget* parent, QRect place) : QWidget(parent) {
  setGeometry(place);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::setStageScale(qreal scale) {
  scale_ = scale;
  update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal pen = 3.0 * scale_;
  painter.setPen(QPen(look::kRed, pen));
  painter.setBrush(Qt::white);
  // The corners are rounded by an eighth of the shorter side, the outline drawn
  // wholly inside the shape's box.
  const qreal radius = std::min(width(), height()) / 8.0;
  painter.drawRoundedRect(QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2), radius,
                          radius);
}

FittingLabel::FittingLabel(QWidget* parent, QRect place, const QFont& font, QColor colour)
    : QLabel(parent), designFont_(font) {
  setGeometry(place);
  setFont(font);
  setAlignment(Qt::AlignCenter);
  setWordWrap(false);
  setTextFormat(Qt::PlainText);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, colour);
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
}

void FittingLabel::setStageScale(qreal scale) {
  scale_ = scale;
  setFittedText(text());
}

void FittingLabel::setFittedText(const QString& text) {
  QFont font = scaledFont(designFont_, scale_);
  const int smallest = scaledLength(kSmallestPixels, scale_);
  const int room = width() - scaledLength(4, scale_);
  while (font.pixelSize() > smallest && QFontMetrics(font).horizontalAdvance(text) > room)
    font.setPixelSize(font.pixelSize() - 1);
  if (font != this->font()) setFont(font);
  // A name too long even then shows its beginning rather than losing both ends.
  const bool fits = QFontMetrics(font).horizontalAdvance(text) <= room;
  setAlignment(fits ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
  if (this->text() != text) setText(text);
}

TieBreakView::TieBreakView(App& app)
    : ScreenView(app, app.game().screen<TieBreak>(), QSize(640, 480), Frame::Borderless,
                 "tieBreak"),
      screen_(app.game().screen<TieBreak>()) {
  setAccessibleDescription(QStringLiteral(
      "The tie break: a level game is settled by the toss of a coin. The called face stands "
      "on the left, over player one."));
  // Bottom to top: the two panel frames, the band across them, the coin, the frame of
  // the coin's label, the labels and the button.
  const auto shape = [this](const char* name, QRect place) {
    (new ShapeWidget(this, place))->setObjectName(name);
  };
  shape("player2Frame", QRect(344, 296, 281, 153));
  shape("player1Frame", QRect(16, 296, 281, 153));
  shape("band", QRect(32, 360, 576, 81));
  heads_ = makePicture(QStringLiteral("coin_heads"),
                       QRect(screen_.heads.left, screen_.heads.top, 274, 280),
                       QStringLiteral("The coin's heads: Pembril the penguin"));
  heads_->setObjectName("heads");
  tails_ = makePicture(QStringLiteral("coin_tails"),
                       QRect(screen_.tails.left, screen_.tails.top, 275, 283),
                       QStringLiteral("The coin's tails: the Zandoodle lettering"));
  tails_->setObjectName("tails");
  shape("resultFrame", QRect(208, 408, 225, 65));

  struct LabelPlace {
    QRect place;
    int pixels;
    QColor colour;
  };
  const LabelPlace places[7] = {
      {{216, 416, 209, 49}, 40, look::kRed}, {{24, 304, 266, 48}, 40, Qt::black},
      {{352, 304, 266, 48}, 40, Qt::black},  {{40, 368, 177, 33}, 25, Qt::black},
      {{424, 368, 177, 33}, 25, Qt::black},  {{40, 400, 161, 33}, 25, Qt::black},
      {{440, 400, 161, 33}, 25, Qt::black},
  };
  const char* const roles[7] = {"The coin",
                                "Player one",
                                "Player two",
                                "Player one's pet",
                                "Player two's pet",
                                "Player one's pet type",
                                "Player two's pet type"};
  const char* const names[7] = {"coinFace", "playerName1", "playerName2", "petName1",
                                "petName2", "petType1",    "petType2"};
  for (int i = 0; i < 7; ++i) {
    labels_[i] =
        new FittingLabel(this, places[i].place, look::verdana(places[i].pixels), places[i].colour);
    labels_[i]->setObjectName(QString::fromLatin1(names[i]));
    nameByRole(labels_[i], QString::fromLatin1(roles[i]));
  }

  button_ = makeButton(QRect(224, 368, 193, 33), screen_.tossButton().caption,
                       [this] { screen_.onTossPressed(); });
  button_->setFont(look::verdana(20));
  button_->setObjectName("tossButton");
  setDefaultButton(button_);
  sync();
}

void TieBreakView::apply(FittingLabel* widget, const Label& label) {
  widget->setFittedText(qs(label.text));
  followText(widget);
  widget->setVisible(label.visible);
}

void TieBreakView::sync() {
  place(heads_, {screen_.heads.left, screen_.heads.top});
  heads_->setVisible(screen_.heads.visible);
  place(tails_, {screen_.tails.left, screen_.tails.top});
  tails_->setVisible(screen_.tails.visible);
  const auto& sides = screen_.sides;
  const Label* labels[7] = {&screen_.coinFace,
                            &sides[kFirstContestant].name,
                            &sides[kSecondContestant].name,
                            &sides[kFirstContestant].petName,
                            &sides[kSecondContestant].petName,
                            &sides[kFirstContestant].petType,
                            &sides[kSecondContestant].petType};
  for (int i = 0; i < 7; ++i) apply(labels_[i], *labels[i]);
  ScreenView::apply(button_, screen_.tossButton());
}

SpokenLines TieBreakView::narrate(bool onView) {
  return narrator_.update(onView, screen_);
}

MAKE_WINDOW_OF(TieBreakView);

}  // namespace zndl
