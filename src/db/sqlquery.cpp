#include "db/sqlquery.h"

#include "db/dberror.h"

#include <QSqlError>
#include <QStringList>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(LogDataLayer, "plov.db", QtWarningMsg)

QSqlQuery runStatement(const QSqlDatabase &db, const QString &sql, const QVariantList &params)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok;
    if (params.isEmpty()) {
        // Nothing to bind: run it as it is (schema statements cannot be prepared).
        qCDebug(LogDataLayer).noquote() << sql;
        ok = q.exec(sql);
    } else if ((ok = q.prepare(sql))) {
        bindValues(q, params);
        ok = q.exec();
    }
    if (!ok)
        throw DbError(describeQueryError(q, sql, params));
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
    qCDebug(LogDataLayer).noquote() << q.lastQuery() << u"values"_s << LoggedValues(params);
}

QString describeQueryError(const QSqlQuery &q, const QString &sql, const QVariantList &values)
{
    const QSqlError e = q.lastError();
    QString text = e.databaseText().trimmed();
    if (text.isEmpty())
        text = e.text().trimmed();
    LogFailedStatement(sql, values, text);
    // PostgreSQL quotes the statement under its message ("LINE 1: …" and a caret
    // line): that belongs in the log, not in the user's box.
    QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).startsWith(u"LINE "_s))
            continue;
        qsizetype end = i + 1;
        if (end < lines.size() && lines.at(end).trimmed() == u"^")
            ++end;
        lines.remove(i, end - i);
        --i;
    }
    return lines.join(u'\n').trimmed();
}

void LogFailedStatement(const QString &sql, const QVariantList &values, const QString &error)
{
    qCWarning(LogDataLayer).noquote() << u"statement failed:"_s << error << u"| statement:"_s << sql
                                      << u"| values:"_s << LoggedValues(values);
}

QString LoggedValues(const QVariantList &values)
{
    QStringList shown;
    for (const QVariant &v : values) {
        if (v.isNull())
            shown.append(u"NULL"_s);
        else if (v.typeId() == QMetaType::QString)
            shown.append(u'\'' + v.toString().replace(u'\'', u"''"_s) + u'\'');
        else
            shown.append(v.toString());
    }
    return u'(' + shown.join(u", "_s) + u')';
}
