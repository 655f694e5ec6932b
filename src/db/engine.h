#pragma once

#include "db/connectioninfo.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>

// What differs between the database engines: how a connection is opened and
// given back, how a Jet statement reads in the engine's SQL, and how a row's
// identity is named.
class Engine
{
public:
    virtual ~Engine() = default;

    // Opens (or takes from a pool) a database connection. Throws DbError.
    virtual QSqlDatabase acquire(const ConnectionInfo &info) = 0;
    // Gives the connection back; an open transaction has already been rolled back.
    virtual void release(QSqlDatabase &db) = 0;

    virtual QString translate(const QString &jetSql) const = 0;
    // The hidden column that identifies a row of a table ("rowid", "ctid").
    virtual QString rowIdentity() const = 0;
    // A table or column name as the engine's SQL writes it.
    virtual QString quoteIdentifier(const QString &name) const = 0;

    static std::unique_ptr<Engine> create(ConnectionInfo::Engine kind);
};
