// SPDX-License-Identifier: GPL-3.0-or-later
// The join panel over the title, as the phones' server fills it: the code and address to
// join at, who holds each seat, and the PC's buttons to free a seat and show the next
// address.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "adapters/qr_code.h"
#include "fakes/app_probe.h"
#include "fakes/test_app.h"
#include "fakes/test_game.h"
#include "shell/ui/join_panel.h"
#include "shell/ui/title_view.h"

namespace zndl::testing {
namespace {

constexpr char kUrl[] = "http://192.168.1.20:47470/j/k3m7q2x7w4b5t6n6r2ca";

struct JoinPanelTest : ::testing::Test {
  TestApp t;
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Rover", "0", "3", "5", "10"));
    t.start();
  }
  PadHub& hub() { return t.app->pads(); }
  TitleView& title() { return AppProbe::view<TitleView>(*t.app); }
  QWidget& panel() { return *child<QWidget>(title(), "joinPanel"); }
  QString text(const char* name) { return child<QLabel>(title(), name)->text(); }
  QPushButton& button(const char* name) { return *child<QPushButton>(title(), name); }
};

TEST_F(JoinPanelTest, HiddenUntilThePhonesListenThenShowsWhereToJoinAndTheSeats) {
  EXPECT_FALSE(panel().isVisible());
  int nextAsked = 0;
  hub().setJoin({kUrl, qrCodeFor(kUrl), 2, [&] { ++nextAsked; }});
  ASSERT_TRUE(panel().isVisible());
  EXPECT_EQ(text("joinAddress"), kUrl);
  EXPECT_EQ(text("seat1"), "Player one: waiting");
  EXPECT_EQ(text("seat2"), "Player two: waiting");
  EXPECT_FALSE(button("freeSeat1").isEnabled());
  // The code is drawn: dark modules on white, big enough to scan.
  const QImage code = child<QWidget>(title(), "joinCode")->grab().toImage();
  ASSERT_GE(code.width(), 150);
  int dark = 0;
  for (int y = 0; y < code.height(); ++y)
    for (int x = 0; x < code.width(); ++x) dark += qGray(code.pixel(x, y)) < 64;
  EXPECT_GT(dark, code.width() * code.height() / 5);
  EXPECT_LT(dark, code.width() * code.height() * 3 / 5);
  // Two addresses: the PC can show the other.
  ASSERT_TRUE(button("nextAddress").isVisible());
  QTest::mouseClick(&button("nextAddress"), Qt::LeftButton);
  EXPECT_EQ(nextAsked, 1);
  // The server stops: the panel goes.
  hub().setJoin({});
  EXPECT_FALSE(panel().isVisible());
}

TEST_F(JoinPanelTest, SeatsShowWhoseDeviceHoldsThemAndThePcFreesOne) {
  hub().setJoin({kUrl, qrCodeFor(kUrl), 1, {}});
  EXPECT_FALSE(button("nextAddress").isVisible());
  std::vector<std::uint64_t> freed;
  hub().onFreed([&](std::uint64_t connection) { freed.push_back(connection); });
  const std::uint64_t ann = hub().newConnection(), bob = hub().newConnection();
  ASSERT_EQ(hub().join(PadKind::phone, ann, "", "a1").seat, kFirstContestant);
  ASSERT_EQ(hub().join(PadKind::controller, bob, "", "b2").seat, kSecondContestant);
  t.app->syncAll();
  EXPECT_EQ(text("seat1"), "Player one: Ann\u2019s phone");
  EXPECT_EQ(text("seat2"), "Player two: Bob\u2019s controller");
  hub().lost(ann);
  t.app->syncAll();
  EXPECT_EQ(text("seat1"), "Player one: Ann\u2019s phone (reconnecting)");
  ASSERT_TRUE(button("freeSeat2").isEnabled());
  QTest::mouseClick(&button("freeSeat2"), Qt::LeftButton);
  EXPECT_EQ(freed, std::vector<std::uint64_t>{bob});
  EXPECT_EQ(text("seat2"), "Player two: waiting");
  EXPECT_FALSE(button("freeSeat2").isEnabled());
}

}  // namespace
}  // namespace zndl::testing
