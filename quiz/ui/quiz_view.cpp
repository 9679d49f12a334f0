// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/ui/quiz_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <iterator>
#include <utility>

#include "adapters/qt_ports.h"
#include "quiz/quiz_layout.h"
#include "shell/ui/app.h"
#include "shell/ui/look.h"
#include "shell/ui/make_window.h"

namespace zndl {
namespace {

// The classic button-face grey and its two bevel shades.
const QColor kFace{212, 208, 200};
const QColor kHighlight{255, 255, 255};
const QColor kShadow{128, 128, 128};

// Draws `width` nested one-pixel frames, light or dark on the top-left edges, and
// shrinks `rect` past them.
void frame3D(QPainter& painter, QRect& rect, QColor topLeft, QColor bottomRight, int width) {
  for (int i = 0; i < width; ++i) {
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    rect.adjust(1, 1, -1, -1);
  }
}

void drawBevel(QPainter& painter, QRect& rect, BevelPanel::Bevel bevel, int width) {
  if (bevel == BevelPanel::Bevel::Raised) frame3D(painter, rect, kHighlight, kShadow, width);
  if (bevel == BevelPanel::Bevel::Lowered) frame3D(painter, rect, kShadow, kHighlight, width);
}

void setTextColour(QWidget* widget, QColor colour) {
  QPalette pal = widget->palette();
  pal.setColor(QPalette::WindowText, colour);
  pal.setColor(QPalette::ButtonText, colour);
  widget->setPalette(pal);
}

}  // namespace

BevelPanel::BevelPanel(QWidget* parent, QRect place, Bevel outer, Bevel inner, int bevelWidth,
                       int borderWidth)
    : QLabel(parent),
      outer_(outer),
      inner_(inner),
      bevelWidth_(bevelWidth),
      borderWidth_(borderWidth) {
  setGeometry(place);
  setAlignment(Qt::AlignCenter);
  setTextFormat(Qt::PlainText);
  fitMargins();
  setAutoFillBackground(false);
  setTextColour(this, Qt::black);
}

int BevelPanel::scaled(int width) const {
  return scaledLength(width, scale_);
}

void BevelPanel::setStageScale(qreal scale) {
  scale_ = scale;
  fitMargins();
  update();
}

void BevelPanel::fitMargins() {
  // The caption keeps clear of the bevels and the border, as drawn at this scale.
  const int edge = (outer_ == Bevel::None ? 0 : scaled(bevelWidth_)) + scaled(borderWidth_) +
                   (inner_ == Bevel::None ? 0 : scaled(bevelWidth_));
  setContentsMargins(edge, edge, edge, edge);
}

void BevelPanel::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.fillRect(rect(), kFace);
    QRect edge = rect();
    const int bevel = scaled(bevelWidth_);
    const int border = scaled(borderWidth_);
    drawBevel(painter, edge, outer_, bevel);
    edge.adjust(border, border, -border, -border);
    drawBevel(painter, edge, inner_, bevel);
  }
  QLabel::paintEvent(event);
}

