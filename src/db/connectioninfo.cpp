#include "db/connectioninfo.h"

#include "db/dberror.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

// Reads one value starting at `at`: a value in braces runs to the closing brace
// ("}}" stands for one "}") and may hold ";"; any other value runs to the next ";".
QString readValue(const QString &text, qsizetype &at)
{
    qsizetype start = at;
    while (start < text.size() && text.at(start) == u' ')
        ++start;
    if (start < text.size() && text.at(start) == u'{') {
        QString value;
        qsizetype i = start + 1;
        for (; i < text.size(); ++i) {
            if (text.at(i) == u'}') {
                if (i + 1 < text.size() && text.at(i + 1) == u'}') {
                    value += u'}';
                    ++i;
                    continue;
                }
                break;
            }
            value += text.at(i);
        }
        if (i >= text.size())
            throw DbError(u"連線字串的 { 沒有對應的 }"_s);
        at = text.indexOf(u';', i + 1);
        if (at < 0)
            at = text.size();
        return value;
    }
    qsizetype end = text.indexOf(u';', at);
    if (end < 0)
        end = text.size();
    const QString value = text.mid(at, end - at);
    at = end;
    return value;
}

QHash<QString, QString> splitPairs(const QString &text)
{
    QHash<QString, QString> pairs;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype eq = text.indexOf(u'=', at);
        const qsizetype semi = text.indexOf(u';', at);
        if (eq < 0)
            break;
        if (semi >= 0 && semi < eq) { // a part without "=" names nothing
            at = semi + 1;
            continue;
        }
        const QString key = text.mid(at, eq - at).trimmed().toLower();
        at = eq + 1;
        const QString value = readValue(text, at);
        // A key given twice keeps its first value: nothing appended can take over.
        if (!pairs.contains(key))
            pairs.insert(key, value);
        ++at; // past the ";"
    }
    return pairs;
}

QString &unusableDatabaseProblem()
{
    static QString description;
    return description;
}

bool needsBraces(const QString &value)
{
    return value.contains(u';') || value.contains(u'{') || value.contains(u'}') ||
           value.startsWith(u' ') || value.endsWith(u' ');
}

} // namespace

QString connectionStringPair(const QString &key, const QString &value)
{
    if (!needsBraces(value))
        return key + u'=' + value;
    QString quoted = value;
    quoted.replace(u"}"_s, u"}}"_s);
    return key + u"={"_s + quoted + u'}';
}

void SetUnusableDatabaseProblem(const QString &description)
{
    unusableDatabaseProblem() = description;
}

ConnectionInfo parseConnectionString(const QString &connectionString)
{
    if (connectionString.trimmed().isEmpty() && !unusableDatabaseProblem().isEmpty())
        throw DbError(unusableDatabaseProblem());
    const QHash<QString, QString> pairs = splitPairs(connectionString);
    ConnectionInfo info;
    const QString provider = pairs.value(u"provider"_s).trimmed();
    if (provider.compare(u"PostgreSQL"_s, Qt::CaseInsensitive) == 0) {
        info.engine = ConnectionInfo::Engine::Postgres;
        info.host = pairs.value(u"server"_s).trimmed();
        if (pairs.contains(u"port"_s)) {
            const QString port = pairs.value(u"port"_s).trimmed();
            const std::optional<int> number = PortNumber(port);
            if (!number)
                throw DbError(u"連線字串的 Port= 不是有效的連接埠號碼：%1"_s.arg(port));
            info.port = *number;
        }
        info.database = pairs.value(u"database"_s).trimmed();
        info.user = pairs.value(u"uid"_s).trimmed();
        info.password = pairs.value(u"pwd"_s);
        for (auto it = pairs.cbegin(); it != pairs.cend(); ++it)
            if (IsClientParameter(it.key())) {
                if (it.value().contains(u';'))
                    throw DbError(u"連線字串的 %1= 不能含有分號：%2"_s.arg(it.key(), it.value()));
                info.parameters.insert(it.key(), it.value());
            }
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

QString SqliteConnectionString(const QString &path)
{
    return u"Provider=Microsoft.Jet.OLEDB.4.0;"_s + connectionStringPair(u"Data Source"_s, path) +
           u";"_s + connectionStringPair(u"Jet OLEDB:Database Password"_s, kDatabasePassword);
}

QString postgresConnectionString(const ConnectionInfo &info)
{
    QStringList pairs{u"Provider=PostgreSQL"_s,
                      connectionStringPair(u"Server"_s, info.host),
                      connectionStringPair(u"Port"_s, QString::number(info.port)),
                      connectionStringPair(u"Database"_s, info.database),
                      connectionStringPair(u"Uid"_s, info.user),
                      connectionStringPair(u"Pwd"_s, info.password)};
    for (auto it = info.parameters.cbegin(); it != info.parameters.cend(); ++it)
        pairs.append(connectionStringPair(it.key(), it.value()));
    return pairs.join(u';');
}

std::optional<int> PortNumber(const QString &text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

bool IsClientParameter(const QString &name)
{
    // The client library's parameters but those the program sets from its own keys
    // (host, port, dbname, user, password) and "replication", which opens no
    // database session at all.
    static const QStringList known = {
        u"hostaddr"_s,
        u"passfile"_s,
        u"channel_binding"_s,
        u"connect_timeout"_s,
        u"client_encoding"_s,
        u"options"_s,
        u"application_name"_s,
        u"fallback_application_name"_s,
        u"keepalives"_s,
        u"keepalives_idle"_s,
        u"keepalives_interval"_s,
        u"keepalives_count"_s,
        u"tcp_user_timeout"_s,
        u"gssencmode"_s,
        u"sslmode"_s,
        u"requiressl"_s,
        u"sslcompression"_s,
        u"sslcert"_s,
        u"sslkey"_s,
        u"sslpassword"_s,
        u"sslrootcert"_s,
        u"sslcrl"_s,
        u"sslcrldir"_s,
        u"sslsni"_s,
        u"requirepeer"_s,
        u"ssl_min_protocol_version"_s,
        u"ssl_max_protocol_version"_s,
        u"krbsrvname"_s,
        u"gsslib"_s,
        u"service"_s,
        u"target_session_attrs"_s,
    };
    return known.contains(name);
}

QString ClientParameterText(const ConnectionInfo &info, const QString &options)
{
    // The client library reads '\\' and '\'' inside quotes; Qt turns every ";" of the
    // options into a blank, so a value never holds one (the URL's reader refuses it).
    const auto quoted = [](QString value) {
        value.replace(u"\\"_s, u"\\\\"_s).replace(u"'"_s, u"\\'"_s);
        return u"'"_s + value + u"'"_s;
    };
    QString text;
    bool optionsGiven = false;
    for (auto it = info.parameters.cbegin(); it != info.parameters.cend(); ++it) {
        QString value = it.value();
        if (it.key() == u"options") {
            value = options + u' ' + value;
            optionsGiven = true;
        }
        text += u' ' + it.key() + u'=' + quoted(value);
    }
    if (!optionsGiven && !options.isEmpty())
        text.prepend(u" options="_s + quoted(options));
    return text;
}
