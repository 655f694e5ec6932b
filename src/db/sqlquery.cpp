#include "db/sqlquery.h"

#include "db/dberror.h"

#include <QSqlError>

using namespace Qt::StringLiterals;

QSqlQuery runStatement(const QSqlDatabase &db, const QString &sql, const QVariantList &params)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok;
    if (params.isEmpty()) {
        // Nothing to bind: run it as it is (schema statements cannot be prepared).
        ok = q.exec(sql);
    } else if ((ok = q.prepare(sql))) {
        bindValues(q, params);
        ok = q.exec();
    }
    if (!ok)
        throw DbError(describeQueryError(q, sql));
    return q;
}

void bindValues(QSqlQuery &q, const QVariantList &params)
{
    for (qsizetype i = 0; i < params.size(); ++i) {
        const QVariant &v = params.at(i);
        // Text is never Null here: an empty text is bound as '' (only an invalid
        // QVariant stands for Null).
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            q.bindValue(int(i), u""_s);
        else
            q.bindValue(int(i), v);
    }
}

QString describeQueryError(const QSqlQuery &q, const QString &sql)
{
    const QSqlError e = q.lastError();
    QString text = e.databaseText().trimmed();
    if (text.isEmpty())
        text = e.text().trimmed();
    return text + u"\n"_s + sql;
}
