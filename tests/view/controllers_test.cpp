// SPDX-License-Identifier: GPL-3.0-or-later
// Game controllers and quiz buzzers as the contestants' pads, through SDL's virtual
// joysticks: claiming a seat, whole games played with pads alone, a pad unplugged and
// plugged in again, what a pad may not press, the buzzers' lights and the quiz's legend.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <set>

#include "adapters/sdl_pads.h"
#include "fakes/app_probe.h"
#include "fakes/test_app.h"
#include "fakes/test_game.h"
#include "fakes/virtual_pads.h"
#include "finale/ui/finale_view.h"
#include "quiz/ui/quiz_view.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

using Pads = VirtualPads;

// Two questions, 1 + n? with the answer n + 1, and the marker that ends the game.
std::string group() {
  std::string out = "Sums\r\n";
  for (int n = 1; n <= 3; ++n)
    out += "[" + std::to_string(n) + "]\r\n1 + " + std::to_string(n) + "?\r\n" +
           std::to_string(n + 1) + "\r\n" + std::to_string(n + 2) + "\r\n" + std::to_string(n + 3) +
           "\r\n";
  return out;
}

// Saves the window as a picture when ZNDL_SHOTS names a folder.
void shoot(QWidget& view, const char* name) {
  const QString dir = qEnvironmentVariable("ZNDL_SHOTS");
  if (dir.isEmpty()) return;
  QDir().mkpath(dir);
  view.grab().save(dir + "/" + name + ".png");
}

// How many pixels of two pictures of the same size differ inside a box.
int differingPixels(const QImage& a, const QImage& b, QRect box) {
  int differing = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
  return differing;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::string text;
  std::getline(in, text);
  return text;
}

class Controllers : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Rover", "0", "3", "5", "10"));
    writeFile("sums.set", group());
    writeFile("prizes", "Prizes\r\na signed photo of Pembril\r\n");
    // The host's short script, which ends by itself.
    writeFile("banter", "Good evening!\r\n<NAMES>\r\n<END>\r\n");
    for (const char* list : {"describe", "jobs", "after.job"})
      writeFile(list, "first\r\nsecond\r\nthird\r\n");
    // A buzzer set's LEDs, as the kernel lists them under its HID device.
    lights = std::filesystem::absolute("leds");
    for (int handset = 1; handset <= 4; ++handset) {
      const auto led = lights / ("0003:054C:1000.0007::buzz" + std::to_string(handset));
      std::filesystem::create_directories(led);
      writeFile((led / "brightness").string(), "0\n");
    }
    t.start();
    // The test ticks the game itself, and reads the pads itself.
    AppProbe::timer<QuizScreen>(*t.app).stop();
    AppProbe::timer<Introduction>(*t.app).stop();
    AppProbe::timer<TieBreak>(*t.app).stop();
    SdlPadsOptions options;
    options.lightsFolder = [this](const std::string&) { return lights.string(); };
    std::string why;
    sdl = SdlPads::start(*t.app, options, &why);
    ASSERT_NE(sdl, nullptr) << why;
    pads = std::make_unique<Pads>(*sdl);
    // As the players would have on the title: the group chosen, the names typed in.
    run([&] {
      TitleScreen& title = game().screen<TitleScreen>();
      title.onGroupChanged("sums.set");
      title.entries[kFirstContestant].name = "Ann";
      title.entries[kSecondContestant].name = "Bob";
    });
  }
  void TearDown() override {
    pads.reset();
    sdl.reset();
    EXPECT_TRUE(t.errors.shown.empty()) << t.errors.shown.front();
  }

  Game& game() { return t.game(); }
  QuizScreen& quiz() { return game().screen<QuizScreen>(); }
  const Seats& seats() { return t.app->pads().seats(); }
  void run(const std::function<void()>& handler) { t.app->dispatch(handler); }

  // The windows on view, by the roles they give the window manager.
  std::set<std::string> shown() {
    std::set<std::string> out;
    for (ScreenView* view : AppProbe::views(*t.app))
      if (view->isVisible()) out.insert(view->objectName().toStdString());
    return out;
  }

  // The host introduces the contestants, line by line, until the quiz is on view.
  void throughIntroduction() {
    ASSERT_EQ(shown(), (std::set<std::string>{"title", "introduction"}));
    for (int i = 0; i < 100 && shown().count("introduction"); ++i)
      run([&] { game().screen<Introduction>().onTick(); });
    ASSERT_EQ(shown(), (std::set<std::string>{"title", "quiz"}));
  }
  // After CONTINUE: the question and its answers appear, and the clock runs.
  void reveal() {
    ASSERT_EQ(quiz().step, QuestionStep::revealQuestion) << "CONTINUE was not pressed";
    for (int i = 0; i < 4; ++i) run([&] { quiz().onTick(); });
    ASSERT_EQ(quiz().step, QuestionStep::countdown);
  }
  void judge() {
    for (int i = 0; i < 20 && quiz().step != QuestionStep::idle; ++i) run([&] { quiz().onTick(); });
    ASSERT_EQ(quiz().step, QuestionStep::idle);
  }
  int wrongSlot() { return quiz().correctSlot % 3 + 1; }
  static int padButton(int slot) {
    const int buttons[] = {Pads::kA, Pads::kB, Pads::kX};
    return buttons[slot - 1];
  }
  static BuzzerButton buzzerButton(int slot) {
    const BuzzerButton buttons[] = {BuzzerButton::blue, BuzzerButton::orange, BuzzerButton::green};
    return buttons[slot - 1];
  }
  std::string light(int handset) {
    return readFile(lights / ("0003:054C:1000.0007::buzz" + std::to_string(handset + 1)) /
                    "brightness");
  }

  TestApp t;
  std::filesystem::path lights;
  std::unique_ptr<SdlPads> sdl;
  std::unique_ptr<Pads> pads;
};

