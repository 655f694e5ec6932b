#include "common/clock.h"
#include "db/connection.h"
#include "report_engine/reportpreviewer.h"
#include "reports/pressscheduledata.h"
#include "reports/pressscheduleformat.h"
#include "reports/pressschedulereport.h"
#include "reports/printpressschedule.h"
#include "reports/schedulesheet.h"
#include "scriptedmessages.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"
#include "testtables.h"

#include <QApplication>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Press 01: W1/1 names its paper, has one PAPER line (arrived) and a plate
// done; W1/2 one PAPER line (arrived), a blank PLATE date; W2/1 two PAPER lines,
// no PLATE line. Press 02: W0/1.
void Fill(TestDatabase &db)
{
    const QString row =
        u"insert into [印刷預排表1] (車別, PO, [NO], PLAT, 規格, 紙品, DESC1, COLOR1, "
        u"COLOR2, MEMB, QTY, ODATE, FDATE, ITEM1, ITEM4, ITEM7) values (?, ?, ?, ?, ?, "
        u"?, '月曆', 0, 4, 2, '0.167令 + 80張', '0991231', '0991231', '', '1', '1')"_s;
    db.exec(row, {u"02"_s, u"W0 "_s, 1, 8, u""_s, u""_s});
    db.exec(row, {u"01"_s, u"W2"_s, 1, 1200, u""_s, u""_s});
    db.exec(row, {u"01"_s, u"W1"_s, 2, 8, u""_s, u""_s});
    db.exec(row, {u"01"_s, u"W1"_s, 1, 8, u"25x35"_s, u"道林"_s});
    db.exec(u"insert into [COMPANY] ([COMPANY]) values ('  大和印刷 ')"_s);
    const QString paper =
        u"insert into [PAPER] (PO, [NO], SPEC, [ITEM], FDATE) values (?, ?, ?, ?, ?)"_s;
    db.exec(paper, {u"W1"_s, 1, u"31x43"_s, u"模造"_s, u"1151201"_s});
    db.exec(paper, {u"W1"_s, 2, u" 80P "_s, u" 銅版 "_s, u"1151202"_s});
    db.exec(paper, {u"W2"_s, 1, u"25x35"_s, u"道林"_s, u"1151202"_s});
    db.exec(paper, {u"W2"_s, 1, u"25x35"_s, u"道林"_s, u"1151202"_s});
    const QString plate = u"insert into [PLATE] (PO, [NO], FDATE) values (?, ?, ?)"_s;
    db.exec(plate, {u"W1"_s, 1, u"1151203"_s});
    db.exec(plate, {u"W1"_s, 2, u" "_s});
}

// The schedule of the presses starting with `press`, every band in order.
QVector<PlacedBand> Schedule(const TestDatabase &db, const QString &press)
{
    Connection c;
    c.open(db.connectionString());
    DbPressScheduleLookups lookups(db.connectionString());
    const ReportLayout layout =
        BuildPressScheduleReport(LoadPressScheduleRows(c, press), u"C"_s, u"115/12/04"_s, lookups);
    QVector<PlacedBand> bands;
    for (const ReportPage &page : PaginateBands(layout.bands, layout.setup.printableHeight()))
        bands += page.bands;
    return bands;
}

// The texts of every entry, one line each.
QStringList Entries(const QVector<PlacedBand> &bands)
{
    QStringList entries;
    for (const PlacedBand &b : bands) {
        if (b.band.kind != ReportBand::Kind::Detail)
            continue;
        QStringList texts;
        for (const char *name :
             {"txt序", "PO", "DESC1", "txt用紙", "txt紙", "txt版", "COLOR1", "COLOR2", "MEMB",
              "PLAT", "txt令", "txt張", "ODATE", "FDATE", "txt版別", "txt看印"})
            texts.append(b.band.text(QString::fromUtf8(name))->text);
        entries.append(texts.join(u'|'));
    }
    return entries;
}

} // namespace

