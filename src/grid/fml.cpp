#include "grid/fml.h"

#include "common/colournumber.h"
#include "common/typefaces.h"
#include "grid/recordtext.h"
#include "grid/spreadsheetgrid.h"

#include <QFont>
#include <algorithm>

using namespace Qt::StringLiterals;

void FmlSetRowHeight(int height, SpreadsheetGrid &grid)
{
    grid.setRowHeightTwips(height);
}

void FmlClear(SpreadsheetGrid &grid, int fontSize, const QString &fontColour)
{
    grid.setRedraw(false);
    grid.clearRange(1, 1, grid.maxRow(), grid.maxCol());
    if (!fontColour.isEmpty()) {
        QFont font = grid.cellFont();
        font.setFamily(ScreenFamily());
        if (fontSize > 0)
            font.setPointSize(fontSize);
        font.setBold(false);
        font.setItalic(false);
        font.setUnderline(false);
        font.setStrikeOut(false);
        grid.setCellFont(font, ColourFromNumberText(fontColour));
    }
    grid.setActiveCell(1, 1);
    grid.scrollToOrigin();
    grid.setRedraw(true);
}

void FmlFromArray(SpreadsheetGrid &grid, const RecordArray &records, int startRow)
{
    const int fields = int(records.size());
    int recordCount = 0;
    for (const QVector<QVariant> &field : records)
        recordCount = std::max(recordCount, int(field.size()));
    if (fields == 0 || recordCount == 0)
        return;

    const int first = std::max(0, recordCount - kFillRecordLimit);
    const bool singleRow = startRow >= 1;
    const int rows = singleRow ? 1 : recordCount - first;
    QVector<QVector<QString>> gridArray(rows, QVector<QString>(fields));
    for (int r = 0; r < rows; ++r) {
        QVector<QString> &line = gridArray[r];
        for (int f = 0; f < fields; ++f)
            line[f] = RecordValueText(records.at(f).value(first + r));
    }
    grid.setArray(singleRow ? startRow : 1, 1, gridArray);
}

void FmlToArray(SpreadsheetGrid &grid, QVector<QVector<QString>> &array)
{
    const int last = grid.lastRow();
    if (last == 0) {
        array = {{QString()}};
        return;
    }
    array = grid.toArray(1, 1, last, grid.maxCol());
}

void FmlDeleteRow(SpreadsheetGrid &grid, int row)
{
    if (row <= 0)
        row = grid.activeRow();
    grid.deleteRange(row, 1, row, grid.maxCol());
}

bool FmlPreviousRowFilled(SpreadsheetGrid &grid, int row)
{
    if (row <= 0)
        row = grid.activeRow();
    if (row == 1)
        return true;
    for (int col = 1; col <= grid.maxCol(); ++col) {
        if (!grid.text(row - 1, col).trimmed().isEmpty())
            return true;
    }
    return false;
}

void FmlCountRow(int &counter, SpreadsheetGrid &grid)
{
    if (grid.activeRow() > counter)
        ++counter;
}

void FmlEnableForRow(int counter, SpreadsheetGrid &grid, QObject *control)
{
    if (control)
        control->setProperty("enabled", grid.activeRow() <= counter);
}
