#include "host/zndl3_view.h"

#include "shell/app.h"

namespace zndl {

ChatView::ChatView(App& app)
    : ScreenView(app, app.game().ChatBox, QSize(639, 480), Frame::Borderless),
      screen_(app.game().ChatBox) {
  // The backdrop is a full 640-pixel picture in a window one pixel narrower; its last
  // column simply falls outside.
  setAccessibleDescription(QStringLiteral(
      "The introduction: Pembril the penguin presents the show and the contestants."));
  makePicture(QStringLiteral("intro"), QRect(0, 0, 640, 480),
              QStringLiteral("Pembril the penguin on the studio stage, beside a camera"))
      ->setObjectName("Image1");

  chatText_ = makeHostLine(screen_.ChatText);

  skip_ = makeButton(QRect(560, 448, 75, 25), screen_.Button1.caption,
                     [this] { screen_.Button1Click(); });
  skip_->setObjectName("Button1");
  skip_->setAccessibleName(QStringLiteral("Skip the introduction"));
  setDefaultButton(skip_);
}

void ChatView::sync() {
  apply(chatText_, screen_.ChatText);
  apply(skip_, screen_.Button1);
}

}  // namespace zndl
