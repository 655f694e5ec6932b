#include "startup/runningprogram.h"
#include "testdatabase.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestRunningProgram : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void maintenanceLock()
    {
        TestDatabase db;
        MaintenanceLockState state = ReadMaintenanceLock(db.connectionString());
        QCOMPARE(state.result, MaintenanceLockState::Free);
        QCOMPARE(state.lockUser, QString());

        db.exec(u"insert into [SYSLOCK] ([USER]) values (null)"_s);
        state = ReadMaintenanceLock(db.connectionString());
        QCOMPARE(state.result, MaintenanceLockState::Locked);
        QCOMPARE(state.lockUser, QString());
        QVERIFY(MaintenanceLockMessage(state.lockUser).startsWith(u"\r\n\r\n正在維護"_s));

        db.exec(u"delete from [SYSLOCK]"_s);
        db.exec(u"insert into [SYSLOCK] ([USER]) values (?)"_s, {u" 系統管理員 "_s});
        db.exec(u"insert into [SYSLOCK] ([USER]) values (?)"_s, {u"second"_s});
        state = ReadMaintenanceLock(db.connectionString());
        QCOMPARE(state.result, MaintenanceLockState::Locked);
        QVERIFY(state.lockUser == u"系統管理員" || state.lockUser == u"second");
        QCOMPARE(MaintenanceLockMessage(u"老王"_s),
                 u"老王\r\n\r\n正在維護軟體中，請稍後再登入！"_s);
    }

    void failedCheckSaysSoSilently()
    {
        TestDatabase db;
        db.exec(u"drop table [SYSLOCK]"_s);
        QCOMPARE(ReadMaintenanceLock(db.connectionString()).result,
                 MaintenanceLockState::CheckFailed);
        QCOMPARE(ReadMaintenanceLock(u"Data Source=/nonexistent/PLOV.mdb"_s).result,
                 MaintenanceLockState::CheckFailed);
    }

    void registerAddsOneRowAndRewritesItsHandle()
    {
        TestDatabase db;
        const QString id = u"PC'1\\o'neil"_s; // apostrophes register normally
        QVERIFY(!RegisterRunningProgram(db.connectionString(), id, true, 111, ProgramTitle));
        QVERIFY(!RegisterRunningProgram(db.connectionString(), id, true, 222, ProgramTitle));
        QCOMPARE(db.scalar(u"select count(*) from [SYSUSER1]"_s).toInt(), 1);
        QCOMPARE(db.scalar(u"select LPID from [SYSUSER1] where ID = ? and FUNC = ?"_s,
                           {id, ProgramTitle})
                     .toDouble(),
                 222.0);

        QVERIFY(!UnregisterRunningProgram(db.connectionString(), id, ProgramTitle));
        QCOMPARE(db.scalar(u"select count(*) from [SYSUSER1]"_s).toInt(), 0);
    }

    void noRowWhileTheParentIsGone()
    {
        TestDatabase db;
        QVERIFY(!RegisterRunningProgram(db.connectionString(), u"PC\\u"_s, false, 1, ProgramTitle));
        QCOMPARE(db.scalar(u"select count(*) from [SYSUSER1]"_s).toInt(), 0);
    }

    void failuresComeBackAsDescriptions()
    {
        TestDatabase db;
        db.exec(u"drop table [SYSUSER1]"_s);
        QVERIFY(RegisterRunningProgram(db.connectionString(), u"x"_s, true, 1, ProgramTitle));
        QVERIFY(UnregisterRunningProgram(db.connectionString(), u"x"_s, ProgramTitle));
    }
};

QTEST_GUILESS_MAIN(TestRunningProgram)
#include "tst_runningprogram.moc"
