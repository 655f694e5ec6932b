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

// Reads "key=value;key=value" connection strings. Keys match regardless of case.
// Throws DbError when the text names no data source at all.
ConnectionInfo parseConnectionString(const QString &connectionString);

// The connection string of a PostgreSQL server, in the same key=value form:
// "Provider=PostgreSQL;Server=...;Port=...;Database=...;Uid=...;Pwd=...".
QString postgresConnectionString(const ConnectionInfo &info);
