// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "shell/title_screen.h"
#include "shell/ui/screen_view.h"

namespace zndl {

class JoinPanel;

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
  QComboBox* answerTimeBox(Contestant contestant) const { return answerTimes_[contestant]; }

 private:
  struct Entry {
    QLineEdit* edit;
    Contestant contestant;
    std::string ContestantEntry::*field;
  };
  struct PetTypeGroup {
    QButtonGroup* group;
    Contestant contestant;
  };

  void buildPanel();
  void orderTabs();
  void makeEntry(const char* name, QRect place, Contestant contestant,
                 std::string ContestantEntry::*field, const char* spokenName);
  void makePetType(const char* name, QRect place, Contestant contestant, const char* spokenName);
  QComboBox* makeAnswerTime(const char* name, QRect place, Contestant contestant,
                            const char* spokenName);
  QComboBox* makeDropDown(const char* name, QRect place, bool storedInNames);
  QLabel* makePanelLabel(const char* name, QPoint at, const char* text);
  void syncDropDown(QComboBox* widget, const ComboBox& box);

  TitleScreen& screen_;
  QFrame* setupPanel_ = nullptr;
  QPushButton* settings_ = nullptr;
  Contestants<QComboBox*> answerTimes_{nullptr, nullptr};
  QComboBox* groups_ = nullptr;
  JoinPanel* joinPanel_ = nullptr;
  QColor normalText_;
  std::vector<Entry> entries_;
  std::vector<PetTypeGroup> petTypes_;
};

}  // namespace zndl
