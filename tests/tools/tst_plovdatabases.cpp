// The database tool on the engine under test, given a database it must not
// take: another program's, or a server reached without the encryption the URL
// asks for. It says why in one message and ends with exit code 2.

#include "db/connection.h"
#include "db/databasecreator.h"
#include "db/dberror.h"
#include "db/schemacheck.h"
#include "testdatabase.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

class TestPlovDatabases : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void anotherProgramsDatabaseIsNamed()
    {
        TestDatabase db;
        QCOMPARE(ForeignDatabaseReason(db.connectionString()), std::nullopt);
        {
            // Another program's tables in place of the suite's.
            Connection c;
            c.open(db.connectionString());
            for (const QString &view : c.database().tables(QSql::Views))
                c.execute(u"drop view [%1]"_s.arg(view));
            for (const QString &table : PlovTables())
                c.execute(u"drop table [%1]"_s.arg(table));
            c.execute(u"create table customers (id integer primary key, name varchar(20))"_s);
        }

        const QString reason = ForeignDatabaseReason(db.connectionString()).value_or(QString());
        QVERIFY2(reason.endsWith(u"不是本程式的資料庫（沒有資料表 COMPANY）"_s),
                 qPrintable(reason));
        QTemporaryDir dir;
        QCOMPARE(plov({u"print-schedule"_s, db.target(), u"-o"_s, dir.filePath(u"s.pdf"_s)}), 2);
        // Said once, in the tool's words, without the engine's "no such table".
        QVERIFY2(m_err.contains(u"plov: 排程表沒有印出："_s + reason + u'\n') &&
                     !m_err.contains(u"table"_s) && !m_err.contains(u"relation"_s),
                 qPrintable(m_err));
    }

    // The test server has no SSL: over TCP a URL asking for it is refused by the
    // client library, and the same URL without it connects.
    void sslmodeRequireIsKept()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Postgres)
            QSKIP("a server's parameter");
        const QString host = qEnvironmentVariable("PLOV_TEST_PG_TCP_HOST");
        if (host.isEmpty())
            QSKIP("the test server listens on no TCP address (PLOV_TEST_PG_TCP_HOST unset)");
        const QString url = u"postgresql://%1@%2:%3/postgres"_s.arg(
            qEnvironmentVariable("PLOV_TEST_PG_USER", u"postgres"_s), host,
            qEnvironmentVariable("PLOV_TEST_PG_PORT", u"5432"_s));
        Connection().open(ConnectionStringForTarget(url));

        const QString name = u"plovssl_%1"_s.arg(QCoreApplication::applicationPid());
        const QString encrypted =
            url.left(url.lastIndexOf(u'/') + 1) + name + u"?sslmode=require"_s;
        QCOMPARE(plov({u"create"_s, encrypted}), 2);
        QVERIFY2(m_err.contains(u"plov: 資料庫沒有建立：無法連線到資料庫伺服器 "_s) &&
                     m_err.contains(u"SSL"_s),
                 qPrintable(m_err));
    }

private:
    int plov(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(PLOV_TOOL), args);
        p.waitForFinished(60000);
        m_err = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QString m_err;
};

QTEST_GUILESS_MAIN(TestPlovDatabases)
#include "tst_plovdatabases.moc"
