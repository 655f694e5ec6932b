#include "reports/printpressschedule.h"

#include "common/datetext.h"
#include "common/messagebox.h"
#include "common/waitcursor.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "report_engine/reportpreviewer.h"
#include "reports/pressscheduledata.h"
#include "reports/pressschedulereport.h"
#include "startup/sessionsettings.h"

using namespace Qt::StringLiterals;

namespace {

enum class Loaded
{
    Rows,
    NoRows
};

// Reads the rows, once, and the company name (kept in the session). The
// connection is closed before anything is shown.
Loaded LoadSchedule(const QString &press, QVector<PressScheduleRow> &rows)
{
    Connection connection;
    connection.open(Session().ConnectionString);
    rows = LoadPressScheduleRows(connection, press);
    if (rows.isEmpty())
        return Loaded::NoRows;
    Session().CompanyName = ReadCompanyName(connection);
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
            ShowMessage(u"查無任何資料!"_s, u"訊息"_s, MessageService::Icon::Warning);
            return;
        }
        DbPressScheduleLookups lookups(Session().ConnectionString);
        layout = BuildPressScheduleReport(rows, Session().CompanyName, TodayDateShown(), lookups);
    } catch (const DbError &e) {
        ShowMessage(e.description(), u"印表錯誤"_s, MessageService::Icon::Critical);
        return;
    }
    ReportPreviewer::preview(parent, layout, u"rpt工作排程表_印刷1"_s, u"印刷排程表"_s);
}
