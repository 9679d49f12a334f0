// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>

#include "shell/narration.h"
#include "shell/screen.h"

namespace zndl {

class App;

// A length of the stage's design as it is drawn `scale` times as big, to the nearest
// pixel; a font likewise, never smaller than one pixel.
int scaledLength(int length, qreal scale);
QFont scaledFont(QFont font, qreal scale);

// A control that draws something of its own (a bevel, an outline, a picture) and
// draws it bigger when the stage is shown bigger. Its place and font are scaled by
// its window like every other control's.
class StageScaled {
 public:
  virtual ~StageScaled() = default;
  virtual void setStageScale(qreal scale) = 0;
};

// A picture drawn from the built-in art, stretched to its place, sharp at any scale.
// Screen readers meet it as a graphic under the short name it is given.
class PictureWidget : public QWidget, public StageScaled {
 public:
  PictureWidget(QWidget* parent, QString name, QRect place, const QString& spokenName);
  const QString& pictureName() const { return name_; }
  void setStageScale(qreal scale) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString name_;
  qreal scale_ = 1.0;
};

// A transparent label that can also be clicked. One that is reachable from the
// keyboard takes a Tab stop, shows a focus frame and is pressed with Enter or Space.
class ClickLabel : public QLabel {
 public:
  ClickLabel(QWidget* parent, std::function<void()> onClick);
  void makeKeyboardReachable();

 protected:
  // A click is a press and a release over the label, as with a button.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<void()> onClick_;
  bool pressed_ = false;
};

// The window of one screen: built from the screen's control table, it forwards every
// event to the screen's handler through the app and draws the screen's state in
// sync(). It keeps no game state of its own.
class ScreenView : public QWidget {
 public:
  // A full screen, or a dialog with a title bar (its caption, no minimise or maximise
  // button) that Escape and the desktop's close command close, or one that stays on top,
  // or one on top that offers no close of its own.
  enum class Frame { Borderless, Dialog, DialogOnTop, DialogOnTopWithoutClose };

  // `role` names the window to the window manager (WM_WINDOW_ROLE): a desktop's window
  // rules and session restore tell the game's windows apart by it, as do the tests.
  ScreenView(App& app, Screen& screen, QSize clientSize, Frame frame, const char* role);

  // Draws the screen's state; called after every event.
  virtual void sync() = 0;

  // The stage is designed at its logical size; it is shown `scale` times as big. A
  // full-screen window covers `screenArea` (global coordinates) with the stage
  // centred in black; otherwise the window is the stage's size, in its usual place.
  // Every control's place, font and style sheet sizes follow from their design.
  void setStage(qreal scale, bool fullScreen, QRect screenArea = {});
  qreal stageScale() const { return scale_; }
  bool fullScreen() const { return fullScreen_; }
  bool isDialog() const { return frame_ != Frame::Borderless; }
  bool closesOnEscape() const { return frame_ == Frame::Dialog || frame_ == Frame::DialogOnTop; }
  // Where a point of the stage's design lies in the window as it is shown now.
  QPoint toWindow(QPoint designPoint) const;
  // Shows, hides and raises the window as the screen says; true when it came forward.
  // A window that comes forward hands the keyboard to its first control.
  bool syncWindow();
  // The control that holds the keyboard as the window comes forward: the one given to
  // setFirstFocus(), or else the default button.
  virtual QWidget* firstFocus() { return firstFocus_ ? firstFocus_ : defaultButton_; }
  // Tells the screen reader what has changed on its own since the last time; called
  // after every window has been shown or hidden, and silent while this one is hidden.
  void speak();
  Screen& screen() { return screen_; }

  // A transparent label of plain text in its place, font and colour.
  static void setUpLabel(QLabel* label, QRect place, const QFont& font, QColor colour,
                         Qt::Alignment align, bool wrap);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Enter presses the focused button, or else the window's default button.
  void keyPressEvent(QKeyEvent* event) override;
  // Runs a handler of the screen: errors go to the error box, then every window syncs.
  void dispatch(const std::function<void()>& handler);
  // What this window has to tell the screen reader now (see shell/narration.h): by
  // default the line named by speakLine(), if any.
  virtual SpokenLines narrate(bool onView);
  // Names the one line of the screen this window speaks as it changes (Pembril's line,
  // a prompt); the line belongs to the screen, which outlives the window.
  void speakLine(const Label& line) { spokenLine_ = &line; }

