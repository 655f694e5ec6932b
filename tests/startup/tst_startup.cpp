#include "common/messagebox.h"
#include "daily_report/dailyreportwindow.h"
#include "startup/db/connectioninfo.h"
#include "startup/processcontrol.h"
#include "startup/sessionsettings.h"
#include "startup/startup.h"
#include "testdatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct ProgramEnded
{
};

QString menuLine()
{
    return QStringLiteral("-qta5827 -AD=王小明 -NAME=王小明 -ID=E001 -XLS=.xlsx -DOC=.docx -PID=%1")
        .arg(QCoreApplication::applicationPid());
}

// A program folder whose PLOV.DSN (or PLOV.mdb) leads to the test database.
void pointFolderAt(const QString &folder, const TestDatabase &db)
{
    const ConnectionInfo info = parseConnectionString(db.connectionString());
    if (info.engine == ConnectionInfo::Engine::Sqlite) {
        QFile f(folder + QStringLiteral("/PLOV.DSN"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[ODBC]\r\nSITE=C\r\nDBQ=%1\r\n").arg(info.dataSource).toUtf8());
        return;
    }
    QFile f(folder + QStringLiteral("/PLOV.DSN"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("[ODBC]\r\nDRIVER=PostgreSQL Unicode\r\nSERVER=%1\r\nPORT=%2\r\n"
                           "DATABASE=%3\r\nUID=%4\r\n")
                .arg(info.host)
                .arg(info.port)
                .arg(info.database, info.user)
                .toUtf8());
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QTemporaryDir m_programFolder;

private slots:
    void initTestCase()
    {
        // The user's folders of this test: hand-off files and the instance lock.
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("TMPDIR", m_home.path().toUtf8());
        ProcessControl::SetEndHandler([] { throw ProgramEnded(); });
    }
    void init()
    {
        PLOV_REQUIRE_DATABASE();
        Session() = SessionSettings();
    }

    void opensTheMainScreenAndRegisters()
    {
        TestDatabase db(TestDatabase::Content::Demo);
        pointFolderAt(m_programFolder.path(), db);
        ScriptedMessageService messages;
        StartedProgram started = StartProgram(menuLine(), m_programFolder.path());
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join(u'\n')));
        QVERIFY(started.window);
        QCOMPARE(started.window->windowTitle(), QStringLiteral("印刷日報登錄"));
        QCOMPARE(started.window->objectName(), QStringLiteral("frm日報登錄作業"));
        QCOMPARE(Session().UserId, QStringLiteral("E001"));
        QVERIFY(!Session().CompanyName.isEmpty());
        QCOMPARE(Session().TempFolder, m_home.path() + QStringLiteral("/Temp/"));
        QVERIFY(QFile::exists(Session().TempFolder + QStringLiteral("PLOV.TXT")));

        QVERIFY(QTest::qWaitForWindowActive(started.window));
        QTRY_COMPARE(db.scalar(QStringLiteral("select count(*) from [SYSUSER1] where FUNC = ?"),
                               {QStringLiteral("日報登錄作業")})
                         .toInt(),
                     1);
        auto *presses = started.window->findChild<QComboBox *>(QStringLiteral("cbo車別"));
        QVERIFY(presses->count() > 1);
        QCOMPARE(presses->itemText(0), QString());

        // A second copy ends at once, silently.
        Session() = SessionSettings();
        StartedProgram second = StartProgram(menuLine(), m_programFolder.path());
        QVERIFY(!second.window);
        QVERIFY(messages.shown().isEmpty());

        started.window->close();
        QTRY_COMPARE(db.scalar(QStringLiteral("select count(*) from [SYSUSER1]")).toInt(), 0);
    }

    void refusesToRunWithoutTheLaunchToken()
    {
        TestDatabase db(TestDatabase::Content::Demo);
        pointFolderAt(m_programFolder.path(), db);
        ScriptedMessageService messages;
        StartedProgram started = StartProgram(
            QStringLiteral("-AD=a -NAME=b -ID=c -XLS=d -DOC=e -PID=1"), m_programFolder.path());
        QVERIFY(!started.window);
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown().first().text, QStringLiteral("引數錯誤"));
        QCOMPARE(messages.shown().first().title, QStringLiteral("錯誤"));
        QCOMPARE(messages.shown().first().icon, MessageService::Icon::Critical);
        // The settings were loaded with the no-token defaults all the same.
        QCOMPARE(Session().XlsExt, QStringLiteral(".xlsx"));
    }

    void missingDatabaseIsReportedAndTheMenuCheckEndsTheProgram()
    {
        QTemporaryDir emptyFolder;
        ScriptedMessageService messages;
        StartedProgram started = StartProgram(QStringLiteral("-qta5827"), emptyFolder.path());
        QVERIFY(started.window);
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown().first().title, QStringLiteral("取得系統相關設定資料錯誤"));
        QVERIFY2(messages.shown().first().text.contains(QStringLiteral("PLOV.mdb")),
                 qPrintable(messages.shown().first().text));
        QCOMPARE(Session().ExcelFolder, QStringLiteral("C:\\"));
        QCOMPARE(Session().ParentWindow, 0.0);
        // The menu program (-PID=0) is no window: the first activation ends the program.
        bool ended = false;
        try {
            started.window->activateWindow();
            const bool active = QTest::qWaitForWindowActive(started.window, 2000);
            Q_UNUSED(active); // the end comes during the activation
        } catch (const ProgramEnded &) {
            ended = true;
        }
        QVERIFY(ended);
        delete started.window;
    }

    void serverAccountWithPassword()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Postgres)
            QSKIP("a server named in the data-source file");
        const QString account = qEnvironmentVariable("PLOV_TEST_PG_PASSWORD_USER");
        if (account.isEmpty())
            QSKIP("the test server has no account that signs in with a password");
        TestDatabase db(TestDatabase::Content::Demo);
        const ConnectionInfo info = parseConnectionString(db.connectionString());
        QTemporaryDir folder;
        const auto writeDsn = [&](const QString &pwdLine) {
            QFile f(folder.filePath(QStringLiteral("PLOV.DSN")));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QStringLiteral("[ODBC]\r\nDRIVER=PostgreSQL Unicode\r\nSERVER=%1\r\nPORT=%2\r\n"
                                   "DATABASE=%3\r\nUID=%4\r\n%5")
                        .arg(info.host)
                        .arg(info.port)
                        .arg(info.database, account, pwdLine)
                        .toUtf8());
        };
        ScriptedMessageService messages;
        writeDsn(QStringLiteral("PWD=not-the-password\r\n"));
        StartProgram(QStringLiteral("-AD=x"), folder.path()); // ends: no launch token
        QCOMPARE(messages.shown().first().title, QStringLiteral("取得系統相關設定資料錯誤"));
        QVERIFY2(messages.shown().first().text.contains(QStringLiteral("密碼錯誤")),
                 qPrintable(messages.shown().first().text));

        // Without PWD= the suite's database password is used, and it signs in.
        messages.clear();
        Session() = SessionSettings();
        writeDsn(QString());
        StartedProgram started = StartProgram(QStringLiteral("-AD=x"), folder.path());
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("引數錯誤")});
        QCOMPARE(Session().UserName, QStringLiteral("王小明")); // read from the server
    }

    void unreachableServerSaysWhy()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Postgres)
            QSKIP("a server named in the data-source file");
        QTemporaryDir folder;
        QFile f(folder.filePath(QStringLiteral("PLOV.DSN")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[ODBC]\r\nDRIVER=PostgreSQL "
                "Unicode\r\nSERVER=127.0.0.1\r\nPORT=1\r\nDATABASE=plov\r\nUID=press\r\n");
        f.close();
        ScriptedMessageService messages;
        StartedProgram started = StartProgram(QStringLiteral("-AD=x"), folder.path());
        QVERIFY(!started.window);
        QCOMPARE(messages.shown().first().title, QStringLiteral("取得系統相關設定資料錯誤"));
        QVERIFY2(messages.shown().first().text.contains(QStringLiteral("無法連線")),
                 qPrintable(messages.shown().first().text));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
