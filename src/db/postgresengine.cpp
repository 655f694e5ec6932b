#include "db/postgresengine.h"

#include "db/dberror.h"
#include "db/sqlquery.h"

#include <QAtomicInt>
#include <QElapsedTimer>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

bool poolingEnabled = true;
constexpr int maxIdlePerServer = 4;
qint64 trustIdleMs = 5000;

// When each idle session went back to the pool.
QHash<QString, QElapsedTimer> &idleSince()
{
    static QHash<QString, QElapsedTimer> since;
    return since;
}

// Idle sessions by the server and account they are connected to.
QHash<QString, QStringList> &idlePool()
{
    static QHash<QString, QStringList> pool;
    return pool;
}

QString poolKey(const ConnectionInfo &info)
{
    return QStringList{info.host, QString::number(info.port), info.database, info.user,
                       info.password}
        .join(QChar(0x1f));
}

// The pool each open session goes back to.
QHash<QString, QString> &poolKeyByName()
{
    static QHash<QString, QString> keys;
    return keys;
}

QString nextConnectionName()
{
    static QAtomicInt counter;
    return u"plov-pg-%1"_s.arg(counter.fetchAndAddRelaxed(1));
}

QString describeOpenFailure(const ConnectionInfo &info, const QSqlError &error)
{
    const QString text = error.text();
    const QString where = info.host.startsWith(u'/')
                              ? u"%1 (port %2)"_s.arg(info.host).arg(info.port)
                              : u"%1:%2"_s.arg(info.host).arg(info.port);
    if (text.contains(u"password authentication failed"_s, Qt::CaseInsensitive) ||
        text.contains(u"no password supplied"_s, Qt::CaseInsensitive))
        return u"資料庫伺服器 %1 拒絕登入：使用者 %2 的密碼錯誤（%3）"_s.arg(where, info.user,
                                                                             text.trimmed());
    if (text.contains(u"does not exist"_s, Qt::CaseInsensitive))
        return u"資料庫伺服器 %1 上沒有資料庫 %2（%3）"_s.arg(where, info.database, text.trimmed());
    return u"無法連線到資料庫伺服器 %1（%2）"_s.arg(where, text.trimmed());
}

// Whether a session that waited in the pool can serve again: one idle for a while
// may have been dropped by the server, so it is asked.
bool stillUsable(QSqlDatabase &db, const QElapsedTimer &since)
{
    const bool fresh = since.isValid() && since.elapsed() < trustIdleMs;
    return db.isOpen() && (fresh || QSqlQuery(db).exec(u"select 1"_s));
}

// An idle session of the pool that can serve again, or an invalid one. Sessions
// that cannot are closed on the way.
QSqlDatabase takeIdleSession(const QString &key)
{
    QStringList &idle = idlePool()[key];
    while (poolingEnabled && !idle.isEmpty()) {
        const QString name = idle.takeLast();
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (stillUsable(db, idleSince().take(name)))
            return db;
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        poolKeyByName().remove(name);
    }
    return {};
}

// A new session on the server. Throws DbError saying what went wrong.
QSqlDatabase openSession(const ConnectionInfo &info)
{
    const QString name = nextConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, name);
    db.setHostName(info.host);
    db.setPort(info.port);
    db.setDatabaseName(info.database);
    db.setUserName(info.user);
    db.setPassword(info.password);
    db.setConnectOptions(u"connect_timeout=5"_s);
    if (!db.open()) {
        const QString why = describeOpenFailure(info, db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw DbError(why);
    }
    return db;
}

} // namespace

void PostgresEngine::setPooling(bool enabled)
{
    poolingEnabled = enabled;
    if (!enabled)
        clearPool();
}

void PostgresEngine::setIdleTrust(qint64 milliseconds)
{
    trustIdleMs = milliseconds;
}

void PostgresEngine::clearPool()
{
    for (const QStringList &names : std::as_const(idlePool()))
        for (const QString &name : names) {
            {
                QSqlDatabase db = QSqlDatabase::database(name, false);
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
            poolKeyByName().remove(name);
        }
    idlePool().clear();
    idleSince().clear();
}

QSqlDatabase PostgresEngine::acquire(const ConnectionInfo &info)
{
    const QString key = poolKey(info);
    if (QSqlDatabase pooled = takeIdleSession(key); pooled.isValid())
        return pooled;
    QSqlDatabase db = openSession(info);
    poolKeyByName().insert(db.connectionName(), key);
    return db;
}

void PostgresEngine::lockUntilCommit(QSqlDatabase &db, const QString &key) const
{
    runStatement(db, u"select pg_advisory_xact_lock(hashtext(?))"_s, {key});
}

void PostgresEngine::release(QSqlDatabase &db)
{
    const QString name = db.connectionName();
    const QString key = poolKeyByName().value(name);
    QStringList &idle = idlePool()[key];
    if (poolingEnabled && db.isOpen() && idle.size() < maxIdlePerServer) {
        idle.append(name);
        idleSince()[name].start();
        db = QSqlDatabase();
        return;
    }
    poolKeyByName().remove(name);
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

QHash<QString, QString> &PostgresEngine::translations() const
{
    static QHash<QString, QString> known;
    return known;
}
