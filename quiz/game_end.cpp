// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>

#include "finale/verdicts.h"
#include "platform/numbers.h"
#include "quiz/quiz_screen.h"
#include "shell/game.h"

namespace zndl {

void QuizScreen::endGame() {
  Game& g = game_;
  const TitleScreen& title = g.titleScreen;
  Notice& notice = g.notice;
  notice.show();
  leftUnreset_ = true;
  g.finalScore1 = static_cast<int>(parseWholeNumber(score1).value_or(0));
  g.finalScore2 = static_cast<int>(parseWholeNumber(score2).value_or(0));
  g.finalLives1 = lives1;
  g.finalLives2 = lives2;

  notice.hostLine.text = kDeadHeat;
  g.winner = kNoWinner;
  if (g.finalScore1 > g.finalScore2) {
    notice.hostLine.text =
        morePointsVerdict(title.name1, title.name2, title.petType2Text(), title.petName2);
    g.winner = kPlayerOneWins;
  }
  if (g.finalScore1 < g.finalScore2) {
    notice.hostLine.text =
        morePointsVerdict(title.name2, title.name1, title.petType1Text(), title.petName1);
    g.winner = kPlayerTwoWins;
  }
  if (g.finalLives1 == 0) {
    notice.hostLine.text = fiveLivesVerdict(title.name1, title.petName1);
    g.winner = kPlayerTwoWins;
  }
  if (g.finalLives2 == 0) {
    notice.hostLine.text = fiveLivesVerdict(title.name2, title.petName2);
    g.winner = kPlayerOneWins;
  }

  // An unreadable prize list is reported, but the finale is still set up for this
  // game's winner; otherwise it would show the last game's pet and call.
  std::optional<Error> prizeError;
  try {
    g.finale.prizes.loadFromFile(kPrizesFile);
  } catch (const Error& e) {
    prizeError = e;
  }
  g.finale.prepare(g.winner);
  close();
  if (prizeError) throw *prizeError;
}

}  // namespace zndl
