#include "db/connection.h"

#include "db/dberror.h"
#include "db/engine.h"
#include "db/sqlquery.h"

#include <QSqlDriver>
#include <QSqlError>
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

ConnectionInfo::Engine Connection::engineKind() const
{
    return m_kind;
}

QString Connection::translate(const QString &jetSql) const
{
    // The program sends the same few statements again and again.
    static QHash<QString, QString> cache[2];
    QHash<QString, QString> &known = cache[m_kind == ConnectionInfo::Engine::Postgres ? 1 : 0];
    const auto it = known.constFind(jetSql);
    if (it != known.constEnd())
        return *it;
    const QString sql = engine().translate(jetSql);
    if (known.size() < 1000)
        known.insert(jetSql, sql);
    return sql;
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
    // SQLite: take the write lock at the start, so a save never finds the file
    // changed under it halfway through.
    if (m_kind == ConnectionInfo::Engine::Sqlite) {
        QSqlQuery q(db);
        if (!q.exec(u"begin immediate"_s))
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
        throw DbError(u"沒有進行中的交易"_s);
    bool ok;
    QString why;
    if (m_kind == ConnectionInfo::Engine::Sqlite) {
        QSqlQuery q(db);
        ok = q.exec(u"commit"_s);
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
        q.exec(u"rollback"_s);
    } else {
        db.rollback();
    }
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
