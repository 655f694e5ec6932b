#include "fakelookups.h"
#include "reports/pressscheduleformat.h"
#include "reports/pressschedulelookups.h"

#include <QTest>

using namespace Qt::StringLiterals;

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
        QTest::newRow("reams and sheets") << u"0.167令 + 80張"_s << u"0.167令 "_s << u" 80張"_s;
        QTest::newRow("no plus") << u"500張"_s << u""_s << u"500張"_s;
        QTest::newRow("first plus only") << u"1令+2+3張"_s << u"1令"_s << u"2+3張"_s;
        QTest::newRow("plus at start") << u"+80張"_s << u""_s << u"80張"_s;
        QTest::newRow("empty") << u""_s << u""_s << u""_s;
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
        QTest::newRow("zero blank") << u"0"_s << u""_s;
        QTest::newRow("zero with decimals blank") << u"0.0"_s << u""_s;
        QTest::newRow("grouped") << u"1200"_s << u"1,200"_s;
        QTest::newRow("small") << u"4"_s << u"4"_s;
        QTest::newRow("null") << u""_s << u""_s;
        QTest::newRow("text kept") << u"4+1"_s << u"4+1"_s;
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
        QTest::newRow("2026") << u"1151204"_s << u"115/12/04"_s;
        QTest::newRow("leading zero dropped") << u"0991231"_s << u"99/12/31"_s;
        QTest::newRow("short number") << u"1204"_s << u"/12/04"_s;
        QTest::newRow("empty") << u""_s << u""_s;
        QTest::newRow("not a number") << u"1204-14"_s << u"1204-14"_s;
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
        QTest::newRow("new plate") << u"1"_s << u"1"_s << u"1"_s << u"新版"_s << u"Y"_s;
        QTest::newRow("old plate") << u"0"_s << u" 1 "_s << u""_s << u"舊版"_s << u""_s;
        QTest::newRow("neither") << u""_s << u"0"_s << u"0"_s << u""_s << u""_s;
        QTest::newRow("trimmed") << u" 1"_s << u""_s << u"1 "_s << u"新版"_s << u"Y"_s;
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
        row.po = u"W001 "_s;
        row.color1 = u"0"_s;
        row.color2 = u"4"_s;
        row.plat = u"1200"_s;
        row.qty = u"0.167令 + 80張"_s;
        row.odate = u"0991231"_s;
        row.fdate = u"0991231"_s;
        row.paperSpec = u" 31x43 "_s;
        row.paperItem = u"道林"_s;
        const PressScheduleEntry e = FormatPressScheduleEntry(row, 7);
        QCOMPARE(e.counter, u"7"_s);
        QCOMPARE(e.po, u"W001 "_s);
        QCOMPARE(e.color1, QString());
        QCOMPARE(e.color2, u"4"_s);
        QCOMPARE(e.plat, u"1,200"_s);
        QCOMPARE(e.reams, u"0.167令 "_s);
        QCOMPARE(e.sheets, u" 80張"_s);
        QCOMPARE(e.odate, u"99/12/31"_s);
        QCOMPARE(e.fdate, u"0991231"_s);
        QCOMPARE(e.paperText, u"31x43   道林"_s);
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
        QTest::newRow("one paper line, plate done")
            << u""_s << 1 << u"1151201"_s << u"1151202"_s << u"80P     道林"_s << u"Y"_s << u"Y"_s;
        QTest::newRow("two paper lines")
            << u""_s << 2 << u"1151201"_s << u"1151202"_s << u"   "_s << u""_s << u"Y"_s;
        QTest::newRow("blank dates")
            << u""_s << 1 << u" "_s << u""_s << u"80P     道林"_s << u""_s << u""_s;
        QTest::newRow("no paper line")
            << u""_s << 0 << u""_s << u"1151202"_s << u"   "_s << u""_s << u"Y"_s;
        QTest::newRow("row names its paper")
            << u"25x35"_s << 1 << u"1151201"_s << u"1151202"_s << u"25x35   "_s << u"Y"_s << u"Y"_s;
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
            fake.paper[u"W1/2"_s].append({u" 80P "_s, u"道林 "_s, paperDate});
        if (!plateDate.isEmpty())
            fake.plates[u"W1/2"_s] = {plateDate};
        PressScheduleRow row;
        row.po = u" W1 "_s;
        row.no = u"2"_s;
        row.paperSpec = paperSpec;
        PressScheduleEntry entry = FormatPressScheduleEntry(row, 1);
        ApplyRowLookups(entry, row, fake);
        QCOMPARE(entry.paperText, paperText);
        QCOMPARE(entry.paperArrived, paperMark);
        QCOMPARE(entry.plateDone, plateMark);
        QCOMPARE(fake.openRows, 0);
        // The paper text is looked up only when the row names no paper.
        QCOMPARE(fake.calls.count(u"paper W1/2"_s), paperSpec.isEmpty() ? 2 : 1);
    }

    void failedLookupSkipsRestOfRow()
    {
        FakeLookups fake;
        fake.paper[u"W1/2"_s] = {{u"80P"_s, u"道林"_s, u"1151201"_s}};
        fake.plates[u"W1/2"_s] = {u"1151202"_s};
        fake.failPlateFor = {u"W1/2"_s};
        PressScheduleRow row;
        row.po = u"W1"_s;
        row.no = u"2"_s;
        PressScheduleEntry entry = FormatPressScheduleEntry(row, 1);
        ApplyRowLookups(entry, row, fake);
        // Set before the failure: kept. After it: not looked up at all.
        QCOMPARE(entry.paperText, u"80P     道林"_s);
        QCOMPARE(entry.plateDone, QString());
        QCOMPARE(entry.paperArrived, QString());
        QCOMPARE(fake.calls, QStringList({u"paper W1/2"_s, u"plate W1/2"_s}));
        QCOMPARE(fake.openRows, 0);
    }

    void lineNumberIsNumericValue()
    {
        FakeLookups fake;
        PressScheduleRow row;
        row.po = u"W1"_s;
        row.no = u"x"_s;
        row.paperSpec = u"s"_s;
        PressScheduleEntry entry = FormatPressScheduleEntry(row, 1);
        ApplyRowLookups(entry, row, fake);
        QCOMPARE(fake.calls, QStringList({u"plate W1/0"_s, u"paper W1/0"_s}));
    }
};

QTEST_APPLESS_MAIN(TestReportFormat)
#include "tst_reportformat.moc"