TEST_F(Controllers, TwoControllersPlayAWholeGameFromPlayToBackToTitle) {
  const int ann = pads->plugController();
  const int bob = pads->plugController();
  EXPECT_EQ(sdl->openDevices(), 2u);

  // The first press of each pad claims the first free seat, and does nothing else.
  pads->press(ann, Pads::kStart);
  EXPECT_EQ(seats().state(kFirstContestant), Seats::State::connected);
  EXPECT_EQ(seats().kind(kFirstContestant), PadKind::controller);
  EXPECT_FALSE(seats().taken(kSecondContestant));
  pads->press(ann, Pads::kStart);
  EXPECT_EQ(shown(), std::set<std::string>{"title"}) << "Play waits for both seats";
  pads->press(bob, Pads::kShoulder);
  EXPECT_EQ(seats().state(kSecondContestant), Seats::State::connected);
  EXPECT_EQ(shown(), std::set<std::string>{"title"});

  // Either pad's Start opens Play.
  pads->press(bob, Pads::kStart);
  throughIntroduction();

  // Ann: Y for CONTINUE, then her answer on the face buttons; Bob likewise, wrong.
  pads->press(ann, Pads::kY);
  reveal();
  pads->press(ann, padButton(quiz().correctSlot));
  judge();
  EXPECT_EQ(quiz().scores[kFirstContestant], 1);
  pads->press(bob, Pads::kY);
  reveal();
  pads->press(bob, padButton(wrongSlot()));
  judge();
  EXPECT_EQ(quiz().lives[kSecondContestant], 4);

  // The game is over with the next CONTINUE, Ann's; OK, Kill and Back To Title are the
  // winner's.
  pads->press(ann, Pads::kY);
  ASSERT_EQ(shown(), (std::set<std::string>{"title", "notice"}));
  EXPECT_EQ(game().winner, kPlayerOneWins);
  pads->press(bob, Pads::kY);
  EXPECT_EQ(shown(), (std::set<std::string>{"title", "notice"})) << "the loser cannot go on";
  pads->press(ann, Pads::kY);
  ASSERT_EQ(shown(), (std::set<std::string>{"title", "notice", "finale"}));
  pads->press(ann, Pads::kY);
  EXPECT_EQ(game().screen<Finale>().phase, Finale::Phase::backToTitle);
  EXPECT_TRUE(AppProbe::view<FinaleView>(*t.app)
                  .findChild<QWidget*>(QStringLiteral("fallenAnvil"))
                  ->isVisible());
  pads->press(ann, Pads::kY);
  EXPECT_EQ(shown(), std::set<std::string>{"title"});

  // The seats stay with the pads for the next game.
  EXPECT_EQ(seats().state(kFirstContestant), Seats::State::connected);
  EXPECT_EQ(seats().state(kSecondContestant), Seats::State::connected);
}

