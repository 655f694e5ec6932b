#include "common/messagebox.h"
#include "daily_report/dailyreportwindow.h"
#include "db/connectioninfo.h"
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

using namespace Qt::StringLiterals;

namespace {

struct ProgramEnded
{
};

QString menuLine()
{
    return u"-qta5827 -AD=王小明 -NAME=王小明 -ID=E001 -XLS=.xlsx -DOC=.docx -PID=%1"_s.arg(
        QCoreApplication::applicationPid());
}

// A program folder whose PLOV.DSN (or PLOV.mdb) leads to the test database.
void pointFolderAt(const QString &folder, const TestDatabase &db)
{
    const ConnectionInfo info = parseConnectionString(db.connectionString());
    if (info.engine == ConnectionInfo::Engine::Sqlite) {
        QFile f(folder + u"/PLOV.DSN"_s);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(u"[ODBC]\r\nSITE=C\r\nDBQ=%1\r\n"_s.arg(info.dataSource).toUtf8());
        return;
    }
    QFile f(folder + u"/PLOV.DSN"_s);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(u"[ODBC]\r\nDRIVER=PostgreSQL Unicode\r\nSERVER=%1\r\nPORT=%2\r\n"
            u"DATABASE=%3\r\nUID=%4\r\n"_s.arg(info.host)
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
        QCOMPARE(started.window->windowTitle(), u"印刷日報登錄"_s);
        QCOMPARE(started.window->objectName(), u"frm日報登錄作業"_s);
        QCOMPARE(Session().UserId, u"E001"_s);
        QVERIFY(!Session().CompanyName.isEmpty());
        QCOMPARE(Session().TempFolder, m_home.path() + u"/Temp/"_s);
        QVERIFY(QFile::exists(Session().TempFolder + u"PLOV.TXT"_s));

        QVERIFY(QTest::qWaitForWindowActive(started.window));
        QTRY_COMPARE(
            db.scalar(u"select count(*) from [SYSUSER1] where FUNC = ?"_s, {u"日報登錄作業"_s})
                .toInt(),
            1);
        auto *presses = started.window->findChild<QComboBox *>(u"cbo車別"_s);
        QVERIFY(presses->count() > 1);
        QCOMPARE(presses->itemText(0), QString());

        // A second copy ends at once, silently.
        Session() = SessionSettings();
        StartedProgram second = StartProgram(menuLine(), m_programFolder.path());
        QVERIFY(!second.window);
        QVERIFY(messages.shown().isEmpty());

        started.window->close();
        QTRY_COMPARE(db.scalar(u"select count(*) from [SYSUSER1]"_s).toInt(), 0);
    }

    void refusesToRunWithoutTheLaunchToken()
    {
        TestDatabase db(TestDatabase::Content::Demo);
        pointFolderAt(m_programFolder.path(), db);
        ScriptedMessageService messages;
        StartedProgram started =
            StartProgram(u"-AD=a -NAME=b -ID=c -XLS=d -DOC=e -PID=1"_s, m_programFolder.path());
        QVERIFY(!started.window);
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown().first().text, u"引數錯誤"_s);
        QCOMPARE(messages.shown().first().title, u"錯誤"_s);
        QCOMPARE(messages.shown().first().icon, MessageService::Icon::Critical);
        // The settings were loaded with the no-token defaults all the same.
        QCOMPARE(Session().XlsExt, u".xlsx"_s);
    }

    void missingDatabaseIsReportedAndTheMenuCheckEndsTheProgram()
    {
        QTemporaryDir emptyFolder;
        ScriptedMessageService messages;
        StartedProgram started = StartProgram(u"-qta5827"_s, emptyFolder.path());
        QVERIFY(started.window);
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown().first().title, u"取得系統相關設定資料錯誤"_s);
        QVERIFY2(messages.shown().first().text.contains(u"PLOV.mdb"_s),
                 qPrintable(messages.shown().first().text));
        QCOMPARE(Session().ExcelFolder, u"C:\\"_s);
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
            QFile f(folder.filePath(u"PLOV.DSN"_s));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(u"[ODBC]\r\nDRIVER=PostgreSQL Unicode\r\nSERVER=%1\r\nPORT=%2\r\n"
                    u"DATABASE=%3\r\nUID=%4\r\n%5"_s.arg(info.host)
                        .arg(info.port)
                        .arg(info.database, account, pwdLine)
                        .toUtf8());
        };
        ScriptedMessageService messages;
        writeDsn(u"PWD=not-the-password\r\n"_s);
        StartProgram(u"-AD=x"_s, folder.path()); // ends: no launch token
        QCOMPARE(messages.shown().first().title, u"取得系統相關設定資料錯誤"_s);
        QVERIFY2(messages.shown().first().text.contains(u"密碼錯誤"_s),
                 qPrintable(messages.shown().first().text));

        // Without PWD= the suite's database password is used, and it signs in.
        messages.clear();
        Session() = SessionSettings();
        writeDsn(QString());
        StartedProgram started = StartProgram(u"-AD=x"_s, folder.path());
        QCOMPARE(messages.texts(), QStringList{u"引數錯誤"_s});
        QCOMPARE(Session().UserName, u"王小明"_s); // read from the server
    }

    void unreachableServerSaysWhy()
    {
        if (TestDatabase::engineUnderTest() != ConnectionInfo::Engine::Postgres)
            QSKIP("a server named in the data-source file");
        QTemporaryDir folder;
        QFile f(folder.filePath(u"PLOV.DSN"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[ODBC]\r\nDRIVER=PostgreSQL "
                "Unicode\r\nSERVER=127.0.0.1\r\nPORT=1\r\nDATABASE=plov\r\nUID=press\r\n");
        f.close();
        ScriptedMessageService messages;
        StartedProgram started = StartProgram(u"-AD=x"_s, folder.path());
        QVERIFY(!started.window);
        QCOMPARE(messages.shown().first().title, u"取得系統相關設定資料錯誤"_s);
        QVERIFY2(messages.shown().first().text.contains(u"無法連線"_s),
                 qPrintable(messages.shown().first().text));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
