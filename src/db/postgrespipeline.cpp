// The server engine's batches: libpq's pipeline on the session the Qt driver
// holds, every statement sent with its values bound ($1, $2 …) before the first
// answer is read.

#include "db/dberror.h"
#include "db/postgresengine.h"
#include "db/sqlquery.h"

#include <QLibrary>
#include <QSqlDriver>
#include <libpq-fe.h>
#include <limits>
#include <type_traits>

using namespace Qt::StringLiterals;

namespace {

// libpq as the Qt driver loaded it: resolved when the first batch runs, so a
// program on SQLite never loads it.
struct LibPq
{
    decltype(&::PQclear) PQclear = nullptr;
    decltype(&::PQcmdTuples) PQcmdTuples = nullptr;
    decltype(&::PQenterPipelineMode) PQenterPipelineMode = nullptr;
    decltype(&::PQerrorMessage) PQerrorMessage = nullptr;
    decltype(&::PQexitPipelineMode) PQexitPipelineMode = nullptr;
    decltype(&::PQfname) PQfname = nullptr;
    decltype(&::PQfreemem) PQfreemem = nullptr;
    decltype(&::PQftype) PQftype = nullptr;
    decltype(&::PQgetResult) PQgetResult = nullptr;
    decltype(&::PQgetisnull) PQgetisnull = nullptr;
    decltype(&::PQgetvalue) PQgetvalue = nullptr;
    decltype(&::PQnfields) PQnfields = nullptr;
    decltype(&::PQntuples) PQntuples = nullptr;
    decltype(&::PQpipelineSync) PQpipelineSync = nullptr;
    decltype(&::PQresultErrorField) PQresultErrorField = nullptr;
    decltype(&::PQresultStatus) PQresultStatus = nullptr;
    decltype(&::PQsendQueryParams) PQsendQueryParams = nullptr;
    decltype(&::PQstatus) PQstatus = nullptr;
    decltype(&::PQunescapeBytea) PQunescapeBytea = nullptr;
};

const LibPq &pq()
{
    static const LibPq functions = [] {
        LibPq f;
        QLibrary library(u"pq"_s, 5);
        if (!library.load())
            throw DbError(u"無法載入 PostgreSQL 的用戶端程式庫：%1"_s.arg(library.errorString()));
        const auto resolve = [&](auto &function, const char *name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                library.resolve(name));
            if (!function)
                throw DbError(u"PostgreSQL 的用戶端程式庫缺少 %1"_s.arg(QString::fromLatin1(name)));
        };
        resolve(f.PQclear, "PQclear");
        resolve(f.PQcmdTuples, "PQcmdTuples");
        resolve(f.PQenterPipelineMode, "PQenterPipelineMode");
        resolve(f.PQerrorMessage, "PQerrorMessage");
        resolve(f.PQexitPipelineMode, "PQexitPipelineMode");
        resolve(f.PQfname, "PQfname");
        resolve(f.PQfreemem, "PQfreemem");
        resolve(f.PQftype, "PQftype");
        resolve(f.PQgetResult, "PQgetResult");
        resolve(f.PQgetisnull, "PQgetisnull");
        resolve(f.PQgetvalue, "PQgetvalue");
        resolve(f.PQnfields, "PQnfields");
        resolve(f.PQntuples, "PQntuples");
        resolve(f.PQpipelineSync, "PQpipelineSync");
        resolve(f.PQresultErrorField, "PQresultErrorField");
        resolve(f.PQresultStatus, "PQresultStatus");
        resolve(f.PQsendQueryParams, "PQsendQueryParams");
        resolve(f.PQstatus, "PQstatus");
        resolve(f.PQunescapeBytea, "PQunescapeBytea");
        return f;
    }();
    return functions;
}