TEST_F(Controllers, ControllersCallTheCoinWithAAndBAndTossWithY) {
  const int ann = pads->plugController();
  const int bob = pads->plugController();
  pads->press(ann, Pads::kA);
  pads->press(bob, Pads::kA);
  pads->press(ann, Pads::kStart);
  throughIntroduction();
  for (int pad : {ann, bob}) {
    pads->press(pad, Pads::kY);
    reveal();
    pads->press(pad, padButton(quiz().correctSlot));
    judge();
  }
  pads->press(ann, Pads::kY);
  ASSERT_EQ(shown(), (std::set<std::string>{"title", "notice"}));
  EXPECT_EQ(game().winner, kNoWinner);
  // After a dead heat OK is player one's; Bob is drawn to call, and the coin lands on
  // Tails.
  t.random.script = {1, 1};
  pads->press(ann, Pads::kY);
  ASSERT_EQ(shown(), (std::set<std::string>{"title", "notice", "tieBreak", "coinCall"}));
  pads->press(ann, Pads::kB);
  EXPECT_TRUE(shown().count("coinCall")) << "the call is Bob's";
  pads->press(bob, Pads::kB);  // Tails
  ASSERT_EQ(shown(), (std::set<std::string>{"title", "notice", "tieBreak"}));
  pads->press(ann, Pads::kY);
  EXPECT_EQ(game().screen<TieBreak>().phase, TieBreak::Phase::toss) << "the toss is Bob's";
  pads->press(bob, Pads::kY);  // TOSS THE COIN
  for (int i = 0; i < TieBreak::kSpinTicks; ++i) run([&] { game().screen<TieBreak>().onTick(); });
  EXPECT_EQ(game().winner, kPlayerTwoWins) << "Bob called Tails and the coin showed Tails";
  pads->press(ann, Pads::kY);
  EXPECT_TRUE(shown().count("tieBreak")) << "KILL THE PET is the winner's";
  pads->press(bob, Pads::kY);  // KILL THE PET
  ASSERT_EQ(shown(), (std::set<std::string>{"title", "notice", "finale"}));
  pads->press(bob, Pads::kY);  // Kill
  pads->press(bob, Pads::kY);  // Back To Title
  EXPECT_EQ(shown(), std::set<std::string>{"title"});
}

TEST_F(Controllers, ABuzzerSetPlaysAWholeGameHandsetByHandsetWithTheAnswerersLightOn) {
  const int set = pads->plugBuzzerSet();
  EXPECT_EQ(sdl->openDevices(), 1u);
  // Handset one takes player one's seat, handset three player two's; red goes, and on
  // the title also presses Play.
  pads->pressBuzzer(set, 0, BuzzerButton::yellow);
  pads->pressBuzzer(set, 2, BuzzerButton::red);
  EXPECT_TRUE(seats().bothTaken());
  EXPECT_EQ(shown(), std::set<std::string>{"title"}) << "claiming presses nothing";
  pads->pressBuzzer(set, 1, BuzzerButton::red);
  EXPECT_EQ(shown(), std::set<std::string>{"title"}) << "handset two holds no seat";
  pads->pressBuzzer(set, 2, BuzzerButton::red);
  throughIntroduction();

  // Blue, orange and green answer A, B and C; the answerer's handset lights while the
  // clock runs for them.
  pads->pressBuzzer(set, 0, BuzzerButton::red);
  for (int handset = 0; handset < 4; ++handset) EXPECT_EQ(light(handset), "0");
  reveal();
  EXPECT_EQ(light(0), "1");
  EXPECT_EQ(light(2), "0");
  pads->pressBuzzer(set, 0, buzzerButton(wrongSlot()));
  judge();
  EXPECT_EQ(light(0), "0");
  EXPECT_EQ(quiz().lives[kFirstContestant], 4);
  pads->pressBuzzer(set, 2, BuzzerButton::red);
  reveal();
  EXPECT_EQ(light(0), "0");
  EXPECT_EQ(light(2), "1");
  pads->pressBuzzer(set, 2, BuzzerButton::yellow);
  EXPECT_EQ(quiz().step, QuestionStep::countdown) << "yellow answers nothing";
  pads->pressBuzzer(set, 2, buzzerButton(quiz().correctSlot));
  judge();
  EXPECT_EQ(light(2), "0");
  EXPECT_EQ(quiz().scores[kSecondContestant], 1);

  pads->pressBuzzer(set, 0, BuzzerButton::red);
  ASSERT_EQ(shown(), (std::set<std::string>{"title", "notice"}));
  EXPECT_EQ(game().winner, kPlayerTwoWins);
  pads->pressBuzzer(set, 2, BuzzerButton::red);  // OK
  pads->pressBuzzer(set, 2, BuzzerButton::red);  // Kill
  pads->pressBuzzer(set, 2, BuzzerButton::red);  // Back To Title
  EXPECT_EQ(shown(), std::set<std::string>{"title"});
}

