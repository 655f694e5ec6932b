// The reports' rules without a database. Spreadsheet files: the CSV's text, the
// workbook read back by another program, the file written whole or not at all,
// and the rules that turn the main screen's listing into a sheet and name its
// file. The run summary: where a score falls, the periods of the hours chart, its
// axes, how the statements' rows come together per press and operator, and how
// the figures print.

#include "reports/listingsheet.h"
#include "reports/runsummary.h"
#include "reports/runsummarydata.h"
#include "reports/runsummaryreport.h"
#include "reports/sheetfile.h"
#include "reports/summarycharts.h"
#include "testtables.h"
#include "workbookrows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// A cell written as "n:12" for a number, "t:x" for a text, "" for an empty cell.
QString Written(const QVariant &cell)
{
    if (cell.isNull())
        return {};
    return cell.typeId() == QMetaType::Double ? u"n:"_s + QString::number(cell.toDouble(), 'g', 15)
                                              : u"t:"_s + cell.toString();
}

const SheetTable Sample{u"印刷排程"_s,
                        {u"工單單號"_s, u"品名"_s, u"台數"_s, u"耗時"_s},
                        {{u"A1151121"_s, u"感冒糖漿外盒, 大"_s, 1200.0, 2.5},
                         {u"0012"_s, u"說\"明\"\n第二行"_s, QVariant(), -0.25}}};

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

RunTotals Totals(qint64 runs, double hours, double effective, double finished, double standard,
                 double scoreSum, double scoreSquares)
{
    return {runs, hours, effective, finished, standard, scoreSum, scoreSquares};
}

// The periods that hold hours, as "label hours/effective".
QStringList Worked(const PressSummary &press)
{
    QStringList worked;
    for (const PeriodHours &p : press.periods) {
        if (p.hours != 0 || p.effective != 0)
            worked.append(u"%1 %2/%3"_s.arg(p.label).arg(p.hours).arg(p.effective));
    }
    return worked;
}

} // namespace

