#include "gridtests.h"

#include "grid/fml.h"
#include "grid/spreadsheetgrid.h"

#include <QAction>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QVector<QVector<QVariant>> numberedRecords(int count)
{
    // Two fields: a name and the record's number as the database gives it.
    QVector<QVector<QVariant>> records(2);
    for (int n = 1; n <= count; ++n) {
        records[0].append(u"R%1"_s.arg(n));
        records[1].append(double(n));
    }
    return records;
}

} // namespace

class FmlTest : public QObject
{
    Q_OBJECT

private slots:
    void fromArrayFillsRowsAsText();
    void fromArrayKeepsOnlyTheLastRecordsOfALargeResult();
    void fromArrayToAStartRowWritesTheFirstRecordOnly();
    void fromArrayIsOneChangeAndNoReset();
    void toArrayOfEmptyGridIsOneEmptyElement();
    void toArrayCopiesUpToTheLastRowHoldingData();
    void previousRowFilled_data();
    void previousRowFilled();
    void countRow_data();
    void countRow();
    void deleteRow_data();
    void deleteRow();
    void enableForRow_data();
    void enableForRow();
    void clearEmptiesAndReturnsToTheFirstCell();
    void clearWithColourSetsFontAndColour();
    void setRowHeightInTwips();
};

void FmlTest::fromArrayFillsRowsAsText()
{
    SpreadsheetGrid grid;
    grid.setMaxCol(5);
    const QVector<QVector<QVariant>> records{
        {u"A1"_s, u"A2"_s},
        {QVariant(1200.0), QVariant(QMetaType(QMetaType::QString))},
        {QVariant(1.5), QVariant(7)},
    };
    FmlFromArray(grid, records, 0);
    QCOMPARE(grid.text(1, 1), u"A1"_s);
    QCOMPARE(grid.text(2, 1), u"A2"_s);
    QCOMPARE(grid.text(1, 2), u"1200"_s);
    QCOMPARE(grid.text(2, 2), QString());
    QCOMPARE(grid.text(1, 3), u"1.5"_s);
    QCOMPARE(grid.text(2, 3), u"7"_s);
    QCOMPARE(grid.text(1, 4), QString());
    QCOMPARE(grid.lastRow(), 2);
    QCOMPARE(grid.number(1, 2), 1200.0);
    QCOMPARE(grid.number(2, 2), 0.0);
}

void FmlTest::fromArrayKeepsOnlyTheLastRecordsOfALargeResult()
{
    SpreadsheetGrid grid;
    grid.setMaxRow(kFillRecordLimit);
    FmlFromArray(grid, numberedRecords(kFillRecordLimit + 1), 0);
    QCOMPARE(grid.text(1, 1), u"R2"_s);
    QCOMPARE(grid.text(1, 2), u"2"_s);
    QCOMPARE(grid.text(kFillRecordLimit, 1), u"R16385"_s);
    QCOMPARE(grid.lastRow(), kFillRecordLimit);
}

void FmlTest::fromArrayToAStartRowWritesTheFirstRecordOnly()
{
    SpreadsheetGrid grid;
    FmlFromArray(grid, numberedRecords(3), 5);
    QCOMPARE(grid.text(5, 1), u"R1"_s);
    QCOMPARE(grid.text(5, 2), u"1"_s);
    QCOMPARE(grid.text(1, 1), QString());
    QCOMPARE(grid.text(6, 1), QString());
    QCOMPARE(grid.lastRow(), 5);
}

void FmlTest::fromArrayIsOneChangeAndNoReset()
{
    SpreadsheetGrid grid;
    grid.setMaxRow(kFillRecordLimit);
    grid.setMaxCol(25);
    QVector<QVector<QVariant>> records(25, QVector<QVariant>(kFillRecordLimit, QVariant(12.5)));
    const QAbstractItemModel *model = grid.findChild<QTableView *>()->model();
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);
    FmlFromArray(grid, records, 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(grid.text(kFillRecordLimit, 25), u"12.5"_s);
}

