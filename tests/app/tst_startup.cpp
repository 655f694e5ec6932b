#include "app/program.h"
#include "daily_report/dailyreportwindow.h"
#include "db/connection.h"
#include "db/databasecreator.h"
#include "db/dberror.h"
#include "scriptedmessages.h"
#include "startup/platform.h"
#include "startup/processcontrol.h"
#include "startup/sessionsettings.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The program started as the menu program starts it, on a demo database that
// the tool made in a folder whose name reads like more keys of a connection string.
class TestStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QTemporaryDir m_runtime;
    QTemporaryDir m_program;

    StartedProgram start(const QString &commandLine, const QString &dsn = {})
    {
        Session() = SessionSettings();
        const QString folder = m_program.filePath(u"a;Provider=PostgreSQL;Server=x"_s);
        if (QDir().mkdir(folder)) {
            CreatePlovDatabase(folder + u"/PLOV.mdb"_s, true);
            CreatePlovDatabase(m_program.filePath(u"PLOV.mdb"_s), true);
        }
        QFile f(m_program.filePath(u"PLOV.DSN"_s));
        if (f.open(QIODevice::WriteOnly))
            f.write(dsn.isEmpty() ? "SITE=C\nDBQ=" + QFile::encodeName(folder) + "/PLOV.MDB\n"
                                  : dsn.toUtf8());
        f.close();
        return StartProgram(commandLine, m_program.path());
    }

private slots:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
        ProcessControl::SetEndHandler([] { throw std::runtime_error("the program ended"); });
    }

    void opensTheMainScreenOnce()
    {
        ScriptedMessageService messages;
        const QString menu =
            u"-qta5827 -AD=王小明 -NAME=王小明 -ID=E001 -XLS=.xlsx -DOC=.docx -PID="_s;
        const StartedProgram started =
            start(menu + QString::number(QCoreApplication::applicationPid()));
        QVERIFY(started.window);
        QCOMPARE(Session().UserId + Session().CompanyName, u"E001華晨彩色印刷股份有限公司"_s);
        QVERIFY(QFile::exists(m_home.filePath(u"Temp/PLOV.TXT"_s)));
        QVERIFY(
            QFile::exists(m_runtime.filePath(u"daily_report-%1.lock"_s.arg(GetLoginUserName()))));
        const StartedProgram second = start(menu + u'1');
        QVERIFY(!second.window); // a second copy ends at once, silently
        QCOMPARE(second.exitCode, 0);
        QCOMPARE(messages.texts(), QStringList());
        delete started.window;
    }

    // A server that cannot be used is reported as the settings load's failure, the
    // PLOV.mdb lying in the program folder is not read instead, and the start goes
    // on to its next check. Each box is logged as an error with its title and text.
    void unusableServerAndNoLaunchToken()
    {
        ScriptedMessageService messages;
        QTest::ignoreMessage(QtCriticalMsg,
                             QRegularExpression(u"^取得系統相關設定資料錯誤: .*DATABASE="_s));
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^錯誤: 引數錯誤$"_s));
        const StartedProgram started =
            start(u"-AD=a -NAME=b -ID=c -XLS=d -DOC=e -PID=1"_s, u"DRIVER=PostgreSQL\n"_s);
        QVERIFY(!started.window);
        QCOMPARE(started.exitCode, 2);
        QCOMPARE(messages.shown().size(), 2); // as logged
        QCOMPARE(Session().CompanyName + Session().ExcelFolder, u"C:\\"_s);
        try { // every later operation is refused for the same reason
            Connection().open(Session().ConnectionString);
            QFAIL("a database was opened");
        } catch (const DbError &e) {
            QCOMPARE(e.description(), messages.texts().first());
        }
    }

    // Without a display: one line and exit code 2, not Qt's abort.
    void withoutADisplay()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(PLOV_PROGRAM), {u"-qta5827"_s});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 2);
        QCOMPARE(QString::fromUtf8(program.readAllStandardError()),
                 u"daily_report: 沒有可用的螢幕（未設定 DISPLAY、WAYLAND_DISPLAY）\n"_s);
    }

    // A database of another program is said once, by name, and the program ends
    // with an exit code a script can tell from success.
    void anotherProgramsDatabase()
    {
        ScriptedMessageService messages;
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^取得系統相關設定資料錯誤: "_s));
        const QString folder = m_program.filePath(u"other"_s);
        QVERIFY(QDir().mkpath(folder));
        Connection other; // the suite's database but for the table of the company
        other.open(CreatePlovDatabase(folder + u"/PLOV.mdb"_s, false));
        other.execute(u"drop table [COMPANY]"_s);
        const StartedProgram started = start(u"-qta5827 -AD=a -NAME=b -ID=c -XLS=d -DOC=e -PID=1"_s,
                                             u"SITE=C\nDBQ="_s + folder + u"/PLOV.MDB\n"_s);
        QVERIFY(!started.window);
        QCOMPARE(started.exitCode, 2);
        QCOMPARE(messages.texts(),
                 QStringList{folder + u"/PLOV.mdb 不是本程式的資料庫（沒有資料表 COMPANY）"_s});
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
