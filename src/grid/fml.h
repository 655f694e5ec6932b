#pragma once

#include "db/recordset.h"

#include <QString>
#include <QVector>

class QObject;
class SpreadsheetGrid;

// The grid routines both entry screens share.

// At most this many records go into a grid in one fill: the sheet's row count.
constexpr int kFillRecordLimit = 16384;

// Makes every row of the grid the given height, in twips.
void FmlSetRowHeight(int height, SpreadsheetGrid &grid);
// The row height of both entry screens' grids, in twips.
constexpr int kFmlRowHeight = 400;

// Empties the grid (row 1 to its maximum row, column 1 to its maximum column)
// with one repaint, makes (1, 1) the active cell and scrolls back to it. With a
// colour text (a colour number, red in the low byte) the cells also get the
// Ming face at the given size (the present size when 0 or less) in that colour.
void FmlClear(SpreadsheetGrid &grid, int fontSize, const QString &fontColour);

// Writes a database result into the grid in one bulk copy, values only.
// records is subscripted (field, record) as the result is fetched; field i
// goes to column i + 1, Null becomes empty text. With startRow 0 the records
// fill rows 1 onwards, but of more than kFillRecordLimit records only the
// last kFillRecordLimit are written. With startRow 1 or more only the first
// record written that way goes into that row. The caller keeps its filled-row
// counter.
void FmlFromArray(SpreadsheetGrid &grid, const RecordArray &records, int startRow);

// Copies rows 1 to the last row holding data, columns 1 to the maximum
// column, into array, subscripted (row, column) from 0. An empty grid gives a
// single empty element.
void FmlToArray(SpreadsheetGrid &grid, QVector<QVector<QString>> &array);

// Deletes a row (0 or less: the active row); the rows below move up and the
// grid keeps its maximum row.
void FmlDeleteRow(SpreadsheetGrid &grid, int row);

// True on row 1, or when the row above the row (0 or less: the active row) holds
// any non-blank text.
bool FmlPreviousRowFilled(SpreadsheetGrid &grid, int row = 0);

// Adds one to the filled-row counter when the active row lies below it; one per
// call, however far below.
void FmlCountRow(int &counter, SpreadsheetGrid &grid);

// Enables the control (a widget or an action: its "enabled" property) while the
// active row is a filled row, and disables it otherwise.
void FmlEnableForRow(int counter, SpreadsheetGrid &grid, QObject *control);
