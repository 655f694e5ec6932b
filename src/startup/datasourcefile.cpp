#include "datasourcefile.h"

#include "db/dberror.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// KEY=value lines of an ODBC file data source, keys upper-cased.
QHash<QString, QString> odbcKeys(const QString &text)
{
    QHash<QString, QString> keys;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("[\r\n]+")));
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
    if (!keys.value(QStringLiteral("DRIVER"))
             .contains(QStringLiteral("postgres"), Qt::CaseInsensitive))
        return std::nullopt;
    ConnectionInfo info;
    info.engine = ConnectionInfo::Engine::Postgres;
    info.host = keys.value(QStringLiteral("SERVER"));
    if (info.host.isEmpty())
        info.host = QStringLiteral("localhost");
    bool ok = false;
    const int port = keys.value(QStringLiteral("PORT")).toInt(&ok);
    info.port = ok && port > 0 ? port : 5432;
    info.database = keys.value(QStringLiteral("DATABASE"));
    info.user = keys.value(QStringLiteral("UID"));
    info.password =
        keys.contains(QStringLiteral("PWD")) ? keys.value(QStringLiteral("PWD")) : defaultPassword;
    if (info.database.isEmpty())
        throw DbError(QStringLiteral("PLOV.DSN 指定了 PostgreSQL 伺服器，但沒有 DATABASE="));
    return info;
}

} // namespace

DataSourceFile ReadDataSourceText(const QString &text, const QString &defaultPassword)
{
    if (text.isEmpty())
        throw DbError(QStringLiteral("PLOV.DSN 是空的"));
    DataSourceFile file;
    if (text.startsWith(u'\''))
        return file;
    const QString upper = text.toUpper();
    const qsizetype site = upper.indexOf(QStringLiteral("SITE="));
    if (site >= 0)
        file.site = upper.mid(site + 5, 1);
    const qsizetype dbq = upper.indexOf(QStringLiteral("DBQ="));
    if (dbq >= 0) {
        const qsizetype name = upper.indexOf(QStringLiteral("PLOV.MDB"), dbq);
        if (name < 0)
            throw DbError(QStringLiteral("PLOV.DSN 的 DBQ= 之後沒有 PLOV.MDB"));
        file.folderText = text.mid(dbq + 4, name - dbq - 4);
    } else {
        file.folderText = text;
    }
    file.server = postgresServer(text, defaultPassword);
    return file;
}
