#include "databasecreator.h"

#include "connection.h"
#include "dberror.h"
#include "recordset.h"
#include "sqlquery.h"
#include "sqlscript.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

namespace {

bool isPostgresUrl(const QString &target)
{
    return target.startsWith(QStringLiteral("postgresql://")) ||
           target.startsWith(QStringLiteral("postgres://"));
}

ConnectionInfo postgresTarget(const QString &target)
{
    const QUrl url(target);
    if (!url.isValid())
        throw DbError(QStringLiteral("無效的資料庫網址：%1").arg(target));
    ConnectionInfo info;
    info.engine = ConnectionInfo::Engine::Postgres;
    const QUrlQuery query(url);
    info.host = query.hasQueryItem(QStringLiteral("host"))
                    ? query.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded)
                    : url.host(QUrl::FullyDecoded);
    if (info.host.isEmpty())
        info.host = QStringLiteral("localhost");
    info.port = url.port(5432);
    info.database = url.path(QUrl::FullyDecoded).mid(1);
    info.user = url.userName(QUrl::FullyDecoded);
    info.password = url.password(QUrl::FullyDecoded);
    if (info.database.isEmpty())
        throw DbError(QStringLiteral("資料庫網址沒有資料庫名稱：%1").arg(target));
    return info;
}

QString sqliteConnectionString(const QString &path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;"
                          "Jet OLEDB:Database Password=qtam5827qtam5827")
        .arg(path);
}

void createSqliteFile(const QString &path)
{
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("%1 已經存在，不會覆蓋既有的資料庫").arg(path));
    const QString name = QStringLiteral("plov-create");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            throw DbError(QStringLiteral("無法建立資料庫 %1：%2").arg(path, db.lastError().text()));
        QSqlQuery q(db);
        q.exec(QStringLiteral("pragma journal_mode=WAL"));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Creates the database on the server when it is missing; refuses one that has tables.
void preparePostgresDatabase(const ConnectionInfo &info)
{
    ConnectionInfo admin = info;
    admin.database = QStringLiteral("postgres");
    {
        Connection c;
        c.open(postgresConnectionString(admin));
        QSqlQuery q = runStatement(c.database(),
                                   QStringLiteral("select 1 from pg_database where datname = ?"),
                                   {info.database});
        const bool exists = q.next();
        q.finish();
        if (!exists) {
            QString quoted = info.database;
            quoted.replace(u'"', QStringLiteral("\"\""));
            runStatement(c.database(), QStringLiteral("create database \"%1\"").arg(quoted), {});
        }
    }
    Connection c;
    c.open(postgresConnectionString(info));
    QSqlQuery q = runStatement(
        c.database(),
        QStringLiteral(
            "select count(*) from information_schema.tables where table_schema = 'public'"),
        {});
    if (q.next() && q.value(0).toInt() > 0)
        throw DbError(
            QStringLiteral("資料庫 %1 已經有資料表，不會覆蓋既有的資料庫").arg(info.database));
}

} // namespace

QString SchemaText(const QString &name)
{
    QFile f(QStringLiteral(":/schema/") + name);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("找不到內建的資料庫結構檔 %1").arg(name));
    return QString::fromUtf8(f.readAll());
}

QString ConnectionStringForTarget(const QString &target)
{
    if (isPostgresUrl(target))
        return postgresConnectionString(postgresTarget(target));
    return sqliteConnectionString(QFileInfo(target).absoluteFilePath());
}

QString CreatePlovDatabase(const QString &target, bool withDemoData)
{
    const bool postgres = isPostgresUrl(target);
    const QString connectionString = ConnectionStringForTarget(target);
    if (postgres)
        preparePostgresDatabase(postgresTarget(target));
    else
        createSqliteFile(QFileInfo(target).absoluteFilePath());

    try {
        Connection c;
        c.open(connectionString);
        TransactionGuard transaction(c);
        RunSchemaScript(c, SchemaText(postgres ? QStringLiteral("postgresql.sql")
                                               : QStringLiteral("sqlite.sql")));
        if (withDemoData)
            RunDataScript(c, SchemaText(QStringLiteral("demo.sql")));
        transaction.commit();
    } catch (const DbError &) {
        // A half-made database file is no database: nothing is left behind.
        if (!postgres) {
            const QString path = QFileInfo(target).absoluteFilePath();
            for (const QString &suffix :
                 {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
                QFile::remove(path + suffix);
        }
        throw;
    }
    return connectionString;
}