void FmlTest::toArrayOfEmptyGridIsOneEmptyElement()
{
    SpreadsheetGrid grid;
    QVector<QVector<QString>> array{{u"old"_s, u"old"_s}, {}};
    FmlToArray(grid, array);
    QCOMPARE(array.size(), 1);
    QCOMPARE(array.at(0).size(), 1);
    QCOMPARE(array.at(0).at(0), QString());
}

void FmlTest::toArrayCopiesUpToTheLastRowHoldingData()
{
    SpreadsheetGrid grid;
    grid.setMaxRow(50);
    grid.setMaxCol(4);
    grid.setText(1, 1, u"a"_s);
    grid.setText(3, 4, u"d"_s);
    QVector<QVector<QString>> array;
    FmlToArray(grid, array);
    QCOMPARE(array.size(), 3);
    for (const QVector<QString> &row : std::as_const(array))
        QCOMPARE(row.size(), 4);
    QCOMPARE(array[0][0], u"a"_s);
    QCOMPARE(array[1], QVector<QString>(4));
    QCOMPARE(array[2][3], u"d"_s);
}

void FmlTest::previousRowFilled_data()
{
    QTest::addColumn<int>("activeRow");
    QTest::addColumn<int>("filledRow");
    QTest::addColumn<int>("filledCol");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("row 1 of an empty grid") << 1 << 0 << 0 << QString() << true;
    QTest::newRow("row 3, row 2 empty") << 3 << 0 << 0 << QString() << false;
    QTest::newRow("row 3, row 2 blanks only") << 3 << 2 << 1 << u"   "_s << false;
    QTest::newRow("row 3, row 1 filled") << 3 << 1 << 1 << u"x"_s << false;
    QTest::newRow("row 3, row 2 last column") << 3 << 2 << 6 << u"x"_s << true;
    QTest::newRow("row 2, row 1 filled") << 2 << 1 << 3 << u" 0 "_s << true;
}

void FmlTest::previousRowFilled()
{
    QFETCH(int, activeRow);
    QFETCH(int, filledRow);
    QFETCH(int, filledCol);
    QFETCH(QString, text);
    QFETCH(bool, expected);
    SpreadsheetGrid grid;
    grid.setMaxRow(10);
    grid.setMaxCol(6);
    grid.setText(filledRow, filledCol, text);
    grid.setActiveCell(activeRow, 2);
    QCOMPARE(FmlPreviousRowFilled(grid), expected);
}

void FmlTest::countRow_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<int>("activeRow");
    QTest::addColumn<int>("expected");
    QTest::newRow("far below grows by one") << 2 << 7 << 3;
    QTest::newRow("next row") << 5 << 6 << 6;
    QTest::newRow("on the last filled row") << 5 << 5 << 5;
    QTest::newRow("within the filled rows") << 5 << 3 << 5;
    QTest::newRow("empty grid, row 1") << 0 << 1 << 1;
}

void FmlTest::countRow()
{
    QFETCH(int, counter);
    QFETCH(int, activeRow);
    QFETCH(int, expected);
    SpreadsheetGrid grid;
    grid.setMaxRow(20);
    grid.setActiveCell(activeRow, 1);
    FmlCountRow(counter, grid);
    QCOMPARE(counter, expected);
}

void FmlTest::deleteRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("activeRow");
    QTest::addColumn<int>("deleted");
    QTest::newRow("0 takes the active row") << 0 << 2 << 2;
    QTest::newRow("negative takes the active row") << -1 << 3 << 3;
    QTest::newRow("row given") << 1 << 3 << 1;
}