TEST_F(Controllers, BuzzersCallTheCoinWithBlueAndOrange) {
  const int set = pads->plugBuzzerSet(0x0002);
  pads->pressBuzzer(set, 3, BuzzerButton::red);
  pads->pressBuzzer(set, 1, BuzzerButton::red);
  pads->pressBuzzer(set, 3, BuzzerButton::red);
  throughIntroduction();
  for (int handset : {3, 1}) {
    pads->pressBuzzer(set, handset, BuzzerButton::red);
    reveal();
    pads->pressBuzzer(set, handset, buzzerButton(wrongSlot()));
    judge();
  }
  pads->pressBuzzer(set, 3, BuzzerButton::red);
  t.random.script = {0, 0};  // Handset four's contestant calls; the coin shows Heads.
  pads->pressBuzzer(set, 3, BuzzerButton::red);
  ASSERT_TRUE(shown().count("coinCall"));
  pads->pressBuzzer(set, 3, BuzzerButton::blue);  // Heads
  ASSERT_EQ(shown(), (std::set<std::string>{"title", "notice", "tieBreak"}));
  pads->pressBuzzer(set, 3, BuzzerButton::red);
  for (int i = 0; i < TieBreak::kSpinTicks; ++i) run([&] { game().screen<TieBreak>().onTick(); });
  EXPECT_EQ(game().winner, kPlayerOneWins);
  for (int i = 0; i < 3; ++i) pads->pressBuzzer(set, 3, BuzzerButton::red);
  EXPECT_EQ(shown(), std::set<std::string>{"title"});
}

TEST_F(Controllers, APadUnpluggedMidQuestionKeepsItsSeatAndGetsItBackPluggedInAgain) {
  int ann = pads->plugController();
  const int bob = pads->plugController("Another Pad");
  pads->press(ann, Pads::kA);
  pads->press(bob, Pads::kA);
  pads->press(bob, Pads::kStart);
  throughIntroduction();
  pads->press(ann, Pads::kY);
  reveal();

  pads->unplug(ann);
  EXPECT_EQ(sdl->openDevices(), 1u);
  EXPECT_EQ(seats().state(kFirstContestant), Seats::State::reconnecting);
  EXPECT_EQ(seats().kind(kFirstContestant), PadKind::controller);
  pads->press(bob, padButton(quiz().correctSlot));
  EXPECT_EQ(quiz().step, QuestionStep::countdown) << "Bob cannot answer for Ann";
  // The same pad again (the same GUID): its seat is back without a press.
  ann = pads->plugController();
  EXPECT_EQ(seats().state(kFirstContestant), Seats::State::connected);
  EXPECT_EQ(seats().state(kSecondContestant), Seats::State::connected);
  pads->press(ann, padButton(quiz().correctSlot));
  judge();
  EXPECT_EQ(quiz().scores[kFirstContestant], 1);

  // A buzzer set unplugged keeps its handsets' seats too.
  pads->unplug(ann);
  pads->unplug(bob);
  const int set = pads->plugBuzzerSet();
  pads->pressBuzzer(set, 0, BuzzerButton::red);
  EXPECT_EQ(seats().state(kFirstContestant), Seats::State::reconnecting)
      << "a buzzer is not the pad that held the seat";
  EXPECT_EQ(seats().state(kSecondContestant), Seats::State::reconnecting);
}

