#include "db/postgresengine.h"
#include "db/sqliteengine.h"

#include <QTest>

class TestJetDialect : public QObject
{
    Q_OBJECT

private slots:
    void translates_data()
    {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sqlite");
        QTest::addColumn<QString>("postgres");

        QTest::newRow("brackets") << "select ID, ITEM, [DESC] from [PHRASE] where KIND = ?"
                                  << "select ID, ITEM, \"DESC\" from \"PHRASE\" where KIND = ?"
                                  << "select ID, ITEM, \"desc\" from \"phrase\" where KIND = ?";
        QTest::newRow("top 1") << "select top 1 * from [SYSUSER1] where ID = ? and FUNC = ? "
                               << "select * from \"SYSUSER1\" where ID = ? and FUNC = ? limit 1"
                               << "select * from \"sysuser1\" where ID = ? and FUNC = ? limit 1";
        QTest::newRow("like")
            << "select * from [印刷預排表1] where 車別 like ? order by 車別, PO, [NO]"
            << "select * from \"印刷預排表1\" where 車別 like ? order by 車別, PO, \"NO\""
            << "select * from \"印刷預排表1\" where 車別 ilike ? order by 車別, PO, \"no\"";
        QTest::newRow("literals untouched")
            << "select * from [VENDERAC] where KIND = '印 刷' and REM = '[x] like top 5'"
            << "select * from \"VENDERAC\" where KIND = '印 刷' and REM = '[x] like top 5'"
            << "select * from \"venderac\" where KIND = '印 刷' and REM = '[x] like top 5'";
        QTest::newRow("iif and quote doubling")
            << "select * from [EMPLOYEE] where NAME = 'O''Neil' and iif(ODATE is null,'',ODATE) = "
               "'' "
            << "select * from \"EMPLOYEE\" where NAME = 'O''Neil' and iif(ODATE is null,'',ODATE) "
               "= '' "
            << "select * from \"employee\" where NAME = 'O''Neil' and iif(ODATE is null,'',ODATE) "
               "= '' ";
        QTest::newRow("words containing like") << "select LIKED, unlike from [T]"
                                               << "select LIKED, unlike from \"T\""
                                               << "select LIKED, unlike from \"t\"";
        QTest::newRow("double-quoted names") << "insert into \"PWORK\" (\"PO\") values ('A')"
                                             << "insert into \"PWORK\" (\"PO\") values ('A')"
                                             << "insert into \"pwork\" (\"po\") values ('A')";
    }
    void translates()
    {
        QFETCH(QString, jet);
        QTEST(SqliteEngine().translate(jet), "sqlite");
        QTEST(PostgresEngine().translate(jet), "postgres");
    }
};

QTEST_GUILESS_MAIN(TestJetDialect)
#include "tst_jetdialect.moc"
