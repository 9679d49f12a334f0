// Renders every screen of the game in its characteristic states to PNG files, by
// playing a game through the real windows offscreen.
//   screenshots OUTDIR
#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>
#include <functional>

#include "fakes/fake_ports.h"
#include "shell/app.h"
#include "shell/look.h"
#include "shell/screen_view.h"

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
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
  QDir().mkpath(out);

  TempDir dir;
  writeFile("names.etc", "Ann\r\nBob\r\nRex\r\nGoldie\r\n3\r\n1\r\n10\r\n5\r\n");
  writeFile("prizes", "Prizes\r\na lifetime supply of damp socks\r\n");
  writeFile("general.set", kGroup);
  writeFile("animals.set", kGroup);
  FakePorts fakes;
  App app(fakes.ports());
  Game& g = app.game();
  auto run = [&](const std::function<void()>& handler) { app.dispatch(handler); };
  int saved = 0;
  auto shot = [&](QWidget& window, const char* name) {
    window.grab().save(out + QStringLiteral("/%1.png").arg(QString::fromLatin1(name)));
    ++saved;
  };
  auto view = [&](int index) -> QWidget& { return *app.views()[static_cast<std::size_t>(index)]; };

  run([&] { g.ZNDLbox1.ComboBox1Change("general.set"); });
  shot(view(0), "01-title");
  run([&] { g.ZNDLbox1.Button6Click(); });
  shot(view(8), "02-internet-dialog");
  run([&] { g.Form3.Button1Click(); });
  run([&] { g.ZNDLbox1.Button3Click(); });
  shot(view(3), "03-settings-dialog");
  run([&] { g.Form1.OKClick(); });

  run([&] { g.ZNDLbox1.PlayButClick(); });
  for (int i = 0; i < 5; ++i) run([&] { g.ChatBox.Timer1Timer(); });
  shot(view(2), "04-introduction");
  run([&] { g.ChatBox.Button1Click(); });

  run([&] { g.PlayBox.Button2Click(); });
  for (int i = 0; i < 6; ++i) run([&] { g.PlayBox.Timer1Timer(); });
  shot(view(1), "05-quiz-countdown");
  run([&] { g.PlayBox.AClick(); });
  run([&] { g.PlayBox.Timer1Timer(); });
  shot(view(1), "06-quiz-result");
  run([&] { g.PlayBox.Button2Click(); });
  for (int i = 0; i < 20 && g.QuestionStep != 0; ++i) run([&] { g.PlayBox.Timer1Timer(); });
  run([&] { g.PlayBox.Button2Click(); });  // the end test: the notice
  shot(view(4), "07-notice");

  // A dead heat for the tie break.
  run([&] { g.EndGameBox.ChatText.text = kDeadHeat; });
  run([&] { g.EndGameBox.Button1Click(); });
  shot(view(6), "08-tie-break-call");
  shot(view(7), "09-coin-call-dialog");
  run([&] { g.Form4.Button2Click(); });
  run([&] { g.TieBreakBox.Button1Click(); });
  for (int i = 0; i < 17; ++i) run([&] { g.TieBreakBox.Timer1Timer(); });
  shot(view(6), "10-tie-break-spinning");
  while (g.CoinCount > 0) run([&] { g.TieBreakBox.Timer1Timer(); });
  shot(view(6), "11-tie-break-decided");

  // The finale for each pet.
  const char* pets[] = {"hamster", "goldfish", "mouse", "dog"};
  for (int type = 0; type < 4; ++type) {
    run([&] {
      g.ZNDLbox1.PetType2 = type;
      g.Winner = 1;
      g.AnvilBox.Kill.caption = "Kill";
      g.AnvilBox.PrepareFinale(1);
      g.AnvilBox.show();
    });
    shot(view(5),
         QStringLiteral("12-finale-%1-%2").arg(type).arg(pets[type]).toLatin1().constData());
    run([&] { g.AnvilBox.KillClick(); });
    shot(view(5),
         QStringLiteral("13-finale-anvil-%1-%2").arg(type).arg(pets[type]).toLatin1().constData());
  }
  run([&] { g.AnvilBox.KillClick(); });  // Back To Title
  shot(view(1), "14-quiz-after-back-to-title");
  shot(view(0), "15-title-after-game");
  std::printf("%d screenshots in %s\n", saved, out.toLocal8Bit().constData());
  return fakes.errors.shown.empty() ? 0 : 1;
}
