// Plays many whole games through the screens' own handlers with random but legal
// events (only what a player could press on the screens that are showing, plus the
// ticks of every timer), over random valid and malformed groups, and checks the
// game's invariants after every event. ZNDL_SOAK_GAMES sets the number of games.
#include <gtest/gtest.h>

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
    add(20, [&] { g.PlayBox.Timer1Timer(); });
    if (g.ChatBox.Timer1.ticking()) add(5, [&] { g.ChatBox.Timer1Timer(); });
    add(g.CoinCount > 0 ? 40 : 2, [&] { g.TieBreakBox.Timer1Timer(); });
    // Only the front one of the full-size screens can be clicked; dialogs float above.
    const Screen* front = &g.ZNDLbox1;
    for (const Screen* screen : std::initializer_list<const Screen*>{
             &g.PlayBox, &g.ChatBox, &g.EndGameBox, &g.AnvilBox, &g.TieBreakBox})
      if (screen->visible() && screen->frontOrder() > front->frontOrder()) front = screen;
    addTitleEvents(front == &g.ZNDLbox1);
    if (front == &g.ChatBox) {
      add(2, [&] { g.ChatBox.Button1Click(); });
      add(1, [&] { g.ChatBox.close(); });
    }
    if (front == &g.PlayBox) {
      if (g.PlayBox.Button2.visible) add(10, [&] { g.PlayBox.Button2Click(); });
      add(3, [&] { g.PlayBox.AClick(); });
      add(3, [&] { g.PlayBox.BClick(); });
      add(3, [&] { g.PlayBox.CClick(); });
      add(1, [&] {
        g.PlayBox.Button1Click();
        ++games_;
      });
      add(1, [&] { g.PlayBox.close(); });
    }
    if (g.Form1.visible()) {
      add(2, [&] {
        t_.picker.answers.push_back(r_.below(3) ? std::optional<std::string>("short")
                                                : std::nullopt);
        switch (r_.below(5)) {
          case 0:
            g.Form1.LNBClick();
            break;
          case 1:
            g.Form1.LNDClick();
            break;
          case 2:
            g.Form1.LNJClick();
            break;
          case 3:
            g.Form1.LNAJClick();
            break;
          default:
            g.Form1.Button1Click();
            break;
        }
      });
      add(2, [&] {
        g.Form1.SpinEdit1 = std::to_string(r_.below(4000) - 100);
        g.Form1.OKClick();
      });
      add(2, [&] { g.Form1.close(); });
    }
    if (front == &g.EndGameBox) {
      add(10, [&] { g.EndGameBox.Button1Click(); });
      add(1, [&] { g.EndGameBox.close(); });
    }
    if (front == &g.TieBreakBox) {
      if (g.TieBreakBox.Button1.enabled)
        add(10, [&] {
          if (g.TieBreakBox.Button1.caption == "TOSS THE COIN") ++tosses_;
          g.TieBreakBox.Button1Click();
        });
      add(1, [&] { g.TieBreakBox.close(); });
    }
    if (g.Form4.visible()) {
      add(5, [&] { g.Form4.Button1Click(); });
      add(5, [&] { g.Form4.Button2Click(); });
    }
    if (front == &g.AnvilBox) {
      add(10, [&] {
        const bool back = g.AnvilBox.Kill.caption == "Back To Title";
        g.AnvilBox.KillClick();
        if (back) ++games_, ++finales_;
      });
      add(1, [&] { g.AnvilBox.close(); });
    }
    if (g.Form3.visible()) {
      add(1, [&] { g.Form3.Label1Click(); });
      add(1, [&] { g.Form3.SpeedButton3Click(); });
      add(1, [&] { g.Form3.Label2MouseMove(); });
      add(1, [&] { g.Form3.FormMouseMove(); });
      add(3, [&] { g.Form3.Button1Click(); });
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
        {"quiz", &g.PlayBox},      {"intro", &g.ChatBox},   {"settings", &g.Form1},
        {"notice", &g.EndGameBox}, {"finale", &g.AnvilBox}, {"tiebreak", &g.TieBreakBox},
        {"call", &g.Form4},        {"internet", &g.Form3}};
    for (const auto& [name, screen] : screens)
      if (screen->visible()) out += std::string(name) + " ";
    return out + "step " + std::to_string(g.QuestionStep) + " group " + g.ZNDLbox1.ComboBox1.text +
           " times " + g.ZNDLbox1.P1Time.text + "/" + g.ZNDLbox1.P2Time.text;
  }

 private:
  void add(int weight, std::function<void()> event) {
    events_list_.emplace_back(weight, std::move(event));
  }

  void addTitleEvents(bool inFront) {
    Game& g = *t_;
    TZNDLbox1& title = g.ZNDLbox1;
    if (!inFront) {
      // Edits behind the game's back, as the windows allow: the time box mid-game.
      add(1, [&] { title.P1Time.text = r_.below(2) ? "abc" : "5"; });
      return;
    }
    add(10, [&] { title.PlayButClick(); });
    add(2, [&] {
      const int pick = r_.below(8);
      title.ComboBox1Change(pick < 6 ? "g" + std::to_string(pick) + ".set"
                                     : (pick == 6 ? "missing.set" : ""));
    });
    add(1, [&] {
      const char* times[] = {"5", "10", "15", "20", "", " 15", "abc", "-3"};
      (r_.below(2) ? title.P1Time : title.P2Time).text = times[r_.below(8)];
    });
    add(3, [&] {
      title.P1Time.text = "5";
      title.P2Time.text = r_.below(2) ? "10" : "15";
    });
    add(1, [&] { title.PetType1 = r_.below(4); });
    add(1, [&] { title.Name2 = r_.below(2) ? "" : "Bob"; });
    add(1, [&] { title.Button2Click(); });
    if (title.Button1.visible) add(1, [&] { title.Button1Click(); });
    if (title.Panel1Visible) {
      add(1, [&] { title.Button3Click(); });
      add(1, [&] { title.Button5Click(); });
    }
    add(1, [&] { title.Button6Click(); });
  }

  void check() {
    Game& g = *t_;
    const TPlayBox& quiz = g.PlayBox;
    ASSERT_TRUE(g.ZNDLbox1.visible()) << "the title screen is never hidden";
    ASSERT_FALSE(g.ended());
    for (int lives : {quiz.Lives1, quiz.Lives2}) {
      ASSERT_GE(lives, 0);
      ASSERT_LE(lives, 5);
    }
    for (const std::string& score : {quiz.Score1, quiz.Score2}) {
      const auto value = parseWholeNumber(score);
      ASSERT_TRUE(value && *value >= 0) << score;
    }
    const int steps[] = {0, 1, 2, 3, 4, 5, 101, 102, 103};
    ASSERT_NE(std::find(std::begin(steps), std::end(steps), g.QuestionStep), std::end(steps))
        << g.QuestionStep;
    ASSERT_TRUE(g.Winner >= 0 && g.Winner <= 2);
    ASSERT_TRUE(g.CoinCount >= 0 && g.CoinCount <= 50);
    ASSERT_TRUE(quiz.TrackBar1 == 0 || quiz.TrackBar1 == 1);
    ASSERT_TRUE(g.CorrectSlot >= 0 && g.CorrectSlot <= 3);
    if (g.AnvilBox.visible()) {
      ASSERT_TRUE(g.Winner == 1 || g.Winner == 2) << "the finale only ever has a winner";
      const int pets = g.AnvilBox.Hamster.visible + g.AnvilBox.Goldfish.visible +
                       g.AnvilBox.Mouse.visible + g.AnvilBox.Dog.visible;
      ASSERT_EQ(pets, 1) << "exactly the loser's pet stands on the stage";
    }
    if (g.CoinCount > 0) {
      ASSERT_EQ(g.TieBreakBox.Button1.caption, "KILL THE PET");
      ASSERT_FALSE(g.TieBreakBox.Button1.enabled) << "no kill while the coin spins";
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
