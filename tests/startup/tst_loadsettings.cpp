#include "db/connection.h"
#include "startup/loadsettings.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString menuLine =
    u"-qta5827 -AD=ad1 -NAME=O'Brien -ID=E0'7 -XLS=.xls -DOC=.doc -PID=31337"_s;

void fillSettings(TestDatabase &db)
{
    db.exec(u"insert into [EMPLOYEE] (ID, NAME, ODATE, [GROUP], GROUP1, GROUP19, 分機代號) "
            u"values ('E0''7', 'O''Brien', '', 'g0', 'g1', 'g19', ' 215 ')"_s);
    db.exec(u"insert into [EMPLOYEE] (ID, NAME, ODATE) values ('E900', '老闆', '1100101')"_s);
    db.exec(u"insert into [EMPLOYEE] (ID, NAME, ODATE) values ('E901', '老闆', null)"_s);
    db.exec(u"insert into [COMPANY] (COMPANY, [ADD], ADD1, TNO, TEL, FAX) "
            u"values ('  大同彩色印刷 ', '台北市', '二樓', '12345678', '02-1', '02-2')"_s);
    db.exec(u"insert into [COMPANY1] (COMPANY, [ADD], TNO, TEL, FAX) values "
            u"('分公司', 'a', 'b', 'c', 'd')"_s);
    db.exec(u"insert into [SYSTEM] (MFUN, ITEM0, ITEM1, ITEM2, ITEM3, ITEM87) "
            u"values ('00000000000000100', 'zero', '12abc', '', '3.5', 'last')"_s);
    db.exec(u"insert into [SYSTEM1] (發票開立方式, 發票平台路徑, ITEM87, ITEM120) "
            u"values ('2', 'D:\\EINV', 's87', 's120')"_s);
    db.exec(u"insert into [使用者資料] (使用者, 管理者, 工單作業權限, 接稿權限) "
            u"values ('O''Brien', 'N', '1', '0')"_s);
    db.exec(u"insert into [使用者資料] (使用者, 管理者) values ('老闆', 'Y')"_s);
    db.exec(u"insert into [使用者資料明細] (使用者, 工單作業細部) values ('O''Brien', '0111')"_s);
    db.exec(u"insert into [SYSOS] (VM, XP, WIN7, WIN7C, WIN10, WIN10C) "
            u"values ('2.6', '1', '1', '7', '1', '10')"_s);
    db.exec(u"insert into [啟用發送EAMIL] (啟用發送EAMIL) values ('Y')"_s);
    db.exec(
        u"insert into [SYSLOAD] (ID, COMPUTER, EXCEL) values ('PC1\\mary', 'PC1', '/srv/excel/')"_s);
}

SessionSettings sessionOn(const TestDatabase &db)
{
    SessionSettings s;
    s.ConnectionString = db.connectionString();
    s.MachineUserId = u"PC1\\mary"_s;
    return s;
}

} // namespace

class TestLoadSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void fillsEveryFieldFromTheDatabase()
    {
        TestDatabase db;
        fillSettings(db);
        SessionSettings s = sessionOn(db);
        const auto error = LoadSettings(s, true, menuLine, u"PC1"_s);
        QVERIFY2(!error, qPrintable(error.value_or(QString())));

        QCOMPARE(s.Ad, u"ad1"_s);
        QCOMPARE(s.UserName, u"O'Brien"_s);
        QCOMPARE(s.UserId, u"E0'7"_s);
        QCOMPARE(s.ParentWindow, 31337.0);
        QCOMPARE(s.EmployeeGroup[0], u"g0"_s);
        QCOMPARE(s.EmployeeGroup[1], u"g1"_s);
        QCOMPARE(s.EmployeeGroup[19], u"g19"_s);
        QCOMPARE(s.ExtensionNo, u"215"_s);
        QCOMPARE(s.CompanyName, u"大同彩色印刷"_s);
        QCOMPARE(s.CompanyAddress1, u"二樓"_s);
        QCOMPARE(s.Company1Name, u"分公司"_s);
        QCOMPARE(s.Company2Name, QString()); // empty table: nothing read, no failure
        QVERIFY(s.MfunFlag15);
        QCOMPARE(s.SystemItem[0], u"zero"_s);
        QCOMPARE(s.SystemItem[1], u"12"_s);
        QCOMPARE(s.SystemItem[2], u"0"_s);
        QCOMPARE(s.SystemItem[3], u"3.5"_s);
        QCOMPARE(s.SystemItem[68], u"0"_s);
        QCOMPARE(s.SystemItem[87], u"last"_s);
        QCOMPARE(s.InvoicePlatformFolder, u"D:\\EINV\\TAREK_EINVOICE\\"_s);
        QCOMPARE(s.System1Item[120], u"s120"_s);
        QCOMPARE(s.permission(u"工單作業權限"_s), u"1"_s);
        QCOMPARE(s.permission(u"工單作業細部"_s), u"0111"_s);
        QCOMPARE(s.SysOsVm, short(3));
        QCOMPARE(s.SysOsCode, u"T"_s); // WIN10 overrides WIN7
        QCOMPARE(s.SysOsValue, short(10));
        QCOMPARE(s.EmailEnabled, u"Y"_s);
        QCOMPARE(s.ExcelFolder, u"/srv/excel/"_s);
    }

    void withoutTokenTakesTheAdministratorDefaults()
    {
        TestDatabase db;
        fillSettings(db);
        SessionSettings s = sessionOn(db);
        const auto error = LoadSettings(s, true, u"-AD=x -NAME=y"_s, u"PC1"_s);
        QVERIFY2(!error, qPrintable(error.value_or(QString())));
        QCOMPARE(s.UserName, u"老闆"_s);
        QCOMPARE(s.Ad, u"老闆"_s);
        QCOMPARE(s.UserId, u"E901"_s); // the one who has not left
        QCOMPARE(s.XlsExt, u".xlsx"_s);
        QCOMPARE(s.DocExt, u".docx"_s);
        QCOMPARE(s.permission(u"工單作業細部"_s), QString());
    }

    void badCommandLineStopsTheLoadWhereItIs()
    {
        TestDatabase db;
        fillSettings(db);
        SessionSettings s = sessionOn(db);
        const auto error = LoadSettings(
            s, true, u"-qta5827 -AD=a -NAME=O'Brien -ID=E0'7 -XLS=x -DOC=y -PID=abc"_s, u"PC1"_s);
        QVERIFY(error.has_value());
        QCOMPARE(s.UserName, u"O'Brien"_s);
        QCOMPARE(s.ParentWindow, 0.0);
        QCOMPARE(s.CompanyName, QString());
    }

    void userWithoutDetailRowHasNoWorkOrderRight()
    {
        TestDatabase db;
        fillSettings(db);
        db.exec(u"delete from [使用者資料明細]"_s);
        db.exec(u"delete from [SYSLOAD]"_s);
        SessionSettings s = sessionOn(db);
        QVERIFY(!LoadSettings(s, true, menuLine, u"PC1"_s));
        QCOMPARE(s.permission(u"工單作業細部"_s), QString());
        QCOMPARE(s.ExcelFolder, QString());
    }

    void missingColumnIsReportedAndStopsTheLoad()
    {
        TestDatabase db;
        fillSettings(db);
        db.exec(u"drop table [SYSOS]"_s);
        SessionSettings s = sessionOn(db);
        const auto error = LoadSettings(s, true, menuLine, u"PC1"_s);
        QVERIFY(error.has_value());
        QVERIFY2(error->contains(u"SYSOS"_s, Qt::CaseInsensitive), qPrintable(*error));
        QCOMPARE(s.CompanyName, u"大同彩色印刷"_s); // read before the failure
        QCOMPARE(s.EmailEnabled, QString());        // never reached
    }

    void unreachableDatabaseLeavesTheIdentityEmpty()
    {
        QTemporaryDir dir;
        SessionSettings s;
        s.ConnectionString = u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1/PLOV.mdb;"
                             u"Jet OLEDB:Database Password=qtam5827qtam5827"_s.arg(dir.path());
        const auto error = LoadSettings(s, true, menuLine, u"PC1"_s);
        QVERIFY(error.has_value());
        QVERIFY2(error->contains(u"PLOV.mdb"_s), qPrintable(*error));
        QCOMPARE(s.UserName, QString());
        QCOMPARE(s.ParentWindow, 0.0);
    }
};

QTEST_GUILESS_MAIN(TestLoadSettings)
#include "tst_loadsettings.moc"