TEST_F(Controllers, IdenticalPadsGetTheirSeatsBackInTheOrderOfTheSeats) {
  const int first = pads->plugController();
  const int second = pads->plugController();
  pads->press(second, Pads::kA);  // player one
  pads->press(first, Pads::kA);   // player two
  pads->unplug(first);
  pads->unplug(second);
  EXPECT_EQ(seats().state(kFirstContestant), Seats::State::reconnecting);
  EXPECT_EQ(seats().state(kSecondContestant), Seats::State::reconnecting);

  const int again = pads->plugController();
  EXPECT_EQ(seats().state(kFirstContestant), Seats::State::connected);
  EXPECT_EQ(seats().state(kSecondContestant), Seats::State::reconnecting);
  pads->plugController();
  EXPECT_EQ(seats().state(kSecondContestant), Seats::State::connected);

  // Once the PC frees a seat, the pad that held it has to claim one again.
  pads->unplug(again);
  t.app->pads().free(kFirstContestant);
  const int back = pads->plugController();
  EXPECT_FALSE(seats().taken(kFirstContestant)) << "the freed seat is nobody's";
  pads->press(back, Pads::kB);
  EXPECT_EQ(seats().state(kFirstContestant), Seats::State::connected);
}

TEST_F(Controllers, APadPressesOnlyWhatItsOwnContestantMay) {
  const int ann = pads->plugController();
  const int bob = pads->plugController();
  const int set = pads->plugBuzzerSet();
  pads->press(ann, Pads::kA);
  pads->pressBuzzer(set, 1, BuzzerButton::red);
  pads->press(bob, Pads::kA);
  pads->press(bob, Pads::kStart);
  EXPECT_EQ(shown(), std::set<std::string>{"title"}) << "the third pad holds no seat";
  pads->press(ann, Pads::kStart);
  throughIntroduction();

  // Ann's turn: CONTINUE and the answers are hers alone, whoever else presses.
  pads->pressBuzzer(set, 1, BuzzerButton::red);
  pads->press(bob, Pads::kY);
  EXPECT_EQ(quiz().step, QuestionStep::idle);
  pads->press(ann, Pads::kA);
  EXPECT_EQ(quiz().step, QuestionStep::idle) << "no answer before the question";
  pads->press(ann, Pads::kY);
  reveal();
  for (BuzzerButton b : {BuzzerButton::blue, BuzzerButton::orange, BuzzerButton::green})
    pads->pressBuzzer(set, 1, b);
  for (int b : {Pads::kA, Pads::kB, Pads::kX}) pads->press(bob, b);
  EXPECT_EQ(quiz().step, QuestionStep::countdown);
  pads->press(ann, Pads::kY);
  pads->press(ann, Pads::kStart);
  EXPECT_EQ(quiz().step, QuestionStep::countdown) << "only the answer buttons answer";
  pads->press(ann, Pads::kX);
  EXPECT_NE(quiz().step, QuestionStep::countdown);
  judge();
  EXPECT_EQ(quiz().turn, kSecondContestant);
  pads->press(ann, Pads::kY);
  EXPECT_EQ(quiz().step, QuestionStep::idle) << "the next CONTINUE is player two's";
}

TEST_F(Controllers, OnlyPadsSdlCanReadTakeSeats) {
  EXPECT_EQ(sdl->pollInterval(), SdlPads::kIdlePollMs);
  const int stick = pads->plugJoystick();
  const int odd = pads->plugBuzzerSet(0x1000, 19);
  EXPECT_EQ(sdl->openDevices(), 0u);
  EXPECT_EQ(sdl->pollInterval(), SdlPads::kIdlePollMs);
  pads->press(stick, Pads::kA);
  pads->press(odd, 0);
  EXPECT_FALSE(seats().taken(kFirstContestant));
  const int pad = pads->plugController();
  EXPECT_EQ(sdl->pollInterval(), SdlPads::kPollMs) << "a pad is read often";
  pads->unplug(pad);
  EXPECT_EQ(sdl->pollInterval(), SdlPads::kIdlePollMs);
}

TEST_F(Controllers, TheTimerReadsThePadsOnItsOwn) {
  const int ann = pads->plugController();
  // Pressed and held, with nobody but the timer reading SDL.
  pads->hold(ann, Pads::kA, true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return seats().taken(kFirstContestant); }, 3000));
  pads->hold(ann, Pads::kA, false);
}

