#include "grid/gridview.h"

#include <QMetaProperty>

GridView::GridView(QWidget *parent) : QTableView(parent) {}

void GridView::finishEditing(const QModelIndex &index)
{
    if (QWidget *editor = indexWidget(index)) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool GridView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool opened = QTableView::edit(index, trigger, event);
    if (opened && indexWidget(index))
        m_openEditor = indexWidget(index);
    return opened;
}

void GridView::discardEditing(const QModelIndex &index)
{
    if (QWidget *editor = indexWidget(index))
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void GridView::commitData(QWidget *editor)
{
    if (!editor || editor != m_openEditor)
        return;
    // Only note the text; the grid writes it once the edit has ended.
    m_committedEditor = editor;
    m_committedText = editor->metaObject()->userProperty().read(editor).toString();
}

void GridView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (!editor || editor != m_openEditor)
        return;
    m_openEditor = nullptr;
    const bool committed = m_committedEditor == editor;
    const QString text = committed ? m_committedText : QString();
    m_committedEditor = nullptr;
    m_committedText.clear();

    // Tab in an editor ends the edit and moves on, but does not open an editor
    // in the next cell the way a plain item view would.
    const bool moveOn = hint == QAbstractItemDelegate::EditNextItem ||
                        hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, moveOn ? QAbstractItemDelegate::NoHint : hint);
    emit editorClosed(committed, text);

    if (moveOn) {
        const QModelIndex next = moveCursor(
            hint == QAbstractItemDelegate::EditNextItem ? MoveNext : MovePrevious, Qt::NoModifier);
        if (next.isValid())
            selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
    }
}
