// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/title_screen.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "finale/finale.h"
#include "host/introduction.h"
#include "host/settings_dialog.h"
#include "platform/cp1252.h"
#include "platform/error.h"
#include "platform/numbers.h"
#include "quiz/quiz_screen.h"
#include "shell/game.h"
#include "shell/internet_sites.h"
#include "shell/make_screen.h"

namespace zndl {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return cp1252::equalsIgnoringCase(a, b);
}

bool inList(const ComboBox& box) {
  return std::any_of(box.items.begin(), box.items.end(),
                     [&](const std::string& item) { return equalsIgnoringCase(item, box.text); });
}

int petTypeFromLine(const std::string& line) {
  const auto value = parseWholeNumber(line);
  if (!value) throw Error("'" + line + "' is not a valid pet type number in " + kNamesFile);
  // Above a dog is a dog; below a hamster is a hamster, so a contestant always has a pet.
  return static_cast<int>(std::clamp<long long>(*value, kHamster, kDog));
}

}  // namespace

TitleScreen::TitleScreen(Game& game) : Screen(game, kAppTitle), titleTune_(game.ports.titleTune) {}

bool TitleScreen::storableEntry(std::string_view text) {
  return text.find_first_of("\r\n") == std::string_view::npos && cp1252::representable(text);
}

std::vector<std::string> listGroupFiles(const std::string& directory) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    if (name.size() < 4 || !equalsIgnoringCase(name.substr(name.size() - 4), ".set")) continue;
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    names.push_back(name);
  }
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string fa = cp1252::foldCase(a), fb = cp1252::foldCase(b);
    return fa != fb ? fa < fb : a < b;
  });
  return names;
}

void TitleScreen::readGroupList() {
  if (groupListRead_) return;
  groupList = listGroupFiles(".");
  groupListRead_ = true;
}

void TitleScreen::create() {
  try {
    game_.ports.random.seedFromClock();
    titleTune_.open(kTitleTune);
    titleTune_.play();
    readNames();
  } catch (const Error&) {
    // The file list still reads the directory as the screen first comes up, so a
    // later Refresh shows the groups that were there at start; only the copy into the
    // drop-down is skipped with the rest of this step.
    readGroupList();
    throw;
  }
  readGroupList();
  groupBox.items = groupList;
}

// names.etc holds the eight entries a field at a time: both names, both pet names, both
// pet types, both answer times. A line that is not a pet type stops the reading there.
void TitleScreen::readNames() {
  namesBuffer.loadFromFile(kNamesFile);
  for (Contestant c : kBothContestants) entries[c].name = namesBuffer.at(0 + c);
  for (Contestant c : kBothContestants) entries[c].petName = namesBuffer.at(2 + c);
  for (Contestant c : kBothContestants) entries[c].petType = petTypeFromLine(namesBuffer.at(4 + c));
  for (Contestant c : kBothContestants) entries[c].answerTime.text = namesBuffer.at(6 + c);
}

void TitleScreen::onGroupChanged(const std::string& text) {
  groupBox.text = text;
  game_.screen<QuizScreen>().loadGroup(text);
}

void TitleScreen::onPlay() {
  if (groupBox.text == kChooseAGroup) {
    setupPanelVisible = true;
    groupBox.red = true;
    return;
  }
  if (!inList(entries[kFirstContestant].answerTime) ||
      !inList(entries[kSecondContestant].answerTime)) {
    setupPanelVisible = true;
    for (ContestantEntry& entry : entries) entry.answerTime.red = true;
    return;
  }
  QuizScreen& quiz = game_.screen<QuizScreen>();
  // A game that ended without Back To Title left the quiz as it finished: the next
  // one starts from the screen Back To Title would have left.
  if (quiz.leftUnreset()) quiz.resetForNextGame(ClockFace::afterFinale);
  game_.screen<Introduction>().begin();
  // A countdown tune that will not open is reported, but the game is still set up:
  // otherwise the finale could keep the last game's button and skip the kill.
  std::optional<Error> tuneError;
  try {
    quiz.prepareForGame(entries);
  } catch (const Error& e) {
    tuneError = e;
  }
  game_.screen<Finale>().prepareForGame();
  if (tuneError) throw *tuneError;
}

void TitleScreen::onExit() {
  for (Contestant c : kBothContestants) namesBuffer.set(0 + c, entries[c].name);
  for (Contestant c : kBothContestants) namesBuffer.set(2 + c, entries[c].petName);
  for (Contestant c : kBothContestants) namesBuffer.set(4 + c, std::to_string(entries[c].petType));
  for (Contestant c : kBothContestants) namesBuffer.set(6 + c, entries[c].answerTime.text);
  // Like the lists: a names file that was never read is not replaced.
  saveListToFile(namesBuffer, kNamesFile, game_.ports.writeSteps);
  game_.screen<Introduction>().saveLists();
  game_.screen<Finale>().savePrizes();
  onClose();
}

void TitleScreen::onClose() {
  titleTune_.close();
  hide();
  game_.end();
}

void TitleScreen::onOpenSetup() {
  setupPanelVisible = true;
  settingsButton.visible = false;
}

void TitleScreen::onCloseSetup() {
  setupPanelVisible = false;
  settingsButton.visible = true;
}

void TitleScreen::onMore() {
  game_.screen<SettingsDialog>().show();
}

void TitleScreen::onRefresh() {
  readGroupList();
  groupBox.items = groupList;
}

void TitleScreen::onInternet() {
  game_.screen<InternetSites>().show();
}

void TitleScreen::reopenTitleTune() {
  titleTune_.open(kTitleTune);
}

void TitleScreen::putTitleTuneAway() {
  // Both steps are tried, whatever the first one says.
  try {
    titleTune_.stop();
  } catch (const Error&) {
  }
  try {
    titleTune_.close();
  } catch (const Error&) {
  }
}

MAKE_SCREEN(TitleScreen);

}  // namespace zndl
