#include "testdatabase.h"

#include "startup/db/connection.h"
#include "startup/db/databasecreator.h"
#include "startup/db/dberror.h"
#include "startup/db/postgresengine.h"
#include "startup/db/recordset.h"
#include "startup/db/sqlquery.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTest>
#include <QUrl>

namespace {

QString pgUrl(const QString &database)
{
    const QString host = qEnvironmentVariable("PLOV_TEST_PG_HOST", QStringLiteral("/tmp"));
    const QString port = qEnvironmentVariable("PLOV_TEST_PG_PORT", QStringLiteral("5432"));
    const QString user = qEnvironmentVariable("PLOV_TEST_PG_USER", QStringLiteral("postgres"));
    return QStringLiteral("postgresql://%1@localhost:%2/%3?host=%4")
        .arg(user, port, database, QString::fromUtf8(QUrl::toPercentEncoding(host)));
}

QString adminConnectionString()
{
    return ConnectionStringForTarget(pgUrl(QStringLiteral("postgres")));
}

} // namespace

ConnectionInfo::Engine TestDatabase::engineUnderTest()
{
    return qEnvironmentVariable("PLOV_TEST_ENGINE") == u"postgresql"
               ? ConnectionInfo::Engine::Postgres
               : ConnectionInfo::Engine::Sqlite;
}

bool TestDatabase::available(QString *why)
{
    if (engineUnderTest() == ConnectionInfo::Engine::Sqlite)
        return true;
    try {
        Connection c;
        c.open(adminConnectionString());
        return true;
    } catch (const DbError &e) {
        if (why)
            *why = QStringLiteral("no PostgreSQL server for the tests: ") + e.description();
        return false;
    }
}

TestDatabase::TestDatabase(Content content)
{
    const bool demo = content == Content::Demo;
    if (engineUnderTest() == ConnectionInfo::Engine::Sqlite) {
        m_connectionString = CreatePlovDatabase(m_dir.filePath(QStringLiteral("PLOV.mdb")), demo);
        return;
    }
    static int counter = 0;
    m_pgDatabase =
        QStringLiteral("plovtest_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    m_connectionString = CreatePlovDatabase(pgUrl(m_pgDatabase), demo);
}

TestDatabase::~TestDatabase()
{
    if (m_pgDatabase.isEmpty())
        return;
    PostgresEngine::clearPool();
    try {
        Connection c;
        c.open(adminConnectionString());
        runStatement(
            c.database(),
            QStringLiteral("drop database if exists \"%1\" with (force)").arg(m_pgDatabase), {});
        c.close();
        PostgresEngine::clearPool();
    } catch (const DbError &e) {
        qWarning("could not drop test database: %s", qPrintable(e.description()));
    }
}

QString TestDatabase::folder() const
{
    return m_pgDatabase.isEmpty() ? m_dir.path() + u'/' : QString();
}

void TestDatabase::exec(const QString &jetSql, const QVariantList &params)
{
    Connection c;
    c.open(m_connectionString);
    c.execute(jetSql, params);
}

QVariant TestDatabase::scalar(const QString &jetSql, const QVariantList &params)
{
    Connection c;
    c.open(m_connectionString);
    Recordset rs(c);
    rs.open(jetSql, params);
    if (rs.eof())
        return {};
    return rs.value(rs.fieldNames().first());
}
