// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include "editor/answer_delegate.h"
#include "editor/quiz_preview.h"

namespace zndl::editor {
namespace {

QString columnName(Column c) {
  switch (c) {
    case Column::Question:
      return QObject::tr("Question");
    case Column::Right:
      return QObject::tr("Right answers");
    case Column::Wrong:
      return QObject::tr("Wrong answers");
  }
  return {};
}

QMessageBox::StandardButton askWithBox(QWidget* parent, QMessageBox::Icon icon,
                                       const QString& title, const QString& text,
                                       QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

// "1 question", "2 questions".
QString counted(qsizetype n, const char* one, const char* many) {
  return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}

EditorWindow::EditorWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("EditorWindow"));
  ask_ = [this](QMessageBox::Icon icon, const QString& title, const QString& text,
                QMessageBox::StandardButtons buttons) {
    return askWithBox(this, icon, title, text, buttons);
  };
  model_ = new GroupTableModel(measurer_, this);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("QuestionTable"));
  table_->setModel(model_);
  table_->setItemDelegate(new AnswerDelegate(table_));
  table_->setSelectionBehavior(QAbstractItemView::SelectItems);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  table_->setDragEnabled(true);
  table_->setAcceptDrops(true);
  table_->setDropIndicatorShown(true);
  table_->setDragDropMode(QAbstractItemView::InternalMove);
  table_->setDefaultDropAction(Qt::MoveAction);
  table_->setWordWrap(false);
  table_->setTabKeyNavigation(true);
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Interactive);
  table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Interactive);
  table_->setColumnWidth(1, 180);
  table_->setColumnWidth(2, 300);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 10);
  setCentralWidget(table_);

  buildActions();
  buildDocks();
  buildMenus();

  connect(model_->undoStack(), &QUndoStack::cleanChanged, this,
          [this](bool clean) { setWindowModified(!clean); });
  connect(model_, &GroupTableModel::problemsChanged, this, [this] {
    updateProblems();
    updatePreview();
  });
  connect(model_, &QAbstractItemModel::rowsInserted, this, &EditorWindow::updateActions);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, &EditorWindow::updateActions);
  connect(model_, &QAbstractItemModel::modelReset, this, &EditorWindow::updateActions);
  connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
    updatePreview();
    updateActions();
  });

  resize(1100, 680);
  updateTitle();
  updateActions();
  updateProblems();
}

QString EditorWindow::playFolder() {
  QString base = qEnvironmentVariable("XDG_DATA_HOME");
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
  return base + QStringLiteral("/zandoodle");
}

QAction* EditorWindow::action(const QString& name) const {
  return findChild<QAction*>(name);
}

