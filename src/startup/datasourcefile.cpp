#include "startup/datasourcefile.h"

#include "db/dberror.h"

#include <QHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// KEY=value lines of an ODBC file data source, keys upper-cased.
QHash<QString, QString> odbcKeys(const QString &text)
{
    QHash<QString, QString> keys;
    const QStringList lines = text.split(QRegularExpression(u"[\r\n]+"_s));
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            keys.insert(line.left(eq).trimmed().toUpper(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

std::optional<ConnectionInfo> postgresServer(const QString &text, const QString &defaultPassword)
{
    const QHash<QString, QString> keys = odbcKeys(text);
    if (!keys.value(u"DRIVER"_s).contains(u"postgres"_s, Qt::CaseInsensitive))
        return std::nullopt;
    ConnectionInfo info;
    info.engine = ConnectionInfo::Engine::Postgres;
    info.host = keys.value(u"SERVER"_s);
    if (info.host.isEmpty())
        info.host = u"localhost"_s;
    bool ok = false;
    const int port = keys.value(u"PORT"_s).toInt(&ok);
    info.port = ok && port > 0 ? port : 5432;
    info.database = keys.value(u"DATABASE"_s);
    info.user = keys.value(u"UID"_s);
    info.password = keys.contains(u"PWD"_s) ? keys.value(u"PWD"_s) : defaultPassword;
    if (info.database.isEmpty())
        throw DbError(u"PLOV.DSN 指定了 PostgreSQL 伺服器，但沒有 DATABASE="_s);
    return info;
}

} // namespace

DataSourceFile ReadDataSourceText(const QString &text, const QString &defaultPassword)
{
    if (text.isEmpty())
        throw DbError(u"PLOV.DSN 是空的"_s);
    DataSourceFile file;
    if (text.startsWith(u'\''))
        return file;
    const QString upper = text.toUpper();
    const qsizetype site = upper.indexOf(u"SITE="_s);
    if (site >= 0)
        file.site = upper.mid(site + 5, 1);
    const qsizetype dbq = upper.indexOf(u"DBQ="_s);
    if (dbq >= 0) {
        const qsizetype name = upper.indexOf(u"PLOV.MDB"_s, dbq);
        if (name < 0)
            throw DbError(u"PLOV.DSN 的 DBQ= 之後沒有 PLOV.MDB"_s);
        file.folderText = text.mid(dbq + 4, name - dbq - 4);
    } else {
        file.folderText = text;
    }
    file.server = postgresServer(text, defaultPassword);
    return file;
}
