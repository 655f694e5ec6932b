#include "startup/datasourcefile.h"

#include <QHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// A value as an ODBC file data source writes it: in braces ("PWD={ a;b }", "}}"
// for a "}" inside) it keeps its blanks, otherwise it is trimmed.
QString odbcValue(const QString &written)
{
    const QString value = written.trimmed();
    if (value.size() < 2 || !value.startsWith(u'{') || !value.endsWith(u'}'))
        return value;
    QString inner = value.mid(1, value.size() - 2);
    inner.replace(u"}}"_s, u"}"_s);
    return inner;
}

// KEY=value lines of an ODBC file data source, keys upper-cased.
QHash<QString, QString> odbcKeys(const QString &text)
{
    QHash<QString, QString> keys;
    const QStringList lines = text.split(QRegularExpression(u"[\r\n]+"_s));
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            keys.insert(line.left(eq).trimmed().toUpper(), odbcValue(line.mid(eq + 1)));
    }
    return keys;
}

// The server a file naming PostgreSQL as its driver points at, or why it cannot
// be used.
void readServer(const QHash<QString, QString> &keys, const QString &defaultPassword,
                DataSourceFile &file)
{
    ConnectionInfo info;
    info.engine = ConnectionInfo::Engine::Postgres;
    info.host = keys.value(u"SERVER"_s);
    if (info.host.isEmpty())
        info.host = u"localhost"_s;
    if (keys.contains(u"PORT"_s)) {
        const std::optional<int> port = PortNumber(keys.value(u"PORT"_s));
        if (!port) {
            file.serverProblem =
                u"PLOV.DSN 的 PORT= 不是有效的連接埠號碼：%1"_s.arg(keys.value(u"PORT"_s));
            return;
        }
        info.port = *port;
    }
    info.database = keys.value(u"DATABASE"_s);
    info.user = keys.value(u"UID"_s);
    info.password = keys.contains(u"PWD"_s) ? keys.value(u"PWD"_s) : defaultPassword;
    if (info.database.isEmpty()) {
        file.serverProblem = u"PLOV.DSN 指定了 PostgreSQL 伺服器，但沒有 DATABASE="_s;
        return;
    }
    // The client library's own keys (SSLMODE=require) go to it as they stand.
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        const QString name = it.key().toLower();
        if (!IsClientParameter(name))
            continue;
        if (it.value().contains(u';')) {
            file.serverProblem = u"PLOV.DSN 的 %1= 不能含有分號"_s.arg(it.key());
            return;
        }
        info.parameters.insert(name, it.value());
    }
    file.server = info;
}

} // namespace

std::optional<DataSourceFile> ReadDataSourceText(const QString &text,
                                                 const QString &defaultPassword)
{
    if (text.isEmpty())
        return std::nullopt;
    DataSourceFile file;
    if (text.startsWith(u'\''))
        return file;
    // A file that names a server is about that server alone.
    const QHash<QString, QString> keys = odbcKeys(text);
    if (keys.value(u"DRIVER"_s).contains(u"postgres"_s, Qt::CaseInsensitive)) {
        readServer(keys, defaultPassword, file);
        return file;
    }
    // Keys are looked for in the text itself, ignoring case: an upper-cased copy
    // can be longer than the text ("ß" becomes "SS") and its positions would cut
    // the folder in the wrong place.
    const qsizetype site = text.indexOf(u"SITE="_s, 0, Qt::CaseInsensitive);
    if (site >= 0)
        file.site = text.mid(site + 5, 1).toUpper();
    const qsizetype dbq = text.indexOf(u"DBQ="_s, 0, Qt::CaseInsensitive);
    if (dbq >= 0) {
        const qsizetype name = text.indexOf(u"PLOV.MDB"_s, dbq, Qt::CaseInsensitive);
        if (name < 0)
            return std::nullopt;
        file.folderText = text.mid(dbq + 4, name - dbq - 4);
    } else {
        file.folderText = text;
    }
    return file;
}
