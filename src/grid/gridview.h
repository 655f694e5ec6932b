#pragma once

#include <QTableView>

// The table view inside SpreadsheetGrid. It leaves the writing of an edited
// cell to the grid: a committed edit is reported by editorClosed only after
// the editor is gone, so the grid's edit-ended handlers may show message boxes
// without the editor committing a second time when it loses the focus.
class GridView : public QTableView
{
    Q_OBJECT

public:
    explicit GridView(QWidget *parent = nullptr);
    using QTableView::edit;

    // Commits and closes the editor of the index, if one is open.
    void finishEditing(const QModelIndex &index);
    // Closes the editor of the index, if one is open, dropping its text.
    void discardEditing(const QModelIndex &index);
    bool isEditing() const { return state() == EditingState; }

signals:
    // committed is false when the edit was cancelled (Escape).
    void editorClosed(bool committed, const QString &text);

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

protected slots:
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // The one editor the grid has open. Requests about any other editor (a
    // delegate's late commit of one already closed) are ignored. Only compared,
    // never followed, so plain pointers serve.
    QWidget *m_openEditor = nullptr;
    QWidget *m_committedEditor = nullptr;
    QString m_committedText;
};