// The press schedule: the texts of an entry, its lookups in the database, the
// groups and their layout, and the print operation.
class TestPressSchedule : public QObject
{
    Q_OBJECT

private slots:
    void columns_data()
    {
        AddColumns<QString, QString, QString>("rule", "value", "printed");
        // clang-format off
        QTest::newRow("quantity: reams + sheets") << u"quantity"_s << u"0.167令 + 80張"_s << u"0.167令 | 80張"_s;
        QTest::newRow("quantity: no plus") << u"quantity"_s << u"500張"_s << u"|500張"_s;
        QTest::newRow("quantity: first plus only") << u"quantity"_s << u"1令+2+3張"_s << u"1令|2+3張"_s;
        QTest::newRow("count: 0 blank") << u"count"_s << u"0"_s << u""_s;
        QTest::newRow("count: 0.0 blank") << u"count"_s << u"0.0"_s << u""_s;
        QTest::newRow("planned date") << u"planned"_s << u"1151204"_s << u"115/12/04"_s;
        QTest::newRow("planned date: leading zero dropped") << u"planned"_s << u"0991231"_s << u"99/12/31"_s;
        QTest::newRow("planned date: short") << u"planned"_s << u"1204"_s << u"/12/04"_s;
        QTest::newRow("planned date: not a number") << u"planned"_s << u"1204-14"_s << u"1204-14"_s;
        QTest::newRow("plate kind: new first") << u"plate kind"_s << u" 1|1"_s << u"新版"_s;
        QTest::newRow("plate kind: old") << u"plate kind"_s << u"0| 1 "_s << u"舊版"_s;
        QTest::newRow("plate kind: neither") << u"plate kind"_s << u"|0"_s << u""_s;
        QTest::newRow("press check") << u"press check"_s << u"1 "_s << u"Y"_s;
        QTest::newRow("no press check") << u"press check"_s << u"0"_s << u""_s;
        // clang-format on
    }
    void columns()
    {
        const auto rule = Fetch<QString>("rule"), value = Fetch<QString>("value");
        QString printed;
        if (rule == u"quantity")
            printed = SplitQuantity(value).reams + u'|' + SplitQuantity(value).sheets;
        else if (rule == u"count")
            printed = CountColumnText(value);
        else if (rule == u"planned")
            printed = PlannedDateText(value);
        else if (rule == u"plate kind")
            printed = PlateKindText(value.section(u'|', 0, 0), value.section(u'|', 1));
        else
            printed = PressCheckText(value);
        QTEST(printed, "printed");
    }

    // The rows of the presses starting with the text, in press, work-order and line
    // order, numbered on across the groups; 用紙 from the one PAPER line of a row
    // that names no paper; 紙 and 版 when the job has exactly one line, dated; a
    // failed lookup leaves its entry as far as it got, the next ones look up afresh.
    // A group per press (its last entry kept with the sign-off strip); a further
    // page of a press opens with its press line and headings, moved up into the
    // room of the title; each column heading has its rule under it and a field of
    // an entry starting under its left edge.
    void entriesAndGroups()
    {
        PLOV_REQUIRE_DATABASE();
        TestDatabase db;
        Fill(db);
        // clang-format off
        const QString rest = u"|4|2|%1|0.167令 | 80張|99/12/31|0991231|舊版|Y"_s;
        const QVector<PlacedBand> b = Schedule(db, u"0"_s);
        QCOMPARE(Entries(b), QStringList({u"1|W1|月曆|25x35   道林|Y|Y|"_s + rest.arg(8), u"2|W1|月曆|80P     銅版|Y||"_s + rest.arg(8),
                                                            u"3|W2|月曆|   |||"_s + rest.arg(u"1,200"_s), u"4|W0 |月曆|   |||"_s + rest.arg(8)}));
        // clang-format on
        QStringList kinds; // header, entry (+ when kept with the next band), footer
        for (const PlacedBand &placed : b)
            kinds.append(u"HEF"_s.at(int(placed.band.kind)) +
                         QString(placed.band.keepWithNext ? u"+"_s : u""_s));
        QCOMPARE(kinds.join(u' '), u"H+ E E E+ F H+ E+ F"_s);
        QCOMPARE(b[0].band.text(u"txt機別"_s)->text + b[5].band.text(u"txt機別"_s)->text,
                 u"0102"_s);

        const ReportBand &header = b[5].band;
        QVERIFY(header.continuation);
        const ReportBand &next = *header.continuation;
        const int up = header.height - next.height;
        QVERIFY(up > 0);
        QVERIFY(!next.text(u"txt公司名稱"_s));
        QCOMPARE(next.texts.size() + 1, header.texts.size());
        for (const QString &name : {u"txt機別"_s, u"txt印表日期"_s, u"台數"_s})
            QCOMPARE(next.text(name)->rect, header.text(name)->rect.translated(0, -up));

        QList<QRect> headings;
        for (const ReportText &t : header.texts)
            for (const ReportLine &l : header.lines)
                if (l.from == t.rect.bottomLeft() + QPoint(0, 1) &&
                    l.to == t.rect.bottomRight() + QPoint(1, 1))
                    headings.append(t.rect);
        QCOMPARE(headings.size(), 18);
        const QVector<ReportText> &fields = b[1].band.texts;
        const qsizetype headed =
            std::count_if(headings.begin(), headings.end(), [&](const QRect &h) {
                return std::any_of(fields.begin(), fields.end(),
                                   [&](const ReportText &f) { return f.rect.left() == h.left(); });
            });
        // All but 反色 (its field starts a little right of it) and 備註 (nothing under it).
        QCOMPARE(headed, 16);
        // clang-format off
        db.exec(u"drop table [PLATE]"_s);
        QCOMPARE(Entries(Schedule(db, u"01"_s)), QStringList({u"1|W1|月曆|25x35   道林|||"_s + rest.arg(8), u"2|W1|月曆|80P     銅版|||"_s + rest.arg(8),
                                                             u"3|W2|月曆|   |||"_s + rest.arg(u"1,200"_s)}));
        // clang-format on
    }

