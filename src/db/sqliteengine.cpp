#include "db/sqliteengine.h"

#include "db/dberror.h"
#include "db/jetval.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return u"plov-sqlite-%1"_s.arg(counter.fetchAndAddRelaxed(1));
}

// val(x): the number a text starts with, 0 when none; numbers pass through.
void sqliteVal(sqlite3_context *context, int, sqlite3_value **argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        sqlite3_result_double(context, sqlite3_value_double(argv[0]));
        return;
    case SQLITE_NULL:
        sqlite3_result_double(context, 0);
        return;
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
        sqlite3_result_double(context, Val(QString::fromUtf8(text ? text : "")));
    }
    }
}

// Whether a file system of this type is reached over a network.
bool isNetworkFileSystem(const QByteArray &fileSystemType)
{
    static const QSet<QByteArray> network = {
        "nfs",  "nfs4",  "cifs",   "smb3",   "smbfs",     "ncpfs", "afs",    "afpfs",
        "coda", "9p",    "ceph",   "lustre", "glusterfs", "gfs2",  "ocfs2",  "beegfs",
        "gpfs", "davfs", "davfs2", "webdav", "sshfs",     "s3fs",  "rclone",
    };
    QByteArray type = fileSystemType.toLower();
    if (type.startsWith("fuse."))
        type = type.mid(5);
    return network.contains(type);
}

} // namespace