PGconn *sessionOf(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    // Qt names the type by its struct: "pg_conn*" (older versions: "PGconn*").
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
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

double doubleOf(const char *text)
{
    if (qstrcmp(text, "Infinity") == 0)
        return std::numeric_limits<double>::infinity();
    if (qstrcmp(text, "-Infinity") == 0)
        return -std::numeric_limits<double>::infinity();
    if (qstrcmp(text, "NaN") == 0)
        return std::numeric_limits<double>::quiet_NaN();
    return QByteArray(text).toDouble();
}

QVariant valueOf(const PGresult *r, int row, int column)
{
    if (pq().PQgetisnull(r, row, column))
        return {};
    const char *text = pq().PQgetvalue(r, row, column);
    switch (pq().PQftype(r, column)) {
    case 20:
        return QByteArray(text).toLongLong();
    case 21:
    case 23:
        return QByteArray(text).toInt();
    case 17: {
        size_t length = 0;
        unsigned char *bytes =
            pq().PQunescapeBytea(reinterpret_cast<const unsigned char *>(text), &length);
        const QByteArray value(reinterpret_cast<const char *>(bytes), qsizetype(length));
        pq().PQfreemem(bytes);
        return value;
    }
    case 700:
    case 701:
    case 1700:
        return doubleOf(text);
    case 16:
        return text[0] == 't';
    default:
        return QString::fromUtf8(text);
    }
}

QString errorOf(const PGresult *r, PGconn *conn)
{
    const char *primary = r ? pq().PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    return QString::fromUtf8(primary ? primary : pq().PQerrorMessage(conn)).trimmed();
}

} // namespace

void PostgresEngine::runBatch(QSqlDatabase &db, const QList<Statement> &statements,
                              QVector<StatementResult> &results) const
{
    PGconn *conn = sessionOf(db);
    // What the driver's last statement left unread (its end) goes first.
    while (PGresult *left = pq().PQgetResult(conn))
        pq().PQclear(left);
    if (pq().PQenterPipelineMode(conn) != 1)
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
        if (pq().PQsendQueryParams(conn, sql.constData(), int(n), types.constData(),
                                   values.constData(), nullptr, nullptr, 0) != 1) {
            sent = false;
            break;
        }
    }
    const QString sendError = sent ? QString() : errorOf(nullptr, conn);
    pq().PQpipelineSync(conn);

    StatementResult current;
    QString failure;
    bool lockTimeout = false;
    qsizetype failed = -1;
    bool ended = false; // the last call gave the end of one statement's results
    for (;;) {
        PGresult *r = pq().PQgetResult(conn);
        if (!r) {
            if (pq().PQstatus(conn) == CONNECTION_BAD || ended) { // nothing more will come
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
        const ExecStatusType status = pq().PQresultStatus(r);
        if (status == PGRES_PIPELINE_SYNC) {
            pq().PQclear(r);
            break;
        }
        // A statement's rows may come one at a time (the driver's single-row mode
        // outlives its own statement) before the result that ends them.
        if (status == PGRES_SINGLE_TUPLE || status == PGRES_TUPLES_OK ||
            status == PGRES_COMMAND_OK) {
            const int columns = pq().PQnfields(r);
            if (current.columns.isEmpty())
                for (int column = 0; column < columns; ++column)
                    current.columns.append(QString::fromUtf8(pq().PQfname(r, column)));
            for (int row = 0; row < pq().PQntuples(r); ++row) {
                QVariantList values;
                values.reserve(columns);
                for (int column = 0; column < columns; ++column)
                    values.append(valueOf(r, row, column));
                current.rows.append(std::move(values));
            }
            if (status != PGRES_SINGLE_TUPLE) {
                current.affected = QByteArray(pq().PQcmdTuples(r)).toInt();
                results.append(std::move(current));
                current = {};
            }
        } else if (status != PGRES_PIPELINE_ABORTED && failed < 0) {
            failed = results.size();
            failure = errorOf(r, conn);
            lockTimeout = qstrcmp(pq().PQresultErrorField(r, PG_DIAG_SQLSTATE), "55P03") == 0;
        }
        pq().PQclear(r);
    }
    pq().PQexitPipelineMode(conn);
    if (!sent && failure.isEmpty())
        failure = sendError;
    if (!failure.isEmpty()) {
        const Statement &statement = statements.value(failed >= 0 ? failed : 0, Statement{});
        LogFailedStatement(statement.sql, statement.params, failure);
        throw DbError(lockTimeout ? lockTimeoutDescription() : failure);
    }
}

QString PostgresEngine::jsonRecords(const QString &alias,
                                    const QList<std::pair<QString, bool>> &columns) const
{
    QStringList declared;
    for (const auto &[name, number] : columns)
        declared.append(name.toLower() + (number ? u" float8"_s : u" text"_s));
    return u"jsonb_to_recordset(cast(? as jsonb)) as %1(%2)"_s.arg(alias, declared.join(u", "_s));
}

bool PostgresEngine::sessionLost(const QSqlDatabase &db) const
{
    return !db.isOpen() || pq().PQstatus(sessionOf(db)) == CONNECTION_BAD;
}
