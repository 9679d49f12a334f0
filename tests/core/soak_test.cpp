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
    add(20, [&] { g.quizScreen.onTick(); });
    if (g.introduction.speechTimer.ticking()) add(5, [&] { g.introduction.onTick(); });
    add(g.spinTicksLeft > 0 ? 40 : 2, [&] { g.tieBreak.onTick(); });
    // Only the front one of the full-size screens can be clicked; dialogs float above.
    const Screen* front = &g.titleScreen;
    for (const Screen* screen : std::initializer_list<const Screen*>{
             &g.quizScreen, &g.introduction, &g.notice, &g.finale, &g.tieBreak})
      if (screen->visible() && screen->frontOrder() > front->frontOrder()) front = screen;
    addTitleEvents(front == &g.titleScreen);
    if (front == &g.introduction) {
      add(2, [&] { g.introduction.onSkip(); });
      add(1, [&] { g.introduction.close(); });
    }
    if (front == &g.quizScreen) {
      if (g.quizScreen.continueButton.visible) add(10, [&] { g.quizScreen.onContinue(); });
      add(3, [&] { g.quizScreen.onAnswerA(); });
      add(3, [&] { g.quizScreen.onAnswerB(); });
      add(3, [&] { g.quizScreen.onAnswerC(); });
      add(1, [&] {
        g.quizScreen.onExit();
        ++games_;
      });
      add(1, [&] { g.quizScreen.close(); });
    }
    if (g.settingsDialog.visible()) {
      add(2, [&] {
        t_.picker.answers.push_back(r_.below(3) ? std::optional<std::string>("short")
                                                : std::nullopt);
        switch (r_.below(5)) {
          case 0:
            g.settingsDialog.onLoadBanter();
            break;
          case 1:
            g.settingsDialog.onLoadDescriptions();
            break;
          case 2:
            g.settingsDialog.onLoadJobs();
            break;
          case 3:
            g.settingsDialog.onLoadAfterJobs();
            break;
          default:
            g.settingsDialog.onLoadPrizes();
            break;
        }
      });
      add(2, [&] {
        g.settingsDialog.speechDelayText = std::to_string(r_.below(4000) - 100);
        g.settingsDialog.onOk();
      });
      add(2, [&] { g.settingsDialog.close(); });
    }
    if (front == &g.notice) {
      add(10, [&] { g.notice.onOk(); });
      add(1, [&] { g.notice.close(); });
    }
    if (front == &g.tieBreak) {
      if (g.tieBreak.tossButton.enabled)
        add(10, [&] {
          if (g.tieBreak.tossButton.caption == "TOSS THE COIN") ++tosses_;
          g.tieBreak.onTossPressed();
        });
      add(1, [&] { g.tieBreak.close(); });
    }
    if (g.coinCall.visible()) {
      add(5, [&] { g.coinCall.onHeads(); });
      add(5, [&] { g.coinCall.onTails(); });
    }
    if (front == &g.finale) {
      add(10, [&] {
        const bool back = g.finale.killButton.caption == "Back To Title";
        g.finale.onKillPressed();
        if (back) ++games_, ++finales_;
      });
      add(1, [&] { g.finale.close(); });
    }
    if (g.internetSites.visible()) {
      add(1, [&] { g.internetSites.onGameSiteClicked(); });
      add(1, [&] { g.internetSites.onCopyGameMail(); });
      add(1, [&] { g.internetSites.onHoverGameMail(); });
      add(1, [&] { g.internetSites.onHoverBackground(); });
      add(3, [&] { g.internetSites.onOk(); });
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
        {"quiz", &g.quizScreen}, {"intro", &g.introduction},    {"settings", &g.settingsDialog},
        {"notice", &g.notice},   {"finale", &g.finale},         {"tiebreak", &g.tieBreak},
        {"call", &g.coinCall},   {"internet", &g.internetSites}};
    for (const auto& [name, screen] : screens)
      if (screen->visible()) out += std::string(name) + " ";
    return out + "step " + std::to_string(g.questionStep) + " group " +
           g.titleScreen.groupBox.text + " times " + g.titleScreen.answerTime1.text + "/" +
           g.titleScreen.answerTime2.text;
  }

 private:
  void add(int weight, std::function<void()> event) {
    events_list_.emplace_back(weight, std::move(event));
  }

  void addTitleEvents(bool inFront) {
    Game& g = *t_;
    TitleScreen& title = g.titleScreen;
    if (!inFront) {
      // Edits behind the game's back, as the windows allow: the time box mid-game.
      add(1, [&] { title.answerTime1.text = r_.below(2) ? "abc" : "5"; });
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
      (r_.below(2) ? title.answerTime1 : title.answerTime2).text = times[r_.below(8)];
    });
    add(3, [&] {
      title.answerTime1.text = "5";
      title.answerTime2.text = r_.below(2) ? "10" : "15";
    });
    add(1, [&] { title.petType1 = r_.below(4); });
    add(1, [&] { title.name2 = r_.below(2) ? "" : "Bob"; });
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
    const QuizScreen& quiz = g.quizScreen;
    ASSERT_TRUE(g.titleScreen.visible()) << "the title screen is never hidden";
    ASSERT_FALSE(g.ended());
    for (int lives : {quiz.lives1, quiz.lives2}) {
      ASSERT_GE(lives, 0);
      ASSERT_LE(lives, 5);
    }
    for (const std::string& score : {quiz.score1, quiz.score2}) {
      const auto value = parseWholeNumber(score);
      ASSERT_TRUE(value && *value >= 0) << score;
    }
    const int steps[] = {0, 1, 2, 3, 4, 5, 101, 102, 103};
    ASSERT_NE(std::find(std::begin(steps), std::end(steps), g.questionStep), std::end(steps))
        << g.questionStep;
    ASSERT_TRUE(g.winner >= 0 && g.winner <= 2);
    ASSERT_TRUE(g.spinTicksLeft >= 0 && g.spinTicksLeft <= 50);
    ASSERT_TRUE(quiz.turn == 0 || quiz.turn == 1);
    ASSERT_TRUE(g.correctSlot >= 0 && g.correctSlot <= 3);
    if (g.finale.visible()) {
      ASSERT_TRUE(g.winner == 1 || g.winner == 2) << "the finale only ever has a winner";
      const int pets = g.finale.hamster.visible + g.finale.goldfish.visible +
                       g.finale.mouse.visible + g.finale.dog.visible;
      ASSERT_EQ(pets, 1) << "exactly the loser's pet stands on the stage";
    }
    if (g.spinTicksLeft > 0) {
      ASSERT_EQ(g.tieBreak.tossButton.caption, "KILL THE PET");
      ASSERT_FALSE(g.tieBreak.tossButton.enabled) << "no kill while the coin spins";
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
