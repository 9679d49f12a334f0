// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/group_table_model.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QIcon>
#include <QMimeData>
#include <QStyle>
#include <QUndoCommand>

namespace zndl::editor {
namespace {

constexpr const char* kRowMime = "application/x-zandoodle-question-row";

QString qs(const std::string& s) {
  return QString::fromStdString(s);
}

QString joined(const std::vector<std::string>& answers, const char* separator) {
  QStringList parts;
  for (const auto& a : answers) parts << qs(a);
  return parts.join(QString::fromLatin1(separator));
}

class InsertCommand : public QUndoCommand {
 public:
  InsertCommand(GroupTableModel& model, int row, Question q, const QString& text)
      : QUndoCommand(text), model_(model), row_(row), question_(std::move(q)) {}
  void redo() override { model_.applyInsert(row_, question_); }
  void undo() override { model_.applyRemove(row_); }

 private:
  GroupTableModel& model_;
  int row_;
  Question question_;
};

class RemoveCommand : public QUndoCommand {
 public:
  RemoveCommand(GroupTableModel& model, int row)
      : QUndoCommand(QObject::tr("Delete question")),
        model_(model),
        row_(row),
        question_(model.group().questions[static_cast<std::size_t>(row)]) {}
  void redo() override { model_.applyRemove(row_); }
  void undo() override { model_.applyInsert(row_, question_); }

 private:
  GroupTableModel& model_;
  int row_;
  Question question_;
};

class MoveCommand : public QUndoCommand {
 public:
  MoveCommand(GroupTableModel& model, int from, int to)
      : QUndoCommand(QObject::tr("Move question")), model_(model), from_(from), to_(to) {}
  void redo() override { model_.applyMove(from_, to_); }
  void undo() override { model_.applyMove(to_, from_); }

 private:
  GroupTableModel& model_;
  int from_;
  int to_;
};

class SetCommand : public QUndoCommand {
 public:
  SetCommand(GroupTableModel& model, int row, Question after, const QString& text)
      : QUndoCommand(text),
        model_(model),
        row_(row),
        before_(model.group().questions[static_cast<std::size_t>(row)]),
        after_(std::move(after)) {}
  void redo() override { model_.applySet(row_, after_); }
  void undo() override { model_.applySet(row_, before_); }

 private:
  GroupTableModel& model_;
  int row_;
  Question before_;
  Question after_;
};

class NotesCommand : public QUndoCommand {
 public:
  NotesCommand(GroupTableModel& model, std::vector<std::string> after)
      : QUndoCommand(QObject::tr("Edit notes")),
        model_(model),
        before_(model.group().notes),
        after_(std::move(after)) {}
  void redo() override { model_.applyNotes(after_); }
  void undo() override { model_.applyNotes(before_); }

 private:
  GroupTableModel& model_;
  std::vector<std::string> before_;
  std::vector<std::string> after_;
};

}  // namespace

GroupTableModel::GroupTableModel(const check::TextMeasurer& measurer, QObject* parent)
    : QAbstractTableModel(parent), measurer_(measurer) {
  recheck();
}

void GroupTableModel::resetGroup(Group group) {
  beginResetModel();
  group_ = std::move(group);
  endResetModel();
  undo_.clear();
  undo_.setClean();
  recheck();
}

void GroupTableModel::insertQuestion(int row, Question question, const QString& what) {
  row = std::clamp(row, 0, rowCount());
  undo_.push(new InsertCommand(*this, row, std::move(question), what));
}

void GroupTableModel::removeQuestion(int row) {
  if (row < 0 || row >= rowCount()) return;
  undo_.push(new RemoveCommand(*this, row));
}

void GroupTableModel::moveQuestion(int from, int to) {
  if (from < 0 || from >= rowCount() || to < 0 || to >= rowCount() || from == to) return;
  undo_.push(new MoveCommand(*this, from, to));
}

void GroupTableModel::setQuestion(int row, Question question, const QString& what) {
  if (row < 0 || row >= rowCount()) return;
  if (group_.questions[static_cast<std::size_t>(row)] == question) return;
  undo_.push(new SetCommand(*this, row, std::move(question), what));
}

void GroupTableModel::setNotes(std::vector<std::string> notes) {
  if (notes == group_.notes) return;
  undo_.push(new NotesCommand(*this, std::move(notes)));
}

void GroupTableModel::applyInsert(int row, const Question& question) {
  beginInsertRows({}, row, row);
  group_.questions.insert(group_.questions.begin() + row, question);
  endInsertRows();
  recheck();
}

void GroupTableModel::applyRemove(int row) {
  beginRemoveRows({}, row, row);
  group_.questions.erase(group_.questions.begin() + row);
  endRemoveRows();
  recheck();
}

void GroupTableModel::applyMove(int from, int to) {
  // Qt counts the destination before the move: moving down lands before row to + 1.
  beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
  Question q = std::move(group_.questions[static_cast<std::size_t>(from)]);
  group_.questions.erase(group_.questions.begin() + from);
  group_.questions.insert(group_.questions.begin() + to, std::move(q));
  endMoveRows();
  recheck();
}

void GroupTableModel::applySet(int row, const Question& question) {
  group_.questions[static_cast<std::size_t>(row)] = question;
  emit dataChanged(index(row, 0), index(row, kColumns - 1));
  recheck();
}

void GroupTableModel::applyNotes(const std::vector<std::string>& notes) {
  group_.notes = notes;
  recheck();
}

void GroupTableModel::recheck() {
  problems_ = checkCells(group_, measurer_);
  cellProblems_.clear();
  for (const auto& p : problems_) {
    const int column = p.place.row < 0 ? -1 : static_cast<int>(p.place.column);
    cellProblems_[{p.place.row, column}] << qs(p.message);
  }
  if (rowCount() > 0)
    emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1),
                     {Qt::BackgroundRole, Qt::ToolTipRole, Qt::DecorationRole});
  emit problemsChanged();
}

