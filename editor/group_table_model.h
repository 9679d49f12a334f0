// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QUndoStack>
#include <map>
#include <utility>
#include <vector>

#include "checker/group_check.h"
#include "editor/group_checks.h"
#include "editor/group_model.h"

// The table of the editor: a row per question, columns Question, Right answers and
// Wrong answers. A cell with several answers shows them joined with " | " and is
// edited one answer a line. Every change goes through the undo stack, and after every
// change the checker looks at the whole group again; its findings colour the cells.
namespace zndl::editor {

class GroupTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 3;
  static constexpr const char* kAnswerSeparator = " | ";

  // `measurer` measures text at the quiz screen's font and must outlive the model.
  explicit GroupTableModel(const check::TextMeasurer& measurer, QObject* parent = nullptr);

  const Group& group() const { return group_; }
  // Starts afresh on another group: no undo history, nothing modified.
  void resetGroup(Group group);
  QUndoStack* undoStack() { return &undo_; }

  // Undoable edits.
  void insertQuestion(int row, Question question, const QString& what);
  void removeQuestion(int row);
  void moveQuestion(int from, int to);
  void setQuestion(int row, Question question, const QString& what);
  void setNotes(std::vector<std::string> notes);

  const std::vector<CellProblem>& problems() const { return problems_; }
  // The messages on one cell (column -1: the problems of the whole group).
  QStringList problemsAt(int row, int column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Dragging rows to reorder them.
  Qt::DropActions supportedDropActions() const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

  // The cell's answers from the text of its editor: one a line, empty lines left out.
  static std::vector<std::string> answersFromText(const QString& text);

  // Applied by the undo commands only.
  void applyInsert(int row, const Question& question);
  void applyRemove(int row);
  void applyMove(int from, int to);
  void applySet(int row, const Question& question);
  void applyNotes(const std::vector<std::string>& notes);

 signals:
  void problemsChanged();

 private:
  void recheck();

  const check::TextMeasurer& measurer_;
  Group group_;
  QUndoStack undo_;
  std::vector<CellProblem> problems_;
  std::map<std::pair<int, int>, QStringList> cellProblems_;  // (row, column) -> messages
};

}  // namespace zndl::editor
