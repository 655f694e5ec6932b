#include "daily_report/jobdetail.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/recordset.h"

using namespace Qt::StringLiterals;

JobDetailResult ReadJobDetail(const QString &connectionString, const QString &po)
{
    try {
        Connection c;
        c.open(connectionString);
        Recordset rs(c);
        rs.open(u"select PREM as 印刷備註, 急件 from [PWORK] where PO = ?"_s, {po});
        if (rs.recordCount() < 1)
            return {};
        JobDetailRecord r;
        r.rush = rs.text(u"急件"_s).trimmed() == u"1";
        r.printingNote = rs.text(u"印刷備註"_s).trimmed();
        return {r, std::nullopt};
    } catch (const DbError &e) {
        return {std::nullopt, e.description()};
    }
}
