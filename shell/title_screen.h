// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/text_list.h"
#include "platform/ports.h"
#include "shell/screen.h"

namespace zndl {

inline constexpr const char* kChooseAGroup = "CHOOSE A GROUP";
inline constexpr const char* kNamesFile = "names.etc";

// A contestant's pet, as names.etc stores it and the title screen's radio buttons
// offer it.
enum PetType : int {
  kHamster = 0,
  kGoldfish = 1,
  kMouse = 2,
  kDog = 3,
};

// The title and setup screen, the main screen: the contestants' entries, the choice
// of question group, Play, and the Exit that saves everything.
class TitleScreen : public Screen {
 public:
  explicit TitleScreen(Game& game);

  // The contestants' entries, read live by every other screen.
  std::string name1 = "Name1";
  std::string name2 = "Name2";
  std::string petName1 = "PetName1";
  std::string petName2 = "PetName2";
  int petType1 = kHamster;  // PetType
  int petType2 = kHamster;
  ComboBox answerTime1{"15", {"5", "10", "15"}};
  ComboBox answerTime2{"15", {"5", "10", "15"}};
  ComboBox groupBox{kChooseAGroup, {"default.set"}};

  bool setupPanelVisible = true;             // the setup panel
  Button settingsButton{"Settings", false};  // reopens the setup panel
  TextList namesBuffer{"Memo2"};             // the names buffer
  std::vector<std::string> groupList;        // the group list, read once

  TunePlayer& titleTune;  // the title tune

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

  // Reads the *.set files of the working directory into the group list, once.
  void readGroupList();

  static std::string petTypeText(int index);
  std::string petType1Text() const { return petTypeText(petType1); }
  std::string petType2Text() const { return petTypeText(petType2); }

  // Whether a typed text can be kept in names.etc as it is: one line, and only
  // characters the file's code page holds.
  static bool storableEntry(std::string_view text);

 private:
  void readNames();
  bool groupListRead_ = false;
};

// The names of the *.set files in `directory`: regular, not hidden, sorted ignoring case.
std::vector<std::string> listGroupFiles(const std::string& directory);

}  // namespace zndl
