// A year of press runs (100,000 over 10 presses) summarised to PDF (budget 2 s),
// with the statements the summary runs counted: one per kind of figure, however
// many runs there are.

#include "benchsupport.h"
#include "common/datetext.h"
#include "db/connection.h"
#include "db/sqlquery.h"
#include "reports/runsummaryfile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 100000;
const QString From = u"1150101"_s;
const QString To = u"1151231"_s;

// The runs spread over the days of 2026, ten presses and twenty operators, with
// hours, effective hours, standards and scores that vary from run to run.
void FillRuns(const QString &connectionString)
{
    Connection c;
    c.open(connectionString);
    TransactionGuard t(c);
    c.execute(u"create table [BENCHDAY] (d integer, day text)"_s);
    QVariantList days;
    QString values;
    for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(1)) {
        values += values.isEmpty() ? u"(?, ?)"_s : u", (?, ?)"_s;
        days << qlonglong(day.dayOfYear() - 1) << Date7(day);
    }
    c.execute(u"insert into [BENCHDAY] (d, day) values "_s + values, days);
    c.execute(u"with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
              u"insert into [預排資料耗時明細1] (開始, 結束, 看印, 特滿, 完工數量, 機別, 經辦代號, "
              u"經辦人員, 耗時, 有效耗時, 標準數量, 點數, 工單單號, 工單序, 序) "
              u"select day || '-08:00', day || '-10:00', 'V', '', 1000 + (i % 37) * 50, "
              u"'機台' || (i % 10), 'E' || (i % 20), '經辦' || (i % 20), 1 + (i % 8) * 0.25, "
              u"0.75 + (i % 8) * 0.25 - (i % 3) * 0.1, 800 + (i % 10) * 100, i % 11, "
              u"'W' || (i / 10), i % 10, 1 from n join [BENCHDAY] on d = i % 365"_s.arg(Runs));
    c.execute(u"drop table [BENCHDAY]"_s);
    t.commit();
}

// Counts the statements the data layer runs while it is installed.
int g_statements = 0;
QtMessageHandler g_previous = nullptr;
void CountStatements(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg && qstrcmp(context.category, LogDataLayer().categoryName()) == 0)
        ++g_statements;
    else
        g_previous(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"summary.pdf"_s);
    const QList<BenchTarget> targets = BenchTargets(false);
    for (const BenchTarget &t : targets) {
        FillRuns(t.connectionString);
        const SummaryRange year{From, To, {}};
        const double read = MedianMs(3, [&] { ReadRunSummaryReport(t.connectionString, year); });
        Report(t.name + u" summary of 100,000 runs over 10 presses: figures read"_s, read);
        const double ms = MedianMs(3, [&] {
            if (const auto error = WriteRunSummary(t.connectionString, year, pdf))
                qFatal("summary failed: %s", qPrintable(*error));
        });
        Report(t.name + u" summary of 100,000 runs over 10 presses to PDF"_s, ms, 2000);

        QLoggingCategory::setFilterRules(u"plov.db.debug=true"_s);
        g_statements = 0;
        g_previous = qInstallMessageHandler(CountStatements);
        WriteRunSummary(t.connectionString, year, pdf);
        qInstallMessageHandler(g_previous);
        QLoggingCategory::setFilterRules(QString());
        QTextStream(stdout) << t.name << " statements per summary: " << g_statements
                            << " (three kinds of figure and the company name)\n";
        // To look at the pages: PLOV_BENCH_KEEP names a folder for the PDFs.
        const QString keep = qEnvironmentVariable("PLOV_BENCH_KEEP");
        if (!keep.isEmpty())
            QFile::copy(pdf, QDir(keep).filePath(t.name + u"-summary.pdf"_s));
    }
    DropBenchDatabases();
    return 0;
}
