#pragma once

#include "db/engine.h"

// The embedded engine: one database file, opened per operation. WAL and a busy
// timeout let several copies on one computer read while one writes. WAL needs
// memory that every copy shares, which computers sharing the file over a network
// do not have: there the file is opened in rollback-journal mode.
class SqliteEngine : public Engine
{
public:
    QSqlDatabase acquire(const ConnectionInfo &info) override;
    void release(QSqlDatabase &db) override;

    // A save takes the write lock as it begins ("begin immediate"), so it never
    // finds the file changed under it halfway through.
    void beginTransaction(QSqlDatabase &db) const override;
    void commitTransaction(QSqlDatabase &db) const override;
    void rollbackTransaction(QSqlDatabase &db) const override;

    QString rowIdentity() const override { return QStringLiteral("rowid"); }
    bool isLockTimeout(const QSqlError &error) const override;

    // The journal mode for a database on a file system of this type (as
    // QStorageInfo names it): "delete" on a network file system, "wal" otherwise.
    static QString journalModeFor(const QByteArray &fileSystemType);

    // Checks that the file is there and is an SQLite database; throws DbError naming
    // the file and the problem otherwise (a Microsoft Access file must be converted first).
    static void checkDatabaseFile(const QString &path);
    // Registers the program's SQL functions (val) on an open connection.
    static void registerFunctions(QSqlDatabase &db);

protected:
    QHash<QString, QString> &translations() const override;
};
