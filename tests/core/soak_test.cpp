// SPDX-License-Identifier: GPL-3.0-or-later
// Plays many whole games through the screens' own handlers with random but legal
// events (only what a player could press on the screens that are showing, plus the
// ticks of every timer), over random valid and malformed groups, and checks the
// game's invariants after every event. ZNDL_SOAK_GAMES sets the number of games.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "fakes/random_groups.h"
#include "fakes/test_game.h"
#include "platform/numbers.h"
#include "platform/random.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

int soakGames() {
  const char* n = std::getenv("ZNDL_SOAK_GAMES");
  const auto parsed = n ? parseWholeNumber(n) : std::nullopt;
  return parsed && *parsed > 0 ? static_cast<int>(*parsed) : 300;
}

class Soak {
 public:
  explicit Soak(std::uint64_t seed) : r_(seed) {
    for (int i = 0; i < 6; ++i) writeFile("g" + std::to_string(i) + ".set", randomGroup(r_));
    writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "5", "10"));
    writeFile("prizes", "Prizes\r\nA kettle\r\nA hat\r\n");
    writeFile("short", "<NAMES>\r\n<PETS>\r\n<END>\r\n");
    t_->start();
  }

  int gamesFinished() const { return games_; }
  int finales() const { return finales_; }
  int tosses() const { return tosses_; }

  // One event a player or a timer could cause now.
  void step() {
    events_list_.clear();
    Game& g = *t_;
    // Weights keep the games moving: ticks and the buttons that lead on are common,
    // the ways out of a game rare.
    add(20, [&] { g.screen<QuizScreen>().onTick(); });
    if (g.screen<Introduction>().tickTimer.ticking())
      add(5, [&] { g.screen<Introduction>().onTick(); });
    add(g.screen<TieBreak>().spinTicksLeft > 0 ? 40 : 2, [&] { g.screen<TieBreak>().onTick(); });
    // Only the front one of the full-size screens can be clicked; dialogs float above.
    const Screen* front = &g.screen<TitleScreen>();
    for (const Screen* screen : std::initializer_list<const Screen*>{
             &g.screen<QuizScreen>(), &g.screen<Introduction>(), &g.screen<Notice>(),
             &g.screen<Finale>(), &g.screen<TieBreak>()})
      if (screen->visible() && screen->frontOrder() > front->frontOrder()) front = screen;
    addTitleEvents(front == &g.screen<TitleScreen>());
    if (front == &g.screen<Introduction>()) {
      add(2, [&] { g.screen<Introduction>().onSkip(); });
      add(1, [&] { g.screen<Introduction>().close(); });
    }
    if (front == &g.screen<QuizScreen>()) {
      if (g.screen<QuizScreen>().continueButton.visible)
        add(10, [&] { g.screen<QuizScreen>().onContinue(); });
      add(3, [&] { g.screen<QuizScreen>().onAnswer(kSlotA); });
      add(3, [&] { g.screen<QuizScreen>().onAnswer(kSlotB); });
      add(3, [&] { g.screen<QuizScreen>().onAnswer(kSlotC); });
      add(1, [&] {
        g.screen<QuizScreen>().onExit();
        ++games_;
      });
      add(1, [&] { g.screen<QuizScreen>().close(); });
    }
    if (g.screen<SettingsDialog>().visible()) {
      add(2, [&] {
        t_.picker.answers.push_back(r_.below(3) ? std::optional<std::string>("short")
                                                : std::nullopt);
        switch (r_.below(5)) {
          case 0:
            g.screen<SettingsDialog>().onLoadBanter();
            break;
          case 1:
            g.screen<SettingsDialog>().onLoadDescriptions();
            break;
          case 2:
            g.screen<SettingsDialog>().onLoadJobs();
            break;
          case 3:
            g.screen<SettingsDialog>().onLoadAfterJobs();
            break;
          default:
            g.screen<SettingsDialog>().onLoadPrizes();
            break;
        }
      });
      add(2, [&] {
        g.screen<SettingsDialog>().speechDelayText = std::to_string(r_.below(4000) - 100);
        g.screen<SettingsDialog>().onOk();
      });
      add(2, [&] { g.screen<SettingsDialog>().close(); });
    }
    if (front == &g.screen<Notice>()) {
      add(10, [&] { g.screen<Notice>().onOk(); });
      add(1, [&] { g.screen<Notice>().close(); });
    }
    if (front == &g.screen<TieBreak>()) {
      if (g.screen<TieBreak>().tossButton().enabled)
        add(10, [&] {
          if (g.screen<TieBreak>().tossButton().caption == "TOSS THE COIN") ++tosses_;
          g.screen<TieBreak>().onTossPressed();
        });
      add(1, [&] { g.screen<TieBreak>().close(); });
    }
    if (g.screen<CoinCall>().visible()) {
      add(5, [&] { g.screen<CoinCall>().onHeads(); });
      add(5, [&] { g.screen<CoinCall>().onTails(); });
    }
    if (front == &g.screen<Finale>()) {
      add(10, [&] {
        const bool back = g.screen<Finale>().killButton().caption == "Back To Title";
        g.screen<Finale>().onKillPressed();
        if (back) ++games_, ++finales_;
      });
      add(1, [&] { g.screen<Finale>().close(); });
    }
    if (g.screen<InternetSites>().visible()) {
      add(1, [&] { g.screen<InternetSites>().onGameSiteClicked(); });
      add(1, [&] { g.screen<InternetSites>().onCopyGameMail(); });
      add(1, [&] { g.screen<InternetSites>().onHoverGameMail(); });
      add(1, [&] { g.screen<InternetSites>().onHoverBackground(); });
      add(3, [&] { g.screen<InternetSites>().onOk(); });
    }
    int total = 0;
    for (const auto& [weight, event] : events_list_) total += weight;
    int pick = r_.below(total);
    for (const auto& [weight, event] : events_list_) {
      if (pick < weight) {
        t_.run(event);  // anything but the game's own error escapes and fails the test
        break;
      }
      pick -= weight;
    }
    ++events_;
    check();
  }

  long events() const { return events_; }

  // Which screens show, for a report when a run gets nowhere.
  std::string where() {
    Game& g = *t_;
    std::string out;
    const std::pair<const char*, const Screen*> screens[] = {
        {"quiz", &g.screen<QuizScreen>()},         {"intro", &g.screen<Introduction>()},
        {"settings", &g.screen<SettingsDialog>()}, {"notice", &g.screen<Notice>()},
        {"finale", &g.screen<Finale>()},           {"tiebreak", &g.screen<TieBreak>()},
        {"call", &g.screen<CoinCall>()},           {"internet", &g.screen<InternetSites>()}};
    for (const auto& [name, screen] : screens)
      if (screen->visible()) out += std::string(name) + " ";
    return out + "step " + std::to_string(static_cast<int>(g.screen<QuizScreen>().step)) +
           " group " + g.screen<TitleScreen>().groupBox.text + " times " +
           g.screen<TitleScreen>().entries[kFirstContestant].answerTime.text + "/" +
           g.screen<TitleScreen>().entries[kSecondContestant].answerTime.text;
  }

 private:
  void add(int weight, std::function<void()> event) {
    events_list_.emplace_back(weight, std::move(event));
  }

  void addTitleEvents(bool inFront) {
    Game& g = *t_;
    TitleScreen& title = g.screen<TitleScreen>();
    if (!inFront) {
      // Edits behind the game's back, as the windows allow: the time box mid-game.
      add(1, [&] { title.entries[kFirstContestant].answerTime.text = r_.below(2) ? "abc" : "5"; });
      return;
    }
    add(10, [&] { title.onPlay(); });
    add(2, [&] {
      const int pick = r_.below(8);
      title.onGroupChanged(pick < 6 ? "g" + std::to_string(pick) + ".set"
                                    : (pick == 6 ? "missing.set" : ""));
    });
    add(1, [&] {
      const char* times[] = {"5", "10", "15", "20", "", " 15", "abc", "-3"};
      (r_.below(2) ? title.entries[kFirstContestant].answerTime
                   : title.entries[kSecondContestant].answerTime)
          .text = times[r_.below(8)];
    });
    add(3, [&] {
      title.entries[kFirstContestant].answerTime.text = "5";
      title.entries[kSecondContestant].answerTime.text = r_.below(2) ? "10" : "15";
    });
    add(1, [&] { title.entries[kFirstContestant].petType = r_.below(4); });
    add(1, [&] { title.entries[kSecondContestant].name = r_.below(2) ? "" : "Bob"; });
    add(1, [&] { title.onCloseSetup(); });
    if (title.settingsButton.visible) add(1, [&] { title.onOpenSetup(); });
    if (title.setupPanelVisible) {
      add(1, [&] { title.onMore(); });
      add(1, [&] { title.onRefresh(); });
    }
    add(1, [&] { title.onInternet(); });
  }

  void check() {
    Game& g = *t_;
    const QuizScreen& quiz = g.screen<QuizScreen>();
    ASSERT_TRUE(g.screen<TitleScreen>().visible()) << "the title screen is never hidden";
    ASSERT_FALSE(g.ended());
    for (int lives : {quiz.lives[kFirstContestant], quiz.lives[kSecondContestant]}) {
      ASSERT_GE(lives, 0);
      ASSERT_LE(lives, 5);
    }
    for (int score : quiz.scores) ASSERT_GE(score, 0);
    const int step = static_cast<int>(quiz.step);
    ASSERT_TRUE(step >= static_cast<int>(QuestionStep::idle) &&
                step <= static_cast<int>(QuestionStep::timeUp))
        << step;
    ASSERT_TRUE(g.winner >= 0 && g.winner <= 2);
    ASSERT_TRUE(g.screen<TieBreak>().spinTicksLeft >= 0 &&
                g.screen<TieBreak>().spinTicksLeft <= 50);
    ASSERT_TRUE(quiz.turn == 0 || quiz.turn == 1);
    ASSERT_TRUE(g.screen<QuizScreen>().correctSlot >= 0 && g.screen<QuizScreen>().correctSlot <= 3);
    if (g.screen<Finale>().visible()) {
      ASSERT_TRUE(g.winner == 1 || g.winner == 2) << "the finale only ever has a winner";
      const int pets = g.screen<Finale>().hamster.visible + g.screen<Finale>().goldfish.visible +
                       g.screen<Finale>().mouse.visible + g.screen<Finale>().dog.visible;
      ASSERT_EQ(pets, 1) << "exactly the loser's pet stands on the stage";
    }
    if (g.screen<TieBreak>().spinTicksLeft > 0) {
      ASSERT_EQ(g.screen<TieBreak>().tossButton().caption, "KILL THE PET");
      ASSERT_FALSE(g.screen<TieBreak>().tossButton().enabled) << "no kill while the coin spins";
    }
    for (const std::string& shown : t_.errors.shown) {
      ASSERT_TRUE(shown.rfind("Cannot open file ", 0) == 0) << shown;
      ASSERT_EQ(shown.back(), '.');
    }
    t_.errors.shown.clear();
  }

  TestGame t_;
  ClockRandom r_;
  std::vector<std::pair<int, std::function<void()>>> events_list_;
  int games_ = 0;
  int finales_ = 0;
  int tosses_ = 0;
  long events_ = 0;
};

}  // namespace

TEST(Soak, ManyRandomGamesKeepEveryInvariant) {
  const int wanted = soakGames();
  int finished = 0, finales = 0, tosses = 0;
  long events = 0;
  // Several independent runs, each with its own groups and seed.
  for (std::uint64_t seed = 1; finished < wanted; ++seed) {
    Soak soak(seed);
    const long limit = 2000L * std::min(wanted - finished, 500) + 20000;
    while (soak.gamesFinished() < std::min(wanted - finished, 500) && soak.events() < limit) {
      soak.step();
      if (::testing::Test::HasFatalFailure()) {
        ADD_FAILURE() << "seed " << seed << " event " << soak.events();
        return;
      }
    }
    ASSERT_GT(soak.gamesFinished(), 0) << "seed " << seed << " made no progress: " << soak.where();
    finished += soak.gamesFinished();
    finales += soak.finales();
    tosses += soak.tosses();
    events += soak.events();
  }
  std::printf("soak: %d games (%d to the prize, %d coin tosses) in %ld events\n", finished, finales,
              tosses, events);
  EXPECT_GE(finished, wanted);
  EXPECT_GT(finales, finished / 10) << "the games reach the finale";
  EXPECT_GT(tosses, 0) << "some games go to the coin";
}
