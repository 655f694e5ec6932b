// The reports read from a database. The run summary: the figures of a small set of
// runs, computed here by hand, per press and operator; the hours per day and the
// scores' distribution; and the summary written as a workbook, a CSV file and a
// PDF (read back by pdftotext). The press schedule: the texts of an entry, its
// lookups in the database, the groups and their layout, and the print operation.

#include "common/clock.h"
#include "db/connection.h"
#include "report_engine/reportpreviewer.h"
#include "reports/pressscheduledata.h"
#include "reports/pressscheduleformat.h"
#include "reports/pressschedulereport.h"
#include "reports/printpressschedule.h"
#include "reports/runsummarydata.h"
#include "reports/runsummaryfile.h"
#include "reports/runsummaryreport.h"
#include "reports/schedulesheet.h"
#include "reports/summarycharts.h"
#include "scriptedmessages.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"
#include "testtables.h"
#include "workbookrows.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString From = u"1151201"_s;
const QString To = u"1151231"_s;

// Two presses, three operators. Each run: start, end, press, operator, hours,
// effective hours, standard per hour, finished, score, as the time sheet stored it;
// their standards 14,000, 1,100 (across midnight), 0 (none per hour), 1,252.5 taken
// as 1,253 and 930. Then two runs outside the days summarised, and one without an
// operator whose figures are missing (they count as 0).
void FillRuns(TestDatabase &db)
{
    const QString run =
        u"insert into [預排資料耗時明細1] (開始, 結束, 看印, 機別, 經辦代號, 經辦人員, 耗時, "
        u"有效耗時, 標準數量, 完工數量, 點數, 工單單號, 工單序, 序) "
        u"values (?, ?, '', ?, ?, ?, ?, ?, ?, ?, ?, 'W1', 1, 1)"_s;
    for (const QString &text :
         {u"1151201-08:00 1151201-10:30 一號機 E1 王小明 2.5 1.75 8000 14500 5"_s,
          u"1151202-23:30 1151203-01:00 一號機 E1 王小明 1.5 1.1 1000 1500 10"_s,
          u"1151203-08:00 1151203-09:00 一號機 E2 李大同 1 0.75 0 700 0"_s,
          u"1151205-08:00 1151205-12:00 二號機 E2 李大同 4 1.25 1002 1000 2"_s,
          u"1151205-13:00 1151205-14:15 二號機 E3 陳志明 1.25 0.62 1500 1000 6"_s,
          u"1151130-23:00 1151201-02:00 一號機 E1 王小明 3 3 10 30 10"_s,
          u"1160101-08:00 1160101-09:00 二號機 E3 陳志明 1 1 10 10 10"_s}) {
        QVariantList values;
        for (const QString &field : text.split(u' '))
            values.append(values.size() < 5 ? QVariant(field) : QVariant(field.toDouble()));
        db.exec(run, values);
    }
    db.exec(
        u"insert into [預排資料耗時明細1] (開始, 結束, 看印, 機別, 工單單號, 工單序, 序, 耗時, "
        u"有效耗時, 標準數量, 完工數量, 點數) values ('1151231-08:00', '', '', '三號機', 'W2', 1, "
        u"1, null, null, null, null, null)"_s);
}

RunSummary Load(const TestDatabase &db, const QString &press = {})
{
    Connection c;
    c.open(db.connectionString());
    return LoadRunSummary(c, {From, To, press});
}

// Each press's operators and total, one line each: "press|operator|figures".
QStringList Lines(const RunSummary &summary)
{
    QStringList lines;
    for (const PressSummary &p : summary.presses) {
        for (const OperatorFigures &o : p.operators)
            lines.append(p.press + u'|' + OperatorCaption(o) + u'|' +
                         SummaryFigureTexts(o.totals).join(u' '));
        lines.append(p.press + u"|合計|"_s + SummaryFigureTexts(p.totals).join(u' '));
    }
    return lines;
}

