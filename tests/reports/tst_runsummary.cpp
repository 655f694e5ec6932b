// The run summary read from a database: the figures of a small set of runs,
// computed here by hand, per press and operator; the hours per day and the
// scores' distribution; and the summary written as a workbook, a CSV file and a
// PDF (read back by pdftotext).

#include "db/connection.h"
#include "reports/runsummarydata.h"
#include "reports/runsummaryfile.h"
#include "reports/runsummaryreport.h"
#include "reports/summarycharts.h"
#include "testdatabase.h"
#include "testtables.h"
#include "workbookrows.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

const QString From = u"1151201"_s;
const QString To = u"1151231"_s;

// Two presses, three operators. Each run: start, end, press, operator, hours,
// effective hours, standard per hour, finished, score, as the time sheet stored it;
// their standards 14,000, 1,100 (across midnight), 0 (none per hour), 1,252.5 taken
// as 1,253 and 930. Then two runs outside the days summarised, and one without an
// operator whose figures are missing (they count as 0).
void Fill(TestDatabase &db)
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

} // namespace

class TestRunSummary : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    QTemporaryDir m_dir;

private slots:
    void init()
    {
        PLOV_REQUIRE_DATABASE();
        m_db = std::make_unique<TestDatabase>();
        Fill(*m_db);
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
};

QTEST_MAIN(TestRunSummary)
#include "tst_runsummary.moc"