class TestReportRules : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void csvText()
    {
        const QByteArray bytes = CsvBytes(Sample);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(QString::fromUtf8(bytes.mid(3)), u"工單單號,品名,台數,耗時\r\n"
                                                  u"A1151121,\"感冒糖漿外盒, 大\",1200,2.5\r\n"
                                                  u"0012,\"說\"\"明\"\"\n第二行\",,-0.25\r\n"_s);
    }

    // Another program reads the workbook back: headings, texts as texts, numbers
    // as numbers, empty cells empty.
    void workbookReadBack()
    {
        const QString file = m_dir.filePath(u"sample.xlsx"_s);
        QCOMPARE(WriteSheetFile(Sample, file), std::nullopt);
        QCOMPARE(WorkbookRows(file), QStringList({
                                         u"[印刷排程]"_s,
                                         u"t:工單單號|t:品名|t:台數|t:耗時"_s,
                                         u"t:A1151121|t:感冒糖漿外盒, 大|n:1200|n:2.5"_s,
                                         u"t:0012|t:說\"明\"\\n第二行||n:-0.25"_s,
                                     }));
    }

    // A file is written whole or not at all: a folder that cannot take it leaves
    // nothing, and a name held by a folder leaves that folder as it was.
    void failedWritesLeaveNoFile_data()
    {
        AddColumns<QString>("extension");
        QTest::newRow("workbook") << u".xlsx"_s;
        QTest::newRow("csv") << u".csv"_s;
    }
    void failedWritesLeaveNoFile()
    {
        const QString extension = Fetch<QString>("extension");
        const QString folder = m_dir.filePath(u"out"_s + extension);
        QVERIFY(QDir().mkpath(folder));
        const QString notAFolder = QDir(folder).filePath(u"plain.txt"_s);
        QFile plain(notAFolder);
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("x") == 1);
        plain.close();
        QVERIFY(QDir(folder).mkdir(u"taken"_s + extension));

        for (const QString &path :
             {QDir(folder).filePath(u"missing/a"_s + extension), notAFolder + u"/a"_s + extension,
              QDir(folder).filePath(u"taken"_s + extension)}) {
            const std::optional<QString> error = WriteSheetFile(Sample, path);
            QVERIFY2(error && error->startsWith(u"無法寫入 "_s + path), qPrintable(path));
        }
        QCOMPARE(FilesIn(folder), QStringList({u"plain.txt"_s, u"taken"_s + extension}));
        QCOMPARE(FilesIn(QDir(folder).filePath(u"taken"_s + extension)), QStringList());
    }

    void listingCells_data()
    {
        AddColumns<QString, bool, QString>("shown", "keepsText", "cell");
        // clang-format off
        QTest::newRow("a whole number") << u"12"_s << false << u"n:12"_s;
        QTest::newRow("a negative decimal") << u"-2.5"_s << false << u"n:-2.5"_s;
        QTest::newRow("blanks around it") << u" 3 "_s << false << u"n:3"_s;
        QTest::newRow("trailing zero shows") << u"2.50"_s << false << u"t:2.50"_s;
        QTest::newRow("leading zero shows") << u"0012"_s << false << u"t:0012"_s;
        QTest::newRow("grouped") << u"1,200"_s << false << u"t:1,200"_s;
        QTest::newRow("quantity with units") << u"0.167令+80張"_s << false << u"t:0.167令+80張"_s;
        QTest::newRow("a date kept as text") << u"1151204"_s << true << u"t:1151204"_s;
        QTest::newRow("empty") << QString() << false << u"t:"_s;
        // clang-format on
    }
    void listingCells()
    {
        QCOMPARE(Written(ListingCellValue(Fetch<QString>("shown"), Fetch<bool>("keepsText"))),
                 Fetch<QString>("cell"));
    }

    void listingColumnsKeptAsText()
    {
        const QStringList headings{u"工單單號"_s, u"序"_s, u"預定日"_s, u"完工日"_s, u"耗時"_s};
        const SheetTable sheet =
            ListingSheet(headings, {{u"1151121"_s, u"1"_s, u"1151204"_s, u"1204-14"_s, u"2.5"_s}});
        QStringList cells;
        for (const QVariant &cell : sheet.rows.first())
            cells.append(Written(cell));
        QCOMPARE(cells.join(u'|'), u"t:1151121|n:1|t:1151204|t:1204-14|n:2.5"_s);
    }

    // The listing's file: the press and the moment in its name, the extension the
    // shop prefers when it is one the program writes.
    void listingFileName_data()
    {
        AddColumns<QString, QString, QString>("press", "preferred", "name");
        // clang-format off
        QTest::newRow("press and moment") << u" 海德堡四色 "_s << u".xlsx"_s << u"印刷排程_海德堡四色_1151207-1405.xlsx"_s;
        QTest::newRow("no press, csv in capitals") << QString() << u".CSV"_s << u"印刷排程_1151207-1405.csv"_s;
        QTest::newRow("characters a name cannot hold, csv without its dot") << u"A/B:C"_s << u"csv"_s << u"印刷排程_A_B_C_1151207-1405.csv"_s;
        QTest::newRow("an old workbook") << u"P"_s << u".xls"_s << u"印刷排程_P_1151207-1405.xlsx"_s;
        QTest::newRow("no extension") << u"P"_s << QString() << u"印刷排程_P_1151207-1405.xlsx"_s;
        // clang-format on
    }
    void listingFileName()
    {
        const QDateTime moment(QDate(2026, 12, 7), QTime(14, 5, 59));
        QCOMPARE(ListingFileName(Fetch<QString>("press"), moment,
                                 SheetFileExtension(Fetch<QString>("preferred"))),
                 Fetch<QString>("name"));
    }

    void spreadsheetFolder_data()
    {
        AddColumns<QString, QString>("excelFolder", "folder");
        // clang-format off
        QTest::newRow("a folder of this system") << u"/srv/excel/"_s << u"/srv/excel/"_s;
        QTest::newRow("the suite's default drive") << u"C:\\"_s << u"/home/op/Documents"_s;
        QTest::newRow("a drive's folder") << u"d:/報表"_s << u"/home/op/Documents"_s;
        QTest::newRow("a Windows share") << u"\\\\server\\excel"_s << u"/home/op/Documents"_s;
        QTest::newRow("nothing") << u"  "_s << u"/home/op/Documents"_s;
        // clang-format on
    }
    void spreadsheetFolder()
    {
        QCOMPARE(SpreadsheetFolder(Fetch<QString>("excelFolder"), u"/home/op/Documents"_s),
                 Fetch<QString>("folder"));
    }

    void scoreBars_data()
    {
        AddColumns<double, int>("score", "bar");
        // clang-format off
        QTest::newRow("a whole score") << 7.0 << 7;
        QTest::newRow("a half rounds up") << 4.5 << 5;
        QTest::newRow("below a half") << 0.4 << 0;
        QTest::newRow("below 0") << -1.0 << 0;
        QTest::newRow("above 10") << 12.0 << 10;
        // clang-format on
    }
    void scoreBars() { QCOMPARE(ScoreBar(Fetch<double>("score")), Fetch<int>("bar")); }

    void chartPeriods_data()
    {
        AddColumns<QString, QString, QString>("from", "to", "labels");
        // clang-format off
        QTest::newRow("days of a month") << u"1151201"_s << u"1151203"_s << u"12/1 2 3"_s;
        QTest::newRow("a new month names itself") << u"1151230"_s << u"1160102"_s << u"12/30 31 1/1 2"_s;
        QTest::newRow("62 days are days") << u"1151101"_s << u"1160101"_s << u"62"_s;
        QTest::newRow("longer by month") << u"1151115"_s << u"1160116"_s << u"115/11 115/12 116/01"_s;
        QTest::newRow("to before from") << u"1151205"_s << u"1151201"_s << QString();
        QTest::newRow("no such day") << u"1151131"_s << u"1151201"_s << QString();
        // clang-format on
    }
    void chartPeriods()
    {
        QStringList labels;
        const QVector<PeriodHours> periods =
            ChartPeriods(Fetch<QString>("from"), Fetch<QString>("to"));
        for (const PeriodHours &p : periods)
            labels.append(p.label);
        const QString expected = Fetch<QString>("labels");
        if (expected == u"62")
            QCOMPARE(periods.size(), 62);
        else
            QCOMPARE(labels.join(u' '), expected);
    }

    void monthRange_data()
    {
        AddColumns<QDate, QString>("day", "range");
        // clang-format off
        QTest::newRow("December") << QDate(2026, 12, 4) << u"1151201 1151231 一號機"_s;
        QTest::newRow("a leap February") << QDate(2028, 2, 1) << u"1170201 1170229 一號機"_s;
        // clang-format on
    }
    void monthRange()
    {
        const SummaryRange r = MonthSummaryRange(Fetch<QDate>("day"), u" 一號機 "_s);
        QCOMPARE(u"%1 %2 %3"_s.arg(r.from, r.to, r.press), Fetch<QString>("range"));
    }

    void chartAxis_data()
    {
        AddColumns<double, bool, QString>("highest", "counts", "axis"); // step, top
        // clang-format off
        QTest::newRow("nothing to show") << 0.0 << false << u"1 1"_s;
        QTest::newRow("hours") << 7.5 << false << u"2 8"_s;
        QTest::newRow("a step's multiple") << 10.0 << false << u"2 10"_s;
        QTest::newRow("past a multiple") << 12.5 << false << u"5 15"_s;
        QTest::newRow("small hours") << 0.3 << false << u"0.05 0.3"_s;
        QTest::newRow("one run") << 1.0 << true << u"1 1"_s;
        QTest::newRow("runs") << 13.0 << true << u"5 15"_s;
        // clang-format on
    }
    void chartAxis()
    {
        const ChartAxis axis = ChartAxisFor(Fetch<double>("highest"), Fetch<bool>("counts"));
        QCOMPARE(u"%1 %2"_s.arg(axis.step).arg(axis.top), Fetch<QString>("axis"));
    }

    void figureTexts_data()
    {
        AddColumns<RunTotals, QString>("totals", "texts");
        // clang-format off
        QTest::newRow("several runs") << Totals(3, 5, 3.6, 16700, 15100, 15, 125) << u"3|5.00|3.60|1.40|16,700|15,100|1,600|5.00|4.08"_s;
        QTest::newRow("short of the standard") << Totals(2, 5.25, 1.87, 2000, 2183, 8, 40) << u"2|5.25|1.87|3.38|2,000|2,183|-183|4.00|2.00"_s;
        QTest::newRow("halves away from zero") << Totals(1, 0.125, -0.125, 0, 0, 0, 0) << u"1|0.13|-0.13|0.25|0|0|0|0.00|0.00"_s;
        QTest::newRow("a year of runs") << Totals(10000, 17500, 14000, 19000000, 11200000, 50000, 350000) << u"10,000|17,500.00|14,000.00|3,500.00|19,000,000|11,200,000|7,800,000|5.00|3.16"_s;
        QTest::newRow("short by thousands") << Totals(2, 1234.5, 1000, 0, 1234567, 0, 0) << u"2|1,234.50|1,000.00|234.50|0|1,234,567|-1,234,567|0.00|0.00"_s;
        QTest::newRow("no runs") << RunTotals{} << u"0|0.00|0.00|0.00|0|0|0|0.00|0.00"_s;
        // clang-format on
    }
    void figureTexts()
    {
        QCOMPARE(SummaryFigureTexts(Fetch<RunTotals>("totals")).join(u'|'),
                 Fetch<QString>("texts"));
    }

    // Rows of one operator add up whatever blanks the stored texts carry; a
    // press's figures are its operators', the summary's its presses'; a score
    // row of an operator without figures is left out; hours fall on their day.
    void assemblesPressesAndOperators()
    {
        const QVector<OperatorRow> operators{
            {u"一號機"_s, u"E1"_s, u"王小明"_s, Totals(1, 2.5, 1.75, 14500, 14000, 5, 25)},
            {u"一號機 "_s, u" E1"_s, u"王小明 "_s, Totals(1, 1.5, 1.1, 1500, 1100, 10, 100)},
            {u"一號機"_s, QString(), QString(), Totals(1, 1, 0.75, 700, 0, 0, 0)},
            {u"二號機"_s, u"E2"_s, u"李大同"_s, Totals(2, 5, 3, 2000, 2100, 8, 34)},
        };
        const QVector<DayRow> days{{u"一號機"_s, u"1151201"_s, 2.5, 1.75},
                                   {u"一號機"_s, u"1151203"_s, 2.5, 1.85},
                                   {u"二號機"_s, u"1151130"_s, 9, 9}};
        const QVector<ScoreRow> scores{{u"一號機"_s, u"E1"_s, u"王小明"_s, 5, 1},
                                       {u"一號機"_s, u"E1 "_s, u"王小明"_s, 10, 1},
                                       {u"二號機"_s, u"E9"_s, u"無此人"_s, 5, 4},
                                       {u"二號機"_s, u"E2"_s, u"李大同"_s, 3, 1},
                                       {u"二號機"_s, u"E2"_s, u"李大同"_s, 5.4, 1}};
        const RunSummary s =
            AssembleRunSummary(u"1151201"_s, u"1151203"_s, operators, days, scores);
        QCOMPARE(s.presses.size(), 2);
        const PressSummary &one = s.presses[0];
        QCOMPARE(one.press, u"一號機"_s);
        QCOMPARE(one.operators.size(), 2);
        QCOMPARE(one.operators[0].id + one.operators[1].id + one.operators[1].name, u"E1王小明"_s);
        QCOMPARE(SummaryFigureTexts(one.operators[1].totals).join(u'|'),
                 u"2|4.00|2.85|1.15|16,000|15,100|900|7.50|2.50"_s);
        QCOMPARE(SummaryFigureTexts(one.totals).join(u'|'),
                 u"3|5.00|3.60|1.40|16,700|15,100|1,600|5.00|4.08"_s);
        QCOMPARE(one.operators[1].scores[5] + one.operators[1].scores[10], 2);
        QCOMPARE(Worked(one), QStringList({u"12/1 2.5/1.75"_s, u"3 2.5/1.85"_s}));
        const PressSummary &two = s.presses[1];
        QCOMPARE(two.operators.size(), 1);
        QCOMPARE(two.operators[0].scores[3] + two.operators[0].scores[5], 2);
        QCOMPARE(Worked(two), QStringList()); // before the range
        QCOMPARE(s.totals.runs, 5);
        QCOMPARE(s.totals.finished, 18700);
    }

    void monthsCollectTheirDays()
    {
        const RunSummary s =
            AssembleRunSummary(u"1151101"_s, u"1160131"_s,
                               {{u"一號機"_s, u"E1"_s, u"王"_s, Totals(3, 6, 5, 0, 0, 0, 0)}},
                               {{u"一號機"_s, u"1151130"_s, 1, 1},
                                {u"一號機"_s, u"1160101"_s, 2, 1.5},
                                {u"一號機"_s, u"1160131"_s, 3, 2.5}},
                               {});
        QCOMPARE(Worked(s.presses.first()), QStringList({u"115/11 1/1"_s, u"116/01 5/4"_s}));
    }
};

QTEST_GUILESS_MAIN(TestReportRules)
#include "tst_reportrules.moc"