TEST_F(Controllers, TheQuizShowsWhichButtonsAnswerOnlyWhileAControllerHoldsASeat) {
  t.app->setPresentation(Presentation{1, false, false});
  QuizView& view = AppProbe::view<QuizView>(*t.app);
  auto* legend = view.findChild<QWidget*>(QStringLiteral("controllerLegend"));
  ASSERT_NE(legend, nullptr);
  const auto shows = [&](const char* name) {
    auto* label = view.findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << name;
    return label != nullptr && label->isVisibleTo(&view);
  };
  PadHub& hub = t.app->pads();
  EXPECT_FALSE(legend->isVisibleTo(&view));
  // A phone answers on its own screen: no legend for it.
  hub.join(PadKind::phone, hub.newConnection(), "", "phone-token");
  EXPECT_FALSE(legend->isVisibleTo(&view));

  const int pad = pads->plugController();
  const int set = pads->plugBuzzerSet();
  EXPECT_FALSE(legend->isVisibleTo(&view)) << "a pad plugged in holds no seat yet";
  pads->press(pad, Pads::kA);
  ASSERT_TRUE(legend->isVisibleTo(&view));
  EXPECT_TRUE(shows("padFaceA") && shows("padFaceB") && shows("padFaceC"));
  EXPECT_FALSE(shows("buzzerFaceA"));
  EXPECT_TRUE(shows("legendAnswerC"));
  EXPECT_EQ(view.findChild<QLabel*>(QStringLiteral("padFaceC"))->text(), "X");
  EXPECT_EQ(legend->geometry(), QRect(560, 392, 75, 54));

  // Play, and the question on view with the clock running, as the players see it.
  pads->press(pad, Pads::kStart);  // both seats are held, one by a phone
  throughIntroduction();
  run([&] { quiz().onContinue(); });
  reveal();
  const QImage withPad = view.grab().toImage();
  shoot(view, "quiz-legend-controller");

  // The phone's seat goes to a buzzer handset: both kinds in the legend.
  hub.free(kFirstContestant);
  pads->pressBuzzer(set, 2, BuzzerButton::red);
  EXPECT_TRUE(shows("padFaceA") && shows("buzzerFaceA"));
  EXPECT_LT(view.findChild<QLabel*>(QStringLiteral("padFaceA"))->x(),
            view.findChild<QLabel*>(QStringLiteral("buzzerFaceA"))->x())
      << "the pad's faces, then the buzzer's colours";
  shoot(view, "quiz-legend-both");
  hub.free(kSecondContestant);
  EXPECT_TRUE(shows("buzzerFaceB"));
  EXPECT_FALSE(shows("padFaceB"));
  shoot(view, "quiz-legend-buzzer");

  hub.free(kFirstContestant);
  EXPECT_FALSE(legend->isVisibleTo(&view)) << "no controller holds a seat";
  const QImage without = view.grab().toImage();
  shoot(view, "quiz-without-legend");
  // The legend covers the studio picture only where it stands.
  EXPECT_GT(differingPixels(withPad, without, QRect(560, 392, 75, 54)), 1000);
  EXPECT_EQ(differingPixels(withPad, without, QRect(400, 250, 240, 140)), 0);
  EXPECT_EQ(differingPixels(withPad, without, QRect(0, 390, 555, 90)), 0);

  // Twice the size: the legend keeps its place on the stage, drawn twice as big.
  pads->pressBuzzer(set, 0, BuzzerButton::red);
  t.app->setPresentation(Presentation{2, false, false});
  ASSERT_TRUE(legend->isVisibleTo(&view));
  EXPECT_EQ(legend->geometry(), QRect(1120, 784, 150, 108));
  EXPECT_EQ(view.findChild<QLabel*>(QStringLiteral("buzzerFaceB"))->size(), QSize(28, 28));
  EXPECT_EQ(view.findChild<QLabel*>(QStringLiteral("legendAnswerA"))->font().pixelSize(), 28);
  shoot(view, "quiz-legend-buzzer-x2");
}

TEST(ControllerStart, ASdlThatCannotBeLoadedSaysWhy) {
  std::string why;
  EXPECT_EQ(sdl::load("libSDL2-zandoodle-missing.so.0", &why), nullptr);
  EXPECT_NE(why.find("libSDL2-zandoodle-missing.so.0"), std::string::npos) << why;
}

}  // namespace
