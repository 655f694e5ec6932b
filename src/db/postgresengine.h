#pragma once

#include "db/engine.h"

// A PostgreSQL server shared by every computer of the shop. Opening a connection
// takes a session from a small pool, so an operation that opens one per row stays fast.
class PostgresEngine : public Engine
{
public:
    QSqlDatabase acquire(const ConnectionInfo &info) override;
    void release(QSqlDatabase &db) override;
    QString translate(const QString &jetSql) const override;
    QString rowIdentity() const override { return QStringLiteral("ctid"); }
    QString quoteIdentifier(const QString &name) const override;

    // Pooling is on by default; the benchmark compares it with fresh sessions.
    static void setPooling(bool enabled);
    // How long an idle pooled session is taken back without asking the server
    // whether it is still there (5 s by default).
    static void setIdleTrust(qint64 milliseconds);
    // Closes every idle pooled session.
    static void clearPool();
};
