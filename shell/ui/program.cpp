// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/program.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <string>
#include <vector>

#include "adapters/fluid_tune_player.h"
#include "adapters/font_config.h"
#include "adapters/phones.h"
#include "adapters/qt_ports.h"
#include "adapters/qt_preferences.h"
#include "adapters/qt_tunes.h"
#include "adapters/sdl_pads.h"
#include "platform/random.h"
#include "platform/session.h"
#include "shell/command_line.h"
#include "shell/ui/app.h"
#include "shell/ui/look.h"

namespace zndl {

void installWindowIcon() {
  // The icon's bitmaps, drawn at build time. The frameless title shows no icon of its
  // own, so it is given once the title is up: the window manager's taskbar picks it up
  // then, and decoding it does not hold up the title.
  QIcon icon;
  for (int size : {16, 32, 48, 128})
    icon.addFile(QStringLiteral(":/rendered/icons/%1/zandoodle.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
}

void chooseWindowSystem(bool platformChosen) {
  Session session;
  session.waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY").toStdString();
  session.display = qEnvironmentVariable("DISPLAY").toStdString();
  session.chosenPlatform = qEnvironmentVariable("QT_QPA_PLATFORM").toStdString();
  session.platformOption = platformChosen;
  if (preferX11(session)) qputenv("QT_QPA_PLATFORM", "xcb");
}

namespace {

// The phones' server as the player's choice says: listening, with the join line on
// standard output, or closed. Its module is loaded the first time the phones are on.
void answerFromPhones(PhonesHub& hub, std::unique_ptr<Phones>& phones, std::uint16_t port,
                      bool on) {
  if (!phones) {
    if (!on) return;
    std::string why;
    phones = loadPhones(hub, &why);
    if (!phones) {
      std::fprintf(stderr, "zandoodle: the phones cannot be used: %s\n", why.c_str());
      return;
    }
  }
  if (on == phones->listening()) return;
  if (!on) {
    phones->stop();
    return;
  }
  if (!phones->start(port)) {
    std::fprintf(stderr, "zandoodle: no free port for the phones from %u to %u\n", unsigned(port),
                 unsigned(port + Phones::kPortsTried - 1));
    return;
  }
  std::printf("Phones: join at %s\n", phones->joinUrl().c_str());
  std::fflush(stdout);
}

}  // namespace

void startMusicWhenShown(App& app, std::shared_ptr<FluidEngine> engine) {
  app.afterTitlePainted([engine = std::move(engine)](QWidget&) { engine->start(); });
}

namespace {

void print(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

int runProgram(int argc, char* argv[]) {
  // The game's own options are read before Qt needs a display, so --help works
  // anywhere.
  const CommandLine command = parseCommandLine(std::vector<std::string>(argv, argv + argc));
  switch (command.action) {
    case CommandLine::Action::Help:
      print(stdout, helpText());
      return std::fflush(stdout) == 0 ? 0 : 1;
    case CommandLine::Action::Version:
      print(stdout, versionText());
      return std::fflush(stdout) == 0 ? 0 : 1;
    case CommandLine::Action::Wrong:
      print(stderr, "zandoodle: " + command.problem + "\n" + usageLine() +
                        "Try 'zandoodle --help' for more information.\n");
      return 2;
    case CommandLine::Action::Play:
      break;
  }

  chooseWindowSystem(command.platformChosen);
  // The title's first caption needs the fonts; nothing has used fontconfig yet.
  loadFontConfiguration();
  QApplication application(argc, argv);
  // No display name: the toolkit would add it to every window's caption, and each
  // window already carries the caption it should.
  QApplication::setApplicationName(QStringLiteral("zandoodle"));
  QApplication::setDesktopFileName(QStringLiteral("zandoodle"));
  look::installFontSubstitutes();

  // FluidSynth and the SoundFont are loaded once the title is on the screen; the title
  // tune, started meanwhile, plays as soon as they are in.
  FluidEngineOptions music;
  music.startNow = false;
  auto engine = FluidEngine::create(music);
  FluidTunePlayer titleTune(engine, tuneData);
  FluidTunePlayer quizTune(engine, tuneData);
  QtErrorBox errorBox;
  QtDesktop desktop;
  QtFilePicker filePicker;
  ClockRandom random;

  // The size, full screen and sound as the player left them; --scale is for this run.
  const QtPreferences preferences;
  Presentation presentation = preferences.load();
  if (command.scale) presentation.scale = *command.scale;
  if (command.phones) presentation.phones = true;

  App app(
      Ports{titleTune, quizTune, errorBox, desktop, filePicker, random, fileio::systemWriteSteps()},
      presentation);
  app.setMuteOutput([engine](bool muted) { engine->setMuted(muted); });
  app.onPresentationChanged([&preferences](const Presentation& chosen) {
    if (!preferences.save(chosen))
      std::fprintf(stderr, "zandoodle: could not save the display settings in %s\n",
                   qPrintable(preferences.file()));
  });
  startMusicWhenShown(app, engine);
  std::unique_ptr<Phones> phones;
  const auto port = static_cast<std::uint16_t>(command.phonesPort.value_or(Phones::kDefaultPort));
  // Phones left on from the last run are served once the title is on the screen, so
  // that loading their module never delays it.
  app.afterTitlePainted([&app, &phones, port](QWidget&) {
    app.setPhonesOutput(
        [&app, &phones, port](bool on) { answerFromPhones(app.pads(), phones, port, on); });
  });
  app.afterTitlePainted([](QWidget&) { installWindowIcon(); });
  startControllers(app);
  if (app.game().ended()) return 0;
  return QApplication::exec();
}

}  // namespace zndl
