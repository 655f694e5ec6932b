// What the data layer makes of the texts it is given, without a database: the
// suite's Jet statements as each engine reads them, val() as the suite reads a
// text's number, a server's URL with the client library's own parameters, and
// which table a database of another program lacks.

#include "db/connectioninfo.h"
#include "db/databasecreator.h"
#include "db/dberror.h"
#include "db/jetval.h"
#include "db/postgresengine.h"
#include "db/schemacheck.h"
#include "db/sqliteengine.h"
#include "testtables.h"

using namespace Qt::StringLiterals;

class TestDbTexts : public QObject
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

    void translates_data()
    {
        AddColumns<QString, QString, QString>("jet", "sqlite", "postgres");
        // clang-format off
        QTest::newRow("brackets") << "select ID, [DESC] from [PHRASE] where KIND = ?" << "select ID, \"DESC\" from \"PHRASE\" where KIND = ?" << "select ID, \"desc\" from \"phrase\" where KIND = ?";
        QTest::newRow("quote in a name") << "select [a\"b] from [T]" << "select \"a\"\"b\" from \"T\"" << "select \"a\"\"b\" from \"t\"";
        QTest::newRow("double-quoted names") << "insert into \"PWORK\" (\"PO\") values ('A')" << "insert into \"PWORK\" (\"PO\") values ('A')" << "insert into \"pwork\" (\"po\") values ('A')";
        QTest::newRow("top 1") << "select top 1 * from [SYSUSER1] where ID = ? " << "select * from \"SYSUSER1\" where ID = ? limit 1" << "select * from \"sysuser1\" where ID = ? limit 1";
        QTest::newRow("like") << "select * from [T] where 車別 like ? order by [NO]" << "select * from \"T\" where 車別 like ? order by \"NO\"" << "select * from \"t\" where 車別 ilike ? escape '' order by \"no\"";
        QTest::newRow("like (pattern)") << "select * from [T] where A not like ( ? ) and B = 1" << "select * from \"T\" where A not like ( ? ) and B = 1" << "select * from \"t\" where A not ilike ( ? ) escape '' and B = 1";
        QTest::newRow("words containing like") << "select LIKED, unlike from [T]" << "select LIKED, unlike from \"T\"" << "select LIKED, unlike from \"t\"";
        QTest::newRow("literals untouched") << "select * from [T] where KIND = '印 刷' and REM = '[x] like top 5'" << "select * from \"T\" where KIND = '印 刷' and REM = '[x] like top 5'" << "select * from \"t\" where KIND = '印 刷' and REM = '[x] like top 5'";
        QTest::newRow("server time") << "insert into [H] (時間) select server_time() from [T]" << "insert into \"H\" (時間) select (select datetime('now', 'localtime')) from \"T\"" << "insert into \"h\" (時間) select (select to_char(localtimestamp, 'YYYY-MM-DD HH24:MI:SS')) from \"t\"";
        QTest::newRow("server time in a literal") << "select 'server_time()' from [T]" << "select 'server_time()' from \"T\"" << "select 'server_time()' from \"t\"";
        QTest::newRow("quote doubling, iif") << "select * from [T] where NAME = 'O''Neil' and iif(A is null,'',A) = ''" << "select * from \"T\" where NAME = 'O''Neil' and iif(A is null,'',A) = ''" << "select * from \"t\" where NAME = 'O''Neil' and iif(A is null,'',A) = ''";
        // clang-format on
    }
    void translates()
    {
        QTEST(SqliteEngine().translate(Fetch<QString>("jet")), "sqlite");
        QTEST(PostgresEngine().translate(Fetch<QString>("jet")), "postgres");
    }

    void val_data()
    {
        AddColumns<QString, double>("text", "value");
        // clang-format off
        QTest::newRow("stops at the separator") << "1,200" << 1.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("plus sign") << "+4" << 4.0;
        QTest::newRow("second point stops") << "  -12.5.3" << -12.5;
        QTest::newRow("tab before") << "\t7" << 7.0;
        QTest::newRow("two signs") << "--5" << 0.0;
        QTest::newRow("sign then point") << "-.25" << -0.25;
        // clang-format on
    }
    void val() { QTEST(Val(Fetch<QString>("text")), "value"); }
};

QTEST_GUILESS_MAIN(TestDbTexts)
#include "tst_dbtexts.moc"
