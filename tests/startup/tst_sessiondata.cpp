#include "db/databasecreator.h"
#include "db/dberror.h"
#include "startup/loadsettings.h"
#include "startup/runningprogram.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"
#include "testtables.h"

#include <QProcess>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kMenuLine =
    u"-qta5827 -AD=ad1 -NAME=O'Brien -ID=E0'7 -XLS=.xls -DOC=.doc -PID=31337"_s;

// clang-format off
const QStringList kSettings = {
    u"insert into [EMPLOYEE] (ID, NAME, ODATE, [GROUP], GROUP1, GROUP19, 分機代號) values ('E0''7', 'O''Brien', '', 'g0', 'g1', 'g19', ' 215 ')"_s,
    u"insert into [EMPLOYEE] (ID, NAME, ODATE) values ('E900', '老闆', '1100101')"_s,
    u"insert into [EMPLOYEE] (ID, NAME, ODATE) values ('E901', '老闆', null)"_s,
    u"insert into [COMPANY] (COMPANY, [ADD], ADD1, TNO, TEL, FAX) values ('  大同彩色印刷 ', '台北市', '二樓', '1234', '02-1', '02-2')"_s,
    u"insert into [COMPANY1] (COMPANY, [ADD], TNO, TEL, FAX) values ('分公司', 'a', 'b', 'c', 'd')"_s,
    u"insert into [SYSTEM] (MFUN, ITEM0, ITEM1, ITEM2, ITEM3, ITEM87) values ('00000000000000100', 'zero', '12abc', '', '3.5', 'last')"_s,
    u"insert into [SYSTEM1] (發票開立方式, 發票平台路徑, ITEM87, ITEM120) values ('2', 'D:\\EINV', 's87', 's120')"_s,
    u"insert into [使用者資料] (使用者, 管理者, 工單作業權限, 接稿權限) values ('O''Brien', 'N', '1', '0')"_s,
    u"insert into [使用者資料] (使用者, 管理者) values ('老闆', 'Y')"_s,
    u"insert into [使用者資料明細] (使用者, 工單作業細部) values ('O''Brien', '0111')"_s,
    u"insert into [SYSOS] (VM, XP, WIN7, WIN7C, WIN10, WIN10C) values ('2.6', '1', '1', '7', '1', '10')"_s,
    u"insert into [啟用發送EAMIL] (啟用發送EAMIL) values ('Y')"_s,
    u"insert into [SYSLOAD] (ID, COMPUTER, EXCEL) values ('PC1\\mary', 'PC1', '/srv/x/')"_s,
};
// clang-format on

// Loads the settings from a database holding kSettings, with a table dropped
// ("drop X"), through another connection string, or with a wrong password.
std::pair<SessionSettings, std::optional<QString>> loadSettings(const QString &commandLine,
                                                                const QString &broken)
{
    TestDatabase db;
    for (const QString &statement : kSettings)
        db.exec(statement);
    SessionSettings s;
    s.ConnectionString = broken.contains(u'=') ? broken : db.connectionString();
    s.MachineUserId = u"PC1\\mary"_s;
    if (broken.startsWith(u"drop "))
        db.exec(u"drop table [%1]"_s.arg(broken.mid(5)));
    if (broken == u"wrong password") { // the account that signs in with a password
        ConnectionInfo server = parseConnectionString(db.connectionString());
        server.user = qEnvironmentVariable("PLOV_TEST_PG_PASSWORD_USER");
        server.password = broken;
        s.ConnectionString = postgresConnectionString(server);
    }
    const auto error = LoadSettings(s, true, commandLine, u"PC1"_s);
    return {s, error};
}

} // namespace

