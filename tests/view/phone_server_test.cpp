// SPDX-License-Identifier: GPL-3.0-or-later
// The phones' server inside the game's process, with a phone on loopback: what it
// publishes for the join panel, and a phone that goes while the error box its own
// press opened is up.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <QWebSocket>
#include <chrono>
#include <filesystem>
#include <functional>

#include "adapters/phone_server.h"
#include "fakes/test_app.h"
#include "fakes/test_game.h"

namespace zndl::testing {
namespace {

// Runs the event loop, as a modal box's own loop would, until `done` or two seconds.
void runUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!done() && std::chrono::steady_clock::now() < end) {
    QEventLoop loop;
    QTimer::singleShot(5, &loop, &QEventLoop::quit);
    loop.exec();
  }
}

struct PhoneServerTest : ::testing::Test {
  TestApp t;
  std::unique_ptr<PhoneServer> server;
  void SetUp() override {
    writeFile("names.etc", namesFile("Ann", "Bob", "Fluffy", "Rover", "0", "3", "5", "10"));
    writeFile("gone.set", "Soon gone\r\n[1]\r\nQ?\r\nA\r\nB\r\nC\r\n");
    t.start();
    t.errors.shown.clear();  // the host's lists are not there
    server = std::make_unique<PhoneServer>(t.app->pads());
    ASSERT_TRUE(server->start(47490));
  }
  // A phone on loopback, seated.
  std::unique_ptr<QWebSocket> seatedPhone() {
    const std::string url = server->joinUrl();
    const std::string path = url.substr(url.find("/j/"));
    auto phone =
        std::make_unique<QWebSocket>(QStringLiteral("http://127.0.0.1:%1").arg(server->port()));
    QObject::connect(phone.get(), &QWebSocket::connected, phone.get(),
                     [socket = phone.get()] { socket->sendTextMessage("hello"); });
    phone->open(QUrl(QStringLiteral("ws://127.0.0.1:%1%2/ws")
                         .arg(server->port())
                         .arg(QString::fromStdString(path))));
    runUntil([&] { return t.app->pads().seats().taken(kFirstContestant); });
    EXPECT_TRUE(t.app->pads().seats().taken(kFirstContestant));
    return phone;
  }
};

TEST_F(PhoneServerTest, PublishesTheCodeOfTheAddressItShowsAndTakesItBackWhenStopped) {
  const PadHub::Join& join = t.app->pads().join();
  EXPECT_EQ(join.url, server->joinUrl());
  EXPECT_EQ(join.url.rfind("http://", 0), 0u) << join.url;
  EXPECT_NE(join.url.find(":" + std::to_string(server->port()) + "/j/"), std::string::npos);
  const QrCode expected = qrCodeFor(join.url);
  EXPECT_GT(expected.size, 0);
  EXPECT_EQ(join.code.size, expected.size);
  EXPECT_EQ(join.code.modules, expected.modules);
  server->stop();
  EXPECT_TRUE(t.app->pads().join().url.empty());
  EXPECT_EQ(t.app->pads().join().code.size, 0);
}

TEST_F(PhoneServerTest, APhoneGoneWhileItsPressHoldsTheErrorBoxLeavesTheGameWhole) {
  std::unique_ptr<QWebSocket> phone = seatedPhone();
  const std::uint64_t controller = t.app->pads().newConnection();
  ASSERT_EQ(t.app->pads().join(PadKind::controller, controller, "", "c").seat, kSecondContestant);
  // The group was listed when the game started, and is gone now: choosing it from the
  // phone opens the error box.
  std::filesystem::remove("gone.set");
  bool othersRefused = false;
  t.errors.whileOpen = [&] {
    EXPECT_TRUE(t.app->errorShowing());
    // Behind the box no pad is taken, as no key is.
    othersRefused = !t.app->pads().press(controller, PadAction::play) &&
                    !t.app->pads().enter(controller, EntryField::name, "Zed");
    // The phone goes while the box is up; the box's loop sees it go.
    phone->abort();
    runUntil([&] { return server->openConnections() == 0; });
  };
  phone->sendTextMessage("group gone.set");
  runUntil([&] { return !t.errors.shown.empty(); });
  ASSERT_EQ(t.errors.shown.size(), 1u);
  EXPECT_EQ(t.errors.shown[0], "Cannot open file gone.set.");
  EXPECT_TRUE(othersRefused);
  EXPECT_FALSE(t.app->errorShowing());
  EXPECT_EQ(server->openConnections(), 0);
  EXPECT_EQ(t.app->pads().seats().state(kFirstContestant), Seats::State::reconnecting);
  EXPECT_EQ(t.game().screen<TitleScreen>().entries[kSecondContestant].name, "Bob");
  // The game goes on: the controller's pad is taken again once the box is gone.
  EXPECT_TRUE(t.app->pads().enter(controller, EntryField::name, "Zed"));
}

}  // namespace
}  // namespace zndl::testing
