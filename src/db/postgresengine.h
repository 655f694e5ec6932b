#pragma once

#include "db/engine.h"

// A PostgreSQL server shared by every computer of the shop. Opening a connection
// takes a session from a small pool, so an operation that opens one per row stays
// fast. Names fold to the lower case of the server's schema, and "like" ignores
// case as Jet's does.
class PostgresEngine : public Engine
{
public:
    QSqlDatabase acquire(const ConnectionInfo &info) override;
    void release(QSqlDatabase &db) override;

    QString rowIdentity() const override { return QStringLiteral("ctid"); }
    QString likeOperator() const override { return QStringLiteral("ilike"); }
    void lockUntilCommit(QSqlDatabase &db, const QString &key) const override;

    // Pooling is on by default; the benchmark compares it with fresh sessions.
    static void setPooling(bool enabled);
    // How long an idle pooled session is taken back without asking the server
    // whether it is still there (5 s by default).
    static void setIdleTrust(qint64 milliseconds);
    // Closes every idle pooled session.
    static void clearPool();

protected:
    QString foldIdentifier(const QString &name) const override { return name.toLower(); }
    QHash<QString, QString> &translations() const override;
};
