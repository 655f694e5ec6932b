#include "db/connection.h"

#include "db/dberror.h"
#include "db/sqlquery.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

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
    QSqlDatabase db = database();
    if (m_inTransaction) {
        rollbackTrans();
    }
    m_engine->release(db);
    m_engine.reset();
    m_name.clear();
}

QSqlDatabase Connection::database() const
{
    if (!m_engine)
        throw DbError(u"連線尚未開啟"_s);
    return QSqlDatabase::database(m_name, false);
}

const Engine &Connection::engine() const
{
    if (!m_engine)
        throw DbError(u"連線尚未開啟"_s);
    return *m_engine;
}

QSqlQuery &Connection::run(const QString &engineSql, const QVariantList &params)
{
    auto it = m_prepared.find(engineSql);
    if (it == m_prepared.end()) {
        auto q = std::make_shared<QSqlQuery>(database());
        q->setForwardOnly(true);
        if (!q->prepare(engineSql))
            throw DbError(describeQueryError(*q, engineSql));
        it = m_prepared.insert(engineSql, q);
    }
    QSqlQuery &q = **it;
    q.finish();
    bindValues(q, params);
    if (!q.exec())
        throw DbError(describeQueryError(q, engineSql));
    return q;
}

void Connection::beginTrans()
{
    QSqlDatabase db = database();
    if (m_inTransaction)
        throw DbError(u"交易已在進行中"_s);
    m_engine->beginTransaction(db);
    m_inTransaction = true;
}

void Connection::commitTrans()
{
    QSqlDatabase db = database();
    if (!m_inTransaction)
        throw DbError(u"沒有進行中的交易"_s);
    m_engine->commitTransaction(db);
    m_inTransaction = false;
}

void Connection::rollbackTrans()
{
    if (!m_inTransaction)
        return;
    QSqlDatabase db = database();
    m_inTransaction = false;
    m_engine->rollbackTransaction(db);
}

void Connection::lockUntilCommit(const QString &key)
{
    if (!m_inTransaction)
        throw DbError(u"沒有進行中的交易"_s);
    QSqlDatabase db = database();
    m_engine->lockUntilCommit(db, key);
}

int Connection::execute(const QString &jetSql, const QVariantList &params)
{
    if (params.isEmpty()) {
        QSqlQuery q = runStatement(database(), translate(jetSql), params);
        return q.numRowsAffected();
    }
    QSqlQuery &q = run(translate(jetSql), params);
    const int affected = q.numRowsAffected();
    q.finish();
    return affected;
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
