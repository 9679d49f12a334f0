// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/title_screen.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "platform/cp1252.h"
#include "platform/error.h"
#include "platform/numbers.h"
#include "shell/game.h"

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

TitleScreen::TitleScreen(Game& game) : Screen(game, kAppTitle), titleTune(game.ports.titleTune) {}

std::string TitleScreen::petTypeText(int index) {
  static const char* const kTypes[] = {"Hamster", "Goldfish", "Mouse", "Dog"};
  return (index >= kHamster && index <= kDog) ? kTypes[index] : "";
}

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
    titleTune.open("ZNDL.MID");
    titleTune.play();
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

void TitleScreen::readNames() {
  namesBuffer.loadFromFile(kNamesFile);
  name1 = namesBuffer.at(0);
  name2 = namesBuffer.at(1);
  petName1 = namesBuffer.at(2);
  petName2 = namesBuffer.at(3);
  petType1 = petTypeFromLine(namesBuffer.at(4));
  petType2 = petTypeFromLine(namesBuffer.at(5));
  answerTime1.text = namesBuffer.at(6);
  answerTime2.text = namesBuffer.at(7);
}

void TitleScreen::onGroupChanged(const std::string& text) {
  groupBox.text = text;
  game_.quizScreen.questions.loadFromFile(text);
}

void TitleScreen::onPlay() {
  if (groupBox.text == kChooseAGroup) {
    setupPanelVisible = true;
    groupBox.red = true;
    return;
  }
  if (!inList(answerTime1) || !inList(answerTime2)) {
    setupPanelVisible = true;
    answerTime1.red = true;
    answerTime2.red = true;
    return;
  }
  // A game that ended without Back To Title left the quiz as it finished: the next
  // one starts from the screen Back To Title would have left.
  if (game_.quizScreen.leftUnreset()) game_.quizScreen.resetForNextGame(kCountdownAfterFinale);
  game_.introduction.hostLine.text.clear();
  game_.introduction.show();
  game_.questionNo = 1;
  // A countdown tune that will not open is reported, but the game is still set up:
  // otherwise the finale could keep the last game's button and skip the kill.
  std::optional<Error> tuneError;
  try {
    game_.quizScreen.countdownTune.open(answerTime1.text + ".MID");
  } catch (const Error& e) {
    tuneError = e;
  }
  game_.quizScreen.playerName1.text = name1;
  game_.quizScreen.playerName2.text = name2;
  game_.finale.killButton.caption = "Kill";
  if (tuneError) throw *tuneError;
}

void TitleScreen::onExit() {
  namesBuffer.set(0, name1);
  namesBuffer.set(1, name2);
  namesBuffer.set(2, petName1);
  namesBuffer.set(3, petName2);
  namesBuffer.set(4, std::to_string(petType1));
  namesBuffer.set(5, std::to_string(petType2));
  namesBuffer.set(6, answerTime1.text);
  namesBuffer.set(7, answerTime2.text);
  // Like the lists: a names file that was never read is not replaced.
  saveListToFile(namesBuffer, kNamesFile);
  game_.introduction.saveLists();
  game_.finale.savePrizes();
  onClose();
}

void TitleScreen::onClose() {
  titleTune.close();
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
  game_.settingsDialog.show();
}

void TitleScreen::onRefresh() {
  readGroupList();
  groupBox.items = groupList;
}

void TitleScreen::onInternet() {
  game_.internetSites.show();
}

}  // namespace zndl
