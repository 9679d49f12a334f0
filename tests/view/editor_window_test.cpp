// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <memory>
#include <string>

#include "editor/editor_window.h"
#include "editor/quiz_preview.h"
#include "exchange/group_document.h"
#include "fakes/crlf_lines.h"
#include "platform/file_io.h"

using namespace zndl;
using namespace zndl::editor;
using namespace zndl::exchange;
using zndl::testing::crlfLines;

namespace {

const std::string kTwoQuestions =
    crlfLines({"(ZNDL v4)", "Animals", "[1]", "How many legs has a spider?", "[1-YES]", "Eight",
               "8", "[1-NO]", "Six", "Ten", "[2]", "What colour is a ripe banana?", "[2-YES]",
               "Yellow", "[2-NO]", "Blue", "Purple", "[3]"});

class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("config"));
    QCoreApplication::setOrganizationName(QStringLiteral("zndl-editor-test"));
    QCoreApplication::setApplicationName(QStringLiteral("zandoodle-editor"));
    window.setAsker([this](QMessageBox::Icon, const QString&, const QString& text,
                           QMessageBox::StandardButtons) {
      asked << text;
      return answer;
    });
  }

  QString write(const QString& name, const std::string& bytes) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(fileio::replaceAtomically(path.toStdString(), bytes));
    return path;
  }
  QString cell(int row, int column, int role = Qt::DisplayRole) {
    return window.model().index(row, column).data(role).toString();
  }
  void setCell(int row, int column, const QString& text) {
    ASSERT_TRUE(window.model().setData(window.model().index(row, column), text, Qt::EditRole));
  }
  void trigger(const char* name) {
    QAction* a = window.action(QString::fromLatin1(name));
    ASSERT_NE(a, nullptr) << name;
    a->trigger();
  }
  void select(int row, int column = 0) {
    window.table()->setCurrentIndex(window.model().index(row, column));
  }
  std::vector<std::string> questionTexts() {
    std::vector<std::string> out;
    for (const auto& q : window.model().group().questions) out.push_back(q.text);
    return out;
  }

  QTemporaryDir dir;
  EditorWindow window;
  QStringList asked;
  QMessageBox::StandardButton answer = QMessageBox::Cancel;
};

}  // namespace

TEST_F(EditorWindowTest, OpenEditUndoRedoSaveAndReopen) {
  const QString path = write("animals.set", kTwoQuestions);
  ASSERT_TRUE(window.openFile(path));
  EXPECT_EQ(window.model().rowCount(), 2);
  EXPECT_EQ(cell(0, 1), "Eight | 8");
  EXPECT_EQ(cell(0, 1, Qt::EditRole), "Eight\n8");
  EXPECT_TRUE(window.windowTitle().startsWith("animals.set[*]"));
  EXPECT_FALSE(window.isModified());

  setCell(0, 0, "How many legs has an ant?");
  EXPECT_TRUE(window.isModified());
  window.model().undoStack()->undo();
  EXPECT_EQ(cell(0, 0), "How many legs has a spider?");
  EXPECT_FALSE(window.isModified());
  window.model().undoStack()->redo();
  EXPECT_EQ(cell(0, 0), "How many legs has an ant?");
  EXPECT_TRUE(window.isModified());

  // Answers are edited one a line; empty lines are dropped.
  setCell(0, 2, "Four\n\nTwelve\nTwenty");
  EXPECT_EQ(cell(0, 2), "Four | Twelve | Twenty");

  QString error;
  ASSERT_TRUE(window.saveTo(path, &error)) << error.toStdString();
  EXPECT_FALSE(window.isModified());

  EditorWindow again;
  ASSERT_TRUE(again.openFile(path));
  EXPECT_EQ(again.model().group(), window.model().group());
  EXPECT_EQ(again.model().group().notes, std::vector<std::string>{"Animals"});
  EXPECT_EQ(again.model().group().questions[0].wrong,
            (std::vector<std::string>{"Four", "Twelve", "Twenty"}));
  // Undoing past the save marks the group changed again.
  window.model().undoStack()->undo();
  EXPECT_TRUE(window.isModified());
}

