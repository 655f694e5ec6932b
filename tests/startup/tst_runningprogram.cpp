#include "startup/runningprogram.h"
#include "testdatabase.h"

#include <QTest>

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

        db.exec(QStringLiteral("insert into [SYSLOCK] ([USER]) values (null)"));
        state = ReadMaintenanceLock(db.connectionString());
        QCOMPARE(state.result, MaintenanceLockState::Locked);
        QCOMPARE(state.lockUser, QString());
        QVERIFY(
            MaintenanceLockMessage(state.lockUser).startsWith(QStringLiteral("\r\n\r\n正在維護")));

        db.exec(QStringLiteral("delete from [SYSLOCK]"));
        db.exec(QStringLiteral("insert into [SYSLOCK] ([USER]) values (?)"),
                {QStringLiteral(" 系統管理員 ")});
        db.exec(QStringLiteral("insert into [SYSLOCK] ([USER]) values (?)"),
                {QStringLiteral("second")});
        state = ReadMaintenanceLock(db.connectionString());
        QCOMPARE(state.result, MaintenanceLockState::Locked);
        QVERIFY(state.lockUser == u"系統管理員" || state.lockUser == u"second");
        QCOMPARE(MaintenanceLockMessage(QStringLiteral("老王")),
                 QStringLiteral("老王\r\n\r\n正在維護軟體中，請稍後再登入！"));
    }

    void failedCheckSaysSoSilently()
    {
        TestDatabase db;
        db.exec(QStringLiteral("drop table [SYSLOCK]"));
        QCOMPARE(ReadMaintenanceLock(db.connectionString()).result,
                 MaintenanceLockState::CheckFailed);
        QCOMPARE(ReadMaintenanceLock(QStringLiteral("Data Source=/nonexistent/PLOV.mdb")).result,
                 MaintenanceLockState::CheckFailed);
    }

    void registerAddsOneRowAndRewritesItsHandle()
    {
        TestDatabase db;
        const QString id = QStringLiteral("PC'1\\o'neil"); // apostrophes register normally
        QVERIFY(!RegisterRunningProgram(db.connectionString(), id, true, 111, ProgramTitle));
        QVERIFY(!RegisterRunningProgram(db.connectionString(), id, true, 222, ProgramTitle));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from [SYSUSER1]")).toInt(), 1);
        QCOMPARE(db.scalar(QStringLiteral("select LPID from [SYSUSER1] where ID = ? and FUNC = ?"),
                           {id, ProgramTitle})
                     .toDouble(),
                 222.0);

        QVERIFY(!UnregisterRunningProgram(db.connectionString(), id, ProgramTitle));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from [SYSUSER1]")).toInt(), 0);
    }

    void noRowWhileTheParentIsGone()
    {
        TestDatabase db;
        QVERIFY(!RegisterRunningProgram(db.connectionString(), QStringLiteral("PC\\u"), false, 1,
                                        ProgramTitle));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from [SYSUSER1]")).toInt(), 0);
    }

    void failuresComeBackAsDescriptions()
    {
        TestDatabase db;
        db.exec(QStringLiteral("drop table [SYSUSER1]"));
        QVERIFY(RegisterRunningProgram(db.connectionString(), QStringLiteral("x"), true, 1,
                                       ProgramTitle));
        QVERIFY(UnregisterRunningProgram(db.connectionString(), QStringLiteral("x"), ProgramTitle));
    }
};

QTEST_GUILESS_MAIN(TestRunningProgram)
#include "tst_runningprogram.moc"