    // The schedule as a sheet: the printed entries in their order, the press
    // first, counts as numbers (blank where the report leaves them blank).
    void sheetHoldsThePrintedEntries()
    {
        PLOV_REQUIRE_DATABASE();
        TestDatabase db;
        Fill(db);
        Connection c;
        c.open(db.connectionString());
        DbPressScheduleLookups lookups(db.connectionString());
        const SheetTable sheet = PressScheduleSheet(LoadPressScheduleRows(c, u"0"_s), lookups);
        QStringList rows;
        for (const QVariantList &row : sheet.rows) {
            QStringList cells;
            for (const int col : {0, 1, 2, 4, 6, 7, 9, 11, 12, 14, 15, 17, 18, 19}) {
                const QVariant &cell = row.at(col);
                cells.append(cell.typeId() == QMetaType::Double ? u"#"_s + cell.toString()
                                                                : cell.toString());
            }
            rows.append(cells.join(u'|'));
        }
        // clang-format off
        QCOMPARE(rows, QStringList({u"01|#1|W1|月曆||#4|#8|0.167令 + 80張|99/12/31|Y|Y|舊版|Y|25x35   道林"_s,
                                    u"01|#2|W1|月曆||#4|#8|0.167令 + 80張|99/12/31|Y||舊版|Y|80P     銅版"_s,
                                    u"01|#3|W2|月曆||#4|#1200|0.167令 + 80張|99/12/31|||舊版|Y|"_s,
                                    u"02|#4|W0 |月曆||#4|#8|0.167令 + 80張|99/12/31|||舊版|Y|"_s}));
        // clang-format on
        QCOMPARE(sheet.headings.mid(0, 3), QStringList({u"車別"_s, u"序"_s, u"工單單號"_s}));
    }

    // Printing shows the preview of the press's schedule; a press without rows and
    // a failing database each say so and show nothing.
    void printShowsThePreviewOrSaysWhy()
    {
        PLOV_REQUIRE_DATABASE();
        TestDatabase db;
        Fill(db);
        FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(10, 0)));
        ScriptedMessageService messages;
        Session().ConnectionString = db.connectionString();
        QStringList shown;
        const auto previous = ReportPreviewer::preview;
        ReportPreviewer::preview = [&](QWidget *, const ReportLayout &l, const QString &name,
                                       const QString &) {
            const ReportBand &header = l.bands.first();
            shown.append(u"%1: %2, %3"_s.arg(name, header.text(u"txt公司名稱"_s)->text,
                                             header.text(u"txt印表日期"_s)->text));
        };
        PrintPressSchedule(nullptr, u" 02 "_s);
        PrintPressSchedule(nullptr, u"0'"_s);
        db.exec(u"drop table [COMPANY]"_s);
        PrintPressSchedule(nullptr, QString());
        ReportPreviewer::preview = previous;
        for (const auto &box : messages.shown())
            shown.append(u"%1 %2"_s.arg(box.title).arg(int(box.icon)));
        QCOMPARE(shown, QStringList({u"rpt工作排程表_印刷1: 大和印刷 - 印刷排程表, 115/12/04"_s,
                                     u"訊息 1"_s, u"印表錯誤 2"_s}));
        QVERIFY(!messages.texts().last().isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestPressSchedule)
#include "tst_pressschedule.moc"
