#include "gridinput.h"

#include "grid/spreadsheetgrid.h"

#include <QApplication>
#include <QTableView>
#include <QTest>

void ClickCell(SpreadsheetGrid &grid, int row, int col)
{
    auto *view = grid.findChild<QTableView *>();
    const QModelIndex index = view->model()->index(row - 1, col - 1);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

// Where the grid's keys go: its cell editor once an edit has begun, else the sheet.
static QWidget *GridKeyTarget(SpreadsheetGrid &grid)
{
    QWidget *focus = QApplication::focusWidget();
    return focus && grid.isAncestorOf(focus) ? focus : grid.findChild<QTableView *>();
}

void PressKey(SpreadsheetGrid &grid, Qt::Key key)
{
    QTest::keyClick(GridKeyTarget(grid), key);
}

void TypeKeys(SpreadsheetGrid &grid, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(GridKeyTarget(grid), char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, GridKeyTarget(grid), Qt::Key_unknown, QString(c), {});
    }
}
