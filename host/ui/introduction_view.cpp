// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/ui/introduction_view.h"

#include "shell/ui/app.h"
#include "shell/ui/make_window.h"

namespace zndl {

IntroductionView::IntroductionView(App& app)
    : ScreenView(app, app.game().screen<Introduction>(), QSize(639, 480), Frame::Borderless,
                 "introduction"),
      screen_(app.game().screen<Introduction>()) {
  // The backdrop is a full 640-pixel picture in a window one pixel narrower; its last
  // column simply falls outside.
  setAccessibleDescription(QStringLiteral(
      "The introduction: Pembril the penguin presents the show and the contestants."));
  makePicture(QStringLiteral("intro"), QRect(0, 0, 640, 480),
              QStringLiteral("Pembril the penguin on the studio stage, beside a camera"))
      ->setObjectName("background");

  hostLine_ = makeHostLine(screen_.hostLine);
  speakLine(screen_.hostLine);

  skip_ =
      makeButton(QRect(560, 448, 75, 25), screen_.skipButton.caption, [this] { screen_.onSkip(); });
  skip_->setObjectName("skipButton");
  skip_->setAccessibleName(QStringLiteral("Skip the introduction"));
  setDefaultButton(skip_);
}

void IntroductionView::sync() {
  apply(hostLine_, screen_.hostLine);
  apply(skip_, screen_.skipButton);
}

MAKE_WINDOW_OF(IntroductionView);

}  // namespace zndl
