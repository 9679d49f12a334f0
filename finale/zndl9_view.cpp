#include "finale/zndl9_view.h"

#include "shell/app.h"
#include "shell/look.h"

namespace zndl {

CoinCallView::CoinCallView(App& app)
    : ScreenView(app, app.game().Form4, QSize(192, 88), Frame::DialogOnTop),
      screen_(app.game().Form4) {
  // A plain grey dialog, not one of the show's black stages.
  setPalette(QPalette());
  setFont(look::sansSerif(11));
  setWindowModality(Qt::NonModal);
  setAccessibleDescription(QStringLiteral("The tie break: the contestant named calls the coin."));

  prompt_ = makeLabel(QRect(16, 8, 161, 33), look::sansSerif(11),
                      palette().color(QPalette::WindowText), screen_.Label1.text);
  prompt_->setObjectName("Label1");
  nameByRole(prompt_, QStringLiteral("Call the coin"));
  heads_ = makeButton(QRect(16, 56, 75, 25), screen_.Button1.caption,
                      [this] { screen_.Button1Click(); });
  heads_->setObjectName("Button1");
  heads_->setAccessibleDescription(QStringLiteral("Call heads"));
  tails_ = makeButton(QRect(104, 56, 75, 25), screen_.Button2.caption,
                      [this] { screen_.Button2Click(); });
  tails_->setObjectName("Button2");
  tails_->setAccessibleDescription(QStringLiteral("Call tails"));
  sync();
}

void CoinCallView::sync() {
  apply(prompt_, screen_.Label1);
  apply(heads_, screen_.Button1);
  apply(tails_, screen_.Button2);
}

}  // namespace zndl
