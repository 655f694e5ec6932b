#include "connection.h"

#include "dberror.h"
#include "engine.h"
#include "sqlquery.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

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
    m_kind = info.engine;
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
    QSqlDatabase db = database();
    if (m_inTransaction) {
        db.rollback();
        m_inTransaction = false;
    }
    m_engine->release(db);
    m_engine.reset();
    m_name.clear();
}

QSqlDatabase Connection::database() const
{
    if (!m_engine)
        throw DbError(QStringLiteral("連線尚未開啟"));
    return QSqlDatabase::database(m_name, false);
}

const Engine &Connection::engine() const
{
    if (!m_engine)
        throw DbError(QStringLiteral("連線尚未開啟"));
    return *m_engine;
}

ConnectionInfo::Engine Connection::engineKind() const
{
    return m_kind;
}

QString Connection::translate(const QString &jetSql) const
{
    return engine().translate(jetSql);
}

void Connection::beginTrans()
{
    QSqlDatabase db = database();
    if (m_inTransaction)
        throw DbError(QStringLiteral("交易已在進行中"));
    // SQLite: take the write lock at the start, so a save never finds the file
    // changed under it halfway through.
    if (m_kind == ConnectionInfo::Engine::Sqlite) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("begin immediate")))
            throw DbError(q.lastError().text());
    } else if (!db.transaction()) {
        throw DbError(db.lastError().text());
    }
    m_inTransaction = true;
}

void Connection::commitTrans()
{
    QSqlDatabase db = database();
    if (!m_inTransaction)
        throw DbError(QStringLiteral("沒有進行中的交易"));
    bool ok;
    QString why;
    if (m_kind == ConnectionInfo::Engine::Sqlite) {
        QSqlQuery q(db);
        ok = q.exec(QStringLiteral("commit"));
        why = q.lastError().text();
    } else {
        ok = db.commit();
        why = db.lastError().text();
    }
    if (!ok)
        throw DbError(why);
    m_inTransaction = false;
}

void Connection::rollbackTrans()
{
    if (!m_inTransaction)
        return;
    QSqlDatabase db = database();
    m_inTransaction = false;
    if (m_kind == ConnectionInfo::Engine::Sqlite) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("rollback"));
    } else {
        db.rollback();
    }
}

int Connection::execute(const QString &jetSql, const QVariantList &params)
{
    QSqlQuery q = runStatement(database(), translate(jetSql), params);
    return q.numRowsAffected();
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
