#include "reports/schedulereportpdf.h"

#include "common/datetext.h"
#include "reports/pressscheduledata.h"
#include "reports/pressschedulereport.h"
#include "reports/reportpainter.h"
#include "startup/db/connection.h"
#include "startup/db/dberror.h"

void WriteScheduleReportPdf(const QString &connectionString, const QString &press,
                            const QString &pdfFile)
{
    QVector<PressScheduleRow> rows;
    QString companyName;
    {
        Connection connection;
        connection.open(connectionString);
        rows = LoadPressScheduleRows(connection, press);
        if (rows.isEmpty())
            throw DbError(QStringLiteral("查無任何資料!"));
        companyName = ReadCompanyName(connection);
    }
    DbPressScheduleLookups lookups(connectionString);
    const ReportLayout layout =
        BuildPressScheduleReport(rows, companyName, TodayDateShown(), lookups);
    if (!WriteReportPdf(layout, pdfFile, companyName + QStringLiteral(" - 印刷排程表")))
        throw DbError(QStringLiteral("無法寫入 %1").arg(pdfFile));
}
