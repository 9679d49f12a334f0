#include "shell/zndl1.h"

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
  // Above 3 is a dog; below 0 is a hamster, so a contestant always has a pet.
  return static_cast<int>(std::clamp<long long>(*value, 0, 3));
}

}  // namespace

TZNDLbox1::TZNDLbox1(Game& game) : Screen(game, kAppTitle), MediaBox(game.ports.titleTune) {}

std::string TZNDLbox1::petTypeText(int index) {
  static const char* const kTypes[] = {"Hamster", "Goldfish", "Mouse", "Dog"};
  return (index >= 0 && index <= 3) ? kTypes[index] : "";
}

bool TZNDLbox1::storableEntry(std::string_view text) {
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

void TZNDLbox1::readGroupList() {
  if (groupListRead_) return;
  FileListBox1 = listGroupFiles(".");
  groupListRead_ = true;
}

void TZNDLbox1::FormCreate() {
  try {
    game_.ports.random.seedFromClock();
    MediaBox.open("ZNDL.MID");
    MediaBox.play();
    readNames();
  } catch (const Error&) {
    // The file list still reads the directory as the screen first comes up, so a
    // later Refresh shows the groups that were there at start; only the copy into the
    // drop-down is skipped with the rest of this step.
    readGroupList();
    throw;
  }
  readGroupList();
  ComboBox1.items = FileListBox1;
}

void TZNDLbox1::readNames() {
  Memo2.loadFromFile(kNamesFile);
  Name1 = Memo2.at(0);
  Name2 = Memo2.at(1);
  PetName1 = Memo2.at(2);
  PetName2 = Memo2.at(3);
  PetType1 = petTypeFromLine(Memo2.at(4));
  PetType2 = petTypeFromLine(Memo2.at(5));
  P1Time.text = Memo2.at(6);
  P2Time.text = Memo2.at(7);
}

void TZNDLbox1::ComboBox1Change(const std::string& text) {
  ComboBox1.text = text;
  game_.PlayBox.Questions.loadFromFile(text);
}

void TZNDLbox1::PlayButClick() {
  if (ComboBox1.text == kChooseAGroup) {
    Panel1Visible = true;
    ComboBox1.red = true;
    return;
  }
  if (!inList(P1Time) || !inList(P2Time)) {
    Panel1Visible = true;
    P1Time.red = true;
    P2Time.red = true;
    return;
  }
  game_.ChatBox.ChatText.text.clear();
  game_.ChatBox.show();
  game_.QuestionNo = 1;
  // A countdown tune that will not open is reported, but the game is still set up:
  // otherwise the finale could keep the last game's button and skip the kill.
  std::optional<Error> tuneError;
  try {
    game_.PlayBox.TimeTune.open(P1Time.text + ".MID");
  } catch (const Error& e) {
    tuneError = e;
  }
  game_.PlayBox.Label11.text = Name1;
  game_.PlayBox.Label12.text = Name2;
  game_.AnvilBox.Kill.caption = "Kill";
  if (tuneError) throw *tuneError;
}

void TZNDLbox1::ExitButClick() {
  Memo2.set(0, Name1);
  Memo2.set(1, Name2);
  Memo2.set(2, PetName1);
  Memo2.set(3, PetName2);
  Memo2.set(4, std::to_string(PetType1));
  Memo2.set(5, std::to_string(PetType2));
  Memo2.set(6, P1Time.text);
  Memo2.set(7, P2Time.text);
  Memo2.saveToFile(kNamesFile);
  game_.ChatBox.saveLists();
  game_.AnvilBox.savePrizes();
  FormClose();
}

void TZNDLbox1::FormClose() {
  MediaBox.close();
  hide();
  game_.end();
}

void TZNDLbox1::Button1Click() {
  Panel1Visible = true;
  Button1.visible = false;
}

void TZNDLbox1::Button2Click() {
  Panel1Visible = false;
  Button1.visible = true;
}

void TZNDLbox1::Button3Click() {
  game_.Form1.show();
}

void TZNDLbox1::Button5Click() {
  readGroupList();
  ComboBox1.items = FileListBox1;
}

void TZNDLbox1::Button6Click() {
  game_.Form3.show();
}

}  // namespace zndl