  QLabel* makeLabel(QRect place, const QFont& font, QColor colour, const std::string& text,
                    Qt::Alignment align = Qt::AlignCenter, bool wrap = true,
                    QWidget* parent = nullptr);
  ClickLabel* makeClickLabel(QRect place, const QFont& font, QColor colour,
                             std::function<void()> handler, QWidget* parent = nullptr);
  QPushButton* makeButton(QRect place, const std::string& caption, std::function<void()> handler,
                          const std::string& hint = {}, QWidget* parent = nullptr);
  // The face makeButton() gives its buttons; by default the sans-serif of the dialogs.
  void setButtonFont(const QFont& font) { buttonFont_ = font; }
  // Pembril's spoken line across the top of a stage: yellow, wrapped from the top of
  // its box, and cut off at the bottom rather than growing over the host.
  QLabel* makeHostLine(const Label& line);
  PictureWidget* makePicture(const QString& name, QRect place, const QString& spokenName,
                             QWidget* parent = nullptr);
  // The button Enter presses when no button holds the keyboard; drawn as before.
  void setDefaultButton(QPushButton* button) { defaultButton_ = button; }
  void setFirstFocus(QWidget* control) { firstFocus_ = control; }

  // Names a label by its role for screen readers ("Question", "Pembril says"); what it
  // currently says travels as its description and follows every change of its text.
  static void nameByRole(QLabel* widget, const QString& role);
  static void followText(QLabel* widget);

  // A helper the player never sees (a field that only carries text on its way
  // somewhere): kept hidden, never focused, and silent to screen readers, which
  // would otherwise read out its changes although it is nowhere on the screen.
  static void keepOffStage(QWidget* widget);

  static void apply(QLabel* widget, const Label& label);
  static void apply(QPushButton* widget, const Button& button);
  // Moves the window to the middle of the screen it is on.
  void centre();
  // Puts the window where it belongs when it is not full screen: the middle.
  virtual void placeWindow() { centre(); }
  // Moves a control to a place of the stage's design; sizes the label to its text.
  void place(QWidget* widget, QPoint designTopLeft);
  void fitToText(QLabel* label);

  App& app_;

 private:
  // A control's design: its place on the stage (or in its parent) and its look at
  // scale 1.
  struct Design {
    QRect rect;
    QFont font;
    bool ownFont = false;
    bool fixedSize = false;
    QString styleSheet;
    QSize iconSize;  // of a button with an icon
  };
  void recordDesigns(QWidget* parent);
  QRect scaled(const QRect& rect, bool onStage) const;
  void applyDesign(QWidget* widget, const Design& design);

  Screen& screen_;
  std::uint64_t raisedAt_ = 0;
  QPushButton* defaultButton_ = nullptr;
  QFont buttonFont_;
  Frame frame_;
  QSize designSize_;
  qreal scale_ = 1.0;
  bool fullScreen_ = false;
  QPoint origin_;  // where the stage's top left lies in the window
  QFont designFont_;
  bool ownFont_ = false;
  bool designed_ = false;
  bool framed_ = false;  // the window manager's frame has been asked for
  QList<QWidget*> designOrder_;
  QHash<QWidget*, Design> designs_;
  QWidget* firstFocus_ = nullptr;
  const Label* spokenLine_ = nullptr;
  LineNarrator lineNarrator_;
};

// Builds the window of a screen (the View of its GameScreens entry). Each window's own
// file instantiates it (MAKE_WINDOW_OF in shell/ui/make_window.h), so the program builds
// every window from the list of screens without knowing their headers.
template <class View>
std::unique_ptr<ScreenView> makeWindow(App& app);

}  // namespace zndl
