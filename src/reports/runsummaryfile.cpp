#include "reports/runsummaryfile.h"

#include "common/datetext.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "report_engine/reportpainter.h"
#include "reports/pressscheduledata.h"
#include "reports/runsummaryreport.h"

using namespace Qt::StringLiterals;

RunSummaryReport ReadRunSummaryReport(const QString &connectionString, const SummaryRange &range)
{
    RunSummaryReport report;
    try {
        Connection connection;
        connection.open(connectionString);
        report.summary = LoadRunSummary(connection, range);
        if (!report.summary.presses.isEmpty())
            report.companyName = ReadCompanyName(connection);
    } catch (const DbError &e) {
        report.error = e.description();
    }
    return report;
}

std::optional<QString> WriteRunSummary(const QString &connectionString, const SummaryRange &range,
                                       const QString &file)
{
    const RunSummaryReport report = ReadRunSummaryReport(connectionString, range);
    if (report.error)
        return report.error;
    if (report.summary.presses.isEmpty())
        return u"查無任何資料!"_s;
    if (!file.endsWith(u".pdf"_s, Qt::CaseInsensitive))
        return WriteSheetFile(RunSummarySheet(report.summary), file);
    const QString title =
        (report.companyName.isEmpty() ? QString() : report.companyName + u" - "_s) +
        u"印刷產能摘要"_s;
    const ReportLayout layout =
        BuildRunSummaryReport(report.summary, report.companyName, TodayDateShown());
    return WriteReportPdf(layout, file, title);
}
