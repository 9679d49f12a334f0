// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/ui/finale_view.h"

#include "shell/ui/app.h"
#include "shell/ui/make_window.h"

namespace zndl {

FinaleView::FinaleView(App& app)
    : ScreenView(app, app.game().screen<Finale>(), QSize(640, 480), Frame::Borderless, "finale"),
      screen_(app.game().screen<Finale>()),
      hostLineRepaints_(app.game().screen<Finale>().hostLineRepaints) {
  setAccessibleDescription(QStringLiteral(
      "The finale: the winner presses Kill, the anvil falls on the loser's pet and Pembril "
      "hands out the prize."));
  makePicture(QStringLiteral("finale"), QRect(0, 0, 640, 480),
              QStringLiteral("Pembril the penguin beside a red button, an anvil hanging over the "
                             "spot"))
      ->setObjectName("stage");

  // The pets stand on the stage, below the anvil stage that covers them when it falls.
  const auto pet = [&](const char* name, const char* art, const Picture& picture, QSize size) {
    PictureWidget* widget = makePicture(
        QString::fromLatin1(art), QRect({picture.left, picture.top}, size),
        QStringLiteral("The loser's pet, a %1, on the spot").arg(QString::fromLatin1(art)));
    widget->setObjectName(name);
    return PetWidget{&picture, widget};
  };
  pets_[0] = pet("hamster", "hamster", screen_.hamster, {71, 54});
  // The goldfish's bowl is a little larger than its box; centred in the box, its
  // edges are trimmed off evenly.
  auto* goldfishBox = new QWidget(this);
  goldfishBox->setObjectName("goldfish");
  goldfishBox->setGeometry(screen_.goldfish.left, screen_.goldfish.top, 123, 136);
  goldfishBox->setAttribute(Qt::WA_TransparentForMouseEvents);
  makePicture(QStringLiteral("goldfish"), QRect((123 - 125) / 2, (136 - 140) / 2, 125, 140),
              QStringLiteral("The loser's pet, a goldfish in its bowl, on the spot"), goldfishBox);
  pets_[1] = PetWidget{&screen_.goldfish, goldfishBox};
  pets_[2] = pet("mouse", "mouse", screen_.mouse, {82, 61});
  pets_[3] = pet("dog", "dog", screen_.dog, {200, 185});

  anvil_ = makePicture(QStringLiteral("finale_anvil"), QRect(0, 0, 640, 480),
                       QStringLiteral("The anvil fallen on the spot in a cloud of dust"));
  anvil_->setObjectName("fallenAnvil");

  hostLine_ = makeHostLine(screen_.hostLine);
  speakLine(screen_.hostLine);

  kill_ = makeButton(QRect(561, 448, 75, 25), screen_.killButton().caption,
                     [this] { screen_.onKillPressed(); });
  kill_->setObjectName("killButton");
  setDefaultButton(kill_);
  sync();
}

void FinaleView::sync() {
  for (const PetWidget& pet : pets_) {
    place(pet.widget, {pet.picture->left, pet.picture->top});
    pet.widget->setVisible(pet.picture->visible);
  }
  place(anvil_, {screen_.fallenAnvil.left, screen_.fallenAnvil.top});
  anvil_->setVisible(screen_.fallenAnvil.visible);
  apply(hostLine_, screen_.hostLine);
  apply(kill_, screen_.killButton());
  // The prize line is drawn the moment it is set, not whenever the event loop gets
  // round to it.
  if (screen_.hostLineRepaints != hostLineRepaints_) {
    hostLineRepaints_ = screen_.hostLineRepaints;
    hostLine_->repaint();
  }
}

MAKE_WINDOW_OF(FinaleView);

}  // namespace zndl
