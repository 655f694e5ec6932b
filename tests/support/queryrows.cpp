#include "queryrows.h"

#include "db/connection.h"
#include "db/recordset.h"
#include "grid/recordtext.h"
#include "testdatabase.h"

QStringList QueryRows(const TestDatabase &db, const QString &jetSql, const QVariantList &params)
{
    Connection c;
    c.open(db.connectionString());
    Recordset rs(c);
    rs.open(jetSql, params);
    const RecordArray fields = rs.getRows(); // by position: names may repeat
    QStringList rows;
    for (int r = 0; r < rs.recordCount(); ++r) {
        QStringList texts;
        for (const QVector<QVariant> &field : fields)
            texts.append(RecordValueText(field.at(r)));
        rows.append(texts.join(u'|'));
    }
    return rows;
}
