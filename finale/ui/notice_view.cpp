// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/ui/notice_view.h"

#include "shell/ui/app.h"
#include "shell/ui/make_window.h"

namespace zndl {

NoticeView::NoticeView(App& app)
    : ScreenView(app, app.game().screen<Notice>(), QSize(640, 480), Frame::Borderless, "notice"),
      screen_(app.game().screen<Notice>()) {
  setAccessibleDescription(QStringLiteral(
      "The end of the game: Pembril announces the verdict and whose pet is doomed."));
  makePicture(QStringLiteral("endgame"), QRect(0, 0, 640, 480),
              QStringLiteral("Pembril the penguin on stage between a drum and a cymbal"))
      ->setObjectName("background");

  hostLine_ = makeHostLine(screen_.hostLine);
  speakLine(screen_.hostLine);

  ok_ = makeButton(
      QRect(560, 448, 75, 25), screen_.okButton.caption, [this] { screen_.onOk(); },
      Notice::kOkHint);
  ok_->setObjectName("okButton");
  ok_->setAccessibleDescription(QStringLiteral("Go on to the pet's fate"));
  setDefaultButton(ok_);
  sync();
}

void NoticeView::sync() {
  apply(hostLine_, screen_.hostLine);
  apply(ok_, screen_.okButton);
}

MAKE_WINDOW_OF(NoticeView);

}  // namespace zndl
