#include "db/connectioninfo.h"

#include "db/dberror.h"

#include <QHash>

using namespace Qt::StringLiterals;

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
    const QString provider = pairs.value(u"provider"_s).trimmed();
    if (provider.compare(u"PostgreSQL"_s, Qt::CaseInsensitive) == 0) {
        info.engine = ConnectionInfo::Engine::Postgres;
        info.host = pairs.value(u"server"_s).trimmed();
        bool ok = false;
        const int port = pairs.value(u"port"_s).trimmed().toInt(&ok);
        if (ok && port > 0)
            info.port = port;
        info.database = pairs.value(u"database"_s).trimmed();
        info.user = pairs.value(u"uid"_s).trimmed();
        info.password = pairs.value(u"pwd"_s);
        if (info.database.isEmpty())
            throw DbError(u"連線字串沒有指定資料庫 (Database=)"_s);
        return info;
    }
    info.engine = ConnectionInfo::Engine::Sqlite;
    info.dataSource = pairs.value(u"data source"_s);
    info.password = pairs.value(u"jet oledb:database password"_s);
    if (info.dataSource.isEmpty())
        throw DbError(u"連線字串沒有指定資料來源 (Data Source=)"_s);
    return info;
}

QString postgresConnectionString(const ConnectionInfo &info)
{
    return u"Provider=PostgreSQL;Server=%1;Port=%2;Database=%3;Uid=%4;Pwd=%5"_s.arg(info.host)
        .arg(info.port)
        .arg(info.database, info.user, info.password);
}
