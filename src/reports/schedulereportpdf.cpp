#include "reports/schedulereportpdf.h"

#include "common/datetext.h"
#include "db/connection.h"
#include "report_engine/reportpainter.h"
#include "reports/pressscheduledata.h"
#include "reports/pressschedulereport.h"

using namespace Qt::StringLiterals;

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
            throw ReportOutputError(u"查無任何資料!"_s);
        companyName = ReadCompanyName(connection);
    }
    DbPressScheduleLookups lookups(connectionString);
    const ReportLayout layout =
        BuildPressScheduleReport(rows, companyName, TodayDateShown(), lookups);
    if (const std::optional<QString> why =
            WriteReportPdf(layout, pdfFile, companyName + u" - 印刷排程表"_s))
        throw ReportOutputError(u"無法寫入 %1：%2"_s.arg(pdfFile, *why));
}
