#pragma once

#include "grid/cellformat.h"
#include "grid/cellmodel.h"
#include "grid/gridcolumn.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class GridView;
class QLineEdit;
class QInputMethodEvent;
class QKeyEvent;

// The spreadsheet grid of the entry screens: one sheet of text cells with a
// heading row, an active cell, uniform rows and a designed column layout.
// Rows and columns count from 1, as the screens' rules count them.
//
// Events come as signals with arguments the handler may change; connect them
// directly (never queued), because the grid reads the changed values back.
// Only the user's actions raise events: the program moving the active cell or
// writing cells raises none.
//
// Editing follows a spreadsheet: typing a character replaces the cell with
// that character, F2 and a double click edit the cell's own text, Enter and a
// click elsewhere commit, Tab commits and moves right, Escape cancels. Enter
// outside an edit does not move the active cell (the screens move it
// themselves).
class SpreadsheetGrid : public QWidget
{
    Q_OBJECT

public:
    // The sheet may start smaller than the whole sheet, at the extent a screen uses.
    explicit SpreadsheetGrid(QWidget *parent = nullptr, int maxRow = CellModel::kSheetRows,
                             int maxCol = CellModel::kSheetCols);
    ~SpreadsheetGrid() override;

    int activeRow() const;
    int activeCol() const;
    void setActiveCell(int row, int col);
    QString activeText() const;
    void setActiveText(const QString &text);

    QString text(int row, int col) const;
    void setText(int row, int col, const QString &text);
    // The leading number of the cell's text (0 when it has none).
    double number(int row, int col) const;

    // The heading over a column (its spreadsheet letter when none was set).
    QString heading(int col) const;
    void setHeadings(const QStringList &headings);

    // The last row and column the user can reach; cells beyond keep their text.
    int maxRow() const;
    void setMaxRow(int rows);
    int maxCol() const;
    void setMaxCol(int cols);
    // The last row holding any text, 0 when the sheet is empty.
    int lastRow() const;

    // Empties the cells of the range. Formats belong to the columns and stay.
    void clearRange(int r1, int c1, int r2, int c2);
    // Removes the range; the rows below move up in its columns, the extent stays.
    void deleteRange(int r1, int c1, int r2, int c2);
    // Bulk copy in (values only): rowsOfCells[i][j] goes to cell
    // (startRow + i, startCol + j). One repaint, however large.
    void setArray(int startRow, int startCol, const QVector<QVector<QString>> &rowsOfCells);
    // Bulk copy out of the range, one inner vector per row, the stored texts.
    QVector<QVector<QString>> toArray(int r1, int c1, int r2, int c2) const;

    // Every row has the same height, given in twips (1/1440 inch).
    void setRowHeightTwips(int twips);
    int rowHeightTwips() const { return m_rowHeightTwips; }

    // Suspends painting (false) until it is resumed (true).
    void setRedraw(bool redraw);
    // Scrolls so that row 1 and column 1 are the first shown.
    void scrollToOrigin();
    // Commits an edit in progress into its cell, as Enter would.
    void endEdit();
    bool isEditing() const;

    // Column width in 1/256 of the width of the digit zero in the grid's font.
    void setColumnWidth(int col, int width);
    int columnWidth(int col) const;
    // The column's width as the sheet shows it, in pixels of the cells' font.
    int columnWidthPixels(int col) const;
    void setColumnHidden(int col, bool hidden);
    bool isColumnHidden(int col) const;
    // "General", "0", "0.0", "0.00" or "0.000"; applied when a cell holding a
    // plain number is shown.
    void setColumnFormat(int col, const QString &format);
    QString columnFormat(int col) const;
    void setColumnAlign(int col, CellAlign align);
    CellAlign columnAlign(int col) const;
    // Headings, widths, formats, alignment and hiding of columns 1 onwards.
    void setColumns(const QList<GridColumn> &columns);

    // Font of every cell (column widths follow it) and, if valid, text colour.
    void setCellFont(const QFont &font, const QColor &colour = {});
    QFont cellFont() const;
    void setBackgroundColour(const QColor &colour);
    // Replaces the notes on single cells: colours and tooltips (CellModel::Note).
    void setCellNotes(const QHash<std::pair<int, int>, CellModel::Note> &notes);

    // The area of the sheet's cells, on which objects over the sheet (the
    // choice lists) are placed; they scroll with the cells.
    QWidget *sheetArea() const;
    // The rectangle of the cells (r1, c1) to (r2, c2) on the sheet area. Rows
    // past the sheet's end count at the uniform row height.
    QRect cellRangeRect(int r1, int c1, int r2, int c2) const;
    // A choice-list pick: writes the item, cut to 20 bytes, into the active cell
    // and reports choicePicked.
    void pickChoice(const QString &item);

signals:
    void cellClicked(int row, int col);
    // The active cell moved (by the user).
    void activeCellChanged(int row, int col);
    // A character typed at the grid or into its editor (Backspace 8 and Enter
    // 13 included), before it takes effect. The handler may replace it; 0
    // discards it.
    void keyPressed(int &charCode);
    // A key went down (VirtualKey codes). The handler may set 0 to swallow it;
    // Delete clears the active cell and F2 starts an edit only when left as is.
    void keyDown(int &keyCode, Qt::KeyboardModifiers modifiers);
    // An edit begins; text is what the editor starts with before a typed
    // character is added (empty when typing, the cell's text after F2 or a
    // double click). The handler may replace it.
    void editStarted(QString &text);
    // An edit was committed; text goes into the cell unless the handler clears
    // accept. The handler may change the text.
    void editEnded(QString &text, bool &accept);
    // The user changed the sheet: an edit stored a new text or Delete emptied
    // a cell.
    void contentsChanged();
    // An item picked in a choice list has been written into the active cell.
    void choicePicked();
    // The user asked for the grid's context menu (a right click on the cells, or
    // the menu key) at a point of the screen. A right click neither moves the
    // active cell nor counts as a click on a cell.
    void contextMenuRequested(const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleViewKey(QKeyEvent *event);
    bool handleEditorKey(QKeyEvent *event);
    bool handleViewInputMethod(QInputMethodEvent *event);
    bool handleEditorInputMethod(QInputMethodEvent *event);
    int filterCharacter(int charCode);
    bool beginEdit(const QString &initialText, const QString &typed);
    void onEditorClosed(bool committed, const QString &text);
    void writeByUser(int row, int col, const QString &text);
    void applyColumnWidth(int col);
    void applyRowHeight();
    void keepActiveCell(int row, int col);

    CellModel *m_model = nullptr;
    GridView *m_view = nullptr;
    QList<int> m_widths;  // per column, 1/256 of a digit
    QList<bool> m_hidden; // per column, kept while a column is beyond maxCol
    int m_rowHeightTwips = 400;
    int m_quietMoves = 0; // >0 while the program itself moves the active cell
    QPersistentModelIndex m_editIndex;
    QLineEdit *m_editor = nullptr; // the open editor, cleared when it closes or dies
    bool m_forwarding = false;     // an input event we re-send to the editor ourselves
};
