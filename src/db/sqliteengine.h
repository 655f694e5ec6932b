#pragma once

#include "db/engine.h"

// The embedded engine: one database file, opened per operation. WAL and a busy
// timeout let several copies on one computer read while one writes. WAL needs
// memory that every copy shares, which computers sharing the file over a network
// do not have: a file made on a network file system gets the rollback journal,
// and one found in WAL there leaves it as it opens. The mode is kept in the file
// itself, so no computer ever switches it into WAL from its own view of the disk.
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
    QStringList historyTableSql() const override;
    QString serverTime() const override;
    bool isLockTimeout(const QSqlError &error) const override;
    QString jsonRecords(const QString &alias,
                        const QList<std::pair<QString, bool>> &columns) const override;

    // The journal mode a new database gets on a file system of this type (as
    // QStorageInfo names it): "delete" on a network file system (NFS, SMB/CIFS, sshfs
    // and the like), "wal" otherwise.
    static QString journalModeFor(const QByteArray &fileSystemType);
    // The journal mode a database file found in `current` mode is switched to as it
    // opens, empty when it stays as it is: never into WAL, and out of WAL on a
    // network file system.
    static QString journalModeOnOpen(const QByteArray &fileSystemType, const QString &current);
    // The type of the file system holding `path`, asked once per folder.
    static QByteArray fileSystemType(const QString &path);

    // Checks that the file is there and is an SQLite database; throws DbError naming
    // the file and the problem otherwise (a Microsoft Access file must be converted first).
    static void checkDatabaseFile(const QString &path);
    // Registers the program's SQL functions (val) on an open connection.
    static void registerFunctions(QSqlDatabase &db);

protected:
    QHash<QString, QString> &translations() const override;
};
