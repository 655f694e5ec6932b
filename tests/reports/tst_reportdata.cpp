#include "common/clock.h"
#include "common/messagebox.h"
#include "reports/pressscheduledata.h"
#include "reports/pressschedulereport.h"
#include "reports/printpressschedule.h"
#include "reports/reportpreviewer.h"
#include "reports/schedulereportpdf.h"
#include "startup/db/connection.h"
#include "startup/db/dberror.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

void Insert(TestDatabase &db, const QString &press, const QString &po, int no, double color1 = 4,
            double plat = 8, const QString &odate = QStringLiteral("1151204"),
            const QString &paperSpec = QStringLiteral(""), const QString &paperItem = QStringLiteral(""))
{
    db.exec(QStringLiteral("insert into [印刷預排表1] (車別, PO, [NO], DESC1, COLOR1, COLOR2, "
                           "MEMB, PLAT, QTY, ODATE, FDATE, 規格, 紙品, ITEM1) "
                           "values (?, ?, ?, ?, ?, 0, 2, ?, ?, ?, ?, ?, ?, ?)"),
            {press, po, no, QStringLiteral("件 %1-%2").arg(po).arg(no), color1, plat,
             QStringLiteral("0.167令 + 80張"), odate, QStringLiteral("0991231"), paperSpec, paperItem,
             QStringLiteral("1")});
}

