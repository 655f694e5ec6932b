#include "startup/db/connection.h"
#include "startup/loadsettings.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString menuLine =
    QStringLiteral("-qta5827 -AD=ad1 -NAME=O'Brien -ID=E0'7 -XLS=.xls -DOC=.doc -PID=31337");

void fillSettings(TestDatabase &db)
{
    db.exec(QStringLiteral(
        "insert into [EMPLOYEE] (ID, NAME, ODATE, [GROUP], GROUP1, GROUP19, 分機代號) "
        "values ('E0''7', 'O''Brien', '', 'g0', 'g1', 'g19', ' 215 ')"));
    db.exec(QStringLiteral(
        "insert into [EMPLOYEE] (ID, NAME, ODATE) values ('E900', '老闆', '1100101')"));
    db.exec(
        QStringLiteral("insert into [EMPLOYEE] (ID, NAME, ODATE) values ('E901', '老闆', null)"));
    db.exec(
        QStringLiteral("insert into [COMPANY] (COMPANY, [ADD], ADD1, TNO, TEL, FAX) "
                       "values ('  大同彩色印刷 ', '台北市', '二樓', '12345678', '02-1', '02-2')"));
    db.exec(QStringLiteral("insert into [COMPANY1] (COMPANY, [ADD], TNO, TEL, FAX) values "
                           "('分公司', 'a', 'b', 'c', 'd')"));
    db.exec(QStringLiteral("insert into [SYSTEM] (MFUN, ITEM0, ITEM1, ITEM2, ITEM3, ITEM87) "
                           "values ('00000000000000100', 'zero', '12abc', '', '3.5', 'last')"));
    db.exec(QStringLiteral("insert into [SYSTEM1] (發票開立方式, 發票平台路徑, ITEM87, ITEM120) "
                           "values ('2', 'D:\\EINV', 's87', 's120')"));
    db.exec(QStringLiteral("insert into [使用者資料] (使用者, 管理者, 工單作業權限, 接稿權限) "
                           "values ('O''Brien', 'N', '1', '0')"));
    db.exec(QStringLiteral("insert into [使用者資料] (使用者, 管理者) values ('老闆', 'Y')"));
    db.exec(QStringLiteral(
        "insert into [使用者資料明細] (使用者, 工單作業細部) values ('O''Brien', '0111')"));
    db.exec(QStringLiteral("insert into [SYSOS] (VM, XP, WIN7, WIN7C, WIN10, WIN10C) "
                           "values ('2.6', '1', '1', '7', '1', '10')"));
    db.exec(QStringLiteral("insert into [啟用發送EAMIL] (啟用發送EAMIL) values ('Y')"));
    db.exec(QStringLiteral(
        "insert into [SYSLOAD] (ID, COMPUTER, EXCEL) values ('PC1\\mary', 'PC1', '/srv/excel/')"));
}

