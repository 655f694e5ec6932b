#include "db/databasecreator.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/historytable.h"
#include "db/postgresengine.h"
#include "db/sqliteengine.h"
#include "db/sqlquery.h"
#include "db/sqlscript.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <QUrl>
#include <QUrlQuery>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

ConnectionInfo postgresTarget(const QString &target)
{
    const QUrl url(target);
    if (!url.isValid())
        throw DbError(u"無效的資料庫網址：%1"_s.arg(TargetForDisplay(target)));
    ConnectionInfo info;
    info.engine = ConnectionInfo::Engine::Postgres;
    info.host = url.host(QUrl::FullyDecoded);
    info.port = url.port(5432);
    info.database = url.path(QUrl::FullyDecoded).mid(1);
    info.user = url.userName(QUrl::FullyDecoded);
    info.password = url.password(QUrl::FullyDecoded);
    // The query's parameters, as the client library reads such a URL: those naming
    // the server, the database and the account stand over the URL's own parts,
    // the others go to the client library as they are; one it does not take is
    // refused rather than dropped.
    const QList<std::pair<QString, QString>> items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (const auto &[name, value] : items) {
        if (name == u"host")
            info.host = value;
        else if (name == u"port")
            info.port = PortNumber(value).value_or(0);
        else if (name == u"dbname")
            info.database = value;
        else if (name == u"user")
            info.user = value;
        else if (name == u"password")
            info.password = value;
        else if (!IsClientParameter(name))
            throw DbError(u"資料庫網址的參數 %1 不是資料庫伺服器認得的連線參數：%2"_s.arg(
                name, TargetForDisplay(target)));
        else if (value.contains(u';'))
            throw DbError(
                u"資料庫網址的參數 %1 不能含有分號：%2"_s.arg(name, TargetForDisplay(target)));
        else
            info.parameters.insert(name, value);
        if (info.port == 0)
            throw DbError(u"資料庫網址的 port 不是有效的連接埠號碼：%1"_s.arg(value));
    }
    if (info.host.isEmpty())
        info.host = u"localhost"_s;
    if (info.database.isEmpty())
        throw DbError(u"資料庫網址沒有資料庫名稱：%1"_s.arg(TargetForDisplay(target)));
    return info;
}

ConnectionInfo adminDatabase(const ConnectionInfo &info)
{
    ConnectionInfo admin = info;
    admin.database = u"postgres"_s;
    return admin;
}

// Less room than this left on the disk after a failed create: it was too full.
constexpr qint64 kRoomToCreate = 1024 * 1024;

// A name beside `path` for the file a create builds: hidden, and never the name of
// a database, so a run killed part-way leaves nothing in the target's place.
QString buildingName(const QString &path)
{
    const QFileInfo fi(path);
    QTemporaryFile name(fi.absolutePath() + u"/."_s + fi.fileName() + u".plov-new-XXXXXX"_s);
    if (!name.open())
        throw DbError(u"無法在 %1 建立檔案：%2"_s.arg(fi.absolutePath(), name.errorString()));
    return name.fileName(); // removed again as `name` goes: SQLite makes the file itself
}

void removeSqliteFiles(const QString &path)
{
    for (const QString &suffix : {QString(), u"-wal"_s, u"-shm"_s, u"-journal"_s})
        QFile::remove(path + suffix);
}

// Gives the finished file at `from` the name `to` unless `to` already exists, in
// one step: of two runs making the same database, one puts its file in place and
// the other is refused.
void placeWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    int result =
        renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
    if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system that cannot rename without replacing: a hard link does the
        // same, and the built name goes afterwards.
        result = link(source.constData(), target.constData());
        if (result == 0)
            QFile::remove(from);
    }
    if (result == 0)
        return;
    if (errno == EEXIST)
        throw DbError(u"%1 已經存在，不會覆蓋既有的資料庫"_s.arg(to));
    throw DbError(u"無法把資料庫放到 %1：%2"_s.arg(to, QString::fromLocal8Bit(strerror(errno))));
}