void Fill(TestDatabase &db)
{
    Insert(db, "02", "W0", 1);
    Insert(db, "01", "W2", 1, 0, 1200);
    Insert(db, "01", "W1", 2, 4, 8, "0991231");
    Insert(db, "01", "W1", 1, 4, 8, "1151204", "25x35", "道林");
    db.exec(QStringLiteral("insert into [COMPANY] ([COMPANY]) values (?)"),
            {QStringLiteral("  大和印刷 ")});
    // W1/1: two paper lines; W1/2: one, arrived; W2/1: one, not arrived.
    const QString paper = QStringLiteral(
        "insert into [PAPER] (PO, [NO], SPEC, [ITEM], FDATE) values (?, ?, ?, ?, ?)");
    db.exec(paper, {"W1", 1, "31x43", "模造", "1151201"});
    db.exec(paper, {"W1", 1, "31x43", "模造", "1151201"});
    db.exec(paper, {"W1", 2, " 80P ", " 銅版 ", "1151202"});
    db.exec(paper, {"W2", 1, "25x35", "道林", ""});
    const QString plate = QStringLiteral("insert into [PLATE] (PO, [NO], FDATE) values (?, ?, ?)");
    db.exec(plate, {"W1", 1, "1151203"});
    db.exec(plate, {"W1", 2, " "});
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
    return BuildPressScheduleReport(rows, QStringLiteral("C"), QStringLiteral("115/12/04"),
                                    lookups);
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
            << "" << QStringList{"01 W1 1", "01 W1 2", "01 W2 1", "02 W0 1"};
        QTest::newRow("one press, trimmed") << " 02 " << QStringList{"02 W0 1"};
        QTest::newRow("prefix") << "0" << QStringList{"01 W1 1", "01 W1 2", "01 W2 1", "02 W0 1"};
        QTest::newRow("apostrophe is a value") << "0'" << QStringList{};
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
            read.append(r.press + ' ' + r.po + ' ' + r.no);
        QCOMPARE(read, keys);
        QCOMPARE(CountPressScheduleRows(c, press), int(keys.size()));
    }

    void entriesFromDatabase()
    {
        TestDatabase db;
        Fill(db);
        const QVector<ReportBand> d = Details(Report(db, QString()));
        QCOMPARE(d.size(), 4);
        const auto text = [&](int i, const char *name) { return d[i].text(name)->text; };
        // W1/1 names its paper; two PAPER lines leave 紙 blank; plate done.
        QCOMPARE(text(0, "txt用紙"), QStringLiteral("25x35   道林"));
        QCOMPARE(text(0, "txt紙"), QString());
        QCOMPARE(text(0, "txt版"), QStringLiteral("Y"));
        QCOMPARE(text(0, "ODATE"), QStringLiteral("115/12/04"));
        // W1/2: paper text from its one PAPER line; blank PLATE.FDATE.
        QCOMPARE(text(1, "txt用紙"), QStringLiteral("80P     銅版"));
        QCOMPARE(text(1, "txt紙"), QStringLiteral("Y"));
        QCOMPARE(text(1, "txt版"), QString());
        QCOMPARE(text(1, "ODATE"), QStringLiteral("99/12/31"));
        QCOMPARE(text(1, "FDATE"), QStringLiteral("0991231"));
        // W2/1: numbers from REAL columns; no PLATE line.
        QCOMPARE(text(2, "COLOR1"), QString());
        QCOMPARE(text(2, "PLAT"), QStringLiteral("1,200"));
        QCOMPARE(text(2, "COLOR2"), QString());
        QCOMPARE(text(2, "MEMB"), QStringLiteral("2"));
        QCOMPARE(text(2, "txt版"), QString());
        QCOMPARE(text(2, "txt紙"), QString());
        QCOMPARE(text(3, "txt序"), QStringLiteral("4"));
        QCOMPARE(text(3, "txt版別"), QStringLiteral("新版"));
    }

    void failedLookupsLeaveEntriesAsFar()
    {
        TestDatabase db;
        Fill(db);
        db.exec(QStringLiteral("drop table [PLATE]"));
        const QVector<ReportBand> d = Details(Report(db, "01"));
        QCOMPARE(d.size(), 3);
        // The paper text came before the failing PLATE lookup; 紙 would come after.
        QCOMPARE(d[1].text("txt用紙")->text, QStringLiteral("80P     銅版"));
        QCOMPARE(d[1].text("txt紙")->text, QString());
        QCOMPARE(d[1].text("PO")->text, QStringLiteral("W1"));
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
        PrintPressSchedule(nullptr, QStringLiteral(" 01 "));
        ReportPreviewer::preview = previous;
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(Session().CompanyName, QStringLiteral("大和印刷"));
        QCOMPARE(objectName, QStringLiteral("rpt工作排程表_印刷1"));
        QVERIFY(!shown.pages.isEmpty());
        const ReportBand &header = shown.pages.first().bands.first().band;
        QCOMPARE(header.text("txt公司名稱")->text, QStringLiteral("大和印刷 - 印刷排程表"));
        QCOMPARE(header.text("txt印表日期")->text, QStringLiteral("115/12/04"));
        QCOMPARE(Details(shown).size(), 3);
        QVERIFY(!QApplication::overrideCursor());
    }

    void printFailures_data()
    {
        QTest::addColumn<bool>("brokenDatabase");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::newRow("no rows") << false << "訊息" << int(MessageService::Icon::Warning);
        QTest::newRow("database failure")
            << true << "印表錯誤" << int(MessageService::Icon::Critical);
    }
    void printFailures()
    {
        QFETCH(bool, brokenDatabase);
        QFETCH(QString, title);
        QFETCH(int, icon);
        TestDatabase db;
        Fill(db);
        if (brokenDatabase)
            db.exec(QStringLiteral("drop table [COMPANY]"));
        ScriptedMessageService messages;
        Session().ConnectionString = db.connectionString();
        bool previewed = false;
        const auto previous = ReportPreviewer::preview;
        ReportPreviewer::preview = [&](QWidget *, const ReportLayout &, const QString &,
                                       const QString &) { previewed = true; };
        PrintPressSchedule(nullptr, brokenDatabase ? QString() : QStringLiteral("ZZ"));
        ReportPreviewer::preview = previous;
        QVERIFY(!previewed);
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown().first().title, title);
        QCOMPARE(int(messages.shown().first().icon), icon);
        if (!brokenDatabase)
            QCOMPARE(messages.shown().first().text, QStringLiteral("查無任何資料!"));
        else
            QVERIFY(!messages.shown().first().text.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    void pdfExport()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed");
        TestDatabase db;
        Fill(db);
        QTemporaryDir dir;
        const QString file = dir.filePath("s.pdf");
        WriteScheduleReportPdf(db.connectionString(), "02", file);
        QProcess text;
        text.start("pdftotext", {file, "-"});
        QVERIFY(text.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(out.contains(QStringLiteral("大和印刷 - 印刷排程表")), qPrintable(out));
        QVERIFY(out.contains(QStringLiteral("件 W0-1")));
        QVERIFY(!out.contains(QStringLiteral("件 W1-1")));

        try {
            WriteScheduleReportPdf(db.connectionString(), "ZZ", file);
            QFAIL("no error for a press without rows");
        } catch (const DbError &e) {
            QCOMPARE(e.description(), QStringLiteral("查無任何資料!"));
        }
    }
};

QTEST_MAIN(TestReportData)
#include "tst_reportdata.moc"
