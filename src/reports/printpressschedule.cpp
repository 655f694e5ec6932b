#include "reports/printpressschedule.h"

#include "common/datetext.h"
#include "common/messagebox.h"
#include "reports/pressscheduledata.h"
#include "reports/pressschedulereport.h"
#include "reports/reportpreviewer.h"
#include "startup/db/connection.h"
#include "startup/db/dberror.h"
#include "startup/sessionsettings.h"

#include <QApplication>
#include <QCursor>

namespace {

// The hourglass while the report is read and built.
class WaitCursor
{
public:
    WaitCursor()
    {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        QCoreApplication::processEvents();
    }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
    void restore()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active = true;
};

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
