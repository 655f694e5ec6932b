#include "queryrows.h"

#include "db/connection.h"
#include "db/recordset.h"
#include "grid/recordtext.h"
#include "testdatabase.h"

using namespace Qt::StringLiterals;

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

QStringList TableRows(const TestDatabase &db, const QStringList &tables)
{
    QStringList rows;
    for (const QString &table : tables)
        for (const QString &row : QueryRows(db, u"select * from [%1]"_s.arg(table)))
            rows.append(table + u'|' + row);
    rows.sort();
    return rows;
}
