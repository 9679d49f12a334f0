// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/screen_view.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QToolButton>
#include <cmath>

#include "adapters/qt_announce.h"
#include "adapters/qt_dialog_frame.h"
#include "adapters/qt_ports.h"
#include "shell/ui/app.h"
#include "shell/ui/look.h"

namespace zndl {
namespace {

// A plain widget would reach screen readers as an empty pane; a picture is a graphic.
QAccessibleInterface* pictureAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String("QWidget")) return nullptr;
  auto* picture = dynamic_cast<PictureWidget*>(object);
  return picture ? new QAccessibleWidget(picture, QAccessible::Graphic) : nullptr;
}

// Marks a widget kept off stage; see ScreenView::keepOffStage.
constexpr const char* kOffStage = "zndlOffStage";

// A widget kept off stage is left out of everything a screen reader hears: Qt sends
// nothing from an object whose interface is not valid.
class OffStageAccessible : public QAccessibleWidget {
 public:
  explicit OffStageAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::NoRole) {}
  bool isValid() const override { return false; }
};

QAccessibleInterface* offStageAccessible(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget || !widget->property(kOffStage).toBool()) return nullptr;
  return new OffStageAccessible(widget);
}

}  // namespace

PictureWidget::PictureWidget(QWidget* parent, QString name, QRect place, const QString& spokenName)
    : QWidget(parent), name_(std::move(name)) {
  static const bool factoryInstalled = (QAccessible::installFactory(&pictureAccessible), true);
  (void)factoryInstalled;
  setGeometry(place);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAccessibleName(spokenName);
}

void PictureWidget::setStageScale(qreal scale) {
  scale_ = scale;
  update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const qreal ratio = devicePixelRatioF();
  // At a whole scale the picture's design size drawn for the combined ratio has the
  // very pixels this size needs, and the usual ratios of it are drawn ahead.
  const QSize design(static_cast<int>(std::lround(width() / scale_)),
                     static_cast<int>(std::lround(height() / scale_)));
  if (scale_ != 1.0 && design * scale_ == size()) {
    painter.drawPixmap(rect(), look::picture(name_, design, ratio * scale_));
    return;
  }
  painter.drawPixmap(0, 0, look::picture(name_, size(), ratio));
}

ClickLabel::ClickLabel(QWidget* parent, std::function<void()> onClick)
    : QLabel(parent), onClick_(std::move(onClick)) {}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (event->button() != Qt::LeftButton || !onClick_) return;
  // Taken here, so the release comes back to this label.
  pressed_ = true;
  event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      event->button() == Qt::LeftButton && pressed_ && rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) pressed_ = false;
  if (click && onClick_) onClick_();
  QLabel::mouseReleaseEvent(event);
}

