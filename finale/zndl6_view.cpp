#include "finale/zndl6_view.h"

#include "shell/app.h"
#include "shell/look.h"

namespace zndl {

NoticeView::NoticeView(App& app)
    : ScreenView(app, app.game().EndGameBox, QSize(640, 480), Frame::Borderless),
      screen_(app.game().EndGameBox) {
  makePicture(QStringLiteral("endgame"), QRect(0, 0, 640, 480))->setObjectName("Image1");

  // The verdict wraps at word breaks from the top of its box; a verdict too long for
  // the box is cut off at the bottom rather than pushing the box over the host.
  chatText_ = makeLabel(QRect(8, 8, 625, 145), look::verdana(24), look::kYellow,
                        screen_.ChatText.text, Qt::AlignHCenter | Qt::AlignTop);
  chatText_->setObjectName("ChatText");
  chatText_->setFixedSize(625, 145);

  ok_ = makeButton(
      QRect(560, 448, 75, 25), screen_.Button1.caption, [this] { screen_.Button1Click(); },
      TEndGameBox::kButton1Hint);
  ok_->setObjectName("Button1");
  sync();
}

void NoticeView::sync() {
  apply(chatText_, screen_.ChatText);
  apply(ok_, screen_.Button1);
}

}  // namespace zndl
