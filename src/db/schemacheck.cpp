#include "db/schemacheck.h"

#include "db/connection.h"
#include "db/databasecreator.h"
#include "db/dberror.h"

#include <QRegularExpression>
#include <QSqlDatabase>

using namespace Qt::StringLiterals;

QStringList PlovTables()
{
    static const QStringList tables = [] {
        QStringList names;
        static const QRegularExpression created(u"CREATE TABLE \"([^\"]+)\""_s);
        for (auto it = created.globalMatch(SchemaText(u"sqlite.sql"_s)); it.hasNext();)
            names.append(it.next().captured(1));
        return names;
    }();
    return tables;
}

std::optional<QString> MissingTable(const QStringList &present, const QStringList &required)
{
    for (const QString &table : required)
        if (!present.contains(table, Qt::CaseInsensitive))
            return table;
    return std::nullopt;
}

std::optional<QString> ForeignDatabaseReason(const QString &connectionString)
{
    const ConnectionInfo info = parseConnectionString(connectionString);
    QStringList present;
    {
        Connection c;
        c.open(connectionString);
        present = c.database().tables(QSql::Tables);
    }
    const std::optional<QString> table = MissingTable(present, PlovTables());
    if (!table)
        return std::nullopt;
    const QString database = info.engine == ConnectionInfo::Engine::Sqlite
                                 ? info.dataSource
                                 : u"%1（%2）"_s.arg(info.database, info.host);
    return u"%1 不是本程式的資料庫（沒有資料表 %2）"_s.arg(database, *table);
}

void RequirePlovDatabase(const QString &connectionString)
{
    if (const std::optional<QString> reason = ForeignDatabaseReason(connectionString))
        throw DbError(*reason);
}
