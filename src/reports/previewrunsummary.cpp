#include "reports/previewrunsummary.h"

#include "common/clock.h"
#include "common/datetext.h"
#include "common/messagebox.h"
#include "common/waitcursor.h"
#include "report_engine/reportpreviewer.h"
#include "reports/runsummaryfile.h"
#include "reports/runsummaryreport.h"
#include "startup/sessionsettings.h"

using namespace Qt::StringLiterals;

void PreviewMonthSummary(QWidget *parent, const QString &pressText)
{
    WaitCursor wait;
    const SummaryRange range = MonthSummaryRange(Clock::current().now().date(), pressText);
    const RunSummaryReport report = ReadRunSummaryReport(Session().ConnectionString, range);
    wait.restore();
    if (report.error) {
        ShowMessage(*report.error, u"產能摘要錯誤"_s, MessageService::Icon::Critical);
        return;
    }
    if (report.summary.presses.isEmpty()) {
        ShowMessage(u"查無任何資料!"_s, u"訊息"_s, MessageService::Icon::Warning);
        return;
    }
    const ReportLayout layout =
        BuildRunSummaryReport(report.summary, report.companyName, TodayDateShown());
    ReportPreviewer::preview(parent, layout, u"rpt印刷產能摘要"_s, u"本月產能摘要"_s);
}
