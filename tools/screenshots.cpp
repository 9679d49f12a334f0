// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every screen of the game in its characteristic states to PNG files, by
// playing a game through the real windows offscreen.
//   screenshots [--scale N] OUTDIR
// With --scale every window is drawn N times its size, as on a large display.
#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <string_view>

#include "fakes/app_probe.h"
#include "fakes/fake_ports.h"
#include "host/host_lists.h"
#include "shell/ui/app.h"
#include "shell/ui/look.h"
#include "shell/ui/screen_view.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

const char* kGroup =
    "(ZNDL v4)\r\n[1]\r\nWhich planet is known as the Red Planet?\r\n[1-YES]\r\nMars\r\n"
    "[1-NO]\r\nVenus\r\nJupiter\r\nSaturn\r\n[2]\r\nHow many legs has a spider?\r\n[2-YES]\r\n"
    "Eight\r\n[2-NO]\r\nSix\r\nTen\r\n[3]\r\n";

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  look::installFontSubstitutes();
  Presentation presentation;
  QString out = QStringLiteral("screenshots");
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--scale" && i + 1 < argc) {
      const auto choice = stage::parseChoice(argv[++i]);
      if (!choice) {
        std::fprintf(stderr, "screenshots: --scale takes 1, 2, 3, 4 or fit\n");
        return 2;
      }
      presentation.scale = *choice;
    } else {
      out = QString::fromLocal8Bit(argv[i]);
    }
  }
  QDir().mkpath(out);

  TempDir dir;
  writeFile("names.etc", "Ann\r\nBob\r\nRex\r\nGoldie\r\n3\r\n1\r\n10\r\n5\r\n");
  writeFile("prizes", "Prizes\r\na lifetime supply of damp socks\r\n");
  // The host's lists as a new play folder has them, so the introduction speaks.
  builtin::script().saveToFile("banter");
  builtin::descriptions().saveToFile("describe");
  builtin::jobs().saveToFile("jobs");
  builtin::afterJobs().saveToFile("after.job");
  writeFile("general.set", kGroup);
  writeFile("animals.set", kGroup);
  FakePorts fakes;
  App app(fakes.ports(), presentation);
  Game& g = app.game();
  auto run = [&](const std::function<void()>& handler) { app.dispatch(handler); };
  int saved = 0;
  auto shot = [&](QWidget& window, const char* name) {
    window.grab().save(out + QStringLiteral("/%1.png").arg(QString::fromLatin1(name)));
    ++saved;
  };
  auto view = [&](int index) -> QWidget& {
    return *AppProbe::views(app)[static_cast<std::size_t>(index)];
  };

  run([&] { g.screen<TitleScreen>().onGroupChanged("general.set"); });
  shot(view(0), "01-title");
  run([&] { g.screen<TitleScreen>().onInternet(); });
  shot(view(8), "02-internet-dialog");
  run([&] { g.screen<InternetSites>().onOk(); });
  run([&] { g.screen<TitleScreen>().onMore(); });
  shot(view(3), "03-settings-dialog");
  run([&] { g.screen<SettingsDialog>().onOk(); });

  run([&] { g.screen<TitleScreen>().onPlay(); });
  for (int i = 0; i < 5; ++i) run([&] { g.screen<Introduction>().onTick(); });
  shot(view(2), "04-introduction");
  run([&] { g.screen<Introduction>().onSkip(); });

  run([&] { g.screen<QuizScreen>().onContinue(); });
  for (int i = 0; i < 6; ++i) run([&] { g.screen<QuizScreen>().onTick(); });
  shot(view(1), "05-quiz-countdown");
  run([&] { g.screen<QuizScreen>().onAnswer(kSlotA); });
  run([&] { g.screen<QuizScreen>().onTick(); });
  shot(view(1), "06-quiz-result");
  run([&] { g.screen<QuizScreen>().onContinue(); });
  for (int i = 0; i < 20 && g.screen<QuizScreen>().step != QuestionStep::idle; ++i)
    run([&] { g.screen<QuizScreen>().onTick(); });
  run([&] { g.screen<QuizScreen>().onContinue(); });  // the end test: the notice
  shot(view(4), "07-notice");

  // A dead heat for the tie break.
  run([&] { g.screen<Notice>().hostLine.text = kDeadHeat; });
  run([&] { g.screen<Notice>().onOk(); });
  shot(view(6), "08-tie-break-call");
  shot(view(7), "09-coin-call-dialog");
  run([&] { g.screen<CoinCall>().onTails(); });
  run([&] { g.screen<TieBreak>().onTossPressed(); });
  for (int i = 0; i < 17; ++i) run([&] { g.screen<TieBreak>().onTick(); });
  shot(view(6), "10-tie-break-spinning");
  while (g.screen<TieBreak>().spinTicksLeft > 0) run([&] { g.screen<TieBreak>().onTick(); });
  shot(view(6), "11-tie-break-decided");

  // The finale for each pet.
  const char* pets[] = {"hamster", "goldfish", "mouse", "dog"};
  for (int type = 0; type < 4; ++type) {
    run([&] {
      g.screen<TitleScreen>().entries[kSecondContestant].petType = type;
      g.winner = 1;
      g.screen<Finale>().phase = Finale::Phase::kill;
      g.screen<Finale>().prepare(1);
      g.screen<Finale>().show();
    });
    shot(view(5),
         QStringLiteral("12-finale-%1-%2").arg(type).arg(pets[type]).toLatin1().constData());
    run([&] { g.screen<Finale>().onKillPressed(); });
    shot(view(5),
         QStringLiteral("13-finale-anvil-%1-%2").arg(type).arg(pets[type]).toLatin1().constData());
  }
  run([&] { g.screen<Finale>().onKillPressed(); });  // Back To Title
  shot(view(1), "14-quiz-after-back-to-title");
  shot(view(0), "15-title-after-game");
  std::printf("%d screenshots in %s\n", saved, out.toLocal8Bit().constData());
  return fakes.errors.shown.empty() ? 0 : 1;
}
