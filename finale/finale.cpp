// SPDX-License-Identifier: GPL-3.0-or-later
#include "finale/finale.h"

#include "finale/notice.h"
#include "finale/verdicts.h"
#include "host/host_lists.h"
#include "host/introduction.h"
#include "quiz/quiz_screen.h"
#include "shell/game.h"
#include "shell/title_screen.h"
#include "shell/make_screen.h"

namespace zndl {

Finale::Finale(Game& game) : Screen(game, kAppTitle), prizes(builtin::prizes()) {}

namespace {

// One of the prize list's entries after its heading, or nothing when it has none.
std::string drawPrize(Game& game, const TextList& prizes) {
  if (prizes.count() < 2) return {};
  return prizes.at(1 + game.randomBelow(prizes.count() - 1));
}

}  // namespace

const Button Finale::killButton() const {
  return Button{phase == Phase::kill ? "Kill" : "Back To Title"};
}

Picture& Finale::petPicture(int type) {
  switch (type) {
    case kGoldfish:
      return goldfish;
    case kMouse:
      return mouse;
    case kDog:
      return dog;
    default:
      return hamster;
  }
}

void Finale::prepareForGame() {
  phase = Phase::kill;
}

void Finale::prepare(Winner winner) {
  // A finale left with Alt-F4 after the anvil fell must not open on the fallen anvil.
  fallenAnvil.visible = false;
  const std::optional<Contestant> won = winnerOf(winner);
  if (!won) return;
  const auto& entries = game_.screen<TitleScreen>().entries;
  hostLine.text = honoursCall(entries[*won].name);
  for (Picture* pet : {&hamster, &goldfish, &mouse, &dog}) pet->visible = false;
  petPicture(entries[otherContestant(*won)].petType).visible = true;
}

void Finale::onKillPressed() {
  // One press is one step: the later phase is looked at first.
  if (phase == Phase::backToTitle) {
    backToTitle();
    return;
  }
  phase = Phase::backToTitle;
  fallenAnvil.visible = true;
  if (const std::optional<Contestant> won = winnerOf(game_.winner)) {
    const std::string prize = drawPrize(game_, prizes);
    hostLine.text = prizeLine(game_.screen<TitleScreen>().entries[*won].name, prize);
  }
  ++hostLineRepaints;
}

void Finale::backToTitle() {
  Game& g = game_;
  QuizScreen& quiz = g.screen<QuizScreen>();
  quiz.close();
  g.screen<Notice>().close();
  g.screen<Introduction>().close();
  close();
  fallenAnvil.visible = false;
  quiz.resetForNextGame(ClockFace::afterFinale);
  g.screen<TitleScreen>().reopenTitleTune();
}

void Finale::readPrizes() {
  loadPrizesFrom(kPrizesFile);
}

void Finale::loadPrizesFrom(const std::string& fileName) {
  prizes.loadFromFile(fileName);
}

void Finale::savePrizes() const {
  saveListToFile(prizes, kPrizesFile, game_.ports.writeSteps);
}

MAKE_SCREEN(Finale);

}  // namespace zndl
