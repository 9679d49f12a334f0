// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "finale/tie_break.h"
#include "shell/ui/screen_view.h"

namespace zndl {

// A rounded white board with a red three-pixel outline: the frames of the tie-break
// panels.
class ShapeWidget : public QWidget, public StageScaled {
 public:
  ShapeWidget(QWidget* parent, QRect place);
  void setStageScale(qreal scale) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  qreal scale_ = 1.0;
};

// A label on white whose characters get smaller when its text would not fit on one
// line, so a long name still reads as a whole; past the smallest size its end is cut
// off.
class FittingLabel : public QLabel, public StageScaled {
 public:
  FittingLabel(QWidget* parent, QRect place, const QFont& font, QColor colour);
  void setFittedText(const QString& text);
  void setStageScale(qreal scale) override;

 private:
  QFont designFont_;
  qreal scale_ = 1.0;
};

// The window of the tie break: the two faces of the coin over the contestants' panels.
class TieBreakView : public ScreenView {
 public:
  explicit TieBreakView(App& app);
  void sync() override;

 protected:
  SpokenLines narrate(bool onView) override;

 private:
  void apply(FittingLabel* widget, const Label& label);

  TieBreak& screen_;
  TieBreakNarrator narrator_;
  QWidget* heads_ = nullptr;
  QWidget* tails_ = nullptr;
  FittingLabel* labels_[7] = {};
  QPushButton* button_ = nullptr;
};

}  // namespace zndl
