#include "gridtests.h"

#include "grid/cellformat.h"
#include "grid/cellmodel.h"
#include "grid/recordtext.h"
#include "grid/virtualkey.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::StringLiterals;

class CellModelTest : public QObject
{
    Q_OBJECT

private slots:
    void passesModelTesterThroughEveryChange();
    void bulkCopyInAndOut();
    void lastRow_data();
    void lastRow();
    void deleteMovesRowsUpInItsColumnsOnly();
    void headings();
    void displayFollowsColumnFormat();
    void displayText_data();
    void displayText();
    void formatDecimals_data();
    void formatDecimals();
    void alignment_data();
    void alignment();
    void virtualKeys_data();
    void virtualKeys();
    void recordValueText_data();
    void recordValueText();
};

void CellModelTest::passesModelTesterThroughEveryChange()
{
    CellModel model;
    model.setMaxRow(10); // the tester walks every cell after each change
    model.setMaxCol(4);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setMaxRow(12);
    model.setMaxCol(5);
    model.setCell(2, 3, u"x"_s);
    model.setCells(1, 1, {{u"a"_s, u"b"_s}, {u"c"_s}});
    model.setMaxRow(30);
    model.setMaxCol(8);
    model.deleteCells(1, 1, 1, 8);
    model.clearCells(1, 1, 30, 8);
    model.setHeadings({u"H1"_s});
    model.setColumnFormat(2, u"0.0"_s);
    model.setMaxRow(1);
    model.setMaxCol(1);
    QVERIFY(model.setData(model.index(0, 0), u"z"_s));
    QCOMPARE(model.cell(1, 1), u"z"_s);
}

void CellModelTest::bulkCopyInAndOut()
{
    CellModel model;
    model.setCells(2, 3, {{u"a"_s, u"b"_s}, {u"c"_s}});
    QCOMPARE(model.cell(2, 3), u"a"_s);
    QCOMPARE(model.cell(2, 4), u"b"_s);
    QCOMPARE(model.cell(3, 3), u"c"_s);
    QCOMPARE(model.cell(3, 4), QString());

    const QVector<QVector<QString>> block = model.cells(1, 2, 3, 4);
    const QVector<QVector<QString>> expected{{{}, {}, {}}, {{}, u"a"_s, u"b"_s}, {{}, u"c"_s, {}}};
    QCOMPARE(block, expected);

    // Widening the stored block later keeps what was there.
    model.setCell(2, 40, u"far"_s);
    QCOMPARE(model.cell(2, 3), u"a"_s);
    QCOMPARE(model.cell(3, 3), u"c"_s);
    QCOMPARE(model.cell(2, 40), u"far"_s);
}

void CellModelTest::lastRow_data()
{
    QTest::addColumn<QList<int>>("filledRows");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty sheet") << QList<int>{} << QString() << 0;
    QTest::newRow("one row") << QList<int>{7} << u"x"_s << 7;
    QTest::newRow("gap above") << QList<int>{2, 9} << u"x"_s << 9;
    QTest::newRow("blanks are data") << QList<int>{3} << u"  "_s << 3;
}

void CellModelTest::lastRow()
{
    QFETCH(QList<int>, filledRows);
    QFETCH(QString, text);
    QFETCH(int, expected);
    CellModel model;
    model.setCell(20, 1, u"gone"_s); // stored, then emptied again
    model.setCell(20, 1, QString());
    for (int row : filledRows)
        model.setCell(row, 2, text);
    QCOMPARE(model.lastRow(), expected);
}

void CellModelTest::deleteMovesRowsUpInItsColumnsOnly()
{
    CellModel model;
    model.setMaxRow(5);
    model.setMaxCol(3);
    for (int row = 1; row <= 5; ++row) {
        for (int col = 1; col <= 3; ++col)
            model.setCell(row, col, u"%1.%2"_s.arg(row).arg(col));
    }
    model.deleteCells(2, 1, 3, 2);
    QCOMPARE(model.cell(1, 1), u"1.1"_s);
    QCOMPARE(model.cell(2, 1), u"4.1"_s);
    QCOMPARE(model.cell(3, 2), u"5.2"_s);
    QCOMPARE(model.cell(4, 1), QString());
    QCOMPARE(model.cell(5, 2), QString());
    QCOMPARE(model.cell(2, 3), u"2.3"_s); // column outside the range stays
    QCOMPARE(model.maxRow(), 5);
}

void CellModelTest::headings()
{
    CellModel model;
    model.setMaxCol(30);
    model.setHeadings({u"工單單號"_s, QString(), u"項目"_s});
    QCOMPARE(model.heading(1), u"工單單號"_s);
    QCOMPARE(model.heading(2), u"B"_s);
    QCOMPARE(model.heading(3), u"項目"_s);
    QCOMPARE(model.heading(26), u"Z"_s);
    QCOMPARE(model.heading(27), u"AA"_s);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"工單單號"_s);
    QCOMPARE(model.headerData(4, Qt::Vertical).toInt(), 5);
}

void CellModelTest::displayFollowsColumnFormat()
{
    CellModel model;
    model.setColumnFormat(2, u"0.000"_s);
    model.setColumnAlign(2, CellAlign::Centre);
    model.setCell(1, 2, u"2"_s);
    const QModelIndex index = model.index(0, 1);
    QCOMPARE(model.data(index, Qt::DisplayRole).toString(), u"2.000"_s);
    QCOMPARE(model.data(index, Qt::AccessibleTextRole).toString(), u"2.000"_s);
    QCOMPARE(model.data(index, Qt::EditRole).toString(), u"2"_s);
    QCOMPARE(model.data(index, Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignHCenter | Qt::AlignVCenter));
    QCOMPARE(model.columnFormat(2), u"0.000"_s);
    QCOMPARE(model.columnFormat(3), u"General"_s);
}

