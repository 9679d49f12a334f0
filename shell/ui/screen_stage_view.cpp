// SPDX-License-Identifier: GPL-3.0-or-later
// How a window shows its stage at a scale: every control keeps its design (place, font,
// style sheet, icon size) and is given it times the scale.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "shell/ui/screen_view.h"

namespace zndl {

int scaledLength(int length, qreal scale) {
  return static_cast<int>(std::lround(length * scale));
}

QFont scaledFont(QFont font, qreal scale) {
  if (font.pixelSize() > 0)
    font.setPixelSize(std::max(1, scaledLength(font.pixelSize(), scale)));
  else if (font.pointSizeF() > 0)
    font.setPointSizeF(font.pointSizeF() * scale);
  return font;
}

namespace {

// The lengths of a style sheet ("border: 2px inset") drawn as many times bigger.
QString scaledStyle(const QString& style, qreal scale) {
  static const QRegularExpression length(QStringLiteral("(\\d+)px"));
  QString out;
  qsizetype from = 0;
  for (auto it = length.globalMatch(style); it.hasNext();) {
    const auto match = it.next();
    out += style.mid(from, match.capturedStart() - from);
    out += QStringLiteral("%1px").arg(std::max(match.captured(1).toInt() > 0 ? 1 : 0,
                                               scaledLength(match.captured(1).toInt(), scale)));
    from = match.capturedEnd();
  }
  return out + style.mid(from);
}

}  // namespace

void ScreenView::recordDesigns(QWidget* parent) {
  for (QObject* child : parent->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (!widget || widget->isWindow()) continue;
    auto* button = qobject_cast<QAbstractButton*>(widget);
    const QSize iconSize = button && !button->icon().isNull() ? button->iconSize() : QSize();
    designs_.insert(
        widget,
        Design{widget->geometry(), widget->font(), widget->testAttribute(Qt::WA_SetFont),
               widget->minimumSize() == widget->maximumSize(), widget->styleSheet(), iconSize});
    designOrder_.append(widget);
    // Qt's compound controls lay out their own insides.
    if (qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractScrollArea*>(widget) ||
        qobject_cast<QAbstractSpinBox*>(widget))
      continue;
    recordDesigns(widget);
  }
}

QRect ScreenView::scaled(const QRect& rect, bool onStage) const {
  // Edges are scaled rather than sizes, so controls that meet still meet.
  const int left = scaledLength(rect.left(), scale_);
  const int top = scaledLength(rect.top(), scale_);
  const int right = scaledLength(rect.left() + rect.width(), scale_);
  const int bottom = scaledLength(rect.top() + rect.height(), scale_);
  QRect out(left, top, right - left, bottom - top);
  return onStage ? out.translated(origin_) : out;
}

void ScreenView::applyDesign(QWidget* widget, const Design& design) {
  const QRect place = scaled(design.rect, widget->parentWidget() == this);
  if (design.fixedSize) widget->setFixedSize(place.size());
  widget->setGeometry(place);
  if (design.ownFont) widget->setFont(scaledFont(design.font, scale_));
  if (!design.styleSheet.isEmpty()) {
    const QString style = scaledStyle(design.styleSheet, scale_);
    if (widget->styleSheet() != style) widget->setStyleSheet(style);
  }
  if (design.iconSize.isValid()) {
    const QRect icon = scaled(QRect(QPoint(), design.iconSize), false);
    static_cast<QAbstractButton*>(widget)->setIconSize(icon.size());
  }
  if (auto* own = dynamic_cast<StageScaled*>(widget)) own->setStageScale(scale_);
}

void ScreenView::setStage(qreal scale, bool fullScreen, QRect screenArea) {
  if (!designed_) {
    // The controls as built are the design.
    designed_ = true;
    designFont_ = font();
    ownFont_ = testAttribute(Qt::WA_SetFont);
    recordDesigns(this);
  }
  scale_ = scale > 0 ? scale : 1.0;
  fullScreen_ = fullScreen && !isDialog() && screenArea.isValid();
  const QSize stageSize = scaled(QRect(QPoint(), designSize_), false).size();
  const QSize windowSize = fullScreen_ ? screenArea.size().expandedTo(stageSize) : stageSize;
  origin_ = QPoint((windowSize.width() - stageSize.width()) / 2,
                   (windowSize.height() - stageSize.height()) / 2);

  if (ownFont_ || scale_ != 1.0)
    setFont(scaledFont(designFont_, scale_));
  else
    setFont(QFont());
  setFixedSize(windowSize);
  for (QWidget* widget : designOrder_) applyDesign(widget, designs_.value(widget));

  if (fullScreen_) {
    move(screenArea.topLeft());
    setWindowState(windowState() | Qt::WindowFullScreen);
  } else {
    // The widget's own record of the state can lose the full-screen flag while the window
    // is still full screen (Qt 6.8 drops it when the stage is set again in full screen);
    // the window itself is then asked to leave, or it would stay full screen.
    if (windowState() & Qt::WindowFullScreen)
      setWindowState(windowState() & ~Qt::WindowFullScreen);
    else if (QWindow* handle = windowHandle();
             handle && handle->windowStates() & Qt::WindowFullScreen)
      handle->setWindowStates(handle->windowStates() & ~Qt::WindowFullScreen);
    placeWindow();
  }
  update();
}

QPoint ScreenView::toWindow(QPoint designPoint) const {
  return origin_ +
         QPoint(scaledLength(designPoint.x(), scale_), scaledLength(designPoint.y(), scale_));
}

void ScreenView::place(QWidget* widget, QPoint designTopLeft) {
  const auto it = designs_.find(widget);
  if (it == designs_.end()) {
    widget->move(designTopLeft);
    return;
  }
  if (it->rect.topLeft() == designTopLeft) return;
  it->rect.moveTopLeft(designTopLeft);
  widget->move(scaled(it->rect, widget->parentWidget() == this).topLeft());
}

void ScreenView::fitToText(QLabel* label) {
  label->adjustSize();
  const auto it = designs_.find(label);
  if (it == designs_.end()) return;
  // The design keeps the size the text takes at scale 1.
  it->rect.setSize(QSize(static_cast<int>(std::ceil(label->width() / scale_)),
                         static_cast<int>(std::ceil(label->height() / scale_))));
}

}  // namespace zndl