QString Tool(const QString &tool, const QStringList &arguments)
{
    QProcess p;
    p.start(tool, arguments);
    return p.waitForFinished() ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

// Press 01: W1/1 names its paper, has one PAPER line (arrived) and a plate
// done; W1/2 one PAPER line (arrived), a blank PLATE date; W2/1 two PAPER lines,
// no PLATE line. Press 02: W0/1.
void FillSchedule(TestDatabase &db)
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

class TestReportData : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    QTemporaryDir m_dir;

private slots:
    void init()
    {
        PLOV_REQUIRE_DATABASE();
        m_db = std::make_unique<TestDatabase>();
        FillRuns(*m_db);
        FillSchedule(*m_db);
    }
    void cleanup() { m_db.reset(); }

    // The hand figures: runs, hours, effective hours, allowances taken off,
    // finished, standard, difference, average score and its spread.
    void figures()
    {
        QCOMPARE(Lines(Load(*m_db)),
                 QStringList({u"一號機|王小明（E1）|2 4.00 2.85 1.15 16,000 15,100 900 7.50 2.50"_s,
                              u"一號機|李大同（E2）|1 1.00 0.75 0.25 700 0 700 0.00 0.00"_s,
                              u"一號機|合計|3 5.00 3.60 1.40 16,700 15,100 1,600 5.00 4.08"_s,
                              u"三號機|（未填）|1 0.00 0.00 0.00 0 0 0 0.00 0.00"_s,
                              u"三號機|合計|1 0.00 0.00 0.00 0 0 0 0.00 0.00"_s,
                              u"二號機|李大同（E2）|1 4.00 1.25 2.75 1,000 1,253 -253 2.00 0.00"_s,
                              u"二號機|陳志明（E3）|1 1.25 0.62 0.63 1,000 930 70 6.00 0.00"_s,
                              u"二號機|合計|2 5.25 1.87 3.38 2,000 2,183 -183 4.00 2.00"_s}));
    }

    // A run counts on the day it started; the scores fall in their bars; one press
    // alone when named, by its whole name.
    void daysScoresAndOnePress()
    {
        const RunSummary all = Load(*m_db);
        QCOMPARE(all.presses.size(), 3);
        QCOMPARE(all.totals.runs, 6);
        const PressSummary &one = all.presses.first();
        QCOMPARE(one.periods.size(), 31);
        QStringList days;
        for (const PeriodHours &p : one.periods)
            days.append(u"%1/%2"_s.arg(p.hours).arg(p.effective));
        QCOMPARE(days.mid(0, 4).join(u' '), u"2.5/1.75 1.5/1.1 1/0.75 0/0"_s);
        QStringList bars;
        for (const OperatorFigures &o : one.operators)
            for (int score = 0; score <= kTopScore; ++score)
                if (o.scores[size_t(score)] > 0)
                    bars.append(u"%1 %2×%3"_s.arg(o.id).arg(o.scores[size_t(score)]).arg(score));
        QCOMPARE(bars, QStringList({u"E1 1×5"_s, u"E1 1×10"_s, u"E2 1×0"_s}));

        const RunSummary two = Load(*m_db, u" 二號機 "_s);
        QCOMPARE(Lines(two).size(), 3);
        QCOMPARE(Load(*m_db, u"二號"_s).presses.size(), 0);
    }

    // The workbook holds the figures as numbers, a row per operator and per press,
    // and the row of all presses; the CSV the same in UTF-8 after its mark.
    void sheetFiles()
    {
        const QString book = m_dir.filePath(u"summary.xlsx"_s);
        QCOMPARE(WriteRunSummary(m_db->connectionString(), {From, To, u"二號機"_s}, book),
                 std::nullopt);
        QCOMPARE(
            WorkbookRows(book),
            QStringList(
                {u"[產能摘要]"_s,
                 u"t:機別|t:經辦代號|t:經辦人員|t:筆數|t:耗時|t:有效耗時|t:扣除耗時|"
                 u"t:完工數量|t:標準數量|t:差異|t:平均點數|t:點數標準差"_s,
                 u"t:二號機|t:E2|t:李大同|n:1|n:4|n:1.25|n:2.75|n:1000|n:1253|n:-253|n:2|n:0"_s,
                 u"t:二號機|t:E3|t:陳志明|n:1|n:1.25|n:0.62|n:0.63|n:1000|n:930|n:70|n:6|n:0"_s,
                 u"t:二號機||t:合計|n:2|n:5.25|n:1.87|n:3.38|n:2000|n:2183|n:-183|n:4|n:2"_s}));
        const QString csv = m_dir.filePath(u"summary.csv"_s);
        QCOMPARE(WriteRunSummary(m_db->connectionString(), {From, To, {}}, csv), std::nullopt);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_s);
        QCOMPARE(lines.value(2), u"一號機,E2,李大同,1,1,0.75,0.25,700,0,700,0,0"_s);
        QCOMPARE(lines.value(9), u"合計,,,6,10.25,5.47,4.78,18700,17283,1417,3.83,3.58"_s);
    }

    // A page per press with its table, two charts and the page's number.
    void pdfHoldsTheTables()
    {
        const QString pdf = m_dir.filePath(u"summary.pdf"_s);
        QCOMPARE(WriteRunSummary(m_db->connectionString(), {From, To, {}}, pdf), std::nullopt);
        QVERIFY(Tool(u"pdfinfo"_s, {pdf}).contains(QRegularExpression(u"Pages: +3\\n"_s)));
        const QString first =
            Tool(u"pdftotext"_s, {u"-layout"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, pdf, u"-"_s})
                .replace(QRegularExpression(u" +"_s), u" "_s);
        for (const QString &text :
             {u"印刷產能摘要"_s, u"車別：一號機"_s, u"期間：115/12/01 至 115/12/31"_s,
              u"王小明（E1） 2 4.00 2.85 1.15 16,000 15,100 900 7.50 2.50"_s,
              u"每日耗時：有效耗時與總耗時"_s, u"總耗時 有效耗時"_s, u"經辦點數分佈"_s,
              u"第 1 頁，共 3 頁"_s})
            QVERIFY2(first.contains(text), qPrintable(text + u"\n"_s + first));
    }

    // No runs in the range, or a database that fails, write nothing.
    void nothingWrittenWithoutFigures()
    {
        const QString pdf = m_dir.filePath(u"none.pdf"_s);
        QCOMPARE(WriteRunSummary(m_db->connectionString(), {u"1150101"_s, u"1150131"_s, {}}, pdf),
                 u"查無任何資料!"_s);
        m_db->exec(u"drop view [預排耗時_印刷]"_s);
        m_db->exec(u"drop table [預排資料耗時明細1]"_s);
        QVERIFY(WriteRunSummary(m_db->connectionString(), {From, To, {}}, pdf).has_value());
        QVERIFY(!QFile::exists(pdf));
    }

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
        TestDatabase &db = *m_db;
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
        TestDatabase &db = *m_db;
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
        TestDatabase &db = *m_db;
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

QTEST_MAIN(TestReportData)
#include "tst_reportdata.moc"