void CellModelTest::displayText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");
    QTest::newRow("one decimal rounds half up") << "2.25"
                                                << "0.0"
                                                << "2.3";
    QTest::newRow("whole number padded") << "3"
                                         << "0.000"
                                         << "3.000";
    QTest::newRow("integer format rounds") << "12.5"
                                           << "0"
                                           << "13";
    QTest::newRow("negative rounds away") << "-12.5"
                                          << "0"
                                          << "-13";
    QTest::newRow("no negative zero") << "-0.04"
                                      << "0.0"
                                      << "0.0";
    QTest::newRow("two decimals") << "1.005e2"
                                  << "0.00"
                                  << "100.50";
    QTest::newRow("blanks around a number") << " 7 "
                                            << "0.0"
                                            << "7.0";
    QTest::newRow("grouped text kept") << "1,500"
                                       << "0.0"
                                       << "1,500";
    QTest::newRow("text kept") << "25x35"
                               << "0"
                               << "25x35";
    QTest::newRow("empty kept") << ""
                                << "0.0"
                                << "";
    QTest::newRow("general kept") << "1.50"
                                  << "General"
                                  << "1.50";
}

void CellModelTest::displayText()
{
    QFETCH(QString, stored);
    QFETCH(QString, format);
    QFETCH(QString, shown);
    QCOMPARE(DisplayCellText(stored, NumberFormatDecimals(format)), shown);
}

void CellModelTest::formatDecimals_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("decimals");
    QTest::newRow("General") << "General" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("0.0") << "0.0" << 1;
    QTest::newRow("0.00") << "0.00" << 2;
    QTest::newRow("0.000") << "0.000" << 3;
    QTest::newRow("unknown") << "#,##0" << -1;
    QTest::newRow("bare point") << "0." << -1;
}

void CellModelTest::formatDecimals()
{
    QFETCH(QString, format);
    QFETCH(int, decimals);
    QCOMPARE(NumberFormatDecimals(format), decimals);
}

void CellModelTest::alignment_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("align"); // a CellAlign
    QTest::addColumn<int>("horizontal");
    QTest::newRow("general number") << "12.5" << int(CellAlign::General) << int(Qt::AlignRight);
    QTest::newRow("general grouped number")
        << "1,500" << int(CellAlign::General) << int(Qt::AlignRight);
    QTest::newRow("general text") << "A123" << int(CellAlign::General) << int(Qt::AlignLeft);
    QTest::newRow("left number") << "12" << int(CellAlign::Left) << int(Qt::AlignLeft);
    QTest::newRow("right text") << "ab" << int(CellAlign::Right) << int(Qt::AlignRight);
    QTest::newRow("centre") << "ab" << int(CellAlign::Centre) << int(Qt::AlignHCenter);
}

void CellModelTest::alignment()
{
    QFETCH(QString, text);
    QFETCH(int, align);
    QFETCH(int, horizontal);
    const Qt::Alignment a = CellAlignment(text, CellAlign(align));
    QCOMPARE(int(a & Qt::AlignHorizontal_Mask), horizontal);
    QCOMPARE(int(a & Qt::AlignVertical_Mask), int(Qt::AlignVCenter));
}

void CellModelTest::virtualKeys_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("code");
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 46;
    QTest::newRow("F2") << int(Qt::Key_F2) << 113;
    QTest::newRow("F9") << int(Qt::Key_F9) << 120;
    QTest::newRow("Return") << int(Qt::Key_Return) << 13;
    QTest::newRow("letter") << int(Qt::Key_Q) << int('Q');
    QTest::newRow("digit") << int(Qt::Key_7) << int('7');
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 27;
    QTest::newRow("no code") << int(Qt::Key_VolumeUp) << 0;
}

void CellModelTest::virtualKeys()
{
    QFETCH(int, qtKey);
    QFETCH(int, code);
    QCOMPARE(VirtualKeyFromQtKey(qtKey), code);
    if (code != 0)
        QCOMPARE(VirtualKeyFromQtKey(QtKeyFromVirtualKey(code)), code);
}

void CellModelTest::recordValueText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("no value") << QVariant() << "";
    QTest::newRow("null text") << QVariant(QMetaType(QMetaType::QString)) << "";
    QTest::newRow("null number") << QVariant(QMetaType(QMetaType::Double)) << "";
    QTest::newRow("whole double") << QVariant(1200.0) << "1200";
    QTest::newRow("negative whole") << QVariant(-3.0) << "-3";
    QTest::newRow("negative zero") << QVariant(-0.0) << "0";
    QTest::newRow("beyond whole range") << QVariant(1e20) << "100000000000000000000";
    QTest::newRow("fraction") << QVariant(1.5) << "1.5";
    QTest::newRow("integer") << QVariant(42) << "42";
    QTest::newRow("text") << QVariant(u" A1 "_s) << " A1 ";
}

void CellModelTest::recordValueText()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(RecordValueText(value), text);
}

int runCellModelTests(int argc, char **argv)
{
    CellModelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cellmodel.moc"
