// SPDX-License-Identifier: GPL-3.0-or-later
// The quiz window's legend of the game controllers' buttons.
#include "quiz/ui/quiz_view.h"
#include "shell/ui/app.h"
#include "shell/ui/look.h"

namespace zndl {

// The legend's rows, A to C: the controller's face button and the buzzer's colour that
// answer it. The face buttons are A, B and X as SDL's game-controller mapping names them.
namespace {

constexpr const char* kPadFaces[] = {"A", "B", "X"};
const QColor kBuzzerColours[] = {QColor(0, 90, 255), QColor(255, 140, 0), QColor(0, 170, 0)};
constexpr const char* kBuzzerColourNames[] = {"blue", "orange", "green"};
constexpr int kLegendTop = 3;
constexpr int kLegendRow = 16;
constexpr int kLegendWidth = 75;
constexpr int kLegendFace = 14;

QLabel* roundButton(QRect place, QWidget* parent, const QString& sheet) {
  auto* button = new QLabel(parent);
  button->setGeometry(place);
  button->setFont(look::arial(10));
  button->setAlignment(Qt::AlignCenter);
  button->setStyleSheet(sheet + QStringLiteral(" border-radius: %1px;").arg(place.height() / 2));
  return button;
}

}  // namespace

void QuizView::makeControllerLegend() {
  legend_ = new BevelPanel(this, QRect(560, 392, kLegendWidth, 54), BevelPanel::Bevel::Raised,
                           BevelPanel::Bevel::None, 2, 0);
  legend_->setObjectName("controllerLegend");
  legend_->setAccessibleName(QStringLiteral("Controller buttons"));
  for (int i = 0; i < 3; ++i) {
    const int top = kLegendTop + i * kLegendRow;
    const QString answer = QString(QChar(u'A' + i));
    // A round face button, lettered as on the pad, and a buzzer's coloured button,
    // ringed as on the handset: painted by their style sheets, so not transparent.
    QLabel* face = roundButton(QRect(0, top, kLegendFace, kLegendFace), legend_,
                               QStringLiteral("background: #303030; color: white;"));
    face->setText(QString::fromLatin1(kPadFaces[i]));
    face->setObjectName(QStringLiteral("padFace") + answer);
    face->setAccessibleName(
        QStringLiteral("Controller button %1 answers %2").arg(kPadFaces[i], answer));
    padFaces_[i] = face;
    QLabel* colour = roundButton(
        QRect(0, top, kLegendFace, kLegendFace), legend_,
        QStringLiteral("background: %1; border: 1px solid #303030;").arg(kBuzzerColours[i].name()));
    colour->setObjectName(QStringLiteral("buzzerFace") + answer);
    colour->setAccessibleName(QStringLiteral("The %1 buzzer answers %2")
                                  .arg(QLatin1String(kBuzzerColourNames[i]), answer));
    buzzerFaces_[i] = colour;
    QLabel* letter = makeLabel(QRect(0, top - 1, 14, kLegendFace + 2), look::arial(14), Qt::black,
                               answer.toStdString(), Qt::AlignCenter, false, legend_);
    letter->setObjectName(QStringLiteral("legendAnswer") + answer);
    letter->setAccessibleName(QStringLiteral("Answer ") + answer);
    legendAnswers_[i] = letter;
  }
}

void QuizView::syncControllerLegend() {
  bool buttons = false;
  bool buzzers = false;
  for (Contestant c : kBothContestants) {
    const auto faces = app_.pads().controllerFaces(c);
    if (faces == ControllerFaces::buttons) buttons = true;
    if (faces == ControllerFaces::buzzer) buzzers = true;
  }
  legend_->setVisible(buttons || buzzers);
  if (!legend_->isVisibleTo(this)) return;
  // The columns shown sit in the middle of the panel: face, colour, then the answer.
  const int columns = (buttons ? 1 : 0) + (buzzers ? 1 : 0) + 1;
  const int gap = 6;
  int left = (kLegendWidth - (columns * kLegendFace + (columns - 1) * gap)) / 2;
  for (int i = 0; i < 3; ++i) {
    padFaces_[i]->setVisible(buttons);
    buzzerFaces_[i]->setVisible(buzzers);
  }
  const auto column = [&](QLabel* const* labels, int nudge) {
    for (int i = 0; i < 3; ++i) place(labels[i], QPoint(left, kLegendTop + i * kLegendRow + nudge));
    left += kLegendFace + gap;
  };
  if (buttons) column(padFaces_, 0);
  if (buzzers) column(buzzerFaces_, 0);
  column(legendAnswers_, -1);
}

}  // namespace zndl
