#pragma once

#include "db/connectioninfo.h"

#include <QTemporaryDir>
#include <QVariant>

// A fresh database for one test, on the engine the test run is for
// (PLOV_TEST_ENGINE: sqlite or postgresql). PostgreSQL tests reach the server
// named by PLOV_TEST_PG_HOST, PLOV_TEST_PG_PORT and PLOV_TEST_PG_USER.
class TestDatabase
{
public:
    enum class Content
    {
        Schema,
        Demo
    };

    explicit TestDatabase(Content content = Content::Schema);
    ~TestDatabase();
    Q_DISABLE_COPY(TestDatabase)

    static ConnectionInfo::Engine engineUnderTest();
    // False (with the reason) when the engine under test cannot be reached here.
    static bool available(QString *why = nullptr);

    QString connectionString() const { return m_connectionString; }
    // The database as the database tool names it: a file path or a postgresql:// URL.
    QString target() const { return m_target; }

    // Runs Jet statements on a connection of their own.
    void exec(const QString &jetSql, const QVariantList &params = {});
    QVariant scalar(const QString &jetSql, const QVariantList &params = {});

private:
    QTemporaryDir m_dir;
    QString m_connectionString;
    QString m_target;
    QString m_pgDatabase;
};

// Skips a database test whose engine is not available in this run; where a test
// server was named (as the test script does) an unreachable one is a failure.
#define PLOV_REQUIRE_DATABASE()                                                                    \
    do {                                                                                           \
        QString why_;                                                                              \
        if (!TestDatabase::available(&why_)) {                                                     \
            if (qEnvironmentVariableIsSet("PLOV_TEST_PG_HOST"))                                    \
                QFAIL(qPrintable(why_));                                                           \
            QSKIP(qPrintable(why_));                                                               \
        }                                                                                          \
    } while (false)
