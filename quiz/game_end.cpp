// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>

#include "finale/finale.h"
#include "finale/notice.h"
#include "finale/verdicts.h"
#include "quiz/quiz_screen.h"
#include "shell/game.h"
#include "shell/title_screen.h"

namespace zndl {

Verdict decideVerdict(const Contestants<Standing>& standings) {
  Verdict verdict;
  for (Contestant c : kBothContestants)
    if (standings[c].score > standings[otherContestant(c)].score)
      verdict = {VerdictKind::morePoints, winnerIs(c)};
  for (Contestant c : kBothContestants)
    if (standings[c].lives == 0) verdict = {VerdictKind::outOfLives, winnerIs(otherContestant(c))};
  return verdict;
}

std::string verdictLine(const Verdict& verdict, const Contestants<ContestantEntry>& entries) {
  const std::optional<Contestant> winner = winnerOf(verdict.winner);
  if (verdict.kind == VerdictKind::deadHeat || !winner) return kDeadHeat;
  const ContestantEntry& won = entries[*winner];
  const ContestantEntry& lost = entries[otherContestant(*winner)];
  if (verdict.kind == VerdictKind::outOfLives) return fiveLivesVerdict(lost.name, lost.petName);
  return morePointsVerdict(won.name, lost.name, lost.petTypeText(), lost.petName);
}

void QuizScreen::endGame() {
  Game& g = game_;
  Notice& notice = g.screen<Notice>();
  Finale& finale = g.screen<Finale>();
  notice.show();
  leftUnreset_ = true;
  for (Contestant c : kBothContestants) g.finalStandings[c] = {scores[c], lives[c]};
  const Verdict verdict = decideVerdict(g.finalStandings);
  g.winner = verdict.winner;
  notice.announce(verdict, verdictLine(verdict, g.screen<TitleScreen>().entries));

  // An unreadable prize list is reported, but the finale is still set up for this
  // game's winner; otherwise it would show the last game's pet and call.
  std::optional<Error> prizeError;
  try {
    finale.readPrizes();
  } catch (const Error& e) {
    prizeError = e;
  }
  finale.prepare(g.winner);
  close();
  if (prizeError) throw *prizeError;
}

}  // namespace zndl
