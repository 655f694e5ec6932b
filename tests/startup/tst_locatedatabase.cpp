#include "common/cp950.h"
#include "startup/datasourcefile.h"
#include "startup/db/dberror.h"
#include "startup/locatedatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestLocateDatabase : public QObject
{
    Q_OBJECT

    QTemporaryDir m_program;
    QTemporaryDir m_home;

    void writeDsn(const QByteArray &text)
    {
        QFile f(m_program.filePath(QStringLiteral("PLOV.DSN")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    DatabaseLocation locate()
    {
        return LocateDatabase(m_program.path(), m_home.path(), QStringLiteral("PC01"),
                              QStringLiteral("mary"));
    }

private slots:
    void cleanup() { QFile::remove(m_program.filePath(QStringLiteral("PLOV.DSN"))); }

    void withoutDataSourceFileEverythingIsInTheProgramFolder()
    {
        const DatabaseLocation loc = locate();
        QCOMPARE(loc.DatabaseFolder, m_program.path() + u'/');
        QCOMPARE(loc.TempFolder, m_program.path() + u'/');
        QCOMPARE(loc.MachineUserId, QStringLiteral("PC01\\mary"));
        QCOMPARE(BuildConnectionString(loc),
                 QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                     m_program.path() +
                     QStringLiteral("/PLOV.mdb;Jet OLEDB:Database Password=qtam5827qtam5827"));
    }

    void siteCTakesTheFolderBeforeTheFileName()
    {
        writeDsn("[ODBC]\r\nDRIVER=Microsoft Access Driver "
                 "(*.mdb)\r\nSITE=C\r\nDBQ=/srv/Share/Plov Data/PLOV.MDB\r\n");
        const DatabaseLocation loc = locate();
        QCOMPARE(loc.Site, QStringLiteral("C"));
        QCOMPARE(loc.DatabaseFolder, QStringLiteral("/srv/Share/Plov Data/"));
        QCOMPARE(loc.TempFolder, m_home.path() + QStringLiteral("/Temp/"));
        QVERIFY(QDir(loc.TempFolder).exists());
    }

    void lowerCaseKeysAreFoundAndTheFolderKeepsItsCase()
    {
        writeDsn("site=c\ndbq=/data/Plov/plov.mdb\n");
        QCOMPARE(locate().DatabaseFolder, QStringLiteral("/data/Plov/"));
    }

    void chineseFolderInEitherEncoding_data()
    {
        QTest::addColumn<QByteArray>("text");
        const QString dsn = QStringLiteral("SITE=C\r\nDBQ=/srv/印刷/PLOV.MDB\r\n");
        QTest::newRow("UTF-8") << dsn.toUtf8();
        QTest::newRow("code page 950") << toCp950(dsn);
    }
    void chineseFolderInEitherEncoding()
    {
        QFETCH(QByteArray, text);
        writeDsn(text);
        QCOMPARE(locate().DatabaseFolder, QStringLiteral("/srv/印刷/"));
    }

    void otherSiteIgnoresTheDbqPath()
    {
        writeDsn("SITE=B\nDBQ=/srv/share/PLOV.MDB\n");
        const DatabaseLocation loc = locate();
        QCOMPARE(loc.Site, QStringLiteral("B"));
        QCOMPARE(loc.DatabaseFolder, m_program.path() + u'/');
        QCOMPARE(loc.TempFolder, m_home.path() + QStringLiteral("/Temp/"));
    }

    void siteCWithoutDbqUsesTheWholeText()
    {
        writeDsn("SITE=C\n");
        QCOMPARE(locate().DatabaseFolder, QStringLiteral("SITE=C\n"));
    }

    void fileStartingWithApostropheNamesNothing()
    {
        writeDsn("'SITE=C\nDBQ=/srv/share/PLOV.MDB\n");
        const DatabaseLocation loc = locate();
        QCOMPARE(loc.Site, QString());
        QCOMPARE(loc.DatabaseFolder, m_program.path() + u'/');
    }

    void failuresFallBackToTheProgramFolder_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("DBQ without PLOV.MDB") << QByteArray("SITE=C\nDBQ=/srv/share/OTHER.MDB\n");
    }
    void failuresFallBackToTheProgramFolder()
    {
        QFETCH(QByteArray, text);
        writeDsn(text);
        const DatabaseLocation loc = locate();
        QCOMPARE(loc.DatabaseFolder, m_program.path() + u'/');
        QCOMPARE(loc.TempFolder, m_program.path() + u'/');
    }

    void postgresServerInOdbcKeys()
    {
        writeDsn("[ODBC]\nDRIVER=PostgreSQL "
                 "Unicode\nSERVER=db.shop.lan\nPORT=5433\nDATABASE=plov\nUID=press\n");
        const DatabaseLocation loc = locate();
        QVERIFY(loc.Server.has_value());
        QCOMPARE(loc.Server->host, QStringLiteral("db.shop.lan"));
        QCOMPARE(loc.Server->port, 5433);
        QCOMPARE(loc.Server->password, DatabasePassword);
        const ConnectionInfo back = parseConnectionString(BuildConnectionString(loc));
        QCOMPARE(back, *loc.Server);
    }

    void resetTempTextEmptiesTheFile()
    {
        const QString folder = m_home.path() + u'/';
        QFile f(folder + QStringLiteral("PLOV.TXT"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("left over");
        f.close();
        QVERIFY(!ResetTempText(folder).has_value());
        QCOMPARE(QFileInfo(f).size(), 0);
        QVERIFY(ResetTempText(QStringLiteral("/nonexistent/folder/")).has_value());
    }
};

QTEST_GUILESS_MAIN(TestLocateDatabase)
#include "tst_locatedatabase.moc"
