// SPDX-License-Identifier: GPL-3.0-or-later
// The phones' latency for the budget script, on loopback: the game (its windows
// offscreen, its ports faked) and its phones' server in this process, two phones in a
// thread of their own with their own event loop, talking to it through real sockets.
//   phone_latency   prints "tap MEDIAN WORST" and "result MEDIAN WORST" in ms, over 50
// tap: from the phone sending A to the game holding the answer; result: from the game
// judging a question to the phone holding the result.
#include <QApplication>
#include <QRegularExpression>
#include <QThread>
#include <QWebSocket>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "adapters/phone_server.h"
#include "fakes/app_probe.h"
#include "fakes/fake_ports.h"
#include "fakes/test_game.h"
#include "quiz/quiz_screen.h"
#include "shell/ui/app.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 50;

double ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// The two phones, living in their own thread.
class Phones : public QObject {
 public:
  explicit Phones(QUrl url) : url_(std::move(url)) {}
  void open() {
    for (auto& socket : sockets_) {
      socket = new QWebSocket(QStringLiteral("http://") + url_.authority(),
                              QWebSocketProtocol::VersionLatest, this);
      connect(socket, &QWebSocket::connected, socket,
              [socket] { socket->sendTextMessage("hello"); });
      connect(socket, &QWebSocket::textMessageReceived, this, [this, socket](const QString& text) {
        // The seat each phone was given, from the game's first answer.
        if (text.startsWith(QStringLiteral("{\"seat\":0,\"token\""))) seated_[0] = socket;
        if (text.startsWith(QStringLiteral("{\"seat\":1,\"token\""))) seated_[1] = socket;
        const bool judged = text.contains(QStringLiteral("\"result\":\"")) &&
                            !text.contains(QStringLiteral("\"result\":\"\""));
        if (waitingForResult_ && judged) {
          resultAt_ = Clock::now();
          waitingForResult_ = false;
        }
      });
      QUrl ws = url_;
      ws.setScheme(QStringLiteral("ws"));
      ws.setPath(url_.path() + QStringLiteral("/ws"));
      socket->open(ws);
    }
  }
  // Phone `seat` taps a button; when it sent it.
  void tap(int seat, const QString& message) {
    sentAt_ = Clock::now();
    seated_[seat]->sendTextMessage(message);
  }
  void expectResult() { waitingForResult_ = true; }

  std::atomic<Clock::time_point> sentAt_{};
  std::atomic<Clock::time_point> resultAt_{};
  std::atomic<bool> waitingForResult_{false};

 private:
  QUrl url_;
  QWebSocket* sockets_[2] = {};
  QWebSocket* seated_[2] = {};  // by seat
};

void waitUntil(const std::function<bool()>& done) {
  const auto end = Clock::now() + std::chrono::seconds(10);
  while (!done() && Clock::now() < end) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

int failed(const char* what) {
  std::fprintf(stderr, "phone_latency: %s\n", what);
  std::fflush(stderr);
  std::_Exit(1);  // the phones' thread is left as it is
}

void report(const char* name, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::printf("%s %.2f %.2f\n", name, values[values.size() / 2], values.back());
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  zndl::testing::TempDir dir;
  zndl::testing::writeFile(
      "names.etc", zndl::testing::namesFile("Ann", "Bob", "Rex", "Goldie", "0", "1", "15", "15"));
  // A group long enough for every round, the host's short script, and the lists.
  std::string group = "Bench\r\n";
  for (int n = 1; n <= kRounds + 1; ++n) {
    const std::string i = std::to_string(n);
    group += "[" + i + "]\r\nQuestion " + i + "?\r\nRight\r\nWrong one\r\nWrong two\r\n";
  }
  zndl::testing::writeFile("bench.set", group);
  zndl::testing::writeFile("prizes", "Prizes\r\na signed photo\r\n");
  zndl::testing::writeFile("banter", "Good evening!\r\n<NAMES>\r\n<END>\r\n");
  for (const char* list : {"describe", "jobs", "after.job"})
    zndl::testing::writeFile(list, "first\r\nsecond\r\nthird\r\n");
  zndl::testing::FakePorts fakes;
  zndl::App app(fakes.ports());
  // When the game held the answer; declared before the server, whose stop at the end
  // still tells the listener below.
  Clock::time_point heldAt{};
  zndl::PhoneServer server(app.pads());
  if (!server.start(47480)) return failed("no port for the phones");
  // The probe drives the ticks itself.
  zndl::AppProbe::timer<zndl::QuizScreen>(app).stop();
  zndl::AppProbe::timer<zndl::Introduction>(app).stop();

  QThread thread;
  Phones phones(
      QUrl(QString::fromStdString(server.joinUrl())
               .replace(QRegularExpression("//[^/:]*:"), QStringLiteral("//127.0.0.1:"))));
  phones.moveToThread(&thread);
  thread.start();
  QMetaObject::invokeMethod(&phones, [&] { phones.open(); });
  waitUntil([&] { return app.pads().seats().bothTaken(); });
  if (!app.pads().seats().bothTaken()) return failed("the phones took no seats");

  zndl::Game& game = app.game();
  zndl::QuizScreen& quiz = game.screen<zndl::QuizScreen>();
  app.dispatch([&] { game.screen<zndl::TitleScreen>().onGroupChanged("bench.set"); });
  app.dispatch([&] { game.screen<zndl::TitleScreen>().onPlay(); });
  for (int i = 0; i < 100 && zndl::frontPadScreen(game) == zndl::PadScreen::introduction; ++i)
    app.dispatch([&] { game.screen<zndl::Introduction>().onTick(); });
  if (zndl::frontPadScreen(game) != zndl::PadScreen::quiz) return failed("the quiz never began");

  std::vector<double> taps, results;
  app.pads().onChanged([&] {
    if (quiz.step == zndl::QuestionStep::answeredRight ||
        quiz.step == zndl::QuestionStep::answeredWrong)
      if (heldAt == Clock::time_point{}) heldAt = Clock::now();
  });
  for (int n = 0; n < kRounds; ++n) {
    app.dispatch([&] { quiz.onContinue(); });
    for (int i = 0; i < 4; ++i) app.dispatch([&] { quiz.onTick(); });
    const int seat = quiz.turn;
    // Always the right answer, so that no contestant runs out of lives.
    const QString press = QStringLiteral("press ") + QChar(u'a' + quiz.correctSlot - zndl::kSlotA);
    // The phone learns the answers are live before it taps.
    QThread::msleep(20);
    QCoreApplication::processEvents();
    heldAt = {};
    QMetaObject::invokeMethod(&phones, [&phones, seat, press] { phones.tap(seat, press); });
    waitUntil([&] { return heldAt != Clock::time_point{}; });
    if (heldAt == Clock::time_point{}) return failed("the game never held an answer");
    taps.push_back(ms(heldAt - phones.sentAt_.load()));

    phones.resultAt_ = Clock::time_point{};
    phones.expectResult();
    const Clock::time_point judged = Clock::now();
    app.dispatch([&] { quiz.onTick(); });
    waitUntil([&] { return !phones.waitingForResult_.load(); });
    if (phones.waitingForResult_) return failed("no result reached the phone");
    results.push_back(ms(phones.resultAt_.load() - judged));
  }
  report("tap", taps);
  report("result", results);
  thread.quit();
  thread.wait();
  return 0;
}
