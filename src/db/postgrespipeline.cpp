// The server engine's batches: libpq's pipeline on the session the Qt driver
// holds, every statement sent with its values bound ($1, $2 …) before the first
// answer is read.

#include "db/dberror.h"
#include "db/postgresengine.h"
#include "db/sqlquery.h"

#include <QSqlDriver>
#include <libpq-fe.h>

using namespace Qt::StringLiterals;

namespace {

PGconn *sessionOf(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    // Qt names the type by its struct: "pg_conn*" (older versions: "PGconn*").
    if (!handle.isValid() || (qstrcmp(handle.typeName(), "pg_conn*") != 0 &&
                              qstrcmp(handle.typeName(), "PGconn*") != 0))
        throw DbError(u"連線尚未開啟"_s);
    return *static_cast<PGconn *const *>(handle.constData());
}

// "?" outside quotes becomes "$1", "$2" …
QByteArray numberedParameters(const QString &sql)
{
    QString out;
    out.reserve(sql.size() + 16);
    int n = 0;
    QChar quote;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'?') {
            out += u'$' + QString::number(++n);
            continue;
        }
        out += c;
    }
    return out.toUtf8();
}

// A value as the server reads it, and the type it is sent as (0: the server's choice).
struct Parameter
{
    QByteArray text;
    Oid type = 0;
    bool null = false;
};

Parameter parameterOf(const QVariant &v)
{
    if (v.isNull())
        return {{}, 0, true};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return {QByteArray::number(v.toDouble(), 'g', 17), 701};
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
        return {QByteArray::number(v.toLongLong()), 20};
    case QMetaType::Bool:
        return {v.toBool() ? "t" : "f", 16};
    default:
        return {v.toString().toUtf8(), 0};
    }
}

QVariant valueOf(const PGresult *r, int row, int column)
{
    if (PQgetisnull(r, row, column))
        return {};
    const char *text = PQgetvalue(r, row, column);
    switch (PQftype(r, column)) {
    case 20:
    case 21:
    case 23:
        return QByteArray(text).toLongLong();
    case 700:
    case 701:
    case 1700:
        return QByteArray(text).toDouble();
    case 16:
        return text[0] == 't';
    default:
        return QString::fromUtf8(text);
    }
}

QString errorOf(const PGresult *r, PGconn *conn)
{
    const char *primary = r ? PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    return QString::fromUtf8(primary ? primary : PQerrorMessage(conn)).trimmed();
}

} // namespace

QVector<StatementResult> PostgresEngine::runBatch(QSqlDatabase &db,
                                                  const QList<Statement> &statements) const
{
    PGconn *conn = sessionOf(db);
    if (PQenterPipelineMode(conn) != 1)
        throw DbError(errorOf(nullptr, conn));
    bool sent = true;
    for (const Statement &statement : statements) {
        qCDebug(LogDataLayer).noquote()
            << statement.sql << u"values"_s << LoggedValues(statement.params);
        const qsizetype n = statement.params.size();
        QVector<Parameter> params;
        params.reserve(n);
        QVector<const char *> values(n);
        QVector<Oid> types(n);
        for (qsizetype i = 0; i < n; ++i) {
            params.append(parameterOf(statement.params.at(i)));
            values[i] = params[i].null ? nullptr : params[i].text.constData();
            types[i] = params[i].type;
        }
        const QByteArray sql = numberedParameters(statement.sql);
        if (PQsendQueryParams(conn, sql.constData(), int(n), types.constData(), values.constData(),
                              nullptr, nullptr, 0) != 1) {
            sent = false;
            break;
        }
    }
    const QString sendError = sent ? QString() : errorOf(nullptr, conn);
    PQpipelineSync(conn);

    QVector<StatementResult> results;
    QString failure;
    bool lockTimeout = false;
    qsizetype failed = -1;
    bool ended = false; // the last call gave the end of one statement's results
    for (;;) {
        PGresult *r = PQgetResult(conn);
        if (!r) {
            if (PQstatus(conn) == CONNECTION_BAD || ended) { // nothing more will come
                if (failure.isEmpty())
                    failure = errorOf(nullptr, conn);
                if (failure.isEmpty())
                    failure = u"資料庫伺服器沒有回覆所有的敘述"_s;
                break;
            }
            ended = true;
            continue;
        }
        ended = false;
        const ExecStatusType status = PQresultStatus(r);
        if (status == PGRES_PIPELINE_SYNC) {
            PQclear(r);
            break;
        }
        if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK) {
            StatementResult &result = results.emplace_back();
            const int rows = PQntuples(r);
            const int columns = PQnfields(r);
            result.rows.reserve(rows);
            for (int row = 0; row < rows; ++row) {
                QVariantList values;
                values.reserve(columns);
                for (int column = 0; column < columns; ++column)
                    values.append(valueOf(r, row, column));
                result.rows.append(std::move(values));
            }
            result.affected = QByteArray(PQcmdTuples(r)).toInt();
        } else if (status != PGRES_PIPELINE_ABORTED && failed < 0) {
            failed = results.size();
            failure = errorOf(r, conn);
            lockTimeout = qstrcmp(PQresultErrorField(r, PG_DIAG_SQLSTATE), "55P03") == 0;
        }
        PQclear(r);
    }
    PQexitPipelineMode(conn);
    if (!sent && failure.isEmpty())
        failure = sendError;
    if (!failure.isEmpty()) {
        const Statement &statement = statements.value(failed >= 0 ? failed : 0, Statement{});
        LogFailedStatement(statement.sql, statement.params, failure);
        throw DbError(lockTimeout ? lockTimeoutDescription() : failure);
    }
    return results;
}

QString PostgresEngine::jsonRecords(const QString &alias,
                                    const QList<std::pair<QString, bool>> &columns) const
{
    QStringList declared;
    for (const auto &[name, number] : columns)
        declared.append(name.toLower() + (number ? u" float8"_s : u" text"_s));
    return u"jsonb_to_recordset(cast(? as jsonb)) as %1(%2)"_s.arg(alias, declared.join(u", "_s));
}