void ClickLabel::makeKeyboardReachable() {
  // A Tab stop only: a click keeps the keyboard where it was, as before.
  setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool press = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
  if (press && focusPolicy() != Qt::NoFocus && onClick_ &&
      (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    onClick_();
    return;
  }
  QLabel::keyPressEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  // The frame hugs the text rather than the whole box the text was given.
  QStyleOptionFocusRect option;
  option.initFrom(this);
  const int textWidth = fontMetrics().horizontalAdvance(text()) + 2;
  if (textWidth < width() && (alignment() & Qt::AlignLeft)) option.rect.setWidth(textWidth);
  option.backgroundColor = palette().color(QPalette::Window);
  QStylePainter painter(this);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

ScreenView::ScreenView(App& app, Screen& screen, QSize clientSize, Frame frame, const char* role)
    : QWidget(app.mainWindow()),
      app_(app),
      screen_(screen),
      buttonFont_(look::sansSerif(11)),
      frame_(frame),
      designSize_(clientSize) {
  // Every window but the title belongs to the title: the desktop lists the game once,
  // and the window manager keeps a game's screens above the title. A full screen is a
  // frameless dialog for that, as only dialogs carry their owner to the window manager.
  const bool owned = parentWidget() != nullptr;
  Qt::WindowFlags flags;
  switch (frame) {
    case Frame::Borderless:
      flags = (owned ? Qt::Dialog : Qt::Window) | Qt::FramelessWindowHint;
      break;
    // A dialog's title bar: the caption, and a close command where the dialog has one;
    // no minimise or maximise button, which Qt announces by leaving them out.
    case Frame::Dialog:
      flags =
          Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
      break;
    case Frame::DialogOnTop:
      flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
              Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint;
      break;
    case Frame::DialogOnTopWithoutClose:
      flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint;
      break;
  }
  setWindowFlags(flags);
  setObjectName(QString::fromLatin1(role));
  setWindowRole(QString::fromLatin1(role));
  setWindowTitle(qs(screen.caption()));
  setFixedSize(clientSize);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  centre();
}

void ScreenView::centre() {
  const QScreen* where = QGuiApplication::primaryScreen();
  if (!where) return;
  const QRect area = where->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

bool ScreenView::syncWindow() {
  if (!screen_.visible()) {
    if (isVisible()) hide();
    return false;
  }
  if (!isVisible()) show();
  if (screen_.frontOrder() == raisedAt_) return false;
  raisedAt_ = screen_.frontOrder();
  if (QWidget* control = firstFocus(); control && control->isVisibleTo(this))
    control->setFocus(Qt::ActiveWindowFocusReason);
  raise();
  activateWindow();
  return true;
}

void ScreenView::speak() {
  const bool onView = isVisible();
  for (const std::string& line : narrate(onView))
    if (onView) announce(this, qs(line));
}

SpokenLines ScreenView::narrate(bool onView) {
  if (!spokenLine_) return {};
  return lineNarrator_.update(onView, *spokenLine_);
}

void ScreenView::closeEvent(QCloseEvent* event) {
  // The screen decides what closing means; the window only follows.
  event->ignore();
  dispatch([this] { screen_.close(); });
}

void ScreenView::showEvent(QShowEvent* event) {
  // Once the window exists and before it is mapped: the window manager reads its type
  // as it takes the window on.
  if (isDialog() && !framed_) {
    framed_ = true;
    keepTitleButtonsOff(*this);
  }
  QWidget::showEvent(event);
}

void ScreenView::keyPressEvent(QKeyEvent* event) {
  // Escape dismisses a dialog the way its close command does, on every desktop.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && closesOnEscape()) {
    dispatch([this] { screen_.close(); });
    return;
  }
  // Buttons here press with Space on their own; Enter is what a player tries next.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    QAbstractButton* target = qobject_cast<QPushButton*>(focusWidget());
    if (!target) target = qobject_cast<QToolButton*>(focusWidget());
    if (!target) target = defaultButton_;
    if (target && target->isVisible() && target->isEnabled()) {
      target->click();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void ScreenView::dispatch(const std::function<void()>& handler) {
  app_.dispatch(handler);
}

void ScreenView::setUpLabel(QLabel* label, QRect place, const QFont& font, QColor colour,
                            Qt::Alignment align, bool wrap) {
  label->setGeometry(place);
  label->setFont(font);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, colour);
  label->setPalette(pal);
  label->setAlignment(align);
  label->setWordWrap(wrap);
  label->setTextFormat(Qt::PlainText);
  label->setAttribute(Qt::WA_TranslucentBackground);
}

QLabel* ScreenView::makeLabel(QRect place, const QFont& font, QColor colour,
                              const std::string& text, Qt::Alignment align, bool wrap,
                              QWidget* parent) {
  auto* label = new QLabel(parent ? parent : this);
  setUpLabel(label, place, font, colour, align, wrap);
  label->setText(qs(text));
  return label;
}

ClickLabel* ScreenView::makeClickLabel(QRect place, const QFont& font, QColor colour,
                                       std::function<void()> handler, QWidget* parent) {
  auto* label = new ClickLabel(parent ? parent : this,
                               [this, handler = std::move(handler)] { dispatch(handler); });
  setUpLabel(label, place, font, colour, Qt::AlignCenter, true);
  return label;
}

QPushButton* ScreenView::makeButton(QRect place, const std::string& caption,
                                    std::function<void()> handler, const std::string& hint,
                                    QWidget* parent) {
  auto* button = new QPushButton(qs(caption), parent ? parent : this);
  button->setGeometry(place);
  button->setFont(buttonFont_);
  if (!hint.empty()) button->setToolTip(qs(hint));
  QObject::connect(button, &QPushButton::clicked, button,
                   [this, handler = std::move(handler)] { dispatch(handler); });
  return button;
}

QLabel* ScreenView::makeHostLine(const Label& line) {
  QLabel* label = makeLabel(QRect(8, 8, 625, 145), look::verdana(24), look::kYellow, line.text,
                            Qt::AlignHCenter | Qt::AlignTop);
  label->setObjectName("hostLine");
  label->setFixedSize(625, 145);
  nameByRole(label, QStringLiteral("Pembril says"));
  return label;
}

PictureWidget* ScreenView::makePicture(const QString& name, QRect place, const QString& spokenName,
                                       QWidget* parent) {
  return new PictureWidget(parent ? parent : this, name, place, spokenName);
}

void ScreenView::nameByRole(QLabel* widget, const QString& role) {
  widget->setAccessibleName(role);
  followText(widget);
}

void ScreenView::followText(QLabel* widget) {
  // Only a label named by its role: any other label is read by its text already.
  if (widget->accessibleName().isEmpty()) return;
  if (widget->accessibleDescription() != widget->text())
    widget->setAccessibleDescription(widget->text());
}

void ScreenView::keepOffStage(QWidget* widget) {
  static const bool factoryInstalled = (QAccessible::installFactory(&offStageAccessible), true);
  (void)factoryInstalled;
  widget->setFocusPolicy(Qt::NoFocus);
  widget->setProperty(kOffStage, true);
  widget->hide();
  // An interface made before the mark (while the widget was being built) would keep
  // speaking for it: it is dropped, and the next one asked for is the silent one.
  QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
  if (spoken && !dynamic_cast<OffStageAccessible*>(spoken)) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(spoken));
    QAccessible::queryAccessibleInterface(widget);
  }
}

void ScreenView::apply(QLabel* widget, const Label& label) {
  const QString text = qs(label.text);
  if (widget->text() != text) widget->setText(text);
  followText(widget);
  widget->setVisible(label.visible);
}

void ScreenView::apply(QPushButton* widget, const Button& button) {
  QString caption = qs(button.caption);
  if (widget->text() != caption) widget->setText(caption);
  widget->setVisible(button.visible);
  widget->setEnabled(button.enabled);
}

}  // namespace zndl
