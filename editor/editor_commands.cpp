// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QUndoStack>

#include "editor/editor_window.h"
#include "editor/quiz_preview.h"
#include "exchange/group_exchange.h"
#include "exchange/group_writer.h"
#include "platform/file_io.h"

// The window's commands on files (new, open, save, import, export, notes) and on rows.
namespace zndl::editor {

// ---- Files --------------------------------------------------------------------------

bool EditorWindow::openFile(const QString& path, QString* error) {
  const auto bytes = fileio::readAll(path.toStdString());
  if (!bytes) {
    if (error) *error = tr("Cannot read %1.").arg(path);
    return false;
  }
  model_->resetGroup(exchange::groupFromBytes(*bytes));
  file_ = QFileInfo(path).absoluteFilePath();
  setWindowModified(false);
  updateTitle();
  addRecent(file_);
  selectRow(0);
  updatePreview();
  return true;
}

bool EditorWindow::saveTo(const QString& path, QString* error) {
  std::string why;
  if (!saveGroup(path.toStdString(), model_->group(), why)) {
    if (error) *error = QString::fromStdString(why).trimmed();
    return false;
  }
  file_ = QFileInfo(path).absoluteFilePath();
  model_->undoStack()->setClean();
  setWindowModified(false);
  updateTitle();
  addRecent(file_);
  statusBar()->showMessage(tr("Saved %1").arg(file_), 5000);
  return true;
}

std::optional<exchange::Import> EditorWindow::readImport(const QString& path, QString* report) {
  const auto bytes = fileio::readAll(path.toStdString());
  if (!bytes) {
    if (report) *report = tr("Cannot read %1.").arg(path);
    return std::nullopt;
  }
  exchange::Import imported = exchange::importQuestions(path.toStdString(), *bytes);
  QStringList lines;
  const std::string name = QFileInfo(path).fileName().toStdString();
  for (const auto& p : imported.problems)
    lines << QString::fromStdString(exchange::describeProblem(name, p));
  if (report) *report = lines.join(QLatin1Char('\n'));
  return imported;
}

bool EditorWindow::importCsv(const QString& path, bool skipBadRows, QString* report) {
  const auto imported = readImport(path, report);
  if (!imported || !imported->acceptable(skipBadRows)) return false;
  takeImport(imported->group);
  return true;
}

void EditorWindow::takeImport(const Group& group) {
  model_->resetGroup(group);
  // An imported group is new: it has no file yet and is unsaved.
  file_.clear();
  model_->undoStack()->resetClean();
  setWindowModified(true);
  updateTitle();
  selectRow(0);
  updatePreview();
}

bool EditorWindow::exportCsv(const QString& path) {
  return fileio::replaceAtomically(path.toStdString(), exchange::exportCsv(model_->group()));
}

void EditorWindow::addRecent(const QString& path) {
  QSettings settings;
  QStringList recent = settings.value(QStringLiteral("recentFiles")).toStringList();
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > kMaxRecent) recent.removeLast();
  settings.setValue(QStringLiteral("recentFiles"), recent);
  rebuildRecentMenu();
}

void EditorWindow::rebuildRecentMenu() {
  if (!recentMenu_) return;
  recentMenu_->clear();
  const QStringList recent = QSettings().value(QStringLiteral("recentFiles")).toStringList();
  int n = 0;
  for (const QString& path : recent) {
    QAction* a = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(++n).arg(path));
    connect(a, &QAction::triggered, this, [this, path] {
      if (!maybeSave()) return;
      QString error;
      if (!openFile(path, &error)) ask_(QMessageBox::Warning, tr("Open"), error, QMessageBox::Ok);
    });
  }
  recentMenu_->setEnabled(!recent.isEmpty());
}