QStringList GroupTableModel::problemsAt(int row, int column) const {
  const auto it = cellProblems_.find({row, column});
  return it == cellProblems_.end() ? QStringList() : it->second;
}

int GroupTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(group_.questions.size());
}

int GroupTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant GroupTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Question& q = group_.questions[static_cast<std::size_t>(index.row())];
  const auto column = static_cast<Column>(index.column());
  const auto& answers = column == Column::Right ? q.right : q.wrong;
  switch (role) {
    case Qt::DisplayRole:
      return column == Column::Question ? qs(q.text) : joined(answers, kAnswerSeparator);
    case Qt::EditRole:
      return column == Column::Question ? qs(q.text) : joined(answers, "\n");
    case Qt::ToolTipRole: {
      const QStringList messages = problemsAt(index.row(), index.column());
      if (!messages.isEmpty()) return messages.join(QStringLiteral("\n"));
      return column == Column::Question ? QVariant() : QVariant(joined(answers, "\n"));
    }
    case Qt::BackgroundRole:
      if (!problemsAt(index.row(), index.column()).isEmpty()) return QBrush(QColor(255, 205, 205));
      return {};
    case Qt::DecorationRole:
      if (!problemsAt(index.row(), index.column()).isEmpty())
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
      return {};
    default:
      return {};
  }
}

std::vector<std::string> GroupTableModel::answersFromText(const QString& text) {
  std::vector<std::string> out;
  QString normal = text;
  normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  for (const QString& line : normal.split(QLatin1Char('\n')))
    if (!line.isEmpty()) out.push_back(line.toStdString());
  return out;
}

bool GroupTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || index.row() >= rowCount()) return false;
  Question q = group_.questions[static_cast<std::size_t>(index.row())];
  const QString text = value.toString();
  QString what;
  switch (static_cast<Column>(index.column())) {
    case Column::Question:
      q.text = text.toStdString();
      what = tr("Edit question");
      break;
    case Column::Right:
      q.right = answersFromText(text);
      what = tr("Edit right answers");
      break;
    case Column::Wrong:
      q.wrong = answersFromText(text);
      what = tr("Edit wrong answers");
      break;
  }
  setQuestion(index.row(), std::move(q), what);
  return true;
}

Qt::ItemFlags GroupTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::ItemIsDropEnabled;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled;
}

QVariant GroupTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  if (orientation == Qt::Vertical) return section + 1;
  switch (section) {
    case 0:
      return tr("Question");
    case 1:
      return tr("Right answers");
    case 2:
      return tr("Wrong answers");
    default:
      return {};
  }
}

Qt::DropActions GroupTableModel::supportedDropActions() const {
  return Qt::MoveAction;
}

QStringList GroupTableModel::mimeTypes() const {
  return {QString::fromLatin1(kRowMime)};
}

QMimeData* GroupTableModel::mimeData(const QModelIndexList& indexes) const {
  if (indexes.isEmpty()) return nullptr;
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kRowMime), QByteArray::number(indexes.first().row()));
  return data;
}

bool GroupTableModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                      const QModelIndex&) const {
  return data && action == Qt::MoveAction && data->hasFormat(QString::fromLatin1(kRowMime));
}

bool GroupTableModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                   const QModelIndex& parent) {
  if (!canDropMimeData(data, action, row, 0, parent)) return false;
  bool ok = false;
  const int from = data->data(QString::fromLatin1(kRowMime)).toInt(&ok);
  if (!ok || from < 0 || from >= rowCount()) return false;
  int before = row >= 0 ? row : parent.isValid() ? parent.row() : rowCount();
  const int to = std::clamp(before > from ? before - 1 : before, 0, rowCount() - 1);
  moveQuestion(from, to);
  // The move is done; telling the view the drop failed keeps it from removing the
  // dragged row as it does after an ordinary move.
  return false;
}

}  // namespace zndl::editor
