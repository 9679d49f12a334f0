// SPDX-License-Identifier: GPL-3.0-or-later
// Finds and loads the phones' module (adapters/phones.h).
#include <QCoreApplication>
#include <QFileInfo>

#include "adapters/phones.h"
#include "adapters/shared_library.h"

namespace zndl {

std::unique_ptr<Phones> loadPhones(PhonesHub& hub, std::string* why) {
  // Beside the program in the build tree; installed, in the game's own library folder
  // (ZNDL_PHONES_MODULE_DIR, relative to the program's folder).
  const QString programDir = QCoreApplication::applicationDirPath();
  const QString name = QStringLiteral(ZNDL_PHONES_MODULE);
  QString path = programDir + u'/' + name;
  if (!QFileInfo::exists(path))
    path = programDir + QStringLiteral("/" ZNDL_PHONES_MODULE_DIR "/") + name;
  void* module = shared_library::open(QFileInfo(path).absoluteFilePath().toStdString(), why);
  if (module == nullptr) return nullptr;
  MakePhones* make = nullptr;
  if (!shared_library::resolve(module, kMakePhones, make)) {
    if (why != nullptr) *why = path.toStdString() + " is not this build's phones module";
    return nullptr;
  }
  return std::unique_ptr<Phones>(make(&hub));
}

}  // namespace zndl
