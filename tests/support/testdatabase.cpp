#include "testdatabase.h"

#include "db/connection.h"
#include "db/databasecreator.h"
#include "db/dberror.h"
#include "db/postgresengine.h"
#include "db/recordset.h"

#include <QCoreApplication>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QString pgUrl(const QString &database = u"postgres"_s)
{
    const QString host = qEnvironmentVariable("PLOV_TEST_PG_HOST", u"/tmp"_s);
    const QString port = qEnvironmentVariable("PLOV_TEST_PG_PORT", u"5432"_s);
    const QString user = qEnvironmentVariable("PLOV_TEST_PG_USER", u"postgres"_s);
    return u"postgresql://%1@localhost:%2/%3?host=%4"_s.arg(
        user, port, database, QString::fromUtf8(QUrl::toPercentEncoding(host)));
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
        c.open(ConnectionStringForTarget(pgUrl()));
        return true;
    } catch (const DbError &e) {
        if (why)
            *why = u"no PostgreSQL server for the tests: "_s + e.description();
        return false;
    }
}

TestDatabase::TestDatabase(Content content)
{
    const bool demo = content == Content::Demo;
    if (engineUnderTest() == ConnectionInfo::Engine::Sqlite) {
        m_target = m_dir.filePath(u"PLOV.mdb"_s);
        m_connectionString = CreatePlovDatabase(m_target, demo);
        return;
    }
    static int counter = 0;
    m_pgDatabase = u"plovtest_%1_%2"_s.arg(QCoreApplication::applicationPid()).arg(++counter);
    m_target = pgUrl(m_pgDatabase);
    m_connectionString = CreatePlovDatabase(m_target, demo);
}

TestDatabase::~TestDatabase()
{
    if (m_pgDatabase.isEmpty())
        return;
    PostgresEngine::clearPool();
    try {
        DropPostgresDatabase(m_target);
        PostgresEngine::clearPool();
    } catch (const DbError &e) {
        qWarning("could not drop test database: %s", qPrintable(e.description()));
    }
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
    return rs.eof() ? QVariant() : rs.value(rs.fieldNames().first());
}