void SqliteEngine::checkDatabaseFile(const QString &path)
{
    const QFileInfo fi(path);
    if (!fi.exists())
        throw DbError(u"找不到資料庫檔案 %1"_s.arg(path));
    if (!fi.isFile())
        throw DbError(u"%1 不是檔案"_s.arg(path));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(u"無法讀取資料庫檔案 %1：%2"_s.arg(path, f.errorString()));
    const QByteArray head = f.read(32);
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return;
    if (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB")
        throw DbError(
            u"%1 是 Microsoft Access 資料庫，必須先轉換成本程式的資料庫格式才能使用"_s.arg(path));
    throw DbError(u"%1 不是資料庫檔案（檔案已損壞或格式不符）"_s.arg(path));
}

void SqliteEngine::registerFunctions(QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DbError(u"無法取得 SQLite 連線"_s);
    sqlite3 *raw = *static_cast<sqlite3 *const *>(handle.constData());
    sqlite3_create_function_v2(raw, "val", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               sqliteVal, nullptr, nullptr, nullptr);
}

QSqlDatabase SqliteEngine::acquire(const ConnectionInfo &info)
{
    checkDatabaseFile(info.dataSource);
    const QString name = nextConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
    db.setDatabaseName(info.dataSource);
    db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=%1"_s.arg(kLockWaitSeconds * 1000));
    if (!db.open()) {
        const QString why = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw DbError(u"無法開啟資料庫 %1：%2"_s.arg(info.dataSource, why));
    }
    registerFunctions(db);
    // The journal mode is stored in the file, which every computer opens from its
    // own view of it: one that sees a local disk must not switch the file into WAL
    // under those that reach it over the network. The mode is chosen when the
    // database is made; opening it only ever leaves WAL, where WAL is unsafe.
    const QString path = info.dataSource;
    QSqlQuery pragma(db);
    QString why;
    if (!pragma.exec(u"pragma journal_mode"_s) || !pragma.next()) {
        why = pragma.lastError().text();
        if (why.trimmed().isEmpty())
            why = u"無法讀取日誌模式"_s;
    } else if (const QString to =
                   journalModeOnOpen(fileSystemType(path), pragma.value(0).toString());
               !to.isEmpty()) {
        pragma.finish();
        QString detail;
        if (!pragma.exec(u"pragma journal_mode="_s + to))
            detail = pragma.lastError().text();
        else if (pragma.next() && pragma.value(0).toString().compare(to, Qt::CaseInsensitive) != 0)
            detail = u"目前仍為 %1"_s.arg(pragma.value(0).toString());
        if (!detail.isEmpty())
            why = u"資料庫檔案位於網路磁碟上，卻使用 WAL 日誌模式；經由網路共用 WAL 並不安全。"
                  u"其他電腦或程式正在使用它，無法改用一般日誌模式（%1），請其他使用者都結束"
                  u"本程式後再試一次"_s.arg(detail);
    }
    if (!why.isEmpty()) {
        pragma = QSqlQuery();
        release(db);
        throw DbError(u"無法開啟資料庫 %1：%2"_s.arg(path, why));
    }
    return db;
}

QByteArray SqliteEngine::fileSystemType(const QString &path)
{
    // Asking the system reads its whole table of mounts: once per folder is enough.
    static QMutex mutex;
    static QHash<QString, QByteArray> known;
    const QString folder = QFileInfo(path).absolutePath();
    const QMutexLocker lock(&mutex);
    auto it = known.constFind(folder);
    if (it == known.constEnd())
        it = known.insert(folder, QStorageInfo(folder).fileSystemType());
    return *it;
}

QString SqliteEngine::journalModeFor(const QByteArray &fileSystemType)
{
    return isNetworkFileSystem(fileSystemType) ? u"delete"_s : u"wal"_s;
}

QString SqliteEngine::journalModeOnOpen(const QByteArray &fileSystemType, const QString &current)
{
    if (current.compare(u"wal"_s, Qt::CaseInsensitive) == 0 && isNetworkFileSystem(fileSystemType))
        return u"delete"_s;
    return {};
}

bool SqliteEngine::isLockTimeout(const QSqlError &error) const
{
    return error.nativeErrorCode() == u"5"; // SQLITE_BUSY once the busy timeout ran out
}

void SqliteEngine::release(QSqlDatabase &db)
{
    const QString name = db.connectionName();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

namespace {

// Runs a transaction statement; throws DbError with the engine's description.
void runTransactionStatement(const SqliteEngine &engine, QSqlDatabase &db, const QString &statement)
{
    QSqlQuery q(db);
    if (q.exec(statement))
        return;
    throw DbError(engine.isLockTimeout(q.lastError()) ? Engine::lockTimeoutDescription()
                                                      : q.lastError().text());
}

} // namespace

void SqliteEngine::beginTransaction(QSqlDatabase &db) const
{
    runTransactionStatement(*this, db, u"begin immediate"_s);
}

void SqliteEngine::commitTransaction(QSqlDatabase &db) const
{
    runTransactionStatement(*this, db, u"commit"_s);
}

void SqliteEngine::rollbackTransaction(QSqlDatabase &db) const
{
    QSqlQuery(db).exec(u"rollback"_s);
}

QHash<QString, QString> &SqliteEngine::translations() const
{
    static QHash<QString, QString> known;
    return known;
}

QString SqliteEngine::jsonRecords(const QString &alias,
                                  const QList<std::pair<QString, bool>> &columns) const
{
    QStringList read;
    for (const auto &[name, number] : columns) {
        Q_UNUSED(number) // SQLite keeps a JSON number a number, a text a text
        read.append(u"json_extract(value, '$.%1') as %1"_s.arg(name.toLower()));
    }
    return u"(select %1 from json_each(?)) as %2"_s.arg(read.join(u", "_s), alias);
}

QString SqliteEngine::serverTime() const
{
    return u"(select datetime('now', 'localtime'))"_s;
}

QStringList SqliteEngine::historyTableSql() const
{
    return {u"CREATE TABLE IF NOT EXISTS \"變更記錄\" (\"時間\" TEXT NOT NULL DEFAULT "
            u"(datetime('now', 'localtime')), \"資料表\" TEXT NOT NULL DEFAULT '', \"PO\" TEXT, "
            u"\"NO\" REAL, \"ID\" TEXT, \"INO\" REAL, \"序\" INTEGER, \"欄位\" TEXT NOT NULL "
            u"DEFAULT '', \"原值\" TEXT, \"新值\" TEXT, \"動作\" TEXT NOT NULL DEFAULT '', "
            u"\"使用者代號\" TEXT, \"使用者\" TEXT, \"電腦\" TEXT, \"程式\" TEXT)"_s,
            u"CREATE INDEX IF NOT EXISTS \"ix_變更記錄_PO_NO\" ON \"變更記錄\" (\"PO\", \"NO\")"_s};
}
