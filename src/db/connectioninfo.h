#pragma once

#include <QString>

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
// "Provider=PostgreSQL;Server=...;Port=...;Database=...;Uid=...;Pwd=...".
QString postgresConnectionString(const ConnectionInfo &info);
