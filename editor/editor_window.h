// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QString>
#include <functional>
#include <optional>

#include "editor/group_table_model.h"
#include "editor/quiz_font.h"
#include "exchange/group_exchange.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTableView;
class QToolBar;

namespace zndl::editor {

class QuizPreview;

// The question group editor's main window: the table of questions, the checker's
// problems, a preview of the selected question as the quiz screen shows it, and the
// File, Edit and Question menus.
class EditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit EditorWindow(QWidget* parent = nullptr);

  // Opens a group file (any layout); false, with the reason in `error`, when it
  // cannot be read. Does not ask about unsaved changes.
  bool openFile(const QString& path, QString* error = nullptr);
  // Saves in the sectioned layout; false when the group cannot be written. Does not
  // warn about the checker's problems.
  bool saveTo(const QString& path, QString* error = nullptr);
  // Replaces the group with the rows of a spreadsheet or the questions of an Open
  // Trivia Database file (exchange::importQuestions tells which), as an untitled group;
  // false when nothing was imported. With skipBadRows the rows that convert are taken.
  bool importCsv(const QString& path, bool skipBadRows, QString* report = nullptr);
  bool exportCsv(const QString& path);

  GroupTableModel& model() { return *model_; }
  QTableView* table() const { return table_; }
  QuizPreview* preview() const { return preview_; }
  QListWidget* problemList() const { return problems_; }
  QString currentFile() const { return file_; }
  bool isModified() const { return isWindowModified(); }

  // Asks the user a question; tests put an answer of their own in its place.
  using Asker = std::function<QMessageBox::StandardButton(
      QMessageBox::Icon, const QString& title, const QString& text, QMessageBox::StandardButtons)>;
  void setAsker(Asker asker) { ask_ = std::move(asker); }

  // The folder the game plays from, where groups are saved by default.
  static QString playFolder();
  static constexpr int kMaxRecent = 8;

  // The actions, for the keyboard and for tests.
  QAction* action(const QString& name) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildActions();
  void buildMenus();
  void buildDocks();
  void updateTitle();
  void updateActions();
  void updatePreview();
  void updateProblems();
  void addRecent(const QString& path);
  void rebuildRecentMenu();
  // Offers to save unsaved changes; false when the user cancels.
  bool maybeSave();
  bool confirmProblems();
  // The file read and converted, its problems in `report` as "FILE:ROW: explanation"
  // lines; nothing, with the reason in `report`, when it cannot be read.
  std::optional<exchange::Import> readImport(const QString& path, QString* report);
  // Puts imported rows in place of the group, as an untitled group.
  void takeImport(const Group& group);

  void newGroup();
  void open();
  bool save();
  bool saveAs();
  void importDialog();
  void exportDialog();
  void editNotes();
  void addQuestion();
  void deleteQuestion();
  void duplicateQuestion();
  void moveUp();
  void moveDown();
  void showFind();
  void findNext(bool backwards);
  int currentRow() const;
  void selectRow(int row, int column = 0);

  QuizFontMeasurer measurer_;
  GroupTableModel* model_;
  QTableView* table_;
  QuizPreview* preview_;
  QListWidget* problems_;
  QToolBar* findBar_;
  QLineEdit* findText_;
  QLabel* findStatus_;
  QLabel* summary_ = nullptr;
  QMenu* recentMenu_;
  QString file_;
  Asker ask_;
};

// "1 question", "2 questions".
QString counted(qsizetype n, const char* one, const char* many);

}  // namespace zndl::editor
