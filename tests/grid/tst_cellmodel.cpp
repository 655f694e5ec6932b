#include "grid/cellformat.h"
#include "grid/cellmodel.h"
#include "grid/recordtext.h"
#include "grid/virtualkey.h"
#include "testtables.h"

#include <QAbstractItemModelTester>

using namespace Qt::StringLiterals;

using Block = QVector<QVector<QString>>;

class TestCellModel : public QObject
{
    Q_OBJECT

private slots:
    // The tester checks the model's signals, and every cell, after each change.
    void bulkCopyHeadingsAndFormats()
    {
        CellModel model;
        model.setMaxRow(10);
        model.setMaxCol(4);
        QAbstractItemModelTester tester(&model); // failures are test failures
        model.setCells(2, 3, {{u"a"_s, u"b"_s}, {u"c"_s}});
        model.setCell(2, 40, u"far"_s); // beyond the shown columns; the stored rows widen
        QCOMPARE(model.cells(1, 2, 3, 4),
                 (Block{{{}, {}, {}}, {{}, u"a"_s, u"b"_s}, {{}, u"c"_s, {}}}));
        model.setMaxRow(30);
        model.setMaxCol(28);
        model.clearCells(1, 1, 30, 8);
        QCOMPARE(model.cells(2, 3, 3, 4), (Block{{{}, {}}, {{}, {}}}));
        QCOMPARE(model.cell(2, 40), u"far"_s);

        model.setHeadings({u"工單單號"_s});
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"工單單號"_s);
        QCOMPARE(model.heading(26), u"Z"_s);
        QCOMPARE(model.headerData(26, Qt::Horizontal).toString(), u"AA"_s);
        QCOMPARE(model.headerData(4, Qt::Vertical).toInt(), 5);

        model.setColumnFormat(2, u"0.000"_s);
        model.setColumnAlign(2, CellAlign::Centre);
        QVERIFY(model.setData(model.index(0, 1), u"2"_s));
        const QModelIndex index = model.index(0, 1);
        QCOMPARE(index.data(Qt::DisplayRole).toString(), u"2.000"_s);
        QCOMPARE(index.data(Qt::AccessibleTextRole).toString(), u"2.000"_s);
        QCOMPARE(index.data(Qt::EditRole).toString(), u"2"_s);
        QCOMPARE(index.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(model.columnFormat(3), u"General"_s);
        model.setMaxRow(1);
    }

    void deleteMovesRowsUpInItsColumnsOnly()
    {
        CellModel model;
        model.setCells(1, 1, {{u"a"_s, u"A"_s}, {u"b"_s, u"B"_s}, {u"c"_s, u"C"_s}, {u"d"_s}});
        model.deleteCells(2, 1, 3, 1);
        const Block expected{{u"a"_s, u"A"_s}, {u"d"_s, u"B"_s}, {{}, u"C"_s}, {{}, {}}};
        QCOMPARE(model.cells(1, 1, 4, 2), expected);
    }

    // What a cell shows under its column's number format and alignment.
    void cellShows_data()
    {
        AddColumns<QString, QString, CellAlign, QString, Qt::Alignment>("stored", "format", "align",
                                                                        "shown", "alignment");
        const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
        const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
        // clang-format off
        QTest::newRow("half rounds up, not to even") << "2.25" << "0.0" << CellAlign::General << "2.3" << right;
        QTest::newRow("no decimals") << "12.5" << "0" << CellAlign::Left << "13" << left;
        QTest::newRow("negative half rounds away from zero") << "-12.5" << "0" << CellAlign::General << "-13" << right;
        QTest::newRow("no negative zero") << "-0.04" << "0.0" << CellAlign::General << "0.0" << right;
        QTest::newRow("exponent, padded decimals") << "1.005e2" << "0.00" << CellAlign::Centre << "100.50" << Qt::Alignment(Qt::AlignCenter);
        QTest::newRow("grouped number kept") << "1,500" << "0.0" << CellAlign::General << "1,500" << right;
        QTest::newRow("text kept") << "25x35" << "0" << CellAlign::General << "25x35" << left;
        QTest::newRow("text to the right") << "ab" << "0" << CellAlign::Right << "ab" << right;
        QTest::newRow("no format") << "+1.5" << "" << CellAlign::General << "+1.5" << right;
        QTest::newRow("unknown format") << "+1.5" << "0.0%" << CellAlign::General << "+1.5" << right;
        QTest::newRow("bare point") << "+1.5" << "0." << CellAlign::General << "+1.5" << right;
        // clang-format on
    }
    void cellShows()
    {
        const QString stored = Fetch<QString>("stored");
        QTEST(DisplayCellText(stored, NumberFormatDecimals(Fetch<QString>("format"))), "shown");
        QTEST(CellAlignment(stored, Fetch<CellAlign>("align")), "alignment");
    }

    void virtualKeys_data()
    {
        AddColumns<int, int>("qtKey", "code");
        // clang-format off
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 46;
        QTest::newRow("F9") << int(Qt::Key_F9) << 120;
        QTest::newRow("Return") << int(Qt::Key_Return) << 13;
        QTest::newRow("letter") << int(Qt::Key_Q) << int('Q');
        QTest::newRow("digit") << int(Qt::Key_7) << int('7');
        QTest::newRow("no code") << int(Qt::Key_VolumeUp) << 0;
        // clang-format on
    }
    void virtualKeys()
    {
        const int code = VirtualKeyFromQtKey(Fetch<int>("qtKey"));
        QTEST(code, "code");
        QCOMPARE(VirtualKeyFromQtKey(QtKeyFromVirtualKey(code)), code);
    }

    void recordValueText_data()
    {
        AddColumns<QVariant, QString>("value", "text");
        // clang-format off
        QTest::newRow("Null number") << QVariant(QMetaType(QMetaType::Double)) << "";
        QTest::newRow("whole") << QVariant(1200.0) << "1200";
        QTest::newRow("negative zero") << QVariant(-0.0) << "0";
        QTest::newRow("beyond the whole range") << QVariant(1e20) << "100000000000000000000";
        QTest::newRow("fraction") << QVariant(1.5) << "1.5";
        QTest::newRow("text kept as it is") << QVariant(u" A1 "_s) << " A1 ";
        // clang-format on
    }
    void recordValueText() { QTEST(RecordValueText(Fetch<QVariant>("value")), "text"); }
};

QTEST_GUILESS_MAIN(TestCellModel)
#include "tst_cellmodel.moc"
