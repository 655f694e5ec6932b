#include "gridtests.h"

#include "grid/cellformat.h"
#include "grid/cellmodel.h"
#include "grid/recordtext.h"
#include "grid/virtualkey.h"

#include <QAbstractItemModelTester>
#include <QTest>

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
    model.setCell(2, 3, QStringLiteral("x"));
    model.setCells(1, 1, {{QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("c")}});
    model.setMaxRow(30);
    model.setMaxCol(8);
    model.deleteCells(1, 1, 1, 8);
    model.clearCells(1, 1, 30, 8);
    model.setHeadings({QStringLiteral("H1")});
    model.setColumnFormat(2, QStringLiteral("0.0"));
    model.setMaxRow(1);
    model.setMaxCol(1);
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("z")));
    QCOMPARE(model.cell(1, 1), QStringLiteral("z"));
}

void CellModelTest::bulkCopyInAndOut()
{
    CellModel model;
    model.setCells(2, 3, {{QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("c")}});
    QCOMPARE(model.cell(2, 3), QStringLiteral("a"));
    QCOMPARE(model.cell(2, 4), QStringLiteral("b"));
    QCOMPARE(model.cell(3, 3), QStringLiteral("c"));
    QCOMPARE(model.cell(3, 4), QString());

    const QVector<QVector<QString>> block = model.cells(1, 2, 3, 4);
    const QVector<QVector<QString>> expected{{{}, {}, {}},
                                             {{}, QStringLiteral("a"), QStringLiteral("b")},
                                             {{}, QStringLiteral("c"), {}}};
    QCOMPARE(block, expected);

    // Widening the stored block later keeps what was there.
    model.setCell(2, 40, QStringLiteral("far"));
    QCOMPARE(model.cell(2, 3), QStringLiteral("a"));
    QCOMPARE(model.cell(3, 3), QStringLiteral("c"));
    QCOMPARE(model.cell(2, 40), QStringLiteral("far"));
}

void CellModelTest::lastRow_data()
{
    QTest::addColumn<QList<int>>("filledRows");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty sheet") << QList<int>{} << QString() << 0;
    QTest::newRow("one row") << QList<int>{7} << QStringLiteral("x") << 7;
    QTest::newRow("gap above") << QList<int>{2, 9} << QStringLiteral("x") << 9;
    QTest::newRow("blanks are data") << QList<int>{3} << QStringLiteral("  ") << 3;
}

void CellModelTest::lastRow()
{
    QFETCH(QList<int>, filledRows);
    QFETCH(QString, text);
    QFETCH(int, expected);
    CellModel model;
    model.setCell(20, 1, QStringLiteral("gone")); // stored, then emptied again
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
            model.setCell(row, col, QStringLiteral("%1.%2").arg(row).arg(col));
    }
    model.deleteCells(2, 1, 3, 2);
    QCOMPARE(model.cell(1, 1), QStringLiteral("1.1"));
    QCOMPARE(model.cell(2, 1), QStringLiteral("4.1"));
    QCOMPARE(model.cell(3, 2), QStringLiteral("5.2"));
    QCOMPARE(model.cell(4, 1), QString());
    QCOMPARE(model.cell(5, 2), QString());
    QCOMPARE(model.cell(2, 3), QStringLiteral("2.3")); // column outside the range stays
    QCOMPARE(model.maxRow(), 5);
}

void CellModelTest::headings()
{
    CellModel model;
    model.setMaxCol(30);
    model.setHeadings({QStringLiteral("工單單號"), QString(), QStringLiteral("項目")});
    QCOMPARE(model.heading(1), QStringLiteral("工單單號"));
    QCOMPARE(model.heading(2), QStringLiteral("B"));
    QCOMPARE(model.heading(3), QStringLiteral("項目"));
    QCOMPARE(model.heading(26), QStringLiteral("Z"));
    QCOMPARE(model.heading(27), QStringLiteral("AA"));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("工單單號"));
    QCOMPARE(model.headerData(4, Qt::Vertical).toInt(), 5);
}

void CellModelTest::displayFollowsColumnFormat()
{
    CellModel model;
    model.setColumnFormat(2, QStringLiteral("0.000"));
    model.setColumnAlign(2, CellAlign::Centre);
    model.setCell(1, 2, QStringLiteral("2"));
    const QModelIndex index = model.index(0, 1);
    QCOMPARE(model.data(index, Qt::DisplayRole).toString(), QStringLiteral("2.000"));
    QCOMPARE(model.data(index, Qt::AccessibleTextRole).toString(), QStringLiteral("2.000"));
    QCOMPARE(model.data(index, Qt::EditRole).toString(), QStringLiteral("2"));
    QCOMPARE(model.data(index, Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignHCenter | Qt::AlignVCenter));
    QCOMPARE(model.columnFormat(2), QStringLiteral("0.000"));
    QCOMPARE(model.columnFormat(3), QStringLiteral("General"));
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
    QTest::newRow("text") << QVariant(QStringLiteral(" A1 ")) << " A1 ";
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
