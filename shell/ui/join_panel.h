// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "adapters/qr_code.h"
#include "shell/contestants.h"
#include "shell/ui/screen_view.h"

namespace zndl {

class PadHub;
class TitleScreen;

// The join code, drawn sharp at any scale: dark modules on white with the quiet zone
// a phone's camera needs around them.
class QrWidget : public QWidget, public StageScaled {
 public:
  explicit QrWidget(QWidget* parent);
  void setCode(QrCode code);
  void setStageScale(qreal) override { update(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QrCode code_;
};

// Over the title while the phones may join: the code to scan from the sofa, the
// address to type, and who holds each seat ("Player one: Ann's phone", "Player two:
// waiting"), with buttons to free a seat and to show another of the PC's addresses.
// A seat held by a controller shows here too.
class JoinPanel : public QFrame {
 public:
  // `make` builds a button the way the window builds its own.
  JoinPanel(QWidget* stage, PadHub& hub,
            const std::function<QPushButton*(QRect, const std::string&, std::function<void()>,
                                             QWidget*)>& make);
  void sync(const TitleScreen& title);

 private:
  QLabel* label(QRect place, int pixels, bool bold, const char* name);

  PadHub& hub_;
  QLabel* caption_;
  QrWidget* code_;
  QLabel* address_;
  QLabel* hint_;
  Contestants<QLabel*> seats_{nullptr, nullptr};
  Contestants<QPushButton*> free_{nullptr, nullptr};
  QPushButton* next_;
  std::string shownUrl_;
};

}  // namespace zndl
