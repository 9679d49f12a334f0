#include "finale/zndl6_view.h"

#include "shell/app.h"

namespace zndl {

NoticeView::NoticeView(App& app)
    : ScreenView(app, app.game().EndGameBox, QSize(640, 480), Frame::Borderless),
      screen_(app.game().EndGameBox) {
  setAccessibleDescription(QStringLiteral(
      "The end of the game: Pembril announces the verdict and whose pet is doomed."));
  makePicture(QStringLiteral("endgame"), QRect(0, 0, 640, 480),
              QStringLiteral("Pembril the penguin on stage between a drum and a cymbal"))
      ->setObjectName("Image1");

  chatText_ = makeHostLine(screen_.ChatText);

  ok_ = makeButton(
      QRect(560, 448, 75, 25), screen_.Button1.caption, [this] { screen_.Button1Click(); },
      TEndGameBox::kButton1Hint);
  ok_->setObjectName("Button1");
  ok_->setAccessibleDescription(QStringLiteral("Go on to the pet's fate"));
  setDefaultButton(ok_);
  sync();
}

void NoticeView::sync() {
  apply(chatText_, screen_.ChatText);
  apply(ok_, screen_.Button1);
}

}  // namespace zndl