TEST_F(EditorWindowTest, RowsAreAddedDuplicatedMovedAndDeletedUndoably) {
  ASSERT_TRUE(window.openFile(write("g.set", kTwoQuestions)));
  const Group original = window.model().group();
  select(0);
  trigger("moveDown");
  EXPECT_EQ(questionTexts(), (std::vector<std::string>{"What colour is a ripe banana?",
                                                       "How many legs has a spider?"}));
  EXPECT_EQ(window.table()->currentIndex().row(), 1);
  trigger("duplicate");
  EXPECT_EQ(window.model().rowCount(), 3);
  EXPECT_EQ(window.model().group().questions[2], window.model().group().questions[1]);
  trigger("moveUp");
  trigger("moveUp");
  EXPECT_EQ(window.table()->currentIndex().row(), 0);
  trigger("delete");
  EXPECT_EQ(window.model().rowCount(), 2);
  select(1);
  trigger("add");
  EXPECT_EQ(window.model().rowCount(), 3);
  EXPECT_TRUE(window.model().group().questions[2].text.empty());
  // The new, empty question is reported on its cells and in the list.
  EXPECT_FALSE(window.model().problemsAt(2, 0).isEmpty());
  EXPECT_GT(window.problemList()->count(), 0);
  EXPECT_TRUE(window.model().index(2, 0).data(Qt::BackgroundRole).isValid());

  while (window.model().undoStack()->canUndo()) window.model().undoStack()->undo();
  EXPECT_EQ(window.model().group(), original);
  EXPECT_FALSE(window.isModified());
  EXPECT_EQ(window.problemList()->count(), 0);
}

TEST_F(EditorWindowTest, DraggingARowMovesItAsOneUndoableStep) {
  ASSERT_TRUE(window.openFile(write("g.set", kTwoQuestions)));
  select(1);
  trigger("duplicate");  // rows: spider, banana, banana
  setCell(2, 0, "Third?");
  GroupTableModel& model = window.model();
  std::unique_ptr<QMimeData> dragged(model.mimeData({model.index(0, 1)}));
  ASSERT_TRUE(dragged);
  // Dropped below the last row. The view is told the drop did not happen, so that it
  // does not remove the dragged row a second time.
  EXPECT_FALSE(model.dropMimeData(dragged.get(), Qt::MoveAction, 3, 0, {}));
  EXPECT_EQ(questionTexts(), (std::vector<std::string>{"What colour is a ripe banana?", "Third?",
                                                       "How many legs has a spider?"}));
  std::unique_ptr<QMimeData> back(model.mimeData({model.index(2, 0)}));
  model.dropMimeData(back.get(), Qt::MoveAction, -1, -1, model.index(0, 0));
  EXPECT_EQ(questionTexts()[0], "How many legs has a spider?");
  model.undoStack()->undo();
  model.undoStack()->undo();
  EXPECT_EQ(questionTexts(), (std::vector<std::string>{"How many legs has a spider?",
                                                       "What colour is a ripe banana?", "Third?"}));
}