// What the start reads from and writes to the shared database (settings, lock,
// register of running programs); a database the tool could not finish.
class TestSessionData : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    // Every field the load fills, or the fields it filled before a failure stopped it.
    void load_data()
    {
        // errorNames: "" when the load succeeds.
        AddColumns<QString, QString, QString, QString>("commandLine", "broken", "fields",
                                                       "errorNames");
        // clang-format off
        QTest::newRow("every field") << kMenuLine << u""_s << u"ad1|O'Brien|E0'7|.xls|.doc|31337|g0 g1 g19|215|大同彩色印刷|二樓|分公司||1|zero 12 0 3.5 0 last|s120|D:\\EINV\\TAREK_EINVOICE\\|1|0111|3|T|10|Y|/srv/x/"_s << u""_s;
        QTest::newRow("no launch token: the administrator") << u"-AD=x -NAME=y"_s << u""_s << u"老闆|老闆|E901|.xlsx|.docx|0|  ||大同彩色印刷|二樓|分公司||1|zero 12 0 3.5 0 last|s120|D:\\EINV\\TAREK_EINVOICE\\|||3|T|10|Y|/srv/x/"_s << u""_s;
        QTest::newRow("bad -PID=") << u"-qta5827 -AD=a -NAME=O'Brien -ID=E0'7 -XLS=x -DOC=y -PID=abc"_s << u""_s << u"a|O'Brien|E0'7|x|y|0|  ||||||0|     |||||0||0||"_s << u"型態不符合"_s;
        QTest::newRow("missing table") << kMenuLine << u"drop SYSOS"_s << u"ad1|O'Brien|E0'7|.xls|.doc|31337|g0 g1 g19|215|大同彩色印刷|二樓|分公司||1|zero 12 0 3.5 0 last|s120|D:\\EINV\\TAREK_EINVOICE\\|1|0111|0||0||"_s << u"SYSOS"_s;
        QTest::newRow("no database file") << kMenuLine << u"Data Source=/nonexistent/PLOV.mdb"_s << u"|||||0|  ||||||0|     |||||0||0||"_s << u"PLOV.mdb"_s;
        QTest::newRow("no server there") << kMenuLine << u"Provider=PostgreSQL;Server=127.0.0.1;Port=1;Database=plov"_s << u"|||||0|  ||||||0|     |||||0||0||"_s << u"無法連線"_s;
        QTest::newRow("no port") << kMenuLine << u"Provider=PostgreSQL;Server=127.0.0.1;Port=54x;Database=plov"_s << u"|||||0|  ||||||0|     |||||0||0||"_s << u"Port="_s;
        QTest::newRow("wrong password") << kMenuLine << u"wrong password"_s << u"|||||0|  ||||||0|     |||||0||0||"_s << u"密碼錯誤"_s;
        // clang-format on
    }
    void load()
    {
        const QString broken = Fetch<QString>("broken");
        const QString errorNames = Fetch<QString>("errorNames");
        if (broken == u"wrong password" &&
            TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Postgres)
            QSKIP("a server account that signs in with a password");
        const auto [s, error] = loadSettings(Fetch<QString>("commandLine"), broken);
        QVERIFY2(errorNames.isEmpty() ? !error
                                      : error && error->contains(errorNames, Qt::CaseInsensitive),
                 qPrintable(error.value_or(u"no error"_s)));
        // clang-format off
        const QStringList fields = {s.Ad, s.UserName, s.UserId, s.XlsExt, s.DocExt, QString::number(s.ParentWindow),
            s.EmployeeGroup[0] + u' ' + s.EmployeeGroup[1] + u' ' + s.EmployeeGroup[19], s.ExtensionNo,
            s.CompanyName, s.CompanyAddress1, s.Company1Name, s.Company2Name, QString::number(s.MfunFlag15),
            QStringList({s.SystemItem[0], s.SystemItem[1], s.SystemItem[2], s.SystemItem[3], s.SystemItem[68], s.SystemItem[87]}).join(u' '),
            s.System1Item.count(120) ? s.System1Item.at(120) : QString(), s.InvoicePlatformFolder,
            s.permission(u"工單作業權限"_s), s.permission(u"工單作業細部"_s), QString::number(s.SysOsVm), s.SysOsCode,
            QString::number(s.SysOsValue), s.EmailEnabled, s.ExcelFolder};
        // clang-format on
        QTEST(fields.join(u'|'), "fields"); // COMPANY2 is empty; WIN10 overrides WIN7
    }

    // What the main screen does not show of the lock and the register: a lock without
    // holder, a failed check, a second registration, failures handed back.
    void lockAndRegister()
    {
        TestDatabase db;
        const QString cs = db.connectionString();
        db.exec(u"insert into [SYSLOCK] ([USER]) values (null)"_s);
        QCOMPARE(ReadMaintenanceLock(cs).result, MaintenanceLockState::Locked);
        QCOMPARE(ReadMaintenanceLock(cs).lockUser, QString());
        db.exec(u"drop table [SYSLOCK]"_s);
        QCOMPARE(ReadMaintenanceLock(cs).result, MaintenanceLockState::CheckFailed);
        QCOMPARE(ReadMaintenanceLock(u"Data Source=/nonexistent/PLOV.mdb"_s).result,
                 MaintenanceLockState::CheckFailed);

        const QString id = u"PC'1\\o'neil"_s;
        QVERIFY(!RegisterRunningProgram(cs, id, true, 111, kProgramTitle));
        QVERIFY(!RegisterRunningProgram(cs, id, true, 222, kProgramTitle));
        QCOMPARE(db.scalar(u"select sum(LPID) from [SYSUSER1]"_s).toInt(), 222); // rewritten
        db.exec(u"drop table [SYSUSER1]"_s);
        QVERIFY(RegisterRunningProgram(cs, id, true, 1, kProgramTitle));
        QVERIFY(UnregisterRunningProgram(cs, id, kProgramTitle));
    }

    // A copy killed on this computer (kill -9) left its row; the next registration
    // removes it and registers once. Rows of other computers and programs, and of
    // copies still running, stay.
    void leftRowsRemoved_data()
    {
        AddColumns<QString, QString, QString, bool>("id", "func", "process", "kept");
        // clang-format off
        QTest::newRow("another user, killed")         << u"PC1\\ann"_s << kProgramTitle  << u"killed"_s  << false;
        QTest::newRow("ended, not yet collected")     << u"PC1\\ann"_s << kProgramTitle  << u"zombie"_s  << false;
        QTest::newRow("its number now another's")     << u"PC1\\ann"_s << kProgramTitle  << u"sleep"_s   << false;
        QTest::newRow("another user, running")        << u"PC1\\ann"_s << kProgramTitle  << u"running"_s << true;
        QTest::newRow("another computer")             << u"PC2\\ann"_s << kProgramTitle  << u"killed"_s  << true;
        QTest::newRow("a computer named PC1 and more") << u"PC10\\ann"_s << kProgramTitle << u"killed"_s  << true;
        QTest::newRow("another program")              << u"PC1\\ann"_s << u"工單作業"_s << u"killed"_s  << true;
        // clang-format on
    }
    void leftRowsRemoved()
    {
        const QString id = Fetch<QString>("id");
        const QString func = Fetch<QString>("func");
        const QString process = Fetch<QString>("process");
        QProcess other;
        other.start(u"sleep"_s, {u"60"_s});
        QVERIFY(other.waitForStarted());
        double pid = double(other.processId());
        if (process == u"killed") {
            other.kill();
            QVERIFY(other.waitForFinished());
        } else if (process == u"running") {
            pid = double(QCoreApplication::applicationPid());
        } else if (process == u"zombie") { // ended, and its parent has not collected it
            const pid_t child = fork();
            if (child == 0)
                _exit(0);
            siginfo_t ended;
            QCOMPARE(waitid(P_PID, id_t(child), &ended, WEXITED | WNOWAIT), 0);
            pid = double(child);
        }
        TestDatabase db;
        db.exec(u"insert into [SYSUSER1] (ID, FUNC, LPID) values (?, ?, ?)"_s, {id, func, pid});
        QVERIFY(!RegisterRunningProgram(db.connectionString(), u"PC1\\me"_s, true,
                                        double(QCoreApplication::applicationPid()), kProgramTitle));
        const QString count = u"select count(*) from [SYSUSER1] where ID = ? and FUNC = ?"_s;
        QCOMPARE(db.scalar(count + u" and LPID = ?"_s, {id, func, pid}).toInt(),
                 Fetch<bool>("kept") ? 1 : 0);
        QCOMPARE(db.scalar(count, {u"PC1\\me"_s, kProgramTitle}).toInt(), 1);
        if (process == u"zombie")
            waitpid(pid_t(pid), nullptr, 0);
        other.kill();
        other.waitForFinished();
    }

    // A database the tool could not finish is no database: it is removed again.
    void unfinishedServerDatabaseIsRemoved()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Postgres)
            QSKIP("a database made on the server");
        TestDatabase db;
        const ConnectionInfo server = parseConnectionString(db.connectionString());
        // The sessions of this role find no schema to create the tables in.
        const QString role = u"plov_noschema_%1"_s.arg(QCoreApplication::applicationPid());
        db.exec(u"create role %1 login createdb"_s.arg(role));
        db.exec(u"alter role %1 set search_path = ''"_s.arg(role));
        QVERIFY_THROWS_EXCEPTION(
            DbError, CreatePlovDatabase(u"postgresql://%1@localhost:%2/%1?host=%3"_s.arg(
                                            role, QString::number(server.port), server.host),
                                        true));
        QCOMPARE(db.scalar(u"select count(*) from pg_database where datname = ?"_s, {role}).toInt(),
                 0);
        db.exec(u"drop role %1"_s.arg(role));
    }
};

QTEST_GUILESS_MAIN(TestSessionData)
#include "tst_sessiondata.moc"
