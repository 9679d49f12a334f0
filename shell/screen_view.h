#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>

#include "shell/screen.h"

namespace zndl {

class App;

// A picture drawn from the built-in art, stretched to its place, sharp at any scale.
// Screen readers meet it as a graphic under the short name it is given.
class PictureWidget : public QWidget {
 public:
  PictureWidget(QWidget* parent, QString name, QRect place, const QString& spokenName);
  const QString& pictureName() const { return name_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString name_;
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
  enum class Frame { Borderless, Dialog, DialogOnTop };

  ScreenView(App& app, Screen& screen, QSize clientSize, Frame frame);

  // Draws the screen's state; called after every event.
  virtual void sync() = 0;
  // Shows, hides and raises the window as the screen says; true when it came forward.
  // A window that comes forward hands the keyboard to its first control.
  bool syncWindow();
  // The control that holds the keyboard as the window comes forward: the one given to
  // setFirstFocus(), or else the default button.
  virtual QWidget* firstFocus() { return firstFocus_ ? firstFocus_ : defaultButton_; }
  Screen& screen() { return screen_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter presses the focused button, or else the window's default button.
  void keyPressEvent(QKeyEvent* event) override;
  // Runs a handler of the screen: errors go to the error box, then every window syncs.
  void dispatch(const std::function<void()>& handler);

  QLabel* makeLabel(QRect place, const QFont& font, QColor colour, const std::string& text,
                    Qt::Alignment align = Qt::AlignCenter, bool wrap = true,
                    QWidget* parent = nullptr);
  ClickLabel* makeClickLabel(QRect place, const QFont& font, QColor colour,
                             std::function<void()> handler, QWidget* parent = nullptr);
  QPushButton* makeButton(QRect place, const std::string& caption, std::function<void()> handler,
                          const std::string& hint = {}, QWidget* parent = nullptr);
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

  static void apply(QLabel* widget, const Label& label);
  static void apply(QPushButton* widget, const Button& button);
  // Moves the window to the middle of the screen it is on.
  void centre();

  App& app_;

 private:
  Screen& screen_;
  std::uint64_t raisedAt_ = 0;
  QPushButton* defaultButton_ = nullptr;
  QWidget* firstFocus_ = nullptr;
};

}  // namespace zndl