bool EditorWindow::maybeSave() {
  if (!isWindowModified()) return true;
  const auto answer = ask_(QMessageBox::Warning, tr("Unsaved changes"),
                           tr("The group has changes that are not saved. Save them?"),
                           QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  if (answer == QMessageBox::Save) return save();
  return answer == QMessageBox::Discard;
}

bool EditorWindow::confirmProblems() {
  const auto count = model_->problems().size();
  if (count == 0) return true;
  return ask_(QMessageBox::Warning, tr("Save"),
              tr("The group has %1, listed under Problems; the game would not ask "
                 "every question as you meant it. Save anyway?")
                  .arg(counted(static_cast<qsizetype>(count), "problem", "problems")),
              QMessageBox::Save | QMessageBox::Cancel) == QMessageBox::Save;
}

void EditorWindow::newGroup() {
  if (!maybeSave()) return;
  model_->resetGroup({});
  file_.clear();
  setWindowModified(false);
  updateTitle();
  preview_->clear();
}

void EditorWindow::open() {
  if (!maybeSave()) return;
  const QString path = QFileDialog::getOpenFileName(
      this, tr("Open group"), file_.isEmpty() ? playFolder() : QFileInfo(file_).absolutePath(),
      tr("Question groups (*.set);;All files (*)"));
  if (path.isEmpty()) return;
  QString error;
  if (!openFile(path, &error)) ask_(QMessageBox::Warning, tr("Open"), error, QMessageBox::Ok);
}

bool EditorWindow::save() {
  if (file_.isEmpty()) return saveAs();
  if (!confirmProblems()) return false;
  QString error;
  if (saveTo(file_, &error)) return true;
  ask_(QMessageBox::Critical, tr("Save"), error, QMessageBox::Ok);
  return false;
}

bool EditorWindow::saveAs() {
  if (!confirmProblems()) return false;
  QDir().mkpath(playFolder());
  QString path = QFileDialog::getSaveFileName(
      this, tr("Save group"),
      file_.isEmpty() ? playFolder() + QStringLiteral("/untitled.set") : file_,
      tr("Question groups (*.set)"));
  if (path.isEmpty()) return false;
  if (!path.endsWith(QStringLiteral(".set"))) path += QStringLiteral(".set");
  QString error;
  if (saveTo(path, &error)) return true;
  ask_(QMessageBox::Critical, tr("Save"), error, QMessageBox::Ok);
  return false;
}

void EditorWindow::importDialog() {
  if (!maybeSave()) return;
  const QString path = QFileDialog::getOpenFileName(
      this, tr("Import questions"), QDir::homePath(),
      tr("Spreadsheets and Open Trivia Database files (*.csv *.tsv *.txt *.json);;"
         "Spreadsheet text (*.csv *.tsv *.txt);;Open Trivia Database JSON (*.json);;"
         "All files (*)"));
  if (path.isEmpty()) return;
  QString report;
  const auto imported = readImport(path, &report);
  if (imported && imported->acceptable(false)) return takeImport(imported->group);
  if (imported && imported->acceptable(true)) {
    const auto answer =
        ask_(QMessageBox::Warning, tr("Import"),
             tr("%1 cannot be converted:").arg(counted(imported->refusedRows, "row", "rows")) +
                 QStringLiteral("\n\n") + report + QStringLiteral("\n\n") +
                 tr("Import the other %1 and leave these rows out?")
                     .arg(counted(static_cast<qsizetype>(imported->group.questions.size()),
                                  "question", "questions")),
             QMessageBox::Yes | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) takeImport(imported->group);
    return;
  }
  ask_(QMessageBox::Warning, tr("Import"),
       tr("Nothing was imported.") + QStringLiteral("\n\n") + report, QMessageBox::Ok);
}

void EditorWindow::exportDialog() {
  const QString base = file_.isEmpty()
                           ? QDir::homePath() + QStringLiteral("/untitled.csv")
                           : QFileInfo(file_).absolutePath() + QLatin1Char('/') +
                                 QFileInfo(file_).completeBaseName() + QStringLiteral(".csv");
  QString path = QFileDialog::getSaveFileName(this, tr("Export spreadsheet"), base,
                                              tr("Comma-separated values (*.csv)"));
  if (path.isEmpty()) return;
  if (!exportCsv(path))
    ask_(QMessageBox::Critical, tr("Export"), tr("Cannot write %1.").arg(path), QMessageBox::Ok);
}

void EditorWindow::editNotes() {
  QStringList lines;
  for (const auto& n : model_->group().notes) lines << QString::fromStdString(n);
  bool ok = false;
  const QString text = QInputDialog::getMultiLineText(
      this, tr("Notes"),
      tr("Lines before the first question (a title, notes); the game never shows them:"),
      lines.join(QLatin1Char('\n')), &ok);
  if (!ok) return;
  std::vector<std::string> notes;
  if (!text.isEmpty())
    for (const QString& line : text.split(QLatin1Char('\n'))) notes.push_back(line.toStdString());
  model_->setNotes(std::move(notes));
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (maybeSave())
    event->accept();
  else
    event->ignore();
}

// ---- Rows ---------------------------------------------------------------------------

void EditorWindow::addQuestion() {
  const int row = currentRow() < 0 ? model_->rowCount() : currentRow() + 1;
  model_->insertQuestion(row, {}, tr("Add question"));
  selectRow(row);
  table_->setFocus();
  table_->edit(model_->index(row, 0));
}

void EditorWindow::deleteQuestion() {
  const int row = currentRow();
  if (row < 0) return;
  const int column = table_->currentIndex().column();
  model_->removeQuestion(row);
  selectRow(std::min(row, model_->rowCount() - 1), column);
}

void EditorWindow::duplicateQuestion() {
  const int row = currentRow();
  if (row < 0) return;
  model_->insertQuestion(row + 1, model_->group().questions[static_cast<std::size_t>(row)],
                         tr("Duplicate question"));
  selectRow(row + 1, table_->currentIndex().column());
}

void EditorWindow::moveUp() {
  const int row = currentRow();
  if (row <= 0) return;
  const int column = table_->currentIndex().column();
  model_->moveQuestion(row, row - 1);
  selectRow(row - 1, column);
}

void EditorWindow::moveDown() {
  const int row = currentRow();
  if (row < 0 || row + 1 >= model_->rowCount()) return;
  const int column = table_->currentIndex().column();
  model_->moveQuestion(row, row + 1);
  selectRow(row + 1, column);
}

// ---- Find ---------------------------------------------------------------------------

void EditorWindow::showFind() {
  findBar_->show();
  findText_->setFocus();
  findText_->selectAll();
}

void EditorWindow::findNext(bool backwards) {
  const QString wanted = findText_->text();
  if (wanted.isEmpty()) return showFind();
  const int rows = model_->rowCount();
  const QModelIndex current = table_->currentIndex();
  // Cells in reading order: row by row, left to right.
  const int cells = rows * GroupTableModel::kColumns;
  const int start = current.isValid() ? current.row() * GroupTableModel::kColumns + current.column()
                                      : (backwards ? cells : -1);
  for (int step = 1; step <= cells; ++step) {
    const int at = ((start + (backwards ? -step : step)) % cells + cells) % cells;
    const QModelIndex i =
        model_->index(at / GroupTableModel::kColumns, at % GroupTableModel::kColumns);
    if (i.data(Qt::EditRole).toString().contains(wanted, Qt::CaseInsensitive)) {
      selectRow(i.row(), i.column());
      findStatus_->clear();
      return;
    }
  }
  findStatus_->setText(tr("  not found"));
}

}  // namespace zndl::editor
