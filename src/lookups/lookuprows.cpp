#include "lookups/lookuprows.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "grid/recordtext.h"

using namespace Qt::StringLiterals;

namespace {

QVector<QStringList> cellTexts(const Recordset &rs)
{
    const RecordArray fields = rs.getRows();
    QVector<QStringList> rows(rs.recordCount());
    for (const QVector<QVariant> &field : fields)
        for (int r = 0; r < rows.size(); ++r)
            rows[r].append(RecordValueText(field.value(r)));
    return rows;
}

} // namespace

QString ContainsPattern(const QString &filter)
{
    return u'%' + filter + u'%';
}

LookupRows ReadLookupRows(const QString &connectionString, const LookupStatement &statement,
                          const std::optional<LookupStatement> &fallback)
{
    LookupRows result;
    try {
        Connection c;
        c.open(connectionString);
        Recordset rs(c);
        rs.open(statement.sql, statement.params);
        if (rs.recordCount() == 0 && fallback) {
            rs.close();
            rs.open(fallback->sql, fallback->params);
            result.filterDropped = true;
        }
        result.rows = cellTexts(rs);
    } catch (const DbError &e) {
        result.error = e.description();
    }
    return result;
}
