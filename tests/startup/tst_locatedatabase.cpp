#include "common/cp950.h"
#include "db/dberror.h"
#include "startup/datasourcefile.h"
#include "startup/locatedatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLocateDatabase : public QObject
{
    Q_OBJECT

    QTemporaryDir m_program;
    QTemporaryDir m_home;

    void writeDsn(const QByteArray &text)
    {
        QFile f(m_program.filePath(u"PLOV.DSN"_s));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    DatabaseLocation locate()
    {
        return LocateDatabase(m_program.path(), m_home.path(), u"PC01"_s, u"mary"_s);
    }

private slots:
    void cleanup() { QFile::remove(m_program.filePath(u"PLOV.DSN"_s)); }

    void withoutDataSourceFileEverythingIsInTheProgramFolder()
    {
        const DatabaseLocation loc = locate();
        QCOMPARE(loc.DatabaseFolder, m_program.path() + u'/');
        QCOMPARE(loc.TempFolder, m_program.path() + u'/');
        QCOMPARE(loc.MachineUserId, u"PC01\\mary"_s);
        QCOMPARE(BuildConnectionString(loc),
                 u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_s + m_program.path() +
                     u"/PLOV.mdb;Jet OLEDB:Database Password=qtam5827qtam5827"_s);
    }

    void siteCTakesTheFolderBeforeTheFileName()
    {
        writeDsn("[ODBC]\r\nDRIVER=Microsoft Access Driver "
                 "(*.mdb)\r\nSITE=C\r\nDBQ=/srv/Share/Plov Data/PLOV.MDB\r\n");
        const DatabaseLocation loc = locate();
        QCOMPARE(loc.Site, u"C"_s);
        QCOMPARE(loc.DatabaseFolder, u"/srv/Share/Plov Data/"_s);
        QCOMPARE(loc.TempFolder, m_home.path() + u"/Temp/"_s);
        QVERIFY(QDir(loc.TempFolder).exists());
    }

    void lowerCaseKeysAreFoundAndTheFolderKeepsItsCase()
    {
        writeDsn("site=c\ndbq=/data/Plov/plov.mdb\n");
        QCOMPARE(locate().DatabaseFolder, u"/data/Plov/"_s);
    }

    void chineseFolderInEitherEncoding_data()
    {
        QTest::addColumn<QByteArray>("text");
        const QString dsn = u"SITE=C\r\nDBQ=/srv/印刷/PLOV.MDB\r\n"_s;
        QTest::newRow("UTF-8") << dsn.toUtf8();
        QTest::newRow("code page 950") << toCp950(dsn);
    }
    void chineseFolderInEitherEncoding()
    {
        QFETCH(QByteArray, text);
        writeDsn(text);
        QCOMPARE(locate().DatabaseFolder, u"/srv/印刷/"_s);
    }

    void otherSiteIgnoresTheDbqPath()
    {
        writeDsn("SITE=B\nDBQ=/srv/share/PLOV.MDB\n");
        const DatabaseLocation loc = locate();
        QCOMPARE(loc.Site, u"B"_s);
        QCOMPARE(loc.DatabaseFolder, m_program.path() + u'/');
        QCOMPARE(loc.TempFolder, m_home.path() + u"/Temp/"_s);
    }

    void siteCWithoutDbqUsesTheWholeText()
    {
        writeDsn("SITE=C\n");
        QCOMPARE(locate().DatabaseFolder, u"SITE=C\n"_s);
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
        QCOMPARE(loc.Server->host, u"db.shop.lan"_s);
        QCOMPARE(loc.Server->port, 5433);
        QCOMPARE(loc.Server->password, DatabasePassword);
        const ConnectionInfo back = parseConnectionString(BuildConnectionString(loc));
        QCOMPARE(back, *loc.Server);
    }

    void resetTempTextEmptiesTheFile()
    {
        const QString folder = m_home.path() + u'/';
        QFile f(folder + u"PLOV.TXT"_s);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("left over");
        f.close();
        QVERIFY(!ResetTempText(folder).has_value());
        QCOMPARE(QFileInfo(f).size(), 0);
        QVERIFY(ResetTempText(u"/nonexistent/folder/"_s).has_value());
    }
};

QTEST_GUILESS_MAIN(TestLocateDatabase)
#include "tst_locatedatabase.moc"
