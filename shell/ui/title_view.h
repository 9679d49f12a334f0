// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "shell/ui/screen_view.h"
#include "shell/title_screen.h"

namespace zndl {

// The window of the title and setup screen: the title picture, Play, Exit, the
// Internet and Settings buttons, and the setup panel with both contestants' entries
// and the question group box. Every edit goes to the screen at once; sync() shows
// what the screen holds.
class TitleView : public ScreenView {
 public:
  explicit TitleView(App& app);
  void sync() override;

  QFrame* setupPanel() const { return setupPanel_; }
  QComboBox* groupBox() const { return groups_; }
  QComboBox* p1TimeBox() const { return p1Time_; }
  QComboBox* p2TimeBox() const { return p2Time_; }

 private:
  struct Entry {
    QLineEdit* edit;
    std::string TitleScreen::*field;
  };
  struct PetTypeGroup {
    QButtonGroup* group;
    int TitleScreen::*field;
  };

  void buildPanel();
  void orderTabs();
  void makeEntry(const char* name, QRect place, std::string TitleScreen::*field,
                 const char* spokenName);
  void makePetType(const char* name, QRect place, int TitleScreen::*field, const char* spokenName);
  QComboBox* makeDropDown(const char* name, QRect place, bool storedInNames);
  QLabel* makePanelLabel(const char* name, QPoint at, const char* text);
  void syncDropDown(QComboBox* widget, const ComboBox& box);

  TitleScreen& screen_;
  QFrame* setupPanel_ = nullptr;
  QPushButton* settings_ = nullptr;
  QComboBox* p1Time_ = nullptr;
  QComboBox* p2Time_ = nullptr;
  QComboBox* groups_ = nullptr;
  QColor normalText_;
  std::vector<Entry> entries_;
  std::vector<PetTypeGroup> petTypes_;
};

}  // namespace zndl
