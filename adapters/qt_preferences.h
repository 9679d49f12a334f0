// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "shell/stage_scale.h"

namespace zndl {

// The player's choices of size, full screen and sound, kept between runs in the
// desktop's settings ($XDG_CONFIG_HOME/zandoodle/zandoodle.conf), never in the play
// folder with the game's own files.
class QtPreferences {
 public:
  // The usual file, or another one (tests).
  QtPreferences();
  explicit QtPreferences(QString file);

  Presentation load() const;
  // Replaces the file as a whole, so a crash leaves the old choices or the new ones.
  bool save(const Presentation& presentation) const;
  const QString& file() const { return file_; }

 private:
  QString file_;
};

}  // namespace zndl
