#include "db/connection.h"

#include "db/dberror.h"
#include "db/sqlquery.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace {

// Whether an engine statement may change data: anything but a select counts.
bool mayWrite(const QString &engineSql)
{
    return !engineSql.trimmed().startsWith(u"select"_s, Qt::CaseInsensitive);
}

} // namespace

Connection::Connection() = default;

Connection::~Connection()
{
    close();
}

void Connection::open(const QString &connectionString)
{
    close();
    const ConnectionInfo info = parseConnectionString(connectionString);
    std::unique_ptr<Engine> engine = Engine::create(info.engine);
    QSqlDatabase db = engine->acquire(info);
    m_name = db.connectionName();
    m_engine = std::move(engine);
    m_info = info;
}

bool Connection::isOpen() const
{
    return m_engine != nullptr;
}

void Connection::close()
{
    if (!m_engine)
        return;
    m_prepared.clear(); // every query goes before its connection
    if (!m_name.isEmpty()) {
        QSqlDatabase db = database();
        rollbackTrans();
        m_engine->release(db);
    }
    m_inTransaction = false;
    m_boundToSession = false;
    m_engine.reset();
    m_name.clear();
}

QSqlDatabase Connection::database() const
{
    if (!m_engine || m_name.isEmpty())
        throw DbError(u"連線尚未開啟"_s);
    return QSqlDatabase::database(m_name, false);
}

const Engine &Connection::engine() const
{
    if (!m_engine)
        throw DbError(u"連線尚未開啟"_s);
    return *m_engine;
}

template <typename Run> decltype(auto) Connection::retried(bool writes, Run statement)
{
    const bool bound = m_boundToSession;
    m_boundToSession = bound || (writes && m_inTransaction);
    try {
        return statement();
    } catch (const DbError &) {
        // The session is gone when the driver finds its connection closed.
        if (bound || m_name.isEmpty() || !m_engine->sessionLost(database()))
            throw;
    }
    replaceLostSession();
    return statement();
}

void Connection::replaceLostSession()
{
    m_prepared.clear();
    QSqlDatabase lost = database();
    m_engine->discard(lost);
    m_name.clear();
    const bool inTransaction = m_inTransaction;
    m_inTransaction = false; // gone with the session
    QSqlDatabase db = m_engine->acquire(m_info);
    m_name = db.connectionName();
    if (!inTransaction)
        return;
    m_engine->beginTransaction(db);
    m_inTransaction = true;
}

void Connection::fail(const QSqlQuery &q, const QString &engineSql,
                      const QVariantList &params) const
{
    const QString description = describeQueryError(q, engineSql, params);
    if (m_engine->isLockTimeout(q.lastError()))
        throw DbError(Engine::lockTimeoutDescription());
    throw DbError(description);
}

QSqlQuery &Connection::runPrepared(const QString &engineSql, const QVariantList &params)
{
    auto it = m_prepared.find(engineSql);
    if (it == m_prepared.end()) {
        auto q = std::make_shared<QSqlQuery>(database());
        q->setForwardOnly(true);
        if (!q->prepare(engineSql))
            fail(*q, engineSql, params);
        it = m_prepared.insert(engineSql, q);
    }
    QSqlQuery &q = **it;
    q.finish();
    bindValues(q, params);
    if (!q.exec())
        fail(q, engineSql, params);
    return q;
}

QSqlQuery &Connection::run(const QString &engineSql, const QVariantList &params)
{
    return retried(mayWrite(engineSql),
                   [&]() -> QSqlQuery & { return runPrepared(engineSql, params); });
}

void Connection::beginTrans()
{
    if (m_inTransaction)
        throw DbError(u"交易已在進行中"_s);
    retried(false, [&] {
        QSqlDatabase db = database();
        m_engine->beginTransaction(db);
    });
    m_inTransaction = true;
    m_boundToSession = false;
}

void Connection::commitTrans()
{
    if (!m_inTransaction)
        throw DbError(u"沒有進行中的交易"_s);
    retried(false, [&] {
        QSqlDatabase db = database();
        m_engine->commitTransaction(db);
    });
    m_inTransaction = false;
    m_boundToSession = false; // what comes next may run on a fresh session again
}

