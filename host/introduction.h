// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "host/text_list.h"
#include "shell/contestants.h"
#include "shell/screen.h"

namespace zndl {

// The tags a script line may be, which the introduction fills in as it speaks them.
enum class ScriptTag { none, end, description, names, pets, firstJob, secondJob };

// Which tag a host's line is, quotes and all ("“<NAMES>”"); none for any other line.
ScriptTag scriptTag(const std::string& hostLine);

// The host's introduction: one script entry per speech tick, tags expanded from the
// contestants' entries and random picks, and the hand-over to the quiz at "<END>".
class Introduction : public Screen {
 public:
  // The four lists the host draws on, each read from and saved to its own file.
  enum class List { script, descriptions, jobs, afterJobs };

  explicit Introduction(Game& game);

  Label hostLine{""};
  Button skipButton{"Skip..."};
  TextList script;        // the host's lines, one a tick; tags are filled in
  TextList descriptions;  // what <DESCRIPTION> draws from, the first four only
  TextList jobs;          // a contestant's job; the first entry is never drawn
  TextList afterJobs;     // what follows the job; the first entry is never drawn
  Timer tickTimer{2500};  // the speech delay
  int scriptLine = 0;     // the script entry the next tick speaks, counted from 1

  void create();
  void onTick();
  void onSkip();

  // Play: the introduction comes up with nothing said yet.
  void begin();
  // The settings dialog's speech delay and choice of list.
  void setSpeechDelay(int milliseconds);
  void loadListFrom(List list, const std::string& fileName);
  // Writes the four lists to their files at Exit, stopping at the first failure.
  void saveLists() const;

 private:
  const TextList& list(List which) const;
  TextList& list(List which);
  void handOver();
  std::string jobLine(const std::string& name);
};

// Writes a list to its standard file at Exit, unless that would replace the player's
// file with content that never came from a file: such a list is only written where
// no file stands yet.
void saveListToFile(const TextList& list, const std::string& fileName, fileio::WriteSteps& steps);

}  // namespace zndl
