// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "shell/contestants.h"
#include "shell/title_screen.h"

namespace zndl {

class Game;

// The screens a pad follows: the game's own, not the PC's dialogs.
enum class PadScreen { title, introduction, quiz, notice, tieBreak, coinCall, finale };

// What a contestant can press on a pad (a phone or a game controller). Each is one of
// the game's own buttons, pressed as the PC's keyboard or mouse would press it.
enum class PadAction {
  answerA,
  answerB,
  answerC,
  continueQuiz,  // the quiz's CONTINUE
  okNotice,      // OK on the end-of-game notice
  tossCoin,      // TOSS THE COIN
  killThePet,    // KILL THE PET, once the coin has landed
  callHeads,     // the coin call
  callTails,
  kill,         // the finale's Kill
  backToTitle,  // the finale's Back To Title
  play,         // the title's Play
};

// The one rule for every kind of pad, screen by screen: whom the screen in front waits
// for and what that contestant may press.
//   title         Play, for either contestant once both seats are taken; each fills
//                 in their own entries
//   introduction  nothing: the host speaks
//   quiz          A, B and C for the contestant whose turn it is, while the clock runs;
//                 CONTINUE for the contestant who answers next
//   notice        OK for the winner; after a dead heat for player one
//   coin call     Heads and Tails for the drawn caller
//   tie break     TOSS THE COIN for the caller; KILL THE PET for the winner once the
//                 coin has landed
//   finale        Kill, then Back To Title, for the winner
struct PadView {
  PadScreen screen = PadScreen::title;
  std::string hostLine;  // what the host says on screens where he speaks
  // The quiz as both contestants see it.
  Contestant turn = kFirstContestant;
  std::string question;                // empty until it is revealed
  std::array<std::string, 3> answers;  // each empty until it is revealed
  std::string clock;
  std::string result;  // once the question is judged
  Contestants<std::string> names;
  Contestants<int> scores{0, 0};
  Contestants<int> lives{0, 0};
  // The title: this contestant's entries, and the question groups to choose from.
  ContestantEntry entry;
  std::vector<std::string> groups;
  std::string group;
  std::vector<PadAction> actions;
};

// The screen in front, as far as the pads are concerned.
PadScreen frontPadScreen(const Game& game);

// Whom the screen in front waits for: the contestant whose pad has its go button
// (CONTINUE, OK, the toss, the kill) and the coin call; none on the title screen and
// the introduction.
std::optional<Contestant> awaitedContestant(const Game& game);

// What a contestant's pad shows now. `bothSeated` says whether both contestants have a
// pad, which Play from a pad waits for.
PadView padView(const Game& game, Contestant contestant, bool bothSeated);

// Presses what a contestant's pad asked for, if the pad may press it now; false when it
// may not (the screen has moved on, it is the other contestant's, or never theirs).
// Run it as any handler is run: it may throw what the button's handler throws.
bool pressOnPad(Game& game, Contestant contestant, PadAction action, bool bothSeated);

// The entries a contestant fills in from a pad before Play, under the same rules as the
// PC's fields: one line of text that names.etc can hold, an answer time, a pet type of
// the four, a group of the list. False when refused, or when the title is not in front.
enum class EntryField { name, petName, petType, answerTime, group };
bool enterOnPad(Game& game, Contestant contestant, EntryField field, const std::string& value);

}  // namespace zndl
