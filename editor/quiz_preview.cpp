// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/quiz_preview.h"

#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

#include "editor/quiz_font.h"
#include "exchange/group_writer.h"
#include "host/text_list.h"
#include "platform/random.h"
#include "quiz/question_store.h"
#include "quiz/quiz_layout.h"

namespace zndl::editor {
namespace {

// The part of the 640 by 480 quiz screen the preview shows: the question box and the
// answer lines below it, with a margin.
const QRect kArea(222, 62, 325, 189);

QLabel* makeLine(QWidget* parent, QRect place, bool wrap) {
  auto* label = new QLabel(parent);
  label->setGeometry(place);
  label->setFont(quizFont());
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, QColor(255, 255, 0));
  label->setPalette(pal);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setWordWrap(wrap);
  label->setTextFormat(Qt::PlainText);
  label->setAttribute(Qt::WA_TranslucentBackground);
  return label;
}

}  // namespace

QuizPreview::QuizPreview(QWidget* parent) : QWidget(parent) {
  setFixedSize(kArea.size());
  setAccessibleName(tr("Preview of the quiz screen"));
  QSvgRenderer renderer(QStringLiteral(":/assets/art/quiz.svg"));
  QPixmap screen(640, 480);
  screen.fill(QColor(0, 0, 96));
  if (renderer.isValid()) {
    QPainter painter(&screen);
    renderer.render(&painter, QRectF(0, 0, 640, 480));
  }
  board_ = screen.copy(kArea);
  question_ = makeLine(
      this,
      QRect(QPoint(quiz_layout::kQuestionBoxLeft, quiz_layout::kQuestionBoxTop) - kArea.topLeft(),
            QSize(quiz_layout::kQuestionBoxWidth, quiz_layout::kQuestionBoxHeight)),
      true);
  question_->setObjectName(QStringLiteral("PreviewQuestion"));
  for (int i = 0; i < 3; ++i) {
    answers_[i] =
        makeLine(this,
                 QRect(QPoint(quiz_layout::kAnswerLineLeft, quiz_layout::kAnswerLineTops[i]) -
                           kArea.topLeft(),
                       QSize(quiz_layout::kAnswerLineWidth, quiz_layout::kAnswerLineHeight)),
                 false);
    answers_[i]->setObjectName(QStringLiteral("PreviewAnswer%1").arg(QChar(u'A' + i)));
  }
  clear();
}

void QuizPreview::showQuestion(const Question& question) {
  shown_ = question;
  empty_ = false;
  draw();
}

void QuizPreview::clear() {
  empty_ = true;
  question_->setText(QString());
  for (auto* a : answers_) a->setText(QString());
}

void QuizPreview::shuffle() {
  ++seed_;
  draw();
}

void QuizPreview::draw() {
  if (empty_) return clear();
  // The question as a group of its own, loaded the way the game loads it.
  Group one;
  one.questions.push_back(shown_);
  const QuestionStore store(TextList::fromBytes(writeGroup(one).bytes));
  ClockRandom random(seed_);
  TextList wrong;
  TextList correct;
  const int slot = random.below(3);
  const LoadedQuestion q = loadQuestion(store, 1, wrong, correct, random);
  const std::string* texts[3];
  texts[slot] = &q.correct;
  int next = 0;
  for (int i = 0; i < 3; ++i)
    if (i != slot) texts[i] = next++ == 0 ? &q.wrong0 : &q.wrong1;
  question_->setText(QString::fromStdString(q.text));
  for (int i = 0; i < 3; ++i)
    answers_[i]->setText(
        QString::fromStdString(std::string(quiz_layout::kAnswerPrefixes[i]) + *texts[i]));
}

void QuizPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, board_);
}

}  // namespace zndl::editor
