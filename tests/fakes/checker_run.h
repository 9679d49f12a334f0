// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

// zandoodle-check run as a player runs it, for the tests of the program.
namespace zndl::testing {

struct CheckerRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the built program in `dir` and waits for it.
inline CheckerRun runChecker(const QStringList& arguments,
                             const QString& dir = QDir::currentPath()) {
  QProcess process;
  process.setWorkingDirectory(dir);
  process.start(QStringLiteral(ZNDL_CHECK_BINARY), arguments);
  CheckerRun run;
  if (!process.waitForFinished(60000)) return run;
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

}  // namespace zndl::testing
