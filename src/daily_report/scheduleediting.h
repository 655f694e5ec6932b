#pragma once

#include <QString>
#include <QVector>

// The editing rules of the schedule grid that need no grid: which cells take
// stamps and entries, what a key does there, how long an entry may be, and which
// cells the user changed.

// Columns are the schedule grid's (ScheduleCol).

// 預定日 and 完工日: the planned and completion stamp columns.
bool IsStampColumn(int col);

// A row whose closing mark holds anything besides blanks is closed.
bool IsClosedRow(const QString &closingMark);

// A cell of the column, on a row with the closing mark, takes stamps: clicks,
// typing and Delete. Only the stamp columns of open rows do.
bool TakesStamp(int col, const QString &closingMark);

// An edit that ends in the cell is kept: the running order (順序), and the stamp cells.
bool TakesEntry(int col, const QString &closingMark);

// A click on a cell that takes stamps and is empty stamps it.
bool ClickStamps(int col, const QString &closingMark, const QString &cellText);

// What a key does at the grid: the key code (or character code) the grid goes on
// with, 0 when it is swallowed, and whether the cell is marked as changed.
struct KeyEffect
{
    int code = 0;
    bool marks = false;
    bool operator==(const KeyEffect &) const = default;
};
// A character typed: kept and marked where the cell takes stamps; elsewhere only
// Backspace (8) and Enter (13) pass.
KeyEffect TypedKeyEffect(int charCode, bool takesStamp);
// A key down (VirtualKey codes): Delete clears only cells that take stamps, and
// marks them; F2 never starts an edit; other keys pass.
KeyEffect KeyDownEffect(int keyCode, bool takesStamp);

// An entry that ends an edit, after its byte limit: the text the cell keeps and,
// when it was cut, the message that says so.
struct LimitedEntry
{
    QString text;
    QString message; // empty when the entry fitted
    bool setsText = true;
};
// 順序 takes 10 bytes, the stamp columns 7; other columns set no text.
LimitedEntry LimitScheduleEntry(int col, const QString &entry);

// The cells the user changed since the schedule was listed, by grid row and
// column (from 1). Only cells inside the extent given to reset() can be marked.
class ScheduleMarks
{
public:
    void reset(int rows, int cols);
    void mark(int row, int col);
    bool isMarked(int row, int col) const;

private:
    QVector<QVector<bool>> m_marks; // [row][col], row and column 0 unused
};
