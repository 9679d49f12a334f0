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

// The title and setup screen, the main screen: the contestants' entries, the choice
// of question group, Play, and the Exit that saves everything.
class TZNDLbox1 : public Screen {
 public:
  explicit TZNDLbox1(Game& game);

  // The contestants' entries, read live by every other screen.
  std::string Name1 = "Name1";
  std::string Name2 = "Name2";
  std::string PetName1 = "PetName1";
  std::string PetName2 = "PetName2";
  int PetType1 = 0;  // 0 Hamster, 1 Goldfish, 2 Mouse, 3 Dog
  int PetType2 = 0;
  ComboBox P1Time{"15", {"5", "10", "15"}};
  ComboBox P2Time{"15", {"5", "10", "15"}};
  ComboBox ComboBox1{kChooseAGroup, {"default.set"}};

  bool Panel1Visible = true;             // the setup panel
  Button Button1{"Settings", false};     // reopens the setup panel
  TextList Memo2{"Memo2"};               // the names buffer
  std::vector<std::string> FileListBox1;  // the group list, read once

  TunePlayer& MediaBox;  // the title tune

  void FormCreate();
  void PlayButClick();
  void ExitButClick();
  void FormClose();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button5Click();
  void Button6Click();
  void ComboBox1Change(const std::string& text);
  void close() override { FormClose(); }

  // Reads the *.set files of the working directory into the group list, once.
  void readGroupList();
  bool groupListRead() const { return groupListRead_; }

  static std::string petTypeText(int index);
  std::string petType1Text() const { return petTypeText(PetType1); }
  std::string petType2Text() const { return petTypeText(PetType2); }

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
