// The suite's Jet statements as each engine reads them, and val() as the suite
// reads a text's number.

#include "db/jetval.h"
#include "db/postgresengine.h"
#include "db/sqliteengine.h"
#include "testtables.h"

class TestJetDialect : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(TestJetDialect)
#include "tst_jetdialect.moc"
