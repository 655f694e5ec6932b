#include "db/databasecreator.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "db/sqliteengine.h"
#include "db/sqlquery.h"
#include "db/sqlscript.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace {

bool isPostgresUrl(const QString &target)
{
    return target.startsWith(u"postgresql://"_s) || target.startsWith(u"postgres://"_s);
}

ConnectionInfo postgresTarget(const QString &target)
{
    const QUrl url(target);
    if (!url.isValid())
        throw DbError(u"無效的資料庫網址：%1"_s.arg(TargetForDisplay(target)));
    ConnectionInfo info;
    info.engine = ConnectionInfo::Engine::Postgres;
    const QUrlQuery query(url);
    info.host = query.hasQueryItem(u"host"_s) ? query.queryItemValue(u"host"_s, QUrl::FullyDecoded)
                                              : url.host(QUrl::FullyDecoded);
    if (info.host.isEmpty())
        info.host = u"localhost"_s;
    info.port = url.port(5432);
    info.database = url.path(QUrl::FullyDecoded).mid(1);
    info.user = url.userName(QUrl::FullyDecoded);
    info.password = url.password(QUrl::FullyDecoded);
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

void createSqliteFile(const QString &path)
{
    if (QFileInfo::exists(path))
        throw DbError(u"%1 已經存在，不會覆蓋既有的資料庫"_s.arg(path));
    const QString name = u"plov-create"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        if (!db.open())
            throw DbError(u"無法建立資料庫 %1：%2"_s.arg(path, db.lastError().text()));
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

// Creates the database on the server when it is missing (`created` says whether
// it did, also when a later step fails); refuses one that has tables.
void preparePostgresDatabase(const ConnectionInfo &info, bool &created)
{
    {
        Connection c;
        c.open(postgresConnectionString(adminDatabase(info)));
        QSqlQuery q = runStatement(c.database(), u"select 1 from pg_database where datname = ?"_s,
                                   {info.database});
        created = !q.next();
        q.finish();
        if (created)
            runStatement(c.database(), u"create database "_s + Engine::quoted(info.database), {});
    }
    Connection c;
    c.open(postgresConnectionString(info));
    QSqlQuery q = runStatement(
        c.database(),
        u"select count(*) from information_schema.tables where table_schema = 'public'"_s, {});
    if (q.next() && q.value(0).toInt() > 0)
        throw DbError(u"資料庫 %1 已經有資料表，不會覆蓋既有的資料庫"_s.arg(info.database));
}

// Drops a database this tool made and could not finish.
void dropUnfinishedDatabase(const QString &target)
{
    try {
        DropPostgresDatabase(target);
    } catch (const DbError &e) {
        qWarning("could not remove the unfinished database: %s", qPrintable(e.description()));
    }
}

} // namespace

QString SchemaText(const QString &name)
{
    QFile f(u":/schema/"_s + name);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(u"找不到內建的資料庫結構檔 %1"_s.arg(name));
    return QString::fromUtf8(f.readAll());
}

QString ConnectionStringForTarget(const QString &target)
{
    if (isPostgresUrl(target))
        return postgresConnectionString(postgresTarget(target));
    return SqliteConnectionString(QFileInfo(target).absoluteFilePath());
}

QString TargetForDisplay(const QString &target)
{
    if (!isPostgresUrl(target))
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
    if (!isPostgresUrl(target))
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
    const bool postgres = isPostgresUrl(target);
    const QString connectionString = ConnectionStringForTarget(target);
    bool createdOnServer = false;
    if (!postgres)
        createSqliteFile(QFileInfo(target).absoluteFilePath());
    try {
        if (postgres)
            preparePostgresDatabase(postgresTarget(target), createdOnServer);
        Connection c;
        c.open(connectionString);
        TransactionGuard transaction(c);
        RunSchemaScript(c, SchemaText(postgres ? u"postgresql.sql"_s : u"sqlite.sql"_s));
        if (withDemoData)
            RunDataScript(c, SchemaText(u"demo.sql"_s));
        transaction.commit();
    } catch (const DbError &) {
        // A half-made database is no database: nothing this made is left behind.
        if (createdOnServer)
            dropUnfinishedDatabase(target);
        if (!postgres) {
            const QString path = QFileInfo(target).absoluteFilePath();
            for (const QString &suffix : {QString(), u"-wal"_s, u"-shm"_s})
                QFile::remove(path + suffix);
        }
        throw;
    }
    return connectionString;
}
