#include "common/clock.h"
#include "common/messagebox.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "report_engine/reportpreviewer.h"
#include "reports/pressscheduledata.h"
#include "reports/pressschedulereport.h"
#include "reports/printpressschedule.h"
#include "reports/schedulereportpdf.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void Insert(TestDatabase &db, const QString &press, const QString &po, int no, double color1 = 4,
            double plat = 8, const QString &odate = u"1151204"_s, const QString &paperSpec = u""_s,
            const QString &paperItem = u""_s)
{
    db.exec(u"insert into [印刷預排表1] (車別, PO, [NO], DESC1, COLOR1, COLOR2, "
            u"MEMB, PLAT, QTY, ODATE, FDATE, 規格, 紙品, ITEM1) "
            u"values (?, ?, ?, ?, ?, 0, 2, ?, ?, ?, ?, ?, ?, ?)"_s,
            {press, po, no, u"件 %1-%2"_s.arg(po).arg(no), color1, plat, u"0.167令 + 80張"_s, odate,
             u"0991231"_s, paperSpec, paperItem, u"1"_s});
}

void Fill(TestDatabase &db)
{
    Insert(db, u"02"_s, u"W0"_s, 1);
    Insert(db, u"01"_s, u"W2"_s, 1, 0, 1200);
    Insert(db, u"01"_s, u"W1"_s, 2, 4, 8, u"0991231"_s);
    Insert(db, u"01"_s, u"W1"_s, 1, 4, 8, u"1151204"_s, u"25x35"_s, u"道林"_s);
    db.exec(u"insert into [COMPANY] ([COMPANY]) values (?)"_s, {u"  大和印刷 "_s});
    // W1/1: two paper lines; W1/2: one, arrived; W2/1: one, not arrived.
    const QString paper =
        u"insert into [PAPER] (PO, [NO], SPEC, [ITEM], FDATE) values (?, ?, ?, ?, ?)"_s;
    db.exec(paper, {u"W1"_s, 1, u"31x43"_s, u"模造"_s, u"1151201"_s});
    db.exec(paper, {u"W1"_s, 1, u"31x43"_s, u"模造"_s, u"1151201"_s});
    db.exec(paper, {u"W1"_s, 2, u" 80P "_s, u" 銅版 "_s, u"1151202"_s});
    db.exec(paper, {u"W2"_s, 1, u"25x35"_s, u"道林"_s, u""_s});
    const QString plate = u"insert into [PLATE] (PO, [NO], FDATE) values (?, ?, ?)"_s;
    db.exec(plate, {u"W1"_s, 1, u"1151203"_s});
    db.exec(plate, {u"W1"_s, 2, u" "_s});
}

QVector<ReportBand> Details(const ReportLayout &layout)
{
    QVector<ReportBand> details;
    for (const ReportPage &page : layout.pages) {
        for (const PlacedBand &b : page.bands) {
            if (b.band.kind == ReportBand::Kind::Detail)
                details.append(b.band);
        }
    }
    return details;
}

ReportLayout Report(const TestDatabase &db, const QString &press)
{
    Connection c;
    c.open(db.connectionString());
    const QVector<PressScheduleRow> rows = LoadPressScheduleRows(c, press);
    DbPressScheduleLookups lookups(db.connectionString());
    return BuildPressScheduleReport(rows, u"C"_s, u"115/12/04"_s, lookups);
}

} // namespace

