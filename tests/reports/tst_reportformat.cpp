#include "fakelookups.h"
#include "reports/pressscheduleformat.h"
#include "reports/pressschedulelookups.h"

#include <QTest>

// The formatting rules of one entry and its lookups in PAPER and PLATE.
class TestReportFormat : public QObject
{
    Q_OBJECT

private slots:
    void quantitySplit_data()
    {
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("reams");
        QTest::addColumn<QString>("sheets");
        QTest::newRow("reams and sheets") << "0.167令 + 80張"
                                          << "0.167令 "
                                          << " 80張";
        QTest::newRow("no plus") << "500張"
                                 << ""
                                 << "500張";
        QTest::newRow("first plus only") << "1令+2+3張"
                                         << "1令"
                                         << "2+3張";
        QTest::newRow("plus at start") << "+80張"
                                       << ""
                                       << "80張";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }
    void quantitySplit()
    {
        QFETCH(QString, reams);
        QFETCH(QString, sheets);
        QFETCH(QString, qty);
        const QuantityParts parts = SplitQuantity(qty);
        QCOMPARE(parts.reams, reams);
        QCOMPARE(parts.sheets, sheets);
    }

    void countColumns_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("printed");
        QTest::newRow("zero blank") << "0"
                                    << "";
        QTest::newRow("zero with decimals blank") << "0.0"
                                                  << "";
        QTest::newRow("grouped") << "1200"
                                 << "1,200";
        QTest::newRow("small") << "4"
                               << "4";
        QTest::newRow("null") << ""
                              << "";
        QTest::newRow("text kept") << "4+1"
                                   << "4+1";
    }
    void countColumns()
    {
        QFETCH(QString, value);
        QFETCH(QString, printed);
        QCOMPARE(CountColumnText(value), printed);
    }

    void plannedDate_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("printed");
        QTest::newRow("2026") << "1151204"
                              << "115/12/04";
        QTest::newRow("leading zero dropped") << "0991231"
                                              << "99/12/31";
        QTest::newRow("short number") << "1204"
                                      << "/12/04";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("not a number") << "1204-14"
                                      << "1204-14";
    }
    void plannedDate()
    {
        QFETCH(QString, stored);
        QFETCH(QString, printed);
        QCOMPARE(PlannedDateText(stored), printed);
    }

    void plateKindAndPressCheck_data()
    {
        QTest::addColumn<QString>("item1");
        QTest::addColumn<QString>("item4");
        QTest::addColumn<QString>("item7");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("check");
        QTest::newRow("new plate") << "1"
                                   << "1"
                                   << "1"
                                   << "新版"
                                   << "Y";
        QTest::newRow("old plate") << "0"
                                   << " 1 "
                                   << ""
                                   << "舊版"
                                   << "";
        QTest::newRow("neither") << ""
                                 << "0"
                                 << "0"
                                 << ""
                                 << "";
        QTest::newRow("trimmed") << " 1"
                                 << ""
                                 << "1 "
                                 << "新版"
                                 << "Y";
    }
    void plateKindAndPressCheck()
    {
        QFETCH(QString, kind);
        QFETCH(QString, check);
        QFETCH(QString, item1);
        QFETCH(QString, item4);
        QFETCH(QString, item7);
        QCOMPARE(PlateKindText(item1, item4), kind);
        QCOMPARE(PressCheckText(item7), check);
    }

    void entryFromRow()
    {
        PressScheduleRow row;
        row.po = "W001 ";
        row.color1 = "0";
        row.color2 = "4";
        row.plat = "1200";
        row.qty = "0.167令 + 80張";
        row.odate = "0991231";
        row.fdate = "0991231";
        row.paperSpec = " 31x43 ";
        row.paperItem = "道林";
        const PressScheduleEntry e = FormatPressScheduleEntry(row, 7);
        QCOMPARE(e.counter, QStringLiteral("7"));
        QCOMPARE(e.po, QStringLiteral("W001 "));
        QCOMPARE(e.color1, QString());
        QCOMPARE(e.color2, QStringLiteral("4"));
        QCOMPARE(e.plat, QStringLiteral("1,200"));
        QCOMPARE(e.reams, QStringLiteral("0.167令 "));
        QCOMPARE(e.sheets, QStringLiteral(" 80張"));
        QCOMPARE(e.odate, QStringLiteral("99/12/31"));
        QCOMPARE(e.fdate, QStringLiteral("0991231"));
        QCOMPARE(e.paperText, QStringLiteral("31x43   道林"));
    }

    void lookups_data()
    {
        QTest::addColumn<QString>("paperSpec");
        QTest::addColumn<int>("paperCount");
        QTest::addColumn<QString>("paperDate");
        QTest::addColumn<QString>("plateDate");
        QTest::addColumn<QString>("paperText");
        QTest::addColumn<QString>("paperMark");
        QTest::addColumn<QString>("plateMark");
        QTest::newRow("one paper line, plate done") << "" << 1 << "1151201"
                                                    << "1151202"
                                                    << "80P     道林"
                                                    << "Y"
                                                    << "Y";
        QTest::newRow("two paper lines") << "" << 2 << "1151201"
                                         << "1151202"
                                         << "   "
                                         << ""
                                         << "Y";
        QTest::newRow("blank dates") << "" << 1 << " "
                                     << ""
                                     << "80P     道林"
                                     << ""
                                     << "";
        QTest::newRow("no paper line") << "" << 0 << ""
                                       << "1151202"
                                       << "   "
                                       << ""
                                       << "Y";
        QTest::newRow("row names its paper") << "25x35" << 1 << "1151201"
                                             << "1151202"
                                             << "25x35   "
                                             << "Y"
                                             << "Y";
    }
    void lookups()
    {
        QFETCH(QString, paperText);
        QFETCH(QString, paperMark);
        QFETCH(QString, plateMark);
        QFETCH(QString, paperSpec);
        QFETCH(int, paperCount);
        QFETCH(QString, paperDate);
        QFETCH(QString, plateDate);
        FakeLookups fake;
        for (int i = 0; i < paperCount; ++i)
            fake.paper["W1/2"].append({" 80P ", "道林 ", paperDate});
        if (!plateDate.isEmpty())
            fake.plates["W1/2"] = {plateDate};
        PressScheduleRow row;
        row.po = " W1 ";
        row.no = "2";
        row.paperSpec = paperSpec;
        PressScheduleEntry entry = FormatPressScheduleEntry(row, 1);
        ApplyRowLookups(entry, row, fake);
        QCOMPARE(entry.paperText, paperText);
        QCOMPARE(entry.paperArrived, paperMark);
        QCOMPARE(entry.plateDone, plateMark);
        QCOMPARE(fake.openRows, 0);
        // The paper text is looked up only when the row names no paper.
        QCOMPARE(fake.calls.count("paper W1/2"), paperSpec.isEmpty() ? 2 : 1);
    }

    void failedLookupSkipsRestOfRow()
    {
        FakeLookups fake;
        fake.paper["W1/2"] = {{"80P", "道林", "1151201"}};
        fake.plates["W1/2"] = {"1151202"};
        fake.failPlateFor = {"W1/2"};
        PressScheduleRow row;
        row.po = "W1";
        row.no = "2";
        PressScheduleEntry entry = FormatPressScheduleEntry(row, 1);
        ApplyRowLookups(entry, row, fake);
        // Set before the failure: kept. After it: not looked up at all.
        QCOMPARE(entry.paperText, QStringLiteral("80P     道林"));
        QCOMPARE(entry.plateDone, QString());
        QCOMPARE(entry.paperArrived, QString());
        QCOMPARE(fake.calls, QStringList({"paper W1/2", "plate W1/2"}));
        QCOMPARE(fake.openRows, 0);
    }

    void lineNumberIsNumericValue()
    {
        FakeLookups fake;
        PressScheduleRow row;
        row.po = "W1";
        row.no = "x";
        row.paperSpec = "s";
        PressScheduleEntry entry = FormatPressScheduleEntry(row, 1);
        ApplyRowLookups(entry, row, fake);
        QCOMPARE(fake.calls, QStringList({"plate W1/0", "paper W1/0"}));
    }
};

QTEST_APPLESS_MAIN(TestReportFormat)
#include "tst_reportformat.moc"