// Makes an empty SQLite file at `path` in the journal mode of its file system.
void createSqliteFile(const QString &path)
{
    const QString name = u"plov-create"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        if (!db.open())
            throw DbError(db.lastError().text());
        // The file keeps its journal mode: WAL on a local disk, the rollback journal
        // where computers reach it over a network (SqliteEngine).
        QSqlQuery q(db);
        q.exec(u"pragma journal_mode="_s +
               SqliteEngine::journalModeFor(SqliteEngine::fileSystemType(path)));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void fillDatabase(const QString &connectionString, bool postgres, bool withDemoData)
{
    Connection c;
    c.open(connectionString);
    TransactionGuard transaction(c);
    RunSchemaScript(c, SchemaText(postgres ? u"postgresql.sql"_s : u"sqlite.sql"_s));
    EnsureHistoryTable(c);
    if (withDemoData)
        RunDataScript(c, SchemaText(u"demo.sql"_s));
    transaction.commit();
}

// Builds the database under a name of its own beside `path`, then puts it in
// place. Whatever fails, only the file this run built is removed.
void createSqliteDatabase(const QString &path, bool withDemoData)
{
    if (QFileInfo::exists(path))
        throw DbError(u"%1 已經存在，不會覆蓋既有的資料庫"_s.arg(path));
    const QString building = buildingName(path);
    try {
        createSqliteFile(building);
        fillDatabase(SqliteConnectionString(building), false, withDemoData);
        placeWithoutReplacing(building, path);
    } catch (const DbError &e) {
        // Said of the database asked for, and of a full disk as such: the engine
        // often calls that an I/O error.
        QString why = e.description();
        why.replace(building, path);
        const QString folder = QFileInfo(path).absolutePath();
        const QStorageInfo disk(folder);
        if (disk.isValid() && disk.bytesAvailable() < kRoomToCreate)
            why = u"%1 所在的磁碟空間不足：%2"_s.arg(folder, why);
        removeSqliteFiles(building);
        throw DbError(why);
    }
}

// Creates the database on the server when it is missing (`created` says whether
// it did, also when a later step fails); refuses one that has tables.
void preparePostgresDatabase(const ConnectionInfo &info, bool &created)
{
    {
        Connection c;
        c.open(postgresConnectionString(adminDatabase(info)));
        QSqlQuery q = runStatement(c.database(), u"select 1 from pg_database where datname = ?"_s,
                                   {info.database});
        const bool missing = !q.next();
        q.finish();
        // Only once the server has made it is it this run's to drop: another run
        // may make it first, and this one's "create database" then fails.
        if (missing) {
            runStatement(c.database(), u"create database "_s + Engine::quoted(info.database), {});
            created = true;
        }
    }
    Connection c;
    c.open(postgresConnectionString(info));
    QSqlQuery q = runStatement(
        c.database(),
        u"select count(*) from information_schema.tables where table_schema = 'public'"_s, {});
    if (q.next() && q.value(0).toInt() > 0)
        throw DbError(u"資料庫 %1 已經有資料表，不會覆蓋既有的資料庫"_s.arg(info.database));
}

} // namespace

QString SchemaText(const QString &name)
{
    QFile f(u":/schema/"_s + name);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(u"找不到內建的資料庫結構檔 %1"_s.arg(name));
    return QString::fromUtf8(f.readAll());
}

bool IsServerTarget(const QString &target)
{
    return target.startsWith(u"postgresql://"_s) || target.startsWith(u"postgres://"_s);
}

void RemoveUnfinishedDatabase(const QString &target)
{
    if (!IsServerTarget(target)) {
        removeSqliteFiles(QFileInfo(target).absoluteFilePath());
        return;
    }
    PostgresEngine::clearPool(); // no session of this process is left on it
    try {
        DropPostgresDatabase(target);
    } catch (const DbError &e) {
        qWarning("could not remove the unfinished database: %s", qPrintable(e.description()));
    }
}

QString ConnectionStringForTarget(const QString &target)
{
    if (IsServerTarget(target))
        return postgresConnectionString(postgresTarget(target));
    return SqliteConnectionString(QFileInfo(target).absoluteFilePath());
}

QString TargetForDisplay(const QString &target)
{
    if (!IsServerTarget(target))
        return target;
    const QUrl url(target);
    if (url.isValid())
        return url.toDisplayString(QUrl::RemovePassword);
    // A URL Qt cannot read: whatever lies between the user's name and the last "@"
    // may be the password.
    const qsizetype start = target.indexOf(u"://"_s) + 3;
    const qsizetype at = target.lastIndexOf(u'@');
    const qsizetype colon = target.indexOf(u':', start);
    if (at < start || colon < 0 || colon > at)
        return target;
    return target.left(colon) + target.mid(at);
}

void DropPostgresDatabase(const QString &target)
{
    if (!IsServerTarget(target))
        throw DbError(u"%1 不是資料庫伺服器的網址"_s.arg(target));
    const ConnectionInfo info = postgresTarget(target);
    Connection c;
    c.open(postgresConnectionString(adminDatabase(info)));
    runStatement(c.database(),
                 u"drop database if exists "_s + Engine::quoted(info.database) + u" with (force)"_s,
                 {});
}

QString CreatePlovDatabase(const QString &target, bool withDemoData)
{
    const QString connectionString = ConnectionStringForTarget(target);
    if (!IsServerTarget(target)) {
        createSqliteDatabase(QFileInfo(target).absoluteFilePath(), withDemoData);
        return connectionString;
    }
    bool createdOnServer = false;
    try {
        preparePostgresDatabase(postgresTarget(target), createdOnServer);
        fillDatabase(connectionString, true, withDemoData);
    } catch (const DbError &) {
        // A half-made database is no database: nothing this made is left behind.
        if (createdOnServer)
            RemoveUnfinishedDatabase(target);
        throw;
    }
    return connectionString;
}