TEST_F(EditorWindowTest, KeyboardMovesRowsAndFindsText) {
  ASSERT_TRUE(window.openFile(write("g.set", kTwoQuestions)));
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.table()->setFocus();
  select(0);
  QTest::keyClick(window.table(), Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(window.model().group().questions[1].text, "How many legs has a spider?");
  QTest::keyClick(window.table(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(window.model().group().questions[0].text, "How many legs has a spider?");

  QTest::keyClick(window.table(), Qt::Key_F, Qt::ControlModifier);
  auto* find = window.findChild<QLineEdit*>(QStringLiteral("findText"));
  ASSERT_NE(find, nullptr);
  EXPECT_TRUE(find->hasFocus());
  QTest::keyClicks(find, QStringLiteral("purp"));
  QTest::keyClick(find, Qt::Key_Return);
  EXPECT_EQ(window.table()->currentIndex(), window.model().index(1, 2));
  // Editing in place: F2 on the question cell, type, Enter.
  window.table()->setFocus();
  select(1, 0);
  QTest::keyClick(window.table(), Qt::Key_F2);
  QWidget* editor = QApplication::focusWidget();
  ASSERT_NE(editor, nullptr);
  ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr) << editor->metaObject()->className();
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(editor, QStringLiteral("Typed?"));
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();  // the delegate commits on the next turn
  EXPECT_EQ(cell(1, 0), "Typed?");
  // An answer cell takes one answer a line; Ctrl+Enter finishes it.
  select(1, 2);
  QTest::keyClick(window.table(), Qt::Key_F2);
  editor = QApplication::focusWidget();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Return);
  QTest::keyClicks(editor, QStringLiteral("Green"));
  QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_EQ(cell(1, 2), "Blue | Purple | Green");
  window.hide();
}

TEST_F(EditorWindowTest, UnsavedChangesAreOfferedBeforeTheyAreLost) {
  ASSERT_TRUE(window.openFile(write("g.set", kTwoQuestions)));
  setCell(1, 0, "Changed?");
  answer = QMessageBox::Cancel;
  trigger("new");
  EXPECT_EQ(asked.size(), 1);
  EXPECT_EQ(window.model().rowCount(), 2);
  EXPECT_FALSE(window.close());
  EXPECT_EQ(asked.size(), 2);
  answer = QMessageBox::Discard;
  trigger("new");
  EXPECT_EQ(window.model().rowCount(), 0);
  EXPECT_FALSE(window.isModified());
  EXPECT_TRUE(window.windowTitle().startsWith("Untitled[*]"));
  // Nothing changed: no question asked.
  asked.clear();
  trigger("new");
  EXPECT_TRUE(asked.isEmpty());
}

TEST_F(EditorWindowTest, SavingAGroupWithProblemsAsksFirst) {
  const QString path = write("g.set", kTwoQuestions);
  ASSERT_TRUE(window.openFile(path));
  setCell(0, 2, "Only one");
  answer = QMessageBox::Cancel;
  trigger("save");
  ASSERT_EQ(asked.size(), 1);
  EXPECT_TRUE(asked[0].contains("problem"));
  EXPECT_EQ(fileio::readAll(path.toStdString()), kTwoQuestions);
  answer = QMessageBox::Save;
  trigger("save");
  EXPECT_FALSE(window.isModified());
  EXPECT_EQ(groupFromBytes(*fileio::readAll(path.toStdString())).questions.size(), 2u);
  // A character Windows-1252 lacks is never written.
  setCell(0, 0, QString::fromUtf8("Snow \u2603?"));
  QString error;
  EXPECT_FALSE(window.saveTo(path, &error));
  EXPECT_TRUE(error.contains("U+2603"));
  EXPECT_TRUE(window.model().index(0, 0).data(Qt::ToolTipRole).toString().contains("U+2603"));
}

TEST_F(EditorWindowTest, PreviewShowsTheSelectedQuestionAsTheQuizScreenDoes) {
  ASSERT_TRUE(window.openFile(write("g.set", kTwoQuestions)));
  select(1, 1);
  EXPECT_EQ(window.preview()->questionText(), "What colour is a ripe banana?");
  QStringList answers;
  for (int slot = 0; slot < 3; ++slot) answers << window.preview()->answerText(slot);
  EXPECT_TRUE(answers[0].startsWith("A- "));
  EXPECT_TRUE(answers[1].startsWith("B- "));
  EXPECT_TRUE(answers[2].startsWith("C- "));
  // The right answer and both wrong answers, each once.
  for (const char* text : {"Yellow", "Blue", "Purple"})
    EXPECT_EQ(answers.filter(QString::fromLatin1(text)).size(), 1) << text;
  setCell(1, 0, "Changed while shown?");
  EXPECT_EQ(window.preview()->questionText(), "Changed while shown?");
}

TEST_F(EditorWindowTest, ImportTakesGoodRowsOnlyWhenAskedAndExportsBack) {
  const QString csv = write("sheet.csv",
                            "Question;Right;Wrong;Wrong\r\nGood?;Yes;No;Nope\r\n"
                            "Bad?;Yes;No;\r\n");
  QString report;
  EXPECT_FALSE(window.importCsv(csv, false, &report));
  EXPECT_TRUE(report.startsWith("sheet.csv:3: ")) << report.toStdString();
  EXPECT_EQ(window.model().rowCount(), 0);
  ASSERT_TRUE(window.importCsv(csv, true));
  EXPECT_EQ(window.model().rowCount(), 1);
  EXPECT_TRUE(window.isModified());
  EXPECT_TRUE(window.currentFile().isEmpty());
  const QString out = dir.filePath("out.csv");
  ASSERT_TRUE(window.exportCsv(out));
  EXPECT_EQ(fileio::readAll(out.toStdString()),
            "\xEF\xBB\xBFQuestion,Right,Wrong,Wrong\r\nGood?,Yes,No,Nope\r\n");
}

TEST_F(EditorWindowTest, ImportTakesAnOpenTriviaDatabaseFileWithItsAttribution) {
  const QString json = write(
      "trivia.json",
      "{\"response_code\":0,\"results\":[{\"type\":\"boolean\",\"difficulty\":\"easy\","
      "\"category\":\"Animals\",\"question\":\"Cats purr.\",\"correct_answer\":\"True\","
      "\"incorrect_answers\":[\"False\"]},{\"type\":\"multiple\",\"difficulty\":\"easy\","
      "\"category\":\"Animals\",\"question\":\"Which bird lays the largest egg?\","
      "\"correct_answer\":\"Ostrich\",\"incorrect_answers\":[\"Emu\",\"Penguin\",\"Swan\"]}]}");
  QString report;
  EXPECT_FALSE(window.importCsv(json, false, &report));
  EXPECT_TRUE(report.startsWith("trivia.json:1: a true/false question")) << report.toStdString();
  EXPECT_EQ(window.model().rowCount(), 0);
  ASSERT_TRUE(window.importCsv(json, true));
  ASSERT_EQ(window.model().rowCount(), 1);
  EXPECT_EQ(cell(0, 0), "Which bird lays the largest egg?");
  EXPECT_EQ(cell(0, 1), "Ostrich");
  EXPECT_EQ(cell(0, 2, Qt::EditRole), "Emu\nPenguin\nSwan");
  const auto& notes = window.model().group().notes;
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[0].rfind("Source: Open Trivia Database, https://opentdb.com/", 0), 0u);
  EXPECT_EQ(notes[1].rfind("Licence: CC BY-SA 4.0", 0), 0u);
  EXPECT_EQ(notes[2], "Category: Animals");
  EXPECT_EQ(notes[3], "Difficulty: 1 easy");
  EXPECT_EQ(window.problemList()->count(), 0);
  EXPECT_TRUE(window.isModified());
  // Saved, the attribution goes with the questions.
  const QString saved = dir.filePath("animals.set");
  ASSERT_TRUE(window.saveTo(saved));
  EXPECT_EQ(groupFromBytes(*fileio::readAll(saved.toStdString())).notes, notes);
}