void Connection::rollbackTrans()
{
    m_boundToSession = false;
    if (!m_inTransaction)
        return;
    QSqlDatabase db = database();
    m_inTransaction = false;
    if (db.isOpen()) // a session the server ended has nothing left to roll back
        m_engine->rollbackTransaction(db);
}

void Connection::lockUntilCommit(const QString &key)
{
    if (!m_inTransaction)
        throw DbError(u"沒有進行中的交易"_s);
    const QString statement = engine().lockStatement();
    if (statement.isEmpty())
        return;
    run(statement, {key});
    m_boundToSession = true; // a fresh session would not hold the lock
}

QVector<StatementResult> Connection::runBatch(const QList<Statement> &jetStatements)
{
    QVector<StatementResult> results;
    runBatch(jetStatements, results);
    return results;
}

void Connection::runBatch(const QList<Statement> &jetStatements, QVector<StatementResult> &results)
{
    QList<Statement> statements;
    statements.reserve(jetStatements.size());
    bool writes = false;
    for (const Statement &statement : jetStatements) {
        statements.append({translate(statement.sql), statement.params});
        writes = writes || mayWrite(statements.last().sql);
    }
    results.clear();
    if (m_engine->sendsBatches()) {
        retried(writes, [&] {
            results.clear(); // a batch tried again starts afresh
            QSqlDatabase db = database();
            m_engine->runBatch(db, statements, results);
        });
        return;
    }
    // One after the other, each statement prepared once per connection.
    for (const Statement &statement : std::as_const(statements)) {
        QSqlQuery &q = run(statement.sql, statement.params);
        StatementResult result;
        const QSqlRecord record = q.record();
        for (int i = 0; i < record.count(); ++i)
            result.columns.append(record.fieldName(i));
        while (q.next()) {
            QVariantList row;
            row.reserve(result.columns.size());
            for (int i = 0; i < result.columns.size(); ++i)
                row.append(q.value(i));
            result.rows.append(std::move(row));
        }
        result.affected = q.numRowsAffected();
        q.finish();
        results.append(std::move(result));
    }
}

QList<Statement> Connection::insertRecords(const QString &table,
                                           const QList<std::pair<QString, bool>> &columns,
                                           const QVector<QVariantList> &records) const
{
    QStringList names;
    QStringList marks;
    QStringList members;
    QStringList read;
    QStringList declared;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        names.append(u'[' + columns.at(i).first + u']');
        marks.append(u"?"_s);
        members.append(u"c%1"_s.arg(i + 1));
        read.append(u"r."_s + members.last());
        declared.append(members.last() + (columns.at(i).second ? u" number"_s : u" text"_s));
    }
    const QString into = u"insert into [%1] (%2) "_s.arg(table, names.join(u", "_s));
    QList<Statement> statements;
    if (records.isEmpty())
        return statements;
    if (engine().sendsBatches()) {
        statements.append({into + u"select %1 from json_records(?) as r (%2)"_s.arg(
                                      read.join(u", "_s), declared.join(u", "_s)),
                           {JsonRecordsText(members, records)}});
        return statements;
    }
    const QString one = into + u"values (%1)"_s.arg(marks.join(u", "_s));
    for (const QVariantList &record : records)
        statements.append({one, record});
    return statements;
}

int Connection::execute(const QString &jetSql, const QVariantList &params)
{
    const QString sql = translate(jetSql);
    if (!params.isEmpty()) {
        QSqlQuery &q = run(sql, params);
        const int affected = q.numRowsAffected();
        q.finish();
        return affected;
    }
    // Nothing to bind: run it as it is (schema statements cannot be prepared).
    return retried(mayWrite(sql), [&] {
        qCDebug(LogDataLayer).noquote() << sql;
        QSqlQuery q(database());
        if (!q.exec(sql))
            fail(q, sql);
        return q.numRowsAffected();
    });
}

TransactionGuard::TransactionGuard(Connection &connection) : m_connection(connection)
{
    m_connection.beginTrans();
}

TransactionGuard::~TransactionGuard()
{
    if (!m_done)
        m_connection.rollbackTrans();
}

void TransactionGuard::commit()
{
    m_connection.commitTrans();
    m_done = true;
}
