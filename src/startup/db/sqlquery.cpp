#include "sqlquery.h"

#include "dberror.h"

#include <QSqlError>

QSqlQuery runStatement(const QSqlDatabase &db, const QString &sql, const QVariantList &params)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok;
    if (params.isEmpty()) {
        // Nothing to bind: run it as it is (schema statements cannot be prepared).
        ok = q.exec(sql);
    } else if ((ok = q.prepare(sql))) {
        for (const QVariant &v : params) {
            // Text is never Null here: an empty text is bound as '' (only an
            // invalid QVariant stands for Null).
            if (v.typeId() == QMetaType::QString && v.toString().isNull())
                q.addBindValue(QStringLiteral(""));
            else
                q.addBindValue(v);
        }
        ok = q.exec();
    }
    if (!ok) {
        const QSqlError e = q.lastError();
        QString text = e.databaseText().trimmed();
        if (text.isEmpty())
            text = e.text().trimmed();
        throw DbError(text + QStringLiteral("\n") + sql);
    }
    return q;
}