TEST_F(EditorWindowTest, RemembersRecentFilesAndDrawsItsWindow) {
  const QString a = write("a.set", kTwoQuestions);
  const QString b = write("b.set", kTwoQuestions);
  ASSERT_TRUE(window.openFile(a));
  ASSERT_TRUE(window.openFile(b));
  ASSERT_TRUE(window.openFile(a));
  const QStringList recent = QSettings().value("recentFiles").toStringList();
  ASSERT_GE(recent.size(), 2);
  EXPECT_EQ(recent[0], QFileInfo(a).absoluteFilePath());
  EXPECT_EQ(recent[1], QFileInfo(b).absoluteFilePath());
  EXPECT_EQ(recent.count(QFileInfo(a).absoluteFilePath()), 1);
  EXPECT_FALSE(window.openFile(dir.filePath("missing.set")));

  setCell(1, 2, "Blue");
  select(0, 0);
  window.show();
  const QImage shot = window.grab().toImage();
  ASSERT_FALSE(shot.isNull());
  // The cell with a problem is drawn on red.
  const QRect r = window.table()->visualRect(window.model().index(1, 2));
  const QPoint inside =
      window.table()->viewport()->mapTo(&window, r.center() + QPoint(r.width() / 3, 0));
  const QColor colour = shot.pixelColor(inside * shot.devicePixelRatio());
  EXPECT_GT(colour.red(), colour.green() + 20) << colour.name().toStdString();
  if (const QString shots = qEnvironmentVariable("ZNDL_SHOTS"); !shots.isEmpty())
    shot.save(shots + "/editor-window.png");
  window.hide();
}

