// SPDX-License-Identifier: GPL-3.0-or-later
#include "pads/pad_rule.h"

#include <algorithm>

#include "finale/coin_call.h"
#include "finale/finale.h"
#include "finale/notice.h"
#include "finale/tie_break.h"
#include "host/introduction.h"
#include "platform/cp1252.h"
#include "quiz/quiz_screen.h"
#include "shell/game.h"

namespace zndl {
namespace {

// The game's screens as the pads follow them, with the screen each one is.
struct Followed {
  const Screen* screen;
  PadScreen as;
};

std::vector<Followed> followed(const Game& game) {
  return {{&game.screen<QuizScreen>(), PadScreen::quiz},
          {&game.screen<Introduction>(), PadScreen::introduction},
          {&game.screen<Notice>(), PadScreen::notice},
          {&game.screen<Finale>(), PadScreen::finale},
          {&game.screen<TieBreak>(), PadScreen::tieBreak},
          {&game.screen<CoinCall>(), PadScreen::coinCall}};
}

// The winner, or player one when nobody has won (a dead heat, before the toss).
Contestant winnerOrFirst(const Game& game) {
  return winnerOf(game.winner).value_or(kFirstContestant);
}

std::vector<PadAction> actionsFor(const Game& game, Contestant contestant, PadScreen screen,
                                  bool bothSeated) {
  const QuizScreen& quiz = game.screen<QuizScreen>();
  const TieBreak& tieBreak = game.screen<TieBreak>();
  const Finale& finale = game.screen<Finale>();
  switch (screen) {
    case PadScreen::title:
      if (bothSeated) return {PadAction::play};
      return {};
    case PadScreen::introduction:
      return {};
    case PadScreen::quiz:
      if (quiz.turn != contestant) return {};
      if (quiz.step == QuestionStep::countdown)
        return {PadAction::answerA, PadAction::answerB, PadAction::answerC};
      if (quiz.continueButton.visible && quiz.step == QuestionStep::idle)
        return {PadAction::continueQuiz};
      return {};
    case PadScreen::notice:
      if (winnerOrFirst(game) == contestant) return {PadAction::okNotice};
      return {};
    case PadScreen::coinCall:
      if (tieBreak.coinCaller == contestant) return {PadAction::callHeads, PadAction::callTails};
      return {};
    case PadScreen::tieBreak:
      if (tieBreak.phase == TieBreak::Phase::toss)
        return tieBreak.coinCaller == contestant ? std::vector{PadAction::tossCoin}
                                                 : std::vector<PadAction>{};
      if (tieBreak.tossButton().enabled && winnerOrFirst(game) == contestant)
        return {PadAction::killThePet};
      return {};
    case PadScreen::finale:
      if (winnerOrFirst(game) != contestant) return {};
      return {finale.phase == Finale::Phase::kill ? PadAction::kill : PadAction::backToTitle};
  }
  return {};
}

// What a pad may put in a name or a pet's name: what the PC's field takes (one line that
// names.etc can hold, no longer than the field), and nothing a keyboard cannot type: no
// control characters at all.
bool typableEntry(const std::string& text) {
  if (!TitleScreen::storableEntry(text)) return false;
  std::size_t characters = 0;
  for (std::size_t pos = 0; pos < text.size(); ++characters) {
    const auto c = cp1252::decodeUtf8(text, pos);
    if (!c || *c < 0x20 || (*c >= 0x7F && *c <= 0x9F)) return false;
  }
  return characters <= kEntryLength;
}

bool inItems(const ComboBox& box, const std::string& value) {
  return std::find(box.items.begin(), box.items.end(), value) != box.items.end();
}

}  // namespace

PadScreen frontPadScreen(const Game& game) {
  PadScreen front = PadScreen::title;
  std::uint64_t order = 0;
  for (const Followed& f : followed(game)) {
    if (f.screen->visible() && f.screen->frontOrder() > order) {
      order = f.screen->frontOrder();
      front = f.as;
    }
  }
  return front;
}

std::optional<Contestant> awaitedContestant(const Game& game) {
  switch (frontPadScreen(game)) {
    case PadScreen::title:
    case PadScreen::introduction:
      return std::nullopt;
    case PadScreen::quiz:
      return game.screen<QuizScreen>().turn;
    case PadScreen::coinCall:
      return game.screen<TieBreak>().coinCaller;
    case PadScreen::tieBreak: {
      const TieBreak& tieBreak = game.screen<TieBreak>();
      if (tieBreak.phase == TieBreak::Phase::toss) return tieBreak.coinCaller;
      return winnerOrFirst(game);
    }
    case PadScreen::notice:
    case PadScreen::finale:
      return winnerOrFirst(game);
  }
  return std::nullopt;
}

PadView padView(const Game& game, Contestant contestant, bool bothSeated) {
  PadView view;
  view.screen = frontPadScreen(game);
  const QuizScreen& quiz = game.screen<QuizScreen>();
  const TitleScreen& title = game.screen<TitleScreen>();
  for (Contestant c : kBothContestants) view.names[c] = title.entries[c].name;
  switch (view.screen) {
    case PadScreen::title:
      view.entry = title.entries[contestant];
      view.groups = title.groupBox.items;
      view.group = title.groupBox.text;
      break;
    case PadScreen::introduction:
      view.hostLine = game.screen<Introduction>().hostLine.text;
      break;
    case PadScreen::quiz:
      view.turn = quiz.turn;
      view.names = {quiz.playerNames[kFirstContestant].text,
                    quiz.playerNames[kSecondContestant].text};
      if (quiz.question.visible) view.question = quiz.question.text;
      for (AnswerSlot slot : kAnswerSlots)
        if (quiz.answerLine(slot).visible) view.answers[slot - kSlotA] = quiz.answerLine(slot).text;
      view.clock = quiz.countdownText();
      if (quiz.resultPanel.visible) view.result = quiz.resultPanel.text;
      view.scores = quiz.scores;
      view.lives = quiz.lives;
      break;
    case PadScreen::notice:
      view.hostLine = game.screen<Notice>().hostLine.text;
      break;
    case PadScreen::coinCall:
      view.hostLine = game.screen<CoinCall>().prompt.text;
      break;
    case PadScreen::tieBreak:
      view.hostLine = game.screen<TieBreak>().coinFace.text;
      break;
    case PadScreen::finale:
      view.hostLine = game.screen<Finale>().hostLine.text;
      break;
  }
  view.actions = actionsFor(game, contestant, view.screen, bothSeated);
  return view;
}

bool pressOnPad(Game& game, Contestant contestant, PadAction action, bool bothSeated) {
  const PadScreen screen = frontPadScreen(game);
  const std::vector<PadAction> allowed = actionsFor(game, contestant, screen, bothSeated);
  if (std::find(allowed.begin(), allowed.end(), action) == allowed.end()) return false;
  switch (action) {
    case PadAction::answerA:
      game.screen<QuizScreen>().onAnswer(kSlotA);
      break;
    case PadAction::answerB:
      game.screen<QuizScreen>().onAnswer(kSlotB);
      break;
    case PadAction::answerC:
      game.screen<QuizScreen>().onAnswer(kSlotC);
      break;
    case PadAction::continueQuiz:
      game.screen<QuizScreen>().onContinue();
      break;
    case PadAction::okNotice:
      game.screen<Notice>().onOk();
      break;
    case PadAction::tossCoin:
    case PadAction::killThePet:
      game.screen<TieBreak>().onTossPressed();
      break;
    case PadAction::callHeads:
      game.screen<CoinCall>().onHeads();
      break;
    case PadAction::callTails:
      game.screen<CoinCall>().onTails();
      break;
    case PadAction::kill:
    case PadAction::backToTitle:
      game.screen<Finale>().onKillPressed();
      break;
    case PadAction::play:
      game.screen<TitleScreen>().onPlay();
      break;
  }
  return true;
}

bool enterOnPad(Game& game, Contestant contestant, EntryField field, const std::string& value) {
  if (frontPadScreen(game) != PadScreen::title) return false;
  TitleScreen& title = game.screen<TitleScreen>();
  ContestantEntry& entry = title.entries[contestant];
  switch (field) {
    case EntryField::name:
    case EntryField::petName:
      if (!typableEntry(value)) return false;
      (field == EntryField::name ? entry.name : entry.petName) = value;
      return true;
    case EntryField::petType:
      if (value.size() != 1 || value[0] < '0' + kHamster || value[0] > '0' + kDog) return false;
      entry.petType = value[0] - '0';
      return true;
    case EntryField::answerTime:
      if (!inItems(entry.answerTime, value)) return false;
      entry.answerTime.text = value;
      return true;
    case EntryField::group:
      if (!inItems(title.groupBox, value)) return false;
      title.onGroupChanged(value);
      return true;
  }
  return false;
}

}  // namespace zndl
