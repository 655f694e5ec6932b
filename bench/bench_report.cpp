// The printed schedule of 2,000 lines with its lookups, to PDF (budget 2 s); on
// PostgreSQL also near and at 1 ms with its exchanges (at most 10, under 2 s).

#include "benchdata.h"
#include "benchsupport.h"
#include "reports/schedulereportpdf.h"

#include <QGuiApplication>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QList<BenchTarget> targets = BenchTargets(false);
    for (const BenchTarget &t : targets) {
        FillPrintedSchedule(t.connectionString, 2000);
        const double ms = MedianMs(3, [&] {
            WriteScheduleReportPdf(t.connectionString, BenchPress, dir.filePath(u"schedule.pdf"_s));
        });
        Report(t.name + u" printed schedule of 2,000 lines to PDF"_s, ms, 2000);
        if (t.name == u"postgresql"_s)
            ReportDistance(t.name + u" printed schedule of 2,000 lines to PDF"_s,
                           MeasureAtDistance(t.connectionString, 3,
                                             [&](const QString &cs) {
                                                 WriteScheduleReportPdf(
                                                     cs, BenchPress,
                                                     dir.filePath(u"schedule.pdf"_s));
                                             }),
                           10, 2000);
    }
    DropBenchDatabases();
    return 0;
}
