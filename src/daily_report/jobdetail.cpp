#include "jobdetail.h"

#include "startup/db/connection.h"
#include "startup/db/recordset.h"

std::optional<JobDetailRecord> ReadJobDetail(const QString &connectionString, const QString &po)
{
    Connection c;
    c.open(connectionString);
    Recordset rs(c);
    rs.open(QStringLiteral("select PREM as 印刷備註, 急件 from [PWORK] where PO = ?"), {po});
    if (rs.recordCount() < 1)
        return std::nullopt;
    JobDetailRecord r;
    r.rush = rs.text(QStringLiteral("急件")).trimmed() == u"1";
    r.printingNote = rs.text(QStringLiteral("印刷備註")).trimmed();
    return r;
}
