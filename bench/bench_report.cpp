// The printed schedule of 2,000 lines with its per-line lookups, to PDF (budget 2 s).

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
    }
    DropBenchDatabases();
    return 0;
}