void FmlTest::deleteRow()
{
    QFETCH(int, row);
    QFETCH(int, activeRow);
    QFETCH(int, deleted);
    SpreadsheetGrid grid;
    grid.setMaxRow(4);
    grid.setMaxCol(3);
    for (int r = 1; r <= 4; ++r) {
        for (int c = 1; c <= 3; ++c)
            grid.setText(r, c, u"%1.%2"_s.arg(r).arg(c));
    }
    grid.setActiveCell(activeRow, 1);
    FmlDeleteRow(grid, row);
    for (int r = 1; r <= 3; ++r) {
        const int source = r < deleted ? r : r + 1;
        for (int c = 1; c <= 3; ++c)
            QCOMPARE(grid.text(r, c), u"%1.%2"_s.arg(source).arg(c));
    }
    QCOMPARE(grid.toArray(4, 1, 4, 3), QVector<QVector<QString>>{QVector<QString>(3)});
    QCOMPARE(grid.maxRow(), 4);
}

void FmlTest::enableForRow_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<int>("activeRow");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("no rows, row 1") << 0 << 1 << false;
    QTest::newRow("no rows, row 5") << 0 << 5 << false;
    QTest::newRow("on a filled row") << 3 << 3 << true;
    QTest::newRow("below the filled rows") << 3 << 4 << false;
}

void FmlTest::enableForRow()
{
    QFETCH(int, counter);
    QFETCH(int, activeRow);
    QFETCH(bool, enabled);
    SpreadsheetGrid grid;
    grid.setMaxRow(10);
    grid.setActiveCell(activeRow, 1);
    QPushButton button;
    button.setEnabled(!enabled);
    QAction action;
    action.setEnabled(!enabled);
    FmlEnableForRow(counter, grid, &button);
    FmlEnableForRow(counter, grid, &action);
    QCOMPARE(button.isEnabled(), enabled);
    QCOMPARE(action.isEnabled(), enabled);
}

void FmlTest::clearEmptiesAndReturnsToTheFirstCell()
{
    SpreadsheetGrid grid;
    grid.resize(300, 200);
    grid.setMaxRow(200);
    grid.setMaxCol(30);
    grid.setText(1, 1, u"a"_s);
    grid.setText(200, 30, u"z"_s);
    const QFont before = grid.cellFont();
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setActiveCell(150, 25);
    auto *view = grid.findChild<QTableView *>();
    QVERIFY(view->verticalScrollBar()->value() > 0);

    QSignalSpy moved(&grid, &SpreadsheetGrid::activeCellChanged);
    FmlClear(grid, 0, QString());
    QCOMPARE(grid.lastRow(), 0);
    QCOMPARE(grid.activeRow(), 1);
    QCOMPARE(grid.activeCol(), 1);
    QCOMPARE(view->verticalScrollBar()->value(), 0);
    QCOMPARE(view->horizontalScrollBar()->value(), 0);
    QCOMPARE(moved.count(), 0); // the program's own move raises no event
    QCOMPARE(grid.cellFont(), before);
    QVERIFY(view->updatesEnabled());
}

void FmlTest::clearWithColourSetsFontAndColour()
{
    SpreadsheetGrid grid;
    grid.setText(1, 1, u"a"_s);
    FmlClear(grid, 12, u"255"_s); // red in the low byte
    QCOMPARE(grid.cellFont().pointSize(), 12);
    QCOMPARE(grid.cellFont().family(), u"新細明體"_s);
    const QAbstractItemModel *model = grid.findChild<QTableView *>()->model();
    QCOMPARE(model->data(model->index(0, 0), Qt::ForegroundRole).value<QColor>(),
             QColor(255, 0, 0));
    QCOMPARE(grid.text(1, 1), QString());
}

void FmlTest::setRowHeightInTwips()
{
    SpreadsheetGrid grid;
    grid.setMaxRow(30);
    FmlSetRowHeight(400, grid);
    const QTableView *view = grid.findChild<QTableView *>();
    // 1440 twips make an inch of the screen's logical resolution.
    const int expected = qRound(400.0 * view->logicalDpiY() / 1440.0);
    QCOMPARE(view->verticalHeader()->sectionSize(0), expected);
    QCOMPARE(view->verticalHeader()->sectionSize(29), expected);
    QCOMPARE(grid.rowHeightTwips(), 400);
}

int runFmlTests(int argc, char **argv)
{
    FmlTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fml.moc"