void EditorWindow::buildActions() {
  const auto make = [this](const QString& name, const QString& text, QKeySequence key, auto slot,
                           QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    if (icon != QStyle::SP_CustomBase) a->setIcon(style()->standardIcon(icon));
    connect(a, &QAction::triggered, this, slot);
    addAction(a);
    return a;
  };
  make(QStringLiteral("new"), tr("&New group"), QKeySequence::New, &EditorWindow::newGroup,
       QStyle::SP_FileIcon);
  make(QStringLiteral("open"), tr("&Open..."), QKeySequence::Open, &EditorWindow::open,
       QStyle::SP_DialogOpenButton);
  make(QStringLiteral("save"), tr("&Save"), QKeySequence::Save, &EditorWindow::save,
       QStyle::SP_DialogSaveButton);
  make(QStringLiteral("saveAs"), tr("Save &As..."), QKeySequence::SaveAs, &EditorWindow::saveAs);
  make(QStringLiteral("import"), tr("&Import..."), QKeySequence(), &EditorWindow::importDialog);
  make(QStringLiteral("export"), tr("&Export CSV..."), QKeySequence(), &EditorWindow::exportDialog);
  make(QStringLiteral("quit"), tr("&Quit"), QKeySequence::Quit, &EditorWindow::close);
  make(QStringLiteral("notes"), tr("&Notes..."), QKeySequence(), &EditorWindow::editNotes);
  make(QStringLiteral("add"), tr("&Add question"), QKeySequence(Qt::CTRL | Qt::Key_Insert),
       &EditorWindow::addQuestion, QStyle::SP_FileDialogNewFolder);
  make(QStringLiteral("delete"), tr("&Delete question"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
       &EditorWindow::deleteQuestion, QStyle::SP_TrashIcon);
  make(QStringLiteral("duplicate"), tr("D&uplicate question"), QKeySequence(Qt::CTRL | Qt::Key_D),
       &EditorWindow::duplicateQuestion, QStyle::SP_FileLinkIcon);
  make(QStringLiteral("moveUp"), tr("Move &up"), QKeySequence(Qt::CTRL | Qt::Key_Up),
       &EditorWindow::moveUp, QStyle::SP_ArrowUp);
  make(QStringLiteral("moveDown"), tr("Move do&wn"), QKeySequence(Qt::CTRL | Qt::Key_Down),
       &EditorWindow::moveDown, QStyle::SP_ArrowDown);
  make(QStringLiteral("find"), tr("&Find..."), QKeySequence::Find, &EditorWindow::showFind);
  make(QStringLiteral("findNext"), tr("Find &next"), QKeySequence::FindNext,
       [this] { findNext(false); });
  make(QStringLiteral("findPrevious"), tr("Find &previous"), QKeySequence::FindPrevious,
       [this] { findNext(true); });
  make(QStringLiteral("shuffle"), tr("S&huffle preview"), QKeySequence(Qt::CTRL | Qt::Key_R),
       [this] { preview_->shuffle(); });

  QAction* undo = model_->undoStack()->createUndoAction(this, tr("&Undo"));
  undo->setObjectName(QStringLiteral("undo"));
  undo->setIconText(tr("Undo"));
  undo->setShortcut(QKeySequence::Undo);
  undo->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
  QAction* redo = model_->undoStack()->createRedoAction(this, tr("&Redo"));
  redo->setObjectName(QStringLiteral("redo"));
  redo->setIconText(tr("Redo"));
  redo->setShortcut(QKeySequence::Redo);
  redo->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
  addAction(undo);
  addAction(redo);
}

void EditorWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(action(QStringLiteral("new")));
  file->addAction(action(QStringLiteral("open")));
  recentMenu_ = file->addMenu(tr("Open &recent"));
  recentMenu_->setObjectName(QStringLiteral("recentMenu"));
  file->addAction(action(QStringLiteral("save")));
  file->addAction(action(QStringLiteral("saveAs")));
  file->addSeparator();
  file->addAction(action(QStringLiteral("import")));
  file->addAction(action(QStringLiteral("export")));
  file->addSeparator();
  file->addAction(action(QStringLiteral("quit")));
  rebuildRecentMenu();

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(action(QStringLiteral("undo")));
  edit->addAction(action(QStringLiteral("redo")));
  edit->addSeparator();
  edit->addAction(action(QStringLiteral("find")));
  edit->addAction(action(QStringLiteral("findNext")));
  edit->addAction(action(QStringLiteral("findPrevious")));
  edit->addSeparator();
  edit->addAction(action(QStringLiteral("notes")));

  QMenu* question = menuBar()->addMenu(tr("&Question"));
  for (const char* name : {"add", "duplicate", "delete", "moveUp", "moveDown", "shuffle"})
    question->addAction(action(QString::fromLatin1(name)));

  QToolBar* tools = addToolBar(tr("Tools"));
  tools->setObjectName(QStringLiteral("mainToolBar"));
  tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  for (const char* name : {"new", "open", "save"})
    tools->addAction(action(QString::fromLatin1(name)));
  tools->addSeparator();
  for (const char* name : {"undo", "redo"}) tools->addAction(action(QString::fromLatin1(name)));
  tools->addSeparator();
  for (const char* name : {"add", "duplicate", "delete", "moveUp", "moveDown"})
    tools->addAction(action(QString::fromLatin1(name)));
  // Short captions on the tool bar; the menus keep the full ones.
  const std::pair<const char*, QString> captions[] = {
      {"new", tr("New")},       {"add", tr("Add")},   {"duplicate", tr("Duplicate")},
      {"delete", tr("Delete")}, {"moveUp", tr("Up")}, {"moveDown", tr("Down")}};
  for (const auto& [name, caption] : captions)
    action(QString::fromLatin1(name))->setIconText(caption);

  findBar_ = new QToolBar(tr("Find"), this);
  findBar_->setObjectName(QStringLiteral("findBar"));
  findText_ = new QLineEdit(findBar_);
  findText_->setObjectName(QStringLiteral("findText"));
  findText_->setPlaceholderText(tr("Find in questions and answers"));
  findText_->setClearButtonEnabled(true);
  findText_->setMaximumWidth(320);
  findBar_->addWidget(new QLabel(tr("Find: "), findBar_));
  findBar_->addWidget(findText_);
  findBar_->addAction(action(QStringLiteral("findPrevious")));
  findBar_->addAction(action(QStringLiteral("findNext")));
  findStatus_ = new QLabel(findBar_);
  findBar_->addWidget(findStatus_);
  auto* hide = new QAction(tr("Close"), findBar_);
  hide->setShortcut(Qt::Key_Escape);
  hide->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(hide, &QAction::triggered, this, [this] {
    findBar_->hide();
    table_->setFocus();
  });
  findBar_->addAction(hide);
  connect(findText_, &QLineEdit::returnPressed, this, [this] { findNext(false); });
  addToolBar(Qt::BottomToolBarArea, findBar_);
  findBar_->hide();
}

