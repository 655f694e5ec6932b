#pragma once

#include <QMap>
#include <QString>
#include <optional>

// What a connection string names: an SQLite file (the suite's "Data Source=" form)
// or a PostgreSQL server.
struct ConnectionInfo
{
    enum class Engine
    {
        Sqlite,
        Postgres
    };
    Engine engine = Engine::Sqlite;

    QString dataSource; // SQLite: the database file
    QString password;   // the database password of the connection string

    // PostgreSQL
    QString host; // a host name, an address or a unix-socket folder
    int port = 5432;
    QString database;
    QString user;
    // The client library's own connection parameters (sslmode, connect_timeout,
    // ...), passed to it as they stand.
    QMap<QString, QString> parameters;

    bool operator==(const ConnectionInfo &) const = default;
};

// Reads "key=value;key=value" connection strings. Keys match regardless of case;
// a key given twice keeps its first value. A value in braces ("Pwd={a;b}", "}}"
// for a "}" inside) is read whole, blanks and ";" included. Throws DbError when
// the text names no data source at all, or a port that is none.
ConnectionInfo parseConnectionString(const QString &connectionString);

// Why the program has no database it may open: start-up found the one its
// data-source file names unusable (a server without a database, a bad port). The
// program then holds an empty connection string, and opening that fails with this
// description rather than for naming no data source. Empty: no such problem.
void SetUnusableDatabaseProblem(const QString &description);

// One "key=value" of a connection string. A value holding ";", "{" or "}", or
// starting or ending with a blank, goes in braces, so it reads back whole and
// cannot add keys of its own; any other value stands as it is.
QString connectionStringPair(const QString &key, const QString &value);

// The suite's database password: the one of its database files, and the one a
// server account signs in with when nothing else is given.
inline const QString kDatabasePassword = QStringLiteral("qtam5827qtam5827");

// The connection string of an SQLite database file, in the suite's own form:
// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=...;Jet OLEDB:Database Password=...".
QString SqliteConnectionString(const QString &path);

// The connection string of a PostgreSQL server, in the same key=value form:
// "Provider=PostgreSQL;Server=...;Port=...;Database=...;Uid=...;Pwd=..." and then
// the client library's parameters under their own names ("sslmode=require").
QString postgresConnectionString(const ConnectionInfo &info);

// A port number written as text (1 to 65535, blanks around it allowed); nothing
// for any other text.
std::optional<int> PortNumber(const QString &text);

// Whether the server's client library takes a connection parameter of this name
// (in lower case) beside the server, port, database, user and password: the
// parameters a postgresql:// URL or a connection string may pass on.
bool IsClientParameter(const QString &name);

// The client parameters in the client library's own "name='value'" form, each
// after a blank, for the end of its connection options. The value of "options"
// follows `options`, which the program sets itself.
QString ClientParameterText(const ConnectionInfo &info, const QString &options);
