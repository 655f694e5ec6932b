#include "grid/fml.h"
#include "grid/spreadsheetgrid.h"
#include "testtables.h"

#include <QAction>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>

using namespace Qt::StringLiterals;

using Block = QVector<QVector<QString>>;

// The routines run on a real grid; the pixel figures assume 96 dpi (offscreen).
class TestFml : public QObject
{
    Q_OBJECT

private slots:
    void fromArrayAndBack()
    {
        SpreadsheetGrid grid;
        grid.setMaxCol(3);
        grid.setText(9, 1, u"gone"_s); // stored, then emptied again
        grid.setText(9, 1, QString());
        // Subscripted (field, record), as a result is fetched; blanks are data.
        const RecordArray records{{u"A1"_s, u""_s, u" "_s}, {1200.0, {}, 2.5}};
        FmlFromArray(grid, records, 0);
        Block array;
        FmlToArray(grid, array); // rows up to the last one holding data, every column
        QCOMPARE(array, (Block{{u"A1"_s, u"1200"_s, {}}, {{}, {}, {}}, {u" "_s, u"2.5"_s, {}}}));
        QCOMPARE(grid.number(1, 2), 1200.0);

        grid.clearRange(1, 1, 3, 3);
        FmlToArray(grid, array);
        QCOMPARE(array, Block{{QString()}});
    }

    void fromArrayOfALargeResultAndToAStartRow()
    {
        SpreadsheetGrid grid;
        QVector<QVariant> numbers;
        for (int n = 1; n <= kFillRecordLimit + 1; ++n)
            numbers.append(double(n));
        const QAbstractItemModel *model = grid.findChild<QTableView *>()->model();
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        FmlFromArray(grid, {numbers}, 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(grid.text(1, 1), u"2"_s);
        QCOMPARE(grid.text(kFillRecordLimit, 1), u"16385"_s);

        FmlFromArray(grid, {{u"first"_s, u"second"_s}}, 20); // the first record, to that row only
        QCOMPARE(grid.toArray(19, 1, 21, 1), (Block{{u"20"_s}, {u"first"_s}, {u"22"_s}}));
    }

    void previousRowFilled_data()
    {
        // The row asked about (0: the active row), and the text of one cell.
        AddColumns<int, int, int, int, QString, bool>("activeRow", "asked", "row", "col", "text",
                                                      "filled");
        // clang-format off
        QTest::newRow("row 1 of an empty grid") << 1 << 0 << 0 << 0 << "" << true;
        QTest::newRow("row 3, row 2 blanks only") << 3 << 0 << 2 << 1 << "   " << false;
        QTest::newRow("row 3, row 1 filled") << 3 << 0 << 1 << 1 << "x" << false;
        QTest::newRow("row 3, row 2 last column") << 3 << 0 << 2 << 256 << "x" << true;
        QTest::newRow("row 3 asked, cursor on row 1") << 1 << 3 << 1 << 1 << "x" << false;
        // clang-format on
    }
    void previousRowFilled()
    {
        SpreadsheetGrid grid;
        grid.setText(Fetch<int>("row"), Fetch<int>("col"), Fetch<QString>("text"));
        grid.setActiveCell(Fetch<int>("activeRow"), 2);
        QTEST(FmlPreviousRowFilled(grid, Fetch<int>("asked")), "filled");
    }

    // The counter grows by one a call however far below; filled rows enable their controls.
    void countRowAndEnableForRow_data()
    {
        AddColumns<int, int, int, bool>("counter", "activeRow", "counted", "enabled");
        // clang-format off
        QTest::newRow("far below") << 2 << 7 << 3 << false;
        QTest::newRow("next row") << 5 << 6 << 6 << false;
        QTest::newRow("on the last filled row") << 5 << 5 << 5 << true;
        // clang-format on
    }
    void countRowAndEnableForRow()
    {
        SpreadsheetGrid grid;
        grid.setActiveCell(Fetch<int>("activeRow"), 1);
        QAction action; // or a widget: the routine sets the "enabled" property
        action.setEnabled(!Fetch<bool>("enabled"));
        FmlEnableForRow(Fetch<int>("counter"), grid, &action);
        QTEST(action.isEnabled(), "enabled");
        int counter = Fetch<int>("counter");
        FmlCountRow(counter, grid);
        QTEST(counter, "counted");
    }

    void deleteRow_data()
    {
        AddColumns<int, int, QString>("row", "activeRow", "left");
        // clang-format off
        QTest::newRow("0 takes the active row") << 0 << 2 << "134";
        QTest::newRow("negative takes the active row") << -1 << 3 << "124";
        QTest::newRow("row given") << 1 << 3 << "234";
        // clang-format on
    }
    void deleteRow()
    {
        SpreadsheetGrid grid;
        grid.setArray(1, 1, {{u"1"_s}, {u"2"_s}, {u"3"_s}, {u"4"_s}});
        grid.setActiveCell(Fetch<int>("activeRow"), 1);
        FmlDeleteRow(grid, Fetch<int>("row"));
        QTEST(grid.text(1, 1) + grid.text(2, 1) + grid.text(3, 1) + grid.text(4, 1), "left");
    }

    void clearAndRowHeight()
    {
        SpreadsheetGrid grid;
        grid.resize(300, 200);
        grid.setMaxRow(200);
        grid.setMaxCol(30);
        grid.setText(200, 30, u"z"_s);
        const QFont font = grid.cellFont();
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setActiveCell(150, 25);
        QTableView *view = grid.findChild<QTableView *>();
        FmlClear(grid, 0, QString());
        QCOMPARE(grid.lastRow(), 0);
        QCOMPARE(QPoint(grid.activeCol(), grid.activeRow()), QPoint(1, 1));
        QCOMPARE(view->horizontalScrollBar()->value() + view->verticalScrollBar()->value(), 0);
        QCOMPARE(grid.cellFont(), font);
        QVERIFY(view->updatesEnabled());

        FmlClear(grid, 12, u"255"_s); // a colour number: red in the low byte
        QCOMPARE(grid.cellFont().pointSize(), 12);
        QCOMPARE(grid.cellFont().family(), u"新細明體"_s);
        QCOMPARE(view->model()->index(0, 0).data(Qt::ForegroundRole), QColor(255, 0, 0));

        FmlSetRowHeight(600, grid); // twips: 40 pixels at 96 dpi, every row
        QCOMPARE(view->verticalHeader()->sectionSize(0), 40);
        QCOMPARE(view->verticalHeader()->sectionSize(199), 40);
    }
};

QTEST_MAIN(TestFml)
#include "tst_fml.moc"