// ---- The programs -------------------------------------------------------------------

namespace {

struct ProgramRun {
  int status = -1;
  QString out;
  QString err;
};

ProgramRun run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  ProgramRun r;
  if (!process.waitForFinished(60000)) return r;
  r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  r.out = QString::fromUtf8(process.readAllStandardOutput());
  r.err = QString::fromUtf8(process.readAllStandardError());
  return r;
}

}  // namespace

TEST(EditorProgram, HelpVersionAndUnknownOptions) {
  const ProgramRun help = run(ZNDL_EDITOR_BINARY, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.startsWith("usage: zandoodle-editor"));
  EXPECT_TRUE(help.err.isEmpty());
  const ProgramRun version = run(ZNDL_EDITOR_BINARY, {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.startsWith("zandoodle-editor 4."));
  const ProgramRun bad = run(ZNDL_EDITOR_BINARY, {"--frobnicate"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_TRUE(bad.out.isEmpty());
  EXPECT_TRUE(bad.err.contains("usage: zandoodle-editor"));
}

TEST(GroupExchangeProgram, ImportAndExportExitStatuses) {
  QTemporaryDir dir;
  const auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
  ASSERT_TRUE(fileio::replaceAtomically(path("good.csv").toStdString(),
                                        "Question,Right,Wrong,Wrong\r\nQ?,A,B,C\r\n"));
  ASSERT_TRUE(fileio::replaceAtomically(path("bad.csv").toStdString(),
                                        "Q?,A,B,C\r\n\"Two\nlines\",A,B,C\r\n"));
  const ProgramRun good =
      run(ZNDL_CHECK_BINARY, {"--import", path("good.csv"), "-o", path("good.set")});
  EXPECT_EQ(good.status, 0) << good.out.toStdString() << good.err.toStdString();
  EXPECT_TRUE(QFile::exists(path("good.set")));
  EXPECT_EQ(run(ZNDL_CHECK_BINARY, {path("good.set")}).status, 0);

  const ProgramRun bad =
      run(ZNDL_CHECK_BINARY, {"--import", path("bad.csv"), "-o", path("bad.set")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_TRUE(bad.out.startsWith(path("bad.csv") + ":2: ")) << bad.out.toStdString();
  EXPECT_FALSE(QFile::exists(path("bad.set")));
  const ProgramRun skipped = run(
      ZNDL_CHECK_BINARY, {"--import", path("bad.csv"), "--skip-bad-rows", "-o", path("bad.set")});
  EXPECT_EQ(skipped.status, 1);
  EXPECT_TRUE(QFile::exists(path("bad.set")));

  const ProgramRun exported =
      run(ZNDL_CHECK_BINARY, {"--export", path("good.set"), "-o", path("back.csv")});
  EXPECT_EQ(exported.status, 0);
  EXPECT_EQ(fileio::readAll(path("back.csv").toStdString()),
            "\xEF\xBB\xBFQuestion,Right,Wrong,Wrong\r\nQ?,A,B,C\r\n");

  EXPECT_EQ(run(ZNDL_CHECK_BINARY, {"--import", path("good.csv")}).status, 2);
  EXPECT_EQ(run(ZNDL_CHECK_BINARY,
                {"--import", path("good.csv"), "--export", path("good.set"), "-o", path("x")})
                .status,
            2);
  EXPECT_EQ(run(ZNDL_CHECK_BINARY, {"--skip-bad-rows", path("good.set")}).status, 2);
  EXPECT_EQ(run(ZNDL_CHECK_BINARY, {"--export", path("missing.set"), "-o", path("x.csv")}).status,
            2);
  // The checker's own use is unchanged.
  EXPECT_EQ(run(ZNDL_CHECK_BINARY, {path("good.set")}).status, 0);
}