SessionSettings sessionOn(const TestDatabase &db)
{
    SessionSettings s;
    s.ConnectionString = db.connectionString();
    s.MachineUserId = QStringLiteral("PC1\\mary");
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
        const auto error = LoadSettings(s, true, menuLine, QStringLiteral("PC1"));
        QVERIFY2(!error, qPrintable(error.value_or(QString())));

        QCOMPARE(s.Ad, QStringLiteral("ad1"));
        QCOMPARE(s.UserName, QStringLiteral("O'Brien"));
        QCOMPARE(s.UserId, QStringLiteral("E0'7"));
        QCOMPARE(s.ParentWindow, 31337.0);
        QCOMPARE(s.EmployeeGroup[0], QStringLiteral("g0"));
        QCOMPARE(s.EmployeeGroup[1], QStringLiteral("g1"));
        QCOMPARE(s.EmployeeGroup[19], QStringLiteral("g19"));
        QCOMPARE(s.ExtensionNo, QStringLiteral("215"));
        QCOMPARE(s.CompanyName, QStringLiteral("大同彩色印刷"));
        QCOMPARE(s.CompanyAddress1, QStringLiteral("二樓"));
        QCOMPARE(s.Company1Name, QStringLiteral("分公司"));
        QCOMPARE(s.Company2Name, QString()); // empty table: nothing read, no failure
        QVERIFY(s.MfunFlag15);
        QCOMPARE(s.SystemItem[0], QStringLiteral("zero"));
        QCOMPARE(s.SystemItem[1], QStringLiteral("12"));
        QCOMPARE(s.SystemItem[2], QStringLiteral("0"));
        QCOMPARE(s.SystemItem[3], QStringLiteral("3.5"));
        QCOMPARE(s.SystemItem[68], QStringLiteral("0"));
        QCOMPARE(s.SystemItem[87], QStringLiteral("last"));
        QCOMPARE(s.InvoicePlatformFolder, QStringLiteral("D:\\EINV\\TAREK_EINVOICE\\"));
        QCOMPARE(s.System1Item[120], QStringLiteral("s120"));
        QCOMPARE(s.permission(QStringLiteral("工單作業權限")), QStringLiteral("1"));
        QCOMPARE(s.permission(QStringLiteral("工單作業細部")), QStringLiteral("0111"));
        QCOMPARE(s.SysOsVm, short(3));
        QCOMPARE(s.SysOsCode, QStringLiteral("T")); // WIN10 overrides WIN7
        QCOMPARE(s.SysOsValue, short(10));
        QCOMPARE(s.EmailEnabled, QStringLiteral("Y"));
        QCOMPARE(s.ExcelFolder, QStringLiteral("/srv/excel/"));
    }

    void withoutTokenTakesTheAdministratorDefaults()
    {
        TestDatabase db;
        fillSettings(db);
        SessionSettings s = sessionOn(db);
        const auto error =
            LoadSettings(s, true, QStringLiteral("-AD=x -NAME=y"), QStringLiteral("PC1"));
        QVERIFY2(!error, qPrintable(error.value_or(QString())));
        QCOMPARE(s.UserName, QStringLiteral("老闆"));
        QCOMPARE(s.Ad, QStringLiteral("老闆"));
        QCOMPARE(s.UserId, QStringLiteral("E901")); // the one who has not left
        QCOMPARE(s.XlsExt, QStringLiteral(".xlsx"));
        QCOMPARE(s.DocExt, QStringLiteral(".docx"));
        QCOMPARE(s.permission(QStringLiteral("工單作業細部")), QString());
    }

    void badCommandLineStopsTheLoadWhereItIs()
    {
        TestDatabase db;
        fillSettings(db);
        SessionSettings s = sessionOn(db);
        const auto error = LoadSettings(
            s, true, QStringLiteral("-qta5827 -AD=a -NAME=O'Brien -ID=E0'7 -XLS=x -DOC=y -PID=abc"),
            QStringLiteral("PC1"));
        QVERIFY(error.has_value());
        QCOMPARE(s.UserName, QStringLiteral("O'Brien"));
        QCOMPARE(s.ParentWindow, 0.0);
        QCOMPARE(s.CompanyName, QString());
    }

    void userWithoutDetailRowHasNoWorkOrderRight()
    {
        TestDatabase db;
        fillSettings(db);
        db.exec(QStringLiteral("delete from [使用者資料明細]"));
        db.exec(QStringLiteral("delete from [SYSLOAD]"));
        SessionSettings s = sessionOn(db);
        QVERIFY(!LoadSettings(s, true, menuLine, QStringLiteral("PC1")));
        QCOMPARE(s.permission(QStringLiteral("工單作業細部")), QString());
        QCOMPARE(s.ExcelFolder, QString());
    }

    void missingColumnIsReportedAndStopsTheLoad()
    {
        TestDatabase db;
        fillSettings(db);
        db.exec(QStringLiteral("drop table [SYSOS]"));
        SessionSettings s = sessionOn(db);
        const auto error = LoadSettings(s, true, menuLine, QStringLiteral("PC1"));
        QVERIFY(error.has_value());
        QVERIFY2(error->contains(QStringLiteral("SYSOS"), Qt::CaseInsensitive), qPrintable(*error));
        QCOMPARE(s.CompanyName, QStringLiteral("大同彩色印刷")); // read before the failure
        QCOMPARE(s.EmailEnabled, QString());                     // never reached
    }

    void unreachableDatabaseLeavesTheIdentityEmpty()
    {
        QTemporaryDir dir;
        SessionSettings s;
        s.ConnectionString =
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1/PLOV.mdb;"
                           "Jet OLEDB:Database Password=qtam5827qtam5827")
                .arg(dir.path());
        const auto error = LoadSettings(s, true, menuLine, QStringLiteral("PC1"));
        QVERIFY(error.has_value());
        QVERIFY2(error->contains(QStringLiteral("PLOV.mdb")), qPrintable(*error));
        QCOMPARE(s.UserName, QString());
        QCOMPARE(s.ParentWindow, 0.0);
    }
};

QTEST_GUILESS_MAIN(TestLoadSettings)
#include "tst_loadsettings.moc"
