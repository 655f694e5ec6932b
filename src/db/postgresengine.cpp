#include "db/postgresengine.h"

#include "db/dberror.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QSqlError>
#include <QStringList>
#include <QThread>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

bool poolingEnabled = true;
constexpr int kMaxIdlePerServer = 4;

// Idle sessions by the server and account they are connected to.
QHash<QString, QStringList> &idlePool()
{
    static QHash<QString, QStringList> pool;
    return pool;
}

QString poolKey(const ConnectionInfo &info)
{
    return QStringList{info.host,     QString::number(info.port),   info.database, info.user,
                       info.password, ClientParameterText(info, {})}
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
    const QString text = error.text().trimmed();
    const QString where = info.host.startsWith(u'/')
                              ? u"%1 (port %2)"_s.arg(info.host).arg(info.port)
                              : u"%1:%2"_s.arg(info.host).arg(info.port);
    if (text.contains(u"password authentication failed"_s, Qt::CaseInsensitive) ||
        text.contains(u"no password supplied"_s, Qt::CaseInsensitive))
        return u"資料庫伺服器 %1 拒絕登入：使用者 %2 的密碼錯誤（%3）"_s.arg(where, info.user,
                                                                             text);
    if (text.contains(u"role \""_s, Qt::CaseInsensitive) &&
        text.contains(u"does not exist"_s, Qt::CaseInsensitive))
        return u"資料庫伺服器 %1 上沒有使用者 %2（%3）"_s.arg(where, info.user, text);
    if (text.contains(u"does not exist"_s, Qt::CaseInsensitive))
        return u"資料庫伺服器 %1 上沒有資料庫 %2（%3）"_s.arg(where, info.database, text);
    return u"無法連線到資料庫伺服器 %1（%2）"_s.arg(where, text);
}

// Closes a session and forgets it.
void closeSession(const QString &name)
{
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    poolKeyByName().remove(name);
}

// Closes the idle sessions once the last one has waited kIdleSessionMilliseconds.
// Only where an event loop runs them: a program without one (the database tool)
// keeps its few sessions until it ends.
void closeIdleSessionsLater()
{
    static QPointer<QTimer> timer;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return;
    if (!timer) {
        timer = new QTimer(app);
        timer->setSingleShot(true);
        timer->setInterval(PostgresEngine::kIdleSessionMilliseconds);
        QObject::connect(timer, &QTimer::timeout, app, &PostgresEngine::clearPool);
    }
    timer->start();
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
    // The connection's own client parameters come last, so that one given there
    // (connect_timeout) is the one the client library takes.
    db.setConnectOptions(
        u"connect_timeout=5"_s +
        ClientParameterText(
            info, u"-c lock_timeout=%1s -c statement_timeout=%2s"_s.arg(Engine::kLockWaitSeconds)
                      .arg(PostgresEngine::kStatementLimitSeconds)));
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

void PostgresEngine::clearPool()
{
    for (const QStringList &names : std::as_const(idlePool()))
        for (const QString &name : names)
            closeSession(name);
    idlePool().clear();
}

QSqlDatabase PostgresEngine::acquire(const ConnectionInfo &info)
{
    // A session that waited in the pool is taken as it is: it waited a few seconds
    // at most, and a statement that finds it ended by the server is run again on a
    // fresh one (Connection).
    const QString key = poolKey(info);
    QStringList &idle = idlePool()[key];
    if (poolingEnabled && !idle.isEmpty())
        return QSqlDatabase::database(idle.takeLast(), false);
    QSqlDatabase db = openSession(info);
    poolKeyByName().insert(db.connectionName(), key);
    return db;
}

void PostgresEngine::release(QSqlDatabase &db)
{
    const QString name = db.connectionName();
    const QString key = poolKeyByName().value(name);
    QStringList &idle = idlePool()[key];
    db = QSqlDatabase();
    if (poolingEnabled && QSqlDatabase::database(name, false).isOpen() &&
        idle.size() < kMaxIdlePerServer) {
        idle.append(name);
        closeIdleSessionsLater();
        return;
    }
    closeSession(name);
}

void PostgresEngine::discard(QSqlDatabase &db)
{
    // The server ended the session (a restart, an administrator): the sessions
    // waiting for the same server most likely went with it.
    const QString name = db.connectionName();
    db = QSqlDatabase();
    for (const QString &idle : idlePool().take(poolKeyByName().value(name)))
        closeSession(idle);
    closeSession(name);
}

bool PostgresEngine::isLockTimeout(const QSqlError &error) const
{
    return error.nativeErrorCode() == u"55P03"; // lock_not_available
}

QHash<QString, QString> &PostgresEngine::translations() const
{
    static QHash<QString, QString> known;
    return known;
}

QString PostgresEngine::serverTime() const
{
    return u"(select to_char(localtimestamp, 'YYYY-MM-DD HH24:MI:SS'))"_s;
}

QStringList PostgresEngine::historyTableSql() const
{
    return {u"CREATE TABLE IF NOT EXISTS \"變更記錄\" (\"時間\" text NOT NULL DEFAULT "
            u"to_char(localtimestamp, 'YYYY-MM-DD HH24:MI:SS'), \"資料表\" text NOT NULL DEFAULT "
            u"'', \"po\" text, \"no\" double precision, \"id\" text, \"ino\" double precision, "
            u"\"序\" integer, \"欄位\" text NOT NULL DEFAULT '', \"原值\" text, \"新值\" text, "
            u"\"動作\" text NOT NULL DEFAULT '', \"使用者代號\" text, \"使用者\" text, "
            u"\"電腦\" text, \"程式\" text)"_s,
            u"CREATE INDEX IF NOT EXISTS \"ix_變更記錄_po_no\" ON \"變更記錄\" (\"po\", \"no\")"_s};
}
