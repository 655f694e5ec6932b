#pragma once

#include "db/engine.h"

// A PostgreSQL server shared by every computer of the shop. Opening a connection
// takes a session from a small pool, so a burst of operations stays fast; sessions
// left idle for a few seconds are closed, so a program the user leaves alone holds
// none and the administrator can restore or drop the database. Names fold to the
// lower case of the server's schema, and "like" ignores case as Jet's does.
class PostgresEngine : public Engine
{
public:
    // How long a session waits in the pool before it is closed.
    static constexpr int kIdleSessionMilliseconds = 3000;
    // How long one statement may run: far beyond the largest schedule, but never
    // for ever.
    static constexpr int kStatementLimitSeconds = 120;

    QSqlDatabase acquire(const ConnectionInfo &info) override;
    void release(QSqlDatabase &db) override;
    void discard(QSqlDatabase &db) override;

    QString rowIdentity() const override { return QStringLiteral("ctid"); }
    QStringList historyTableSql() const override;
    QString serverTime() const override;
    QString likeOperator() const override { return QStringLiteral("ilike"); }
    QString likeEscape() const override { return QStringLiteral(" escape ''"); }
    QString lockStatement() const override
    {
        return QStringLiteral("select pg_advisory_xact_lock(hashtext(?))");
    }
    bool isLockTimeout(const QSqlError &error) const override;
    bool sessionLost(const QSqlDatabase &db) const override;
    QString jsonRecords(const QString &alias,
                        const QList<std::pair<QString, bool>> &columns) const override;
    // The whole batch in libpq's pipeline: sent at once, answered at once.
    bool sendsBatches() const override { return true; }
    void runBatch(QSqlDatabase &db, const QList<Statement> &statements,
                  QVector<StatementResult> &results) const override;

    // Pooling is on by default; the benchmark compares it with fresh sessions.
    static void setPooling(bool enabled);
    // Closes every idle pooled session.
    static void clearPool();

protected:
    QString foldIdentifier(const QString &name) const override { return name.toLower(); }
    QHash<QString, QString> &translations() const override;
};
