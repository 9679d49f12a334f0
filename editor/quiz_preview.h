// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <cstdint>

#include "editor/group_model.h"

// One question as the quiz screen shows it: the question line (305 by 73 pixels, word-
// wrapped, cut off below) and the answer lines A, B and C (305 by 33 each), in the
// screen's yellow bold font over its question board. Which answers show, and in which
// slots, is drawn by the game's own loading code; "Shuffle" draws again.
namespace zndl::editor {

class QuizPreview : public QWidget {
  Q_OBJECT

 public:
  explicit QuizPreview(QWidget* parent = nullptr);

  void showQuestion(const Question& question);
  void clear();
  void shuffle();

  QString questionText() const { return question_->text(); }
  QString answerText(int slot) const { return answers_[slot]->text(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void draw();

  Question shown_;
  bool empty_ = true;
  std::uint64_t seed_ = 1;
  QPixmap board_;
  QLabel* question_;
  QLabel* answers_[3];
};

}  // namespace zndl::editor