QuizView::QuizView(App& app)
    : ScreenView(app, app.game().screen<QuizScreen>(), QSize(640, 480), Frame::Borderless, "quiz"),
      screen_(app.game().screen<QuizScreen>()) {
  setFont(look::sansSerif(11));
  setAccessibleDescription(QStringLiteral(
      "The quiz: the contestants answer in turn with A, B or C before their time runs out."));
  const Qt::Alignment centredTop = Qt::AlignHCenter | Qt::AlignTop;

  // The picture and the labels lie at the bottom; every control with a window of its
  // own (the panels and buttons) lies above them.
  makePicture(QStringLiteral("quiz"), QRect(0, 0, 640, 480),
              QStringLiteral("The quiz studio: a stopwatch, the question board, two desks and "
                             "Pembril the penguin"))
      ->setObjectName("background");

  titleLine_ = makeLabel(QRect(200, 0, 377, 33), look::verdana(29), look::kYellow,
                         screen_.titleLine.text, centredTop, false);
  titleLine_->setObjectName("titleLine");
  nameByRole(titleLine_, QStringLiteral("Show"));
  question_ = makeLabel(QRect(quiz_layout::kQuestionBoxLeft, quiz_layout::kQuestionBoxTop,
                              quiz_layout::kQuestionBoxWidth, quiz_layout::kQuestionBoxHeight),
                        look::verdana(15), look::kYellow, screen_.question.text, centredTop, true);
  question_->setObjectName("question");
  nameByRole(question_, QStringLiteral("Question"));
  QuizScreen& box = screen_;
  // An answer is one path whatever gives it: the line, the button or the key.
  for (AnswerSlot slot : kAnswerSlots) {
    const int i = slot - kSlotA;
    const QString letter = QString(QChar(u'A' + i));
    ClickLabel* line =
        makeClickLabel(QRect(quiz_layout::kAnswerLineLeft, quiz_layout::kAnswerLineTops[i],
                             quiz_layout::kAnswerLineWidth, quiz_layout::kAnswerLineHeight),
                       look::verdana(15), look::kYellow, [&box, slot] { box.onAnswer(slot); });
    line->setAlignment(centredTop);
    line->setObjectName(QStringLiteral("answer") + letter);
    nameByRole(line, QStringLiteral("Answer line ") + letter);
    answerLines_[i] = line;
  }
  countdown_ = makeLabel(QRect(46, 36, 95, 78), look::arial(67), look::kRed,
                         screen_.countdownText(), centredTop, false);
  countdown_->setObjectName("countdown");
  nameByRole(countdown_, QStringLiteral("Seconds left"));

  // The bottom panel: answer buttons, scores, lives with their scale, turn, names.
  auto* panel = new BevelPanel(this, QRect(8, 392, 542, 81), BevelPanel::Bevel::Lowered,
                               BevelPanel::Bevel::Raised, 3, 0);
  panel->setObjectName("bottomPanel");
  panel->setAccessibleName(QStringLiteral("Contestants' panel"));
  int left = 16;
  for (AnswerSlot slot : kAnswerSlots) {
    const int i = slot - kSlotA;
    const std::string caption(1, static_cast<char>('A' + i));
    QPushButton* button = makeButton(
        QRect(left, 16, 49, 49), caption, [&box, slot] { box.onAnswer(slot); }, {}, panel);
    button->setFont(look::arial(40));
    button->setObjectName(QStringLiteral("answerButton") + qs(caption));
    button->setAccessibleName(QStringLiteral("Answer ") + qs(caption));
    answerButtons_[i] = button;
    left += 56;
  }
  scores_[kFirstContestant] = scoreField(QRect(185, 17, 25, 24), look::kRed, "score1", panel);
  scores_[kFirstContestant]->setAccessibleName(QStringLiteral("Player one's score"));
  scores_[kSecondContestant] = scoreField(QRect(185, 40, 25, 24), look::kLime, "score2", panel);
  scores_[kSecondContestant]->setAccessibleName(QStringLiteral("Player two's score"));

  // The scale between the gauges: three nested white boxes make five cells, one per
  // life, each with its number.
  const struct { int left, width; } shapes[] = {{216, 150}, {246, 90}, {276, 30}};
  for (std::size_t i = 0; i < std::size(shapes); ++i) {
    auto* shape = new QLabel(panel);
    shape->setGeometry(shapes[i].left, 32, shapes[i].width, 17);
    shape->setStyleSheet(QStringLiteral("background: white; border: 1px solid black;"));
    shape->setObjectName(QStringLiteral("livesScale%1").arg(i + 1));
  }
  const int markLefts[] = {229, 259, 289, 318, 348};
  for (int life = 1; life <= kStartingLives; ++life) {
    QLabel* mark = makeLabel(QRect(markLefts[life - 1], 33, 8, 14), look::sansSerif(11), Qt::black,
                             std::to_string(life), Qt::AlignLeft | Qt::AlignTop, false, panel);
    mark->setAttribute(Qt::WA_TranslucentBackground, false);
    mark->setAutoFillBackground(true);
    QPalette pal = mark->palette();
    pal.setColor(QPalette::Window, Qt::white);
    mark->setPalette(pal);
    mark->resize(mark->fontMetrics().horizontalAdvance(mark->text()), 14);
    mark->setObjectName(QStringLiteral("lifeMark%1").arg(life));
    mark->setAccessibleName(QStringLiteral("Lives scale, %1").arg(life));
  }
  lives_[kFirstContestant] = livesGauge(QRect(216, 16, 150, 17), look::kRed, "lives1", panel);
  lives_[kFirstContestant]->setAccessibleName(QStringLiteral("Player one's lives"));
  lives_[kSecondContestant] = livesGauge(QRect(216, 48, 150, 17), look::kLime, "lives2", panel);
  lives_[kSecondContestant]->setAccessibleName(QStringLiteral("Player two's lives"));

  // Whose turn: a two-position track bar that only the game moves; 0 (top) points at
  // player one, 1 (bottom) at player two.
  turn_ = new QSlider(Qt::Vertical, panel);
  turn_->setObjectName("turn");
  turn_->setGeometry(371, 13, 32, 53);
  turn_->setRange(0, 1);
  turn_->setInvertedAppearance(true);
  turn_->setTickPosition(QSlider::TicksRight);
  turn_->setTickInterval(1);
  turn_->setPageStep(1);
  turn_->setEnabled(false);
  turn_->setFocusPolicy(Qt::NoFocus);
  // Its description says who answers; sync() keeps it with the turn.
  turn_->setAccessibleName(QStringLiteral("Whose turn"));

  names_[kFirstContestant] = nameLabel(QRect(402, 17, 120, 20), look::kRed, "playerName1", panel);
  nameByRole(names_[kFirstContestant], QStringLiteral("Player one"));
  names_[kSecondContestant] = nameLabel(QRect(403, 41, 125, 20), look::kLime, "playerName2", panel);
  nameByRole(names_[kSecondContestant], QStringLiteral("Player two"));

  exit_ = makeButton(
      QRect(560, 448, 75, 25), screen_.exitButton.caption, [&box] { box.onExit(); },
      "Press this button to exit.");
  exit_->setObjectName("exitButton");
  exit_->setAccessibleName(QStringLiteral("Exit"));
  exit_->setAccessibleDescription(QStringLiteral("Leave the game and go back to the title"));
  continue_ = makeButton(QRect(180, 173, 280, 68), screen_.continueButton.caption,
                         [&box] { box.onContinue(); });
  continue_->setObjectName("continueButton");
  continue_->setFont(look::verdana(37));
  continue_->setAccessibleName(QStringLiteral("Continue"));
  continue_->setAccessibleDescription(QStringLiteral("Go on to the next question"));
  setTextColour(continue_, Qt::black);

  result_ = new BevelPanel(this, QRect(228, 128, 185, 41), BevelPanel::Bevel::Lowered,
                           BevelPanel::Bevel::Raised, 4, 3);
  result_->setObjectName("resultPanel");
  result_->setFont(look::verdana(19));
  nameByRole(result_, QStringLiteral("Result"));

  makeControllerLegend();

  // CONTINUE and the result panel cover the answer lines while they are shown.
  continue_->raise();
  result_->raise();

  // Tab goes from CONTINUE to the answers and on to Exit. None of these buttons takes
  // the keys A, B and C: they pass on to the window, which answers with them.
  setTabOrder(continue_, answerButtons_[0]);
  setTabOrder(answerButtons_[0], answerButtons_[1]);
  setTabOrder(answerButtons_[1], answerButtons_[2]);
  setTabOrder(answerButtons_[2], exit_);
  sync();
}

