#include "reports/printpressschedule.h"

#include "common/datetext.h"
#include "common/messagebox.h"
#include "common/waitcursor.h"
#include "reports/pressscheduledata.h"
#include "reports/pressschedulereport.h"
#include "reports/reportpreviewer.h"
#include "startup/db/connection.h"
#include "startup/db/dberror.h"
#include "startup/sessionsettings.h"


namespace {

enum class Loaded
{
    Rows,
    NoRows
};

// Reads the rows and the company name (kept in the session). The connection is
// closed before anything is shown.
Loaded LoadSchedule(const QString &press, QVector<PressScheduleRow> &rows)
{
    Connection connection;
    connection.open(Session().ConnectionString);
    if (CountPressScheduleRows(connection, press) < 1)
        return Loaded::NoRows;
    Session().CompanyName = ReadCompanyName(connection);
    rows = LoadPressScheduleRows(connection, press);
    return Loaded::Rows;
}

} // namespace

void PrintPressSchedule(QWidget *parent, const QString &pressText)
{
    const QString press = pressText.trimmed();
    ReportLayout layout;
    try {
        WaitCursor wait;
        QVector<PressScheduleRow> rows;
        if (LoadSchedule(press, rows) == Loaded::NoRows) {
            wait.restore();
            ShowMessage(QStringLiteral("查無任何資料!"), QStringLiteral("訊息"),
                        MessageService::Icon::Warning);
            return;
        }
        DbPressScheduleLookups lookups(Session().ConnectionString);
        layout = BuildPressScheduleReport(rows, Session().CompanyName, TodayDateShown(), lookups);
    } catch (const DbError &e) {
        ShowMessage(e.description(), QStringLiteral("印表錯誤"), MessageService::Icon::Critical);
        return;
    }
    ReportPreviewer::preview(parent, layout, QStringLiteral("rpt工作排程表_印刷1"),
                             QStringLiteral("印刷排程表"));
}
