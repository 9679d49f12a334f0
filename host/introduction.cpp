// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/introduction.h"

#include <utility>

#include "host/host_lists.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "quiz/quiz_screen.h"
#include "shell/game.h"
#include "shell/title_screen.h"
#include "shell/make_screen.h"

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

}  // namespace

ScriptTag scriptTag(const std::string& hostLine) {
  static const std::pair<const char*, ScriptTag> kTags[] = {
      {"<END>", ScriptTag::end},
      {"<DESCRIPTION>", ScriptTag::description},
      {"<NAMES>", ScriptTag::names},
      {"<PETS>", ScriptTag::pets},
      {"<JOBS ETC. 1>", ScriptTag::firstJob},
      {"<JOBS ETC. 2>", ScriptTag::secondJob}};
  for (const auto& [tag, which] : kTags)
    if (hostLine == quoted(tag)) return which;
  return ScriptTag::none;
}

void saveListToFile(const TextList& list, const std::string& fileName, fileio::WriteSteps& steps) {
  if (!list.loadedFromFile() && fileio::exists(fileName)) return;
  list.saveToFile(fileName, steps);
}

Introduction::Introduction(Game& game)
    : Screen(game, kAppTitle),
      script(builtin::script()),
      descriptions(builtin::descriptions()),
      jobs(builtin::jobs()),
      afterJobs(builtin::afterJobs()) {}

const TextList& Introduction::list(List which) const {
  switch (which) {
    case List::descriptions:
      return descriptions;
    case List::jobs:
      return jobs;
    case List::afterJobs:
      return afterJobs;
    case List::script:
      break;
  }
  return script;
}

TextList& Introduction::list(List which) {
  return const_cast<TextList&>(std::as_const(*this).list(which));
}

void Introduction::create() {
  for (List which : {List::script, List::descriptions, List::jobs, List::afterJobs})
    list(which).loadFromFile(kListFiles[static_cast<int>(which)]);
}

void Introduction::saveLists() const {
  for (List which : {List::script, List::descriptions, List::jobs, List::afterJobs})
    saveListToFile(list(which), kListFiles[static_cast<int>(which)], game_.ports.writeSteps);
}

void Introduction::loadListFrom(List which, const std::string& fileName) {
  list(which).loadFromFile(fileName);
}

void Introduction::setSpeechDelay(int milliseconds) {
  tickTimer.setInterval(milliseconds);
}

void Introduction::begin() {
  hostLine.text.clear();
  show();
}

std::string Introduction::jobLine(const std::string& name) {
  const std::string job = pickAfterFirst(game_, jobs);
  const std::string afterJob = pickAfterFirst(game_, afterJobs);
  return kOpen + name + " is a " + job + " " + afterJob + "." + kClose;
}

void Introduction::onTick() {
  const auto& entries = game_.screen<TitleScreen>().entries;
  const ContestantEntry& first = entries[kFirstContestant];
  const ContestantEntry& second = entries[kSecondContestant];
  std::string& line = hostLine.text;
  if (scriptLine > 0) line = quoted(script.at(scriptLine - 1));
  // A hidden screen holds its place: Alt-F4 in the middle of a script, and the next
  // Play goes on from there.
  if (visible()) ++scriptLine;
  if (scriptTag(line) == ScriptTag::end && visible()) handOver();

  // Each test looks at the line as it stands now, so an expansion can itself be a
  // later tag (a description reading "<NAMES>"), never an earlier one.
  if (scriptTag(line) == ScriptTag::description)
    line = quoted(descriptions.at(game_.randomBelow(kDescriptionsDrawn)));
  if (scriptTag(line) == ScriptTag::names)
    line = std::string(kOpen) + "And now let\u2019s meet our contestants, " + first.name + " and " +
           second.name + kClose;
  if (scriptTag(line) == ScriptTag::pets)
    line = std::string(kOpen) + "Let\u2019s also meet " + first.name + "\u2019s " +
           first.petTypeText() + ", " + first.petName + ", and " + second.name + "\u2019s " +
           second.petTypeText() + ", " + second.petName + "." + kClose;
  if (scriptTag(line) == ScriptTag::firstJob) line = jobLine(first.name);
  if (scriptTag(line) == ScriptTag::secondJob) line = jobLine(second.name);
}

void Introduction::handOver() {
  game_.screen<QuizScreen>().show();
  scriptLine = 0;
  game_.screen<TitleScreen>().putTitleTuneAway();
  hide();
}

void Introduction::onSkip() {
  scriptLine = 0;
  hide();
  game_.screen<QuizScreen>().show();
  game_.screen<TitleScreen>().putTitleTuneAway();
}

MAKE_SCREEN(Introduction);

}  // namespace zndl
