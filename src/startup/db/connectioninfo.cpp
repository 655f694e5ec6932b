#include "connectioninfo.h"

#include "dberror.h"

#include <QHash>

namespace {

QHash<QString, QString> splitPairs(const QString &text)
{
    QHash<QString, QString> pairs;
    const QStringList parts = text.split(u';', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0)
            continue;
        pairs.insert(part.left(eq).trimmed().toLower(), part.mid(eq + 1));
    }
    return pairs;
}

} // namespace

ConnectionInfo parseConnectionString(const QString &connectionString)
{
    const QHash<QString, QString> pairs = splitPairs(connectionString);
    ConnectionInfo info;
    const QString provider = pairs.value(QStringLiteral("provider")).trimmed();
    if (provider.compare(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive) == 0) {
        info.engine = ConnectionInfo::Engine::Postgres;
        info.host = pairs.value(QStringLiteral("server")).trimmed();
        bool ok = false;
        const int port = pairs.value(QStringLiteral("port")).trimmed().toInt(&ok);
        if (ok && port > 0)
            info.port = port;
        info.database = pairs.value(QStringLiteral("database")).trimmed();
        info.user = pairs.value(QStringLiteral("uid")).trimmed();
        info.password = pairs.value(QStringLiteral("pwd"));
        if (info.database.isEmpty())
            throw DbError(QStringLiteral("連線字串沒有指定資料庫 (Database=)"));
        return info;
    }
    info.engine = ConnectionInfo::Engine::Sqlite;
    info.dataSource = pairs.value(QStringLiteral("data source"));
    info.password = pairs.value(QStringLiteral("jet oledb:database password"));
    if (info.dataSource.isEmpty())
        throw DbError(QStringLiteral("連線字串沒有指定資料來源 (Data Source=)"));
    return info;
}

QString postgresConnectionString(const ConnectionInfo &info)
{
    return QStringLiteral("Provider=PostgreSQL;Server=%1;Port=%2;Database=%3;Uid=%4;Pwd=%5")
        .arg(info.host)
        .arg(info.port)
        .arg(info.database, info.user, info.password);
}