QLabel* QuizView::nameLabel(QRect place, QColor colour, const char* objectName, QWidget* parent) {
  QLabel* label =
      makeLabel(place, look::verdana(17), colour, "", Qt::AlignLeft | Qt::AlignTop, false, parent);
  label->setObjectName(objectName);
  return label;
}

QLineEdit* QuizView::scoreField(QRect place, QColor colour, const char* objectName,
                                QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(objectName);
  field->setGeometry(place);
  field->setReadOnly(true);
  // Not in the tab order, and never holding the keyboard: the keys A, B and C must
  // reach the window.
  field->setFocusPolicy(Qt::NoFocus);
  field->setFont(look::sansSerif(13, true));
  field->setStyleSheet(QStringLiteral("QLineEdit { background: black; color: %1; "
                                      "border: 2px inset #808080; padding: 0px; }")
                           .arg(colour.name()));
  field->setTextMargins(0, 0, 0, 0);
  return field;
}

QProgressBar* QuizView::livesGauge(QRect place, QColor colour, const char* objectName,
                                   QWidget* parent) {
  auto* gauge = new QProgressBar(parent);
  gauge->setObjectName(objectName);
  gauge->setGeometry(place);
  gauge->setRange(0, kStartingLives);
  gauge->setTextVisible(false);
  gauge->setStyleSheet(QStringLiteral("QProgressBar { background: black; border: 1px solid "
                                      "#808080; } QProgressBar::chunk { background: %1; }")
                           .arg(colour.name()));
  return gauge;
}

