// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/qt_tunes.h"

#include <QFile>

#include <filesystem>

#include "platform/error.h"
#include "platform/file_io.h"

namespace zndl {

std::optional<std::string> tuneData(const std::string& fileName, std::string* origin) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(fileName, ec)) {
    auto bytes = fileio::readAll(fileName);
    if (!bytes) throw cannotOpen(fileName);
    if (origin != nullptr) *origin = fileName;
    return bytes;
  }
  // Only a bare name falls back on the tunes built into the program.
  if (fileName.empty() || fileName.find('/') != std::string::npos) return std::nullopt;
  const QString resource = QStringLiteral(":/assets/music/") + QString::fromLocal8Bit(fileName);
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (origin != nullptr) *origin = resource.toStdString();
  return bytes.toStdString();
}

}  // namespace zndl
