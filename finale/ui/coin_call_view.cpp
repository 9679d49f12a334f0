// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/ui/coin_call_view.h"

#include "shell/ui/app.h"
#include "shell/ui/look.h"
#include "shell/ui/make_window.h"

namespace zndl {

CoinCallView::CoinCallView(App& app)
    : ScreenView(app, app.game().screen<CoinCall>(), QSize(192, 88), Frame::DialogOnTopWithoutClose,
                 "coinCall"),
      screen_(app.game().screen<CoinCall>()) {
  // A plain grey dialog, not one of the show's black stages.
  setPalette(QPalette());
  setFont(look::sansSerif(11));
  setWindowModality(Qt::NonModal);
  setAccessibleDescription(QStringLiteral("The tie break: the contestant named calls the coin."));

  prompt_ = makeLabel(QRect(16, 8, 161, 33), look::sansSerif(11),
                      palette().color(QPalette::WindowText), screen_.prompt.text);
  prompt_->setObjectName("prompt");
  nameByRole(prompt_, QStringLiteral("Call the coin"));
  speakLine(screen_.prompt);
  heads_ =
      makeButton(QRect(16, 56, 75, 25), screen_.headsButton.caption, [this] { screen_.onHeads(); });
  heads_->setObjectName("headsButton");
  heads_->setAccessibleDescription(QStringLiteral("Call heads"));
  setFirstFocus(heads_);
  tails_ = makeButton(QRect(104, 56, 75, 25), screen_.tailsButton.caption,
                      [this] { screen_.onTails(); });
  tails_->setObjectName("tailsButton");
  tails_->setAccessibleDescription(QStringLiteral("Call tails"));
  sync();
}

void CoinCallView::sync() {
  apply(prompt_, screen_.prompt);
  apply(heads_, screen_.headsButton);
  apply(tails_, screen_.tailsButton);
}

MAKE_WINDOW_OF(CoinCallView);

}  // namespace zndl
