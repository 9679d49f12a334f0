// SPDX-License-Identifier: GPL-3.0-or-later
// The timer probe for the budget script (start-up and memory are measured on the real
// program; see window_watch.cpp).
//   startup_probe drift    the quiz's one-second timer: prints the drift over 60 ticks
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <string>

#include "fakes/app_probe.h"
#include "fakes/fake_ports.h"
#include "shell/ui/app.h"

namespace {

int drift(int argc, char* argv[]) {
  QApplication app(argc, argv);
  zndl::testing::TempDir dir;
  zndl::testing::FakePorts fakes;
  zndl::App game(fakes.ports());
  QElapsedTimer clock;
  int ticks = 0;
  QObject::connect(&zndl::AppProbe::timer<zndl::QuizScreen>(game), &QTimer::timeout, &app, [&] {
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
  if (mode == "drift") return drift(argc, argv);
  std::fprintf(stderr, "usage: startup_probe drift\n");
  return 2;
}
