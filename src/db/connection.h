#pragma once

#include "db/engine.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <memory>

// One short-lived connection of one operation: open, run, close. Statements are
// written in the suite's Jet dialect with values as bound "?" parameters; the
// connection translates them for its engine, which also holds every other
// difference between the engines. Failures throw DbError.
//
// A statement that fails because the server ended the session (a restart, an
// administrator) runs once more on a fresh session, as long as the open
// transaction has neither written nor taken a lock yet: it begins again there.
// Otherwise the failure stands, and nothing of the transaction is written.
class Connection
{
public:
    Connection();
    ~Connection(); // closes (rolling back an open transaction)
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    void open(const QString &connectionString);
    void close();
    bool isOpen() const;

    void beginTrans();
    void commitTrans();
    void rollbackTrans();
    bool inTransaction() const { return m_inTransaction; }
    // Other connections locking the same key wait until this transaction ends.
    void lockUntilCommit(const QString &key);

    // Runs a statement that returns no rows; gives the number of rows affected.
    int execute(const QString &jetSql, const QVariantList &params = {});

    // Runs Jet statements in order as one batch and gives each one's result: on a
    // server, they all go at once and are answered at once. Inside a transaction,
    // what comes after belongs to this session (a lock, a write). Throws DbError at
    // the first failure.
    QVector<StatementResult> runBatch(const QList<Statement> &jetStatements);
    // The same, keeping in `results` what the statements before a failure gave.
    void runBatch(const QList<Statement> &jetStatements, QVector<StatementResult> &results);

    // The statements of a batch that add `records` to a table, each record's values
    // in the order of `columns` (a name, and whether it holds numbers): one
    // statement with every record as one JSON value where a batch goes to a server
    // at once, one insert per record (prepared once) where statements cost nothing.
    QList<Statement> insertRecords(const QString &table,
                                   const QList<std::pair<QString, bool>> &columns,
                                   const QVector<QVariantList> &records) const;

    // For record sets: the engine's SQL for a Jet statement, and the database.
    QString translate(const QString &jetSql) const { return engine().translate(jetSql); }
    // Runs an engine statement with its values on a query prepared once per
    // connection: a save that repeats the same few statements for every line
    // prepares each of them only once. The query stays valid until the next call
    // with the same statement. Throws DbError.
    QSqlQuery &run(const QString &engineSql, const QVariantList &params);
    QSqlDatabase database() const;
    const Engine &engine() const;

private:
    QSqlQuery &runPrepared(const QString &engineSql, const QVariantList &params);
    [[noreturn]] void fail(const QSqlQuery &query, const QString &engineSql,
                           const QVariantList &params = {}) const;
    template <typename Run> decltype(auto) retried(bool writes, Run statement);
    void replaceLostSession();

    std::unique_ptr<Engine> m_engine;
    ConnectionInfo m_info;
    QHash<QString, std::shared_ptr<QSqlQuery>> m_prepared;
    QString m_name;
    bool m_inTransaction = false;
    bool m_boundToSession = false; // the open transaction wrote or took a lock
};

// Begins a transaction and rolls it back when it goes out of scope before commit().
class TransactionGuard
{
public:
    explicit TransactionGuard(Connection &connection);
    ~TransactionGuard();
    void commit();

private:
    Connection &m_connection;
    bool m_done = false;
};