// The press schedule read from the database: filter, order, per-entry lookups,
// the print operation and the PDF export.
class TestReportData : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void rowsByPressFilter_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("every press")
            << u""_s << QStringList{u"01 W1 1"_s, u"01 W1 2"_s, u"01 W2 1"_s, u"02 W0 1"_s};
        QTest::newRow("one press, trimmed") << u" 02 "_s << QStringList{u"02 W0 1"_s};
        QTest::newRow("prefix") << u"0"_s
                                << QStringList{u"01 W1 1"_s, u"01 W1 2"_s, u"01 W2 1"_s,
                                               u"02 W0 1"_s};
        QTest::newRow("apostrophe is a value") << u"0'"_s << QStringList{};
    }
    void rowsByPressFilter()
    {
        QFETCH(QString, press);
        QFETCH(QStringList, keys);
        TestDatabase db;
        Fill(db);
        Connection c;
        c.open(db.connectionString());
        QStringList read;
        for (const PressScheduleRow &r : LoadPressScheduleRows(c, press))
            read.append(r.press + u' ' + r.po + u' ' + r.no);
        QCOMPARE(read, keys);
        QCOMPARE(CountPressScheduleRows(c, press), int(keys.size()));
    }

    void entriesFromDatabase()
    {
        TestDatabase db;
        Fill(db);
        const QVector<ReportBand> d = Details(Report(db, QString()));
        QCOMPARE(d.size(), 4);
        const auto text = [&](int i, const QString &name) { return d[i].text(name)->text; };
        // W1/1 names its paper; two PAPER lines leave 紙 blank; plate done.
        QCOMPARE(text(0, u"txt用紙"_s), u"25x35   道林"_s);
        QCOMPARE(text(0, u"txt紙"_s), QString());
        QCOMPARE(text(0, u"txt版"_s), u"Y"_s);
        QCOMPARE(text(0, u"ODATE"_s), u"115/12/04"_s);
        // W1/2: paper text from its one PAPER line; blank PLATE.FDATE.
        QCOMPARE(text(1, u"txt用紙"_s), u"80P     銅版"_s);
        QCOMPARE(text(1, u"txt紙"_s), u"Y"_s);
        QCOMPARE(text(1, u"txt版"_s), QString());
        QCOMPARE(text(1, u"ODATE"_s), u"99/12/31"_s);
        QCOMPARE(text(1, u"FDATE"_s), u"0991231"_s);
        // W2/1: numbers from REAL columns; no PLATE line.
        QCOMPARE(text(2, u"COLOR1"_s), QString());
        QCOMPARE(text(2, u"PLAT"_s), u"1,200"_s);
        QCOMPARE(text(2, u"COLOR2"_s), QString());
        QCOMPARE(text(2, u"MEMB"_s), u"2"_s);
        QCOMPARE(text(2, u"txt版"_s), QString());
        QCOMPARE(text(2, u"txt紙"_s), QString());
        QCOMPARE(text(3, u"txt序"_s), u"4"_s);
        QCOMPARE(text(3, u"txt版別"_s), u"新版"_s);
    }

    void failedLookupsLeaveEntriesAsFar()
    {
        TestDatabase db;
        Fill(db);
        db.exec(u"drop table [PLATE]"_s);
        const QVector<ReportBand> d = Details(Report(db, u"01"_s));
        QCOMPARE(d.size(), 3);
        // The paper text came before the failing PLATE lookup; 紙 would come after.
        QCOMPARE(d[1].text(u"txt用紙"_s)->text, u"80P     銅版"_s);
        QCOMPARE(d[1].text(u"txt紙"_s)->text, QString());
        QCOMPARE(d[1].text(u"PO"_s)->text, u"W1"_s);
    }

    void printShowsPreview()
    {
        TestDatabase db;
        Fill(db);
        FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(10, 0)));
        ScriptedMessageService messages;
        Session().ConnectionString = db.connectionString();
        Session().CompanyName.clear();
        ReportLayout shown;
        QString objectName;
        const auto previous = ReportPreviewer::preview;
        ReportPreviewer::preview = [&](QWidget *, const ReportLayout &l, const QString &name,
                                       const QString &) {
            shown = l;
            objectName = name;
        };
        PrintPressSchedule(nullptr, u" 01 "_s);
        ReportPreviewer::preview = previous;
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(Session().CompanyName, u"大和印刷"_s);
        QCOMPARE(objectName, u"rpt工作排程表_印刷1"_s);
        QVERIFY(!shown.pages.isEmpty());
        const ReportBand &header = shown.pages.first().bands.first().band;
        QCOMPARE(header.text(u"txt公司名稱"_s)->text, u"大和印刷 - 印刷排程表"_s);
        QCOMPARE(header.text(u"txt印表日期"_s)->text, u"115/12/04"_s);
        QCOMPARE(Details(shown).size(), 3);
        QVERIFY(!QApplication::overrideCursor());
    }

    void printFailures_data()
    {
        QTest::addColumn<bool>("brokenDatabase");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::newRow("no rows") << false << u"訊息"_s << int(MessageService::Icon::Warning);
        QTest::newRow("database failure")
            << true << u"印表錯誤"_s << int(MessageService::Icon::Critical);
    }
    void printFailures()
    {
        QFETCH(bool, brokenDatabase);
        QFETCH(QString, title);
        QFETCH(int, icon);
        TestDatabase db;
        Fill(db);
        if (brokenDatabase)
            db.exec(u"drop table [COMPANY]"_s);
        ScriptedMessageService messages;
        Session().ConnectionString = db.connectionString();
        bool previewed = false;
        const auto previous = ReportPreviewer::preview;
        ReportPreviewer::preview = [&](QWidget *, const ReportLayout &, const QString &,
                                       const QString &) { previewed = true; };
        PrintPressSchedule(nullptr, brokenDatabase ? QString() : u"ZZ"_s);
        ReportPreviewer::preview = previous;
        QVERIFY(!previewed);
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown().first().title, title);
        QCOMPARE(int(messages.shown().first().icon), icon);
        if (!brokenDatabase)
            QCOMPARE(messages.shown().first().text, u"查無任何資料!"_s);
        else
            QVERIFY(!messages.shown().first().text.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    void pdfExport()
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext is not installed");
        TestDatabase db;
        Fill(db);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"s.pdf"_s);
        WriteScheduleReportPdf(db.connectionString(), u"02"_s, file);
        QProcess text;
        text.start(u"pdftotext"_s, {file, u"-"_s});
        QVERIFY(text.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(out.contains(u"大和印刷 - 印刷排程表"_s), qPrintable(out));
        QVERIFY(out.contains(u"件 W0-1"_s));
        QVERIFY(!out.contains(u"件 W1-1"_s));

        try {
            WriteScheduleReportPdf(db.connectionString(), u"ZZ"_s, file);
            QFAIL("no error for a press without rows");
        } catch (const DbError &e) {
            QCOMPARE(e.description(), u"查無任何資料!"_s);
        }
    }
};

QTEST_MAIN(TestReportData)
#include "tst_reportdata.moc"
