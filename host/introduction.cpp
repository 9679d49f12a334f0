// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/introduction.h"

#include "host/host_lists.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "shell/game.h"

namespace zndl {
namespace {

constexpr const char* kOpen = "\u201C";
constexpr const char* kClose = "\u201D";
constexpr const char* kListFiles[] = {"banter", "describe", "jobs", "after.job"};
// "<DESCRIPTION>" draws from the first four descriptions only.
constexpr int kDescriptionsDrawn = 4;

std::string quoted(const std::string& text) {
  return kOpen + text + kClose;
}

// One of entries 1 .. count-1: the first entry of a list is never drawn.
std::string pickAfterFirst(Game& game, const TextList& list) {
  return list.at(1 + game.randomBelow(list.count() - 1));
}

// The title tune is put away for good when an introduction ends. A tune whose file
// never opened may refuse to stop or close; the hand-over must still run every one of
// its steps, so that refusal is swallowed here rather than ending the handler.
void stopAndCloseTitleTune(TunePlayer& tune) {
  try {
    tune.stop();
  } catch (const Error&) {
  }
  try {
    tune.close();
  } catch (const Error&) {
  }
}

}  // namespace

void saveListToFile(const TextList& list, const std::string& fileName) {
  if (!list.loadedFromFile() && fileio::exists(fileName)) return;
  list.saveToFile(fileName);
}

Introduction::Introduction(Game& game)
    : Screen(game, kAppTitle),
      script(builtin::script()),
      descriptions(builtin::descriptions()),
      jobs(builtin::jobs()),
      afterJobs(builtin::afterJobs()) {}

void Introduction::create() {
  script.loadFromFile(kListFiles[0]);
  descriptions.loadFromFile(kListFiles[1]);
  jobs.loadFromFile(kListFiles[2]);
  afterJobs.loadFromFile(kListFiles[3]);
}

void Introduction::saveLists() const {
  saveListToFile(script, kListFiles[0]);
  saveListToFile(descriptions, kListFiles[1]);
  saveListToFile(jobs, kListFiles[2]);
  saveListToFile(afterJobs, kListFiles[3]);
}

std::string Introduction::jobLine(const std::string& name) {
  const std::string job = pickAfterFirst(game_, jobs);
  const std::string afterJob = pickAfterFirst(game_, afterJobs);
  return kOpen + name + " is a " + job + " " + afterJob + "." + kClose;
}

void Introduction::onTick() {
  Game& g = game_;
  const TitleScreen& title = g.titleScreen;
  std::string& line = hostLine.text;
  if (g.scriptLine > 0) line = quoted(script.at(g.scriptLine - 1));
  // A hidden screen holds its place: Alt-F4 in the middle of a script, and the next
  // Play goes on from there.
  if (visible()) ++g.scriptLine;
  if (line == quoted("<END>") && visible()) handOver();

  // Each test looks at the line as it stands now, so an expansion can itself be a
  // later tag (a description reading "<NAMES>"), never an earlier one.
  if (line == quoted("<DESCRIPTION>"))
    line = quoted(descriptions.at(g.randomBelow(kDescriptionsDrawn)));
  if (line == quoted("<NAMES>"))
    line = std::string(kOpen) + "And now let\u2019s meet our contestants, " + title.name1 +
           " and " + title.name2 + kClose;
  if (line == quoted("<PETS>"))
    line = std::string(kOpen) + "Let\u2019s also meet " + title.name1 + "\u2019s " +
           title.petType1Text() + ", " + title.petName1 + ", and " + title.name2 + "\u2019s " +
           title.petType2Text() + ", " + title.petName2 + "." + kClose;
  if (line == quoted("<JOBS ETC. 1>")) line = jobLine(title.name1);
  if (line == quoted("<JOBS ETC. 2>")) line = jobLine(title.name2);
}

void Introduction::handOver() {
  Game& g = game_;
  g.quizScreen.show();
  g.scriptLine = 0;
  stopAndCloseTitleTune(g.titleScreen.titleTune);
  hide();
}

void Introduction::onSkip() {
  Game& g = game_;
  g.scriptLine = 0;
  hide();
  g.quizScreen.show();
  stopAndCloseTitleTune(g.titleScreen.titleTune);
}

}  // namespace zndl
