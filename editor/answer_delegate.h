// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <algorithm>

#include "editor/group_table_model.h"

namespace zndl::editor {

// Answers are edited one a line: Enter starts a new answer, Tab or Ctrl+Enter
// finishes the cell, Escape drops the change.
class AnswerDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    if (index.column() == static_cast<int>(Column::Question))
      return QStyledItemDelegate::createEditor(parent, option, index);
    auto* editor = new QPlainTextEdit(parent);
    editor->setTabChangesFocus(true);
    editor->setToolTip(tr("One answer a line. Tab or Ctrl+Enter: done; Escape: cancel."));
    editor->installEventFilter(const_cast<AnswerDelegate*>(this));
    return editor;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* text = qobject_cast<QPlainTextEdit*>(editor)) {
      text->setPlainText(index.data(Qt::EditRole).toString());
      text->moveCursor(QTextCursor::End);
      return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    if (auto* text = qobject_cast<QPlainTextEdit*>(editor)) {
      model->setData(index, text->toPlainText(), Qt::EditRole);
      return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
  }
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override {
    QRect r = option.rect;
    if (qobject_cast<QPlainTextEdit*>(editor))
      r.setHeight(std::max(r.height(), 7 * option.fontMetrics.height()));
    editor->setGeometry(r);
    (void)index;
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* editor = qobject_cast<QPlainTextEdit*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
          (key->modifiers() & Qt::ControlModifier)) {
        emit const_cast<AnswerDelegate*>(this)->commitData(editor);
        emit const_cast<AnswerDelegate*>(this)->closeEditor(editor, QAbstractItemDelegate::NoHint);
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }
};

}  // namespace zndl::editor
