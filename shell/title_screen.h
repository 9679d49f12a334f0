// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/text_list.h"
#include "platform/ports.h"
#include "shell/contestants.h"
#include "shell/pet_type.h"
#include "shell/screen.h"

namespace zndl {

inline constexpr const char* kChooseAGroup = "CHOOSE A GROUP";
inline constexpr const char* kNamesFile = "names.etc";
inline constexpr const char* kTitleTune = "ZNDL.MID";
// The most characters a name or a pet's name field takes.
inline constexpr std::size_t kEntryLength = 32767;

// One contestant's entries on the setup panel, read live by every other screen.
struct ContestantEntry {
  std::string name;
  std::string petName;
  int petType = kHamster;  // a PetType
  ComboBox answerTime{"15", {"5", "10", "15"}};

  std::string petTypeText() const { return zndl::petTypeText(petType); }
};

// The title and setup screen, the main screen: the contestants' entries, the choice
// of question group, Play, and the Exit that saves everything.
class TitleScreen : public Screen {
 public:
  explicit TitleScreen(Game& game);

  Contestants<ContestantEntry> entries{{"Name1", "PetName1"}, {"Name2", "PetName2"}};
  ComboBox groupBox{kChooseAGroup, {"default.set"}};

  bool setupPanelVisible = true;             // the setup panel
  Button settingsButton{"Settings", false};  // reopens the setup panel
  TextList namesBuffer{"Memo2"};             // the names buffer
  std::vector<std::string> groupList;        // the group list, read once

  void create();
  void onPlay();
  void onExit();
  void onClose();
  void onOpenSetup();
  void onCloseSetup();
  void onMore();
  void onRefresh();
  void onInternet();
  void onGroupChanged(const std::string& text);
  void close() override { onClose(); }

  // The title tune after a game: opened again, but not started.
  void reopenTitleTune();
  // The title tune put away for good as an introduction ends. A tune whose file never
  // opened may refuse to stop or close; that refusal is no reason to stop the game.
  void putTitleTuneAway();

  // Reads the *.set files of the working directory into the group list, once.
  void readGroupList();

  // Whether a typed text can be kept in names.etc as it is: one line, and only
  // characters the file's code page holds.
  static bool storableEntry(std::string_view text);

 private:
  void readNames();
  TunePlayer& titleTune_;
  bool groupListRead_ = false;
};

// The names of the *.set files in `directory`: regular, not hidden, sorted ignoring case.
std::vector<std::string> listGroupFiles(const std::string& directory);

}  // namespace zndl