void QuizView::keyPressEvent(QKeyEvent* event) {
  // The plain keys A, B and C answer; with any modifier they are someone else's.
  if (event->modifiers() == Qt::NoModifier && event->key() >= Qt::Key_A &&
      event->key() <= Qt::Key_C) {
    const auto slot = static_cast<AnswerSlot>(kSlotA + (event->key() - Qt::Key_A));
    dispatch([this, slot] { screen_.onAnswer(slot); });
    return;
  }
  ScreenView::keyPressEvent(event);
}

QWidget* QuizView::firstFocus() {
  if (screen_.continueButton.visible) return continue_;
  return this;
}

void QuizView::sync() {
  const QuizScreen& box = screen_;
  apply(titleLine_, box.titleLine);
  apply(question_, box.question);
  for (AnswerSlot slot : kAnswerSlots) apply(answerLines_[slot - kSlotA], box.answerLine(slot));
  apply(countdown_, Label{box.countdownText()});
  apply(result_, box.resultPanel);
  apply(exit_, box.exitButton);
  // CONTINUE holds the keyboard while it shows, so Enter or Space goes on. As it goes,
  // the keyboard goes to the window itself rather than on to answer A: a stray Space
  // or Enter during the countdown answers nothing.
  const bool continueWasShown = continue_->isVisibleTo(this);
  if (!box.continueButton.visible && focusWidget() == continue_) setFocus(Qt::OtherFocusReason);
  apply(continue_, box.continueButton);
  if (box.continueButton.visible && !continueWasShown) continue_->setFocus(Qt::OtherFocusReason);
  for (Contestant c : kBothContestants) {
    const QString score = QString::number(box.scores[c]);
    if (scores_[c]->text() != score) scores_[c]->setText(score);
    lives_[c]->setValue(std::clamp(box.lives[c], 0, kStartingLives));
    const QString before = names_[c]->text();
    apply(names_[c], box.playerNames[c]);
    if (names_[c]->text() != before || names_[c]->size() != names_[c]->sizeHint())
      fitToText(names_[c]);
  }
  syncControllerLegend();
  turn_->setValue(box.turn);
  static const Contestants<QString> kAnswers{QStringLiteral("Player one answers"),
                                             QStringLiteral("Player two answers")};
  if (turn_->accessibleDescription() != kAnswers[box.turn])
    turn_->setAccessibleDescription(kAnswers[box.turn]);
  // An answer button carries its answer once the line is on view, never before.
  for (int i = 0; i < 3; ++i) {
    const QString answer = answerLines_[i]->isVisibleTo(this) ? answerLines_[i]->text() : QString();
    if (answerButtons_[i]->accessibleDescription() != answer)
      answerButtons_[i]->setAccessibleDescription(answer);
  }
}

SpokenLines QuizView::narrate(bool onView) {
  return narrator_.update(onView, screen_);
}

MAKE_WINDOW_OF(QuizView);

}  // namespace zndl
