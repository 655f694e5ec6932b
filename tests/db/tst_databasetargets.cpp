// How the database tool reads a database it is given: a server's URL with the
// client library's own parameters, and which table a database of another
// program lacks.

#include "db/connectioninfo.h"
#include "db/databasecreator.h"
#include "db/dberror.h"
#include "db/schemacheck.h"
#include "testtables.h"

using namespace Qt::StringLiterals;

class TestDatabaseTargets : public QObject
{
    Q_OBJECT

private slots:
    // A postgresql:// URL as the connection opens it: "host|port|database|user|the
    // parameters as the client library reads them" (quoted, "options" after the
    // program's own), or the start of the reason it is refused.
    void serverUrl_data()
    {
        AddColumns<QString, QString>("url", "opened");
        const QString own = u" options='-c lock_timeout=5s'"_s;
        // clang-format off
        QTest::newRow("plain") << u"postgresql://press:pw@db.shop.lan:5433/plov"_s << u"db.shop.lan|5433|plov|press|"_s + own;
        QTest::newRow("no port, no host") << u"postgres:///plov"_s << u"localhost|5432|plov||"_s + own;
        QTest::newRow("socket folder and port in the query") << u"postgresql://press@localhost/plov?host=%2Frun%2Fpostgresql&port=5444"_s << u"/run/postgresql|5444|plov|press|"_s + own;
        QTest::newRow("query over the URL's parts") << u"postgresql://a@h:1/x?user=b&dbname=y"_s << u"h|1|y|b|"_s + own;
        QTest::newRow("sslmode passed on") << u"postgresql://h/plov?sslmode=require"_s << u"h|5432|plov||"_s + own + u" sslmode='require'"_s;
        QTest::newRow("several, as given") << u"postgresql://h/plov?sslmode=verify-full&sslrootcert=%2Fetc%2Fca.pem&application_name=a%20b"_s << u"h|5432|plov||"_s + own + u" application_name='a b' sslmode='verify-full' sslrootcert='/etc/ca.pem'"_s;
        QTest::newRow("quote and backslash") << u"postgresql://h/plov?application_name=it's%20a%5Cb"_s << u"h|5432|plov||"_s + own + u" application_name='it\\'s a\\\\b'"_s;
        QTest::newRow("options added to the program's") << u"postgresql://h/plov?options=-c%20search_path%3Dx"_s << u"h|5432|plov|| options='-c lock_timeout=5s -c search_path=x'"_s;
        QTest::newRow("unknown parameter") << u"postgresql://h/plov?sslmod=require"_s << u"資料庫網址的參數 sslmod 不是"_s;
        QTest::newRow("replication") << u"postgresql://h/plov?replication=true"_s << u"資料庫網址的參數 replication 不是"_s;
        QTest::newRow("semicolon") << u"postgresql://h/plov?application_name=a%3Bb"_s << u"資料庫網址的參數 application_name 不能含有分號"_s;
        QTest::newRow("bad port in the query") << u"postgresql://h/plov?port=70000"_s << u"資料庫網址的 port 不是有效的連接埠號碼"_s;
        // clang-format on
    }
    void serverUrl()
    {
        QString opened;
        try {
            const ConnectionInfo info =
                parseConnectionString(ConnectionStringForTarget(Fetch<QString>("url")));
            opened = QStringList{info.host, QString::number(info.port), info.database, info.user,
                                 ClientParameterText(info, u"-c lock_timeout=5s"_s)}
                         .join(u'|');
        } catch (const DbError &e) {
            opened = e.description();
        }
        QVERIFY2(opened.startsWith(Fetch<QString>("opened")), qPrintable(opened));
    }

    // The table named for a database of another program: the first of the
    // suite's it lacks, whatever the case of the names.
    void missingTable_data()
    {
        AddColumns<QStringList, QString>("present", "missing");
        const QStringList suite = PlovTables();
        QStringList lower;
        for (const QString &t : suite)
            lower.append(t.toLower());
        // clang-format off
        QTest::newRow("another program's") << QStringList{u"customers"_s, u"orders"_s} << suite.first();
        QTest::newRow("empty") << QStringList() << suite.first();
        QTest::newRow("all, in lower case") << lower << QString();
        QTest::newRow("all but the last") << suite.mid(0, suite.size() - 1) << suite.last();
        // clang-format on
    }
    void missingTable()
    {
        QCOMPARE(MissingTable(Fetch<QStringList>("present"), PlovTables()).value_or(QString()),
                 Fetch<QString>("missing"));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseTargets)
#include "tst_databasetargets.moc"
