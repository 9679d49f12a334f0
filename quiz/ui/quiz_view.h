// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include "quiz/quiz_screen.h"
#include "shell/ui/screen_view.h"

namespace zndl {

// A classic 3-D panel: an outer and an inner bevel with a flat border between them,
// and an optional centred caption. Used for the bottom panel and the result panel.
class BevelPanel : public QLabel, public StageScaled {
 public:
  enum class Bevel { None, Lowered, Raised };
  BevelPanel(QWidget* parent, QRect place, Bevel outer, Bevel inner, int bevelWidth,
             int borderWidth);
  // The bevels and the border grow with the stage, a whole pixel at a time.
  void setStageScale(qreal scale) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void fitMargins();
  Bevel outer_;
  Bevel inner_;
  int bevelWidth_;
  int borderWidth_;
  qreal scale_ = 1.0;
  int scaled(int width) const;
};

// The window of the quiz screen: the question and its answers over the studio
// picture, the countdown, the scores and lives gauges, the turn indicator, CONTINUE,
// the result panel and Exit. The keys A, B and C answer like the buttons.
class QuizView : public ScreenView {
 public:
  explicit QuizView(App& app);
  void sync() override;
  // CONTINUE while it shows; else the window itself, where Space and Enter do nothing.
  QWidget* firstFocus() override;

 protected:
  SpokenLines narrate(bool onView) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* nameLabel(QRect place, QColor colour, const char* objectName, QWidget* parent);
  QLineEdit* scoreField(QRect place, QColor colour, const char* objectName, QWidget* parent);
  void makeControllerLegend();
  void syncControllerLegend();
  QProgressBar* livesGauge(QRect place, QColor colour, const char* objectName, QWidget* parent);

  QuizScreen& screen_;
  QuizNarrator narrator_;
  QLabel* titleLine_ = nullptr;
  QLabel* question_ = nullptr;
  // The answer lines and buttons, A to C.
  QLabel* answerLines_[3] = {};
  QPushButton* answerButtons_[3] = {};
  QLabel* countdown_ = nullptr;
  Contestants<QLineEdit*> scores_{nullptr, nullptr};
  Contestants<QProgressBar*> lives_{nullptr, nullptr};
  Contestants<QLabel*> names_{nullptr, nullptr};
  QSlider* turn_ = nullptr;  // top for player one, bottom for player two
  QPushButton* exit_ = nullptr;
  QPushButton* continue_ = nullptr;
  BevelPanel* result_ = nullptr;  // the verdict, over the answers
  // Which button of a game controller, and which colour of a buzzer handset, answers
  // A, B and C: shown while a controller or a buzzer holds a seat.
  BevelPanel* legend_ = nullptr;
  QLabel* padFaces_[3] = {};
  QLabel* buzzerFaces_[3] = {};
  QLabel* legendAnswers_[3] = {};
};

}  // namespace zndl
