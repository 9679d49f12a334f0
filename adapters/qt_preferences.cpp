// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/qt_preferences.h"

#include <QSettings>
#include <QStandardPaths>

namespace zndl {

QtPreferences::QtPreferences()
    : QtPreferences(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                    QStringLiteral("/zandoodle/zandoodle.conf")) {}

QtPreferences::QtPreferences(QString file) : file_(std::move(file)) {}

Presentation QtPreferences::load() const {
  const QSettings settings(file_, QSettings::IniFormat);
  Presentation out;
  const QByteArray scale = settings.value(QStringLiteral("display/scale")).toString().toUtf8();
  // Anything the game did not write itself leaves the default.
  if (const auto choice = stage::parseChoice(
          std::string_view(scale.constData(), static_cast<std::size_t>(scale.size()))))
    out.scale = *choice;
  // Only what save() writes counts as yes; anything else is the default, no.
  const auto yes = [&settings](const char* key) {
    return settings.value(QString::fromLatin1(key)).toString() == QLatin1String("true");
  };
  out.fullScreen = yes("display/fullScreen");
  out.muted = yes("sound/muted");
  out.phones = yes("pads/phones");
  return out;
}

bool QtPreferences::save(const Presentation& presentation) const {
  // QSettings writes the whole file anew beside the old one and renames it over.
  QSettings settings(file_, QSettings::IniFormat);
  settings.setAtomicSyncRequired(true);
  settings.setValue(QStringLiteral("display/scale"),
                    QString::fromLatin1(stage::choiceName(presentation.scale)));
  settings.setValue(QStringLiteral("display/fullScreen"), presentation.fullScreen);
  settings.setValue(QStringLiteral("sound/muted"), presentation.muted);
  settings.setValue(QStringLiteral("pads/phones"), presentation.phones);
  settings.sync();
  return settings.status() == QSettings::NoError;
}

}  // namespace zndl
