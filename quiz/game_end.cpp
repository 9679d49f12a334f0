#include <optional>

#include "finale/verdicts.h"
#include "platform/numbers.h"
#include "quiz/zndl2.h"
#include "shell/game.h"

namespace zndl {

void TPlayBox::EndOfGame() {
  Game& g = game_;
  const TZNDLbox1& title = g.ZNDLbox1;
  TEndGameBox& notice = g.EndGameBox;
  notice.show();
  g.FinalScore1 = static_cast<int>(parseWholeNumber(Score1).value_or(0));
  g.FinalScore2 = static_cast<int>(parseWholeNumber(Score2).value_or(0));
  g.FinalLives1 = Lives1;
  g.FinalLives2 = Lives2;

  notice.ChatText.text = kDeadHeat;
  g.Winner = 0;
  if (g.FinalScore1 > g.FinalScore2) {
    notice.ChatText.text =
        morePointsVerdict(title.Name1, title.Name2, title.petType2Text(), title.PetName2);
    g.Winner = 1;
  }
  if (g.FinalScore1 < g.FinalScore2) {
    notice.ChatText.text =
        morePointsVerdict(title.Name2, title.Name1, title.petType1Text(), title.PetName1);
    g.Winner = 2;
  }
  if (g.FinalLives1 == 0) {
    notice.ChatText.text = fiveLivesVerdict(title.Name1, title.PetName1);
    g.Winner = 2;
  }
  if (g.FinalLives2 == 0) {
    notice.ChatText.text = fiveLivesVerdict(title.Name2, title.PetName2);
    g.Winner = 1;
  }

  // An unreadable prize list is reported, but the finale is still set up for this
  // game's winner; otherwise it would show the last game's pet and call.
  std::optional<Error> prizeError;
  try {
    g.AnvilBox.Prizes.loadFromFile(kPrizesFile);
  } catch (const Error& e) {
    prizeError = e;
  }
  g.AnvilBox.PrepareFinale(g.Winner);
  close();
  if (prizeError) throw *prizeError;
}

}  // namespace zndl