void EditorWindow::buildDocks() {
  auto* previewDock = new QDockWidget(tr("Preview"), this);
  previewDock->setObjectName(QStringLiteral("previewDock"));
  auto* holder = new QWidget(previewDock);
  auto* layout = new QVBoxLayout(holder);
  preview_ = new QuizPreview(holder);
  layout->addWidget(preview_);
  auto* shuffle = new QPushButton(tr("Shuffle (Ctrl+R)"), holder);
  shuffle->setFocusPolicy(Qt::TabFocus);
  connect(shuffle, &QPushButton::clicked, this, [this] { preview_->shuffle(); });
  layout->addWidget(shuffle, 0, Qt::AlignLeft);
  layout->addStretch(1);
  previewDock->setWidget(holder);
  previewDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  addDockWidget(Qt::RightDockWidgetArea, previewDock);

  auto* problemsDock = new QDockWidget(tr("Problems"), this);
  problemsDock->setObjectName(QStringLiteral("problemsDock"));
  problems_ = new QListWidget(problemsDock);
  problems_->setObjectName(QStringLiteral("problemList"));
  problems_->setWordWrap(true);
  problemsDock->setWidget(problems_);
  problemsDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  addDockWidget(Qt::RightDockWidgetArea, problemsDock);
  const auto go = [this](QListWidgetItem* item) {
    const int row = item->data(Qt::UserRole).toInt();
    const int column = item->data(Qt::UserRole + 1).toInt();
    if (row >= 0) {
      selectRow(row, column);
      table_->setFocus();
    } else {
      editNotes();
    }
  };
  connect(problems_, &QListWidget::itemActivated, this, go);
  connect(problems_, &QListWidget::itemDoubleClicked, this, go);
}

void EditorWindow::updateTitle() {
  const QString name = file_.isEmpty() ? tr("Untitled") : QFileInfo(file_).fileName();
  setWindowTitle(name + QStringLiteral("[*] - ") + tr("Zandoodle group editor"));
}

void EditorWindow::updateActions() {
  const int row = currentRow();
  const int rows = model_->rowCount();
  action(QStringLiteral("delete"))->setEnabled(row >= 0);
  action(QStringLiteral("duplicate"))->setEnabled(row >= 0);
  action(QStringLiteral("moveUp"))->setEnabled(row > 0);
  action(QStringLiteral("moveDown"))->setEnabled(row >= 0 && row + 1 < rows);
}

void EditorWindow::updatePreview() {
  const int row = currentRow();
  if (row < 0)
    preview_->clear();
  else
    preview_->showQuestion(model_->group().questions[static_cast<std::size_t>(row)]);
}

void EditorWindow::updateProblems() {
  problems_->clear();
  for (const auto& p : model_->problems()) {
    QString where = p.place.row < 0
                        ? tr("Group")
                        : tr("Row %1, %2").arg(p.place.row + 1).arg(columnName(p.place.column));
    auto* item = new QListWidgetItem(
        style()->standardIcon(QStyle::SP_MessageBoxWarning),
        where + QStringLiteral(": ") + QString::fromStdString(p.message), problems_);
    item->setData(Qt::UserRole, p.place.row);
    item->setData(Qt::UserRole + 1, static_cast<int>(p.place.column));
  }
  const auto count = model_->problems().size();
  if (!summary_) {
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    statusBar()->addPermanentWidget(summary_);
  }
  summary_->setText(counted(model_->rowCount(), "question", "questions") + QStringLiteral(", ") +
                    (count == 0 ? tr("no problems")
                                : counted(static_cast<qsizetype>(count), "problem", "problems")));
}

int EditorWindow::currentRow() const {
  const QModelIndex i = table_->currentIndex();
  return i.isValid() ? i.row() : -1;
}

void EditorWindow::selectRow(int row, int column) {
  if (row < 0 || row >= model_->rowCount()) return;
  const QModelIndex i = model_->index(row, column);
  table_->setCurrentIndex(i);
  table_->scrollTo(i);
}

}  // namespace zndl::editor
