// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "host/text_list.h"
#include "shell/screen.h"

namespace zndl {

// The host's introduction: one script entry per speech tick, tags expanded from the
// contestants' entries and random picks, and the hand-over to the quiz at "<END>".
class Introduction : public Screen {
 public:
  explicit Introduction(Game& game);

  Label hostLine{""};
  Button skipButton{"Skip..."};
  TextList script;        // the host's lines, one a tick; tags are filled in
  TextList descriptions;  // what <DESCRIPTION> draws from, the first four only
  TextList jobs;          // a contestant's job; the first entry is never drawn
  TextList afterJobs;     // what follows the job; the first entry is never drawn
  Timer speechTimer{2500};

  void create();
  void onTick();
  void onSkip();

  // Writes the four lists to their files at Exit, stopping at the first failure.
  void saveLists() const;

 private:
  void handOver();
  std::string jobLine(const std::string& name);
};

// Writes a list to its standard file at Exit, unless that would replace the player's
// file with content that never came from a file: such a list is only written where
// no file stands yet.
void saveListToFile(const TextList& list, const std::string& fileName);

}  // namespace zndl
