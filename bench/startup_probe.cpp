// Start-up, memory and timer probes for the budget script.
//   startup_probe bare     a bare 640 x 480 frameless window: exits at its first paint
//   startup_probe game     the whole game: exits at the title window's first paint
//   startup_probe memory   the whole game: prints peak memory after three seconds of
//                          the title screen with its music
//   startup_probe drift    the quiz's one-second timer: prints the drift over 60 ticks
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include "fakes/fake_ports.h"
#include "shell/app.h"
#include "shell/program.h"

namespace {

long statusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
  return -1;
}

// The wall-clock time of a window's first paint, in nanoseconds since the epoch; the
// budget script subtracts the moment it started the process.
void printShownAt() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stdout);
}

class QuitOnPaint : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      printShownAt();
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return false;
  }

 private:
  bool done_ = false;
};

int bare(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.setFixedSize(640, 480);
  QuitOnPaint quit;
  window.installEventFilter(&quit);
  window.show();
  return QApplication::exec();
}

int drift(int argc, char* argv[]) {
  QApplication app(argc, argv);
  zndl::testing::TempDir dir;
  zndl::testing::FakePorts fakes;
  zndl::App game(fakes.ports());
  QElapsedTimer clock;
  int ticks = 0;
  QObject::connect(&game.quizTimer(), &QTimer::timeout, &app, [&] {
    if (ticks == 0) clock.start();
    if (++ticks == 61) {
      const double drift = static_cast<double>(clock.nsecsElapsed()) / 1e6 - 60000.0;
      std::printf("%.1f\n", drift);
      QCoreApplication::quit();
    }
  });
  return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "bare") return bare(argc, argv);
  if (mode == "drift") return drift(argc, argv);
  if (mode == "game")
    return zndl::runProgram(argc, argv, [](QWidget&) {
      printShownAt();
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    });
  if (mode == "memory")
    return zndl::runProgram(argc, argv, [](QWidget&) {
      QTimer::singleShot(3000, qApp, [] {
        std::printf("%ld %ld\n", statusKb("VmHWM:"), statusKb("VmRSS:"));
        QCoreApplication::quit();
      });
    });
  std::fprintf(stderr, "usage: startup_probe bare|game|memory|drift\n");
  return 2;
}
