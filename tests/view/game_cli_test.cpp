// SPDX-License-Identifier: GPL-3.0-or-later
// The game's command line, run as a player runs it: --help and --version answer on
// stdout without a display, and a wrong command line is refused with status 2.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <string>

namespace {

struct GameRun {
  int status = -1;
  std::string out;
  std::string err;
};

GameRun runGame(const QStringList& arguments) {
  QProcess process;
  // No display at all: these answers must not need one.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(ZNDL_GAME_BINARY), arguments);
  GameRun run;
  if (!process.waitForFinished(60000)) return run;
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

TEST(GameProgram, HelpAndVersionGoToStandardOutputAndSucceed) {
  for (const char* option : {"--help", "-h"}) {
    const GameRun help = runGame({QString::fromLatin1(option)});
    EXPECT_EQ(help.status, 0) << option;
    EXPECT_EQ(help.out.rfind("Usage: zandoodle ", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--scale"), std::string::npos);
    EXPECT_NE(help.out.find("F11"), std::string::npos);
    EXPECT_EQ(help.err, "");
  }
  const GameRun version = runGame({QStringLiteral("--version")});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("zandoodle 4.2\n", 0), 0u) << version.out;
  EXPECT_EQ(version.err, "");
}

TEST(GameProgram, AWrongCommandLineGetsTheUsageOnStandardErrorAndStatusTwo) {
  for (const QStringList& wrong :
       {QStringList{"--bogus"}, QStringList{"--scale", "5"}, QStringList{"--scale"},
        QStringList{"stray.set"}, QStringList{"--scale=huge", "--help"}}) {
    const GameRun run = runGame(wrong);
    EXPECT_EQ(run.status, 2) << wrong.join(' ').toStdString();
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("zandoodle: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("Usage: zandoodle "), std::string::npos) << run.err;
  }
}

TEST(GameProgram, QtsOwnOptionsStillReachQt) {
  // -platform is Qt's: the game takes it, and Qt then fails to find a platform by
  // that name, which says it was Qt that read it.
  const GameRun run = runGame({"-platform", "no-such-platform", "--scale", "2"});
  EXPECT_NE(run.status, 2);
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("no-such-platform"), std::string::npos) << run.err;
}

}  // namespace
