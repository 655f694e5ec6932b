#include "common/cp950.h"
#include "db/dberror.h"
#include "startup/commandline.h"
#include "startup/display.h"
#include "startup/locatedatabase.h"
#include "startup/platform.h"
#include "testtables.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// The rules of the start: the menu program's command line, the platform's answers,
// where PLOV.DSN says the database is and the connection string made from it.
class TestStartupRules : public QObject
{
    Q_OBJECT

    QTemporaryDir m_program;
    QTemporaryDir m_home;

    // Writes PLOV.DSN (null: none; "<fifo>", "<device>": no regular file).
    DatabaseLocation locate(const QByteArray &dsn)
    {
        const QString path = m_program.filePath(u"PLOV.DSN"_s);
        QFile::remove(path);
        QFile f(path);
        if (dsn == "<fifo>")
            mkfifo(QFile::encodeName(path).constData(), 0600);
        else if (dsn == "<device>")
            QFile::link(u"/dev/zero"_s, path);
        else if (!dsn.isNull() && f.open(QIODevice::WriteOnly))
            f.write(dsn);
        f.close();
        return LocateDatabase(m_program.path(), m_home.path(), u"PC01"_s, u"mary"_s);
    }

private slots:
    // The values cut, or those cut before the cut failed and "fails".
    void commandLine_data()
    {
        AddColumns<QString, QString>("line", "values"); // values: AD|NAME|ID|XLS|DOC|PID
        // clang-format off
        QTest::newRow("menu line") << u"-qta5827 -AD=admin -NAME=王小明 -ID=E001 -XLS=.xlsx -DOC=.docx -PID=4242"_s << u"admin|王小明|E001|.xlsx|.docx|4242"_s;
        QTest::newRow("outer blanks trimmed once") << u"  -qta5827 -AD=a -NAME=b -ID=c -XLS=d -DOC=e -PID=7  "_s << u"a|b|c|d|e|7"_s;
        QTest::newRow("double blank keeps one") << u"-qta5827 -AD=a  -NAME=b -ID=c -XLS=d -DOC=e -PID=1"_s << u"a |b|c|d|e|1"_s;
        QTest::newRow("later key inside a value") << u"-qta5827 -AD=a -NAME=x-ID=y -ID=c -XLS=d -DOC=e -PID=1"_s << u"a||y -ID=c|d|e|1"_s;
        QTest::newRow("empty values") << u"-qta5827 -AD= -NAME= -ID= -XLS= -DOC= -PID=0"_s << u"|||||0"_s;
        QTest::newRow("no arguments") << u"-qta5827"_s << u"|||||0 fails"_s;
        QTest::newRow("keys out of order") << u"-qta5827 -NAME=b -AD=a -ID=c -XLS=d -DOC=e -PID=1"_s << u"|||||0 fails"_s;
        QTest::newRow("empty -PID=") << u"-qta5827 -AD=a -NAME=b -ID=c -XLS=d -DOC=e -PID="_s << u"a|b|c|d|e|0 fails"_s;
        QTest::newRow("token after -PID=") << u"-AD=a -NAME=b -ID=c -XLS=d -DOC=e -PID=12 -qta5827"_s << u"a|b|c|d|e|0 fails"_s;
        // clang-format on
    }
    void commandLine()
    {
        CommandLineIdentity id;
        QString fails;
        try {
            CutCommandLine(Fetch<QString>("line"), &id);
        } catch (const CommandLineError &) {
            fails = u" fails"_s;
        }
        const QStringList cut{id.Ad, id.UserName, id.UserId, id.XlsExt, id.DocExt};
        QTEST(cut.join(u'|') + u'|' + QString::number(id.ParentWindow) + fails, "values");
    }

    void launchTokenAndTheLinePassedOn()
    {
        QVERIFY(HasLaunchToken(u"-AD=a -qta5827"_s));
        QVERIFY(!HasLaunchToken(u"-QTA5827 -AD=a"_s));
        const CommandLineIdentity id{u"a"_s, u"王小明"_s, u"E001"_s, u".xlsx"_s, u".docx"_s, 65812};
        QCOMPARE(BuildCommandLine(id),
                 u"-qta5827 -AD=a -NAME=王小明 -ID=E001 -XLS=.xlsx -DOC=.docx -PID=65812"_s);
    }

    void windowsVersion_data()
    {
        AddColumns<QString, QString, QString>("version", "caption", "expected");
        // clang-format off
        QTest::newRow("Windows 7") << u"6.1.7601"_s << u"Microsoft Windows 7 Professional"_s << u"6.1"_s;
        QTest::newRow("Windows 11 reports 10.0") << u"10.0.22631"_s << u"Microsoft Windows 11 Pro"_s << u"11"_s;
        QTest::newRow("Windows 10") << u"10.0.19045"_s << u"Microsoft Windows 10 Home"_s << u"10"_s;
        QTest::newRow("server edition") << u"6.3.9600"_s << u"Microsoft Windows Server 2012 R2"_s << u"0"_s;
        QTest::newRow("no second dot") << u"6.1"_s << u""_s << u"6"_s;
        QTest::newRow("no dot at all") << u"10"_s << u""_s << u"0"_s;
        // clang-format on
    }
    void windowsVersion()
    {
        QTEST(QString::number(
                  WindowsVersionFrom(Fetch<QString>("version"), Fetch<QString>("caption"))),
              "expected");
    }

    // Whether the program can show a window: QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY;
    // the reason when it cannot, empty when it can.
    void display_data()
    {
        AddColumns<QString, QString, QString, QString>("platform", "display", "wayland", "reason");
        const QString none = u"沒有可用的螢幕（未設定 DISPLAY、WAYLAND_DISPLAY）"_s;
        // clang-format off
        QTest::newRow("nothing set") << QString() << QString() << QString() << none;
        QTest::newRow("blank DISPLAY") << QString() << u" "_s << QString() << none;
        QTest::newRow("X") << QString() << u":0"_s << QString() << QString();
        QTest::newRow("Wayland") << QString() << QString() << u"wayland-0"_s << QString();
        QTest::newRow("xcb without DISPLAY") << u"xcb"_s << QString() << u"wayland-0"_s << u"沒有可用的螢幕（未設定 DISPLAY）"_s;
        QTest::newRow("xcb with options") << u"xcb:foo=1"_s << u":1"_s << QString() << QString();
        QTest::newRow("wayland-egl without WAYLAND_DISPLAY") << u"wayland-egl"_s << u":0"_s << QString() << u"沒有可用的螢幕（未設定 WAYLAND_DISPLAY）"_s;
        QTest::newRow("list falls back to xcb") << u"wayland;xcb"_s << u":0"_s << QString() << QString();
        QTest::newRow("offscreen needs none") << u"offscreen"_s << QString() << QString() << QString();
        // clang-format on
    }
    void display()
    {
        QCOMPARE(NoDisplayReason(Fetch<QString>("platform"), Fetch<QString>("display"),
                                 Fetch<QString>("wayland"))
                     .value_or(QString()),
                 Fetch<QString>("reason"));
    }

    // A one-copy lock nobody else can create; no menu program 0; PLOV.TXT emptied.
    void platform()
    {
        QVERIFY(IsParentAlive(QCoreApplication::applicationPid()));
        QVERIFY(!IsParentAlive(0)); // not "every process of the group"
        QVERIFY(ResetTempText(u"/nonexistent/folder/"_s));
        QTemporaryDir dir;
        QFile left(dir.filePath(u"PLOV.TXT"_s));
        QVERIFY(left.open(QIODevice::WriteOnly) && left.write("left over") && left.flush());
        QVERIFY(!ResetTempText(dir.path() + u'/') && QFileInfo(left).size() == 0);
        const QString own = dir.filePath(u"own"_s), open = dir.filePath(u"open"_s);
        QVERIFY(QDir().mkdir(own) && chmod(qPrintable(own), 0700) == 0);
        QVERIFY(QDir().mkdir(open) && chmod(qPrintable(open), 0777) == 0);
        QCOMPARE(InstanceLockFolder(own, dir.path()), own);
        const QString underHome = InstanceLockFolder(QString(), dir.path());
        QCOMPARE(InstanceLockFolder(open, dir.path()), underHome);
        QVERIFY(!(QFileInfo(underHome).permissions() & QFileDevice::Permissions(0x00ff)));
    }

    // What each file leads to: a database file (and where hand-off files go), a
    // server, or the reason the server it names cannot be used.
    void dataSourceFile_data()
    {
        AddColumns<QByteArray, QString>("dsn", "leadsTo");
        // clang-format off
        QTest::newRow("no PLOV.DSN") << QByteArray() << u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<program>/PLOV.mdb;Jet OLEDB:Database Password=qtam5827qtam5827, temp <program>/"_s;
        QTest::newRow("empty file") << QByteArray("") << u"<program>/PLOV.mdb, temp <program>/"_s;
        QTest::newRow("FIFO") << QByteArray("<fifo>") << u"<program>/PLOV.mdb, temp <program>/"_s;
        QTest::newRow("device") << QByteArray("<device>") << u"<program>/PLOV.mdb, temp <program>/"_s;
        QTest::newRow("site C: folder before the file") << QByteArray("[ODBC]\r\nDRIVER=Microsoft Access Driver (*.mdb)\r\nSITE=C\r\nDBQ=/srv/Share/Plov Data/PLOV.MDB\r\n") << u"/srv/Share/Plov Data/PLOV.mdb, temp <home>/Temp/"_s;
        QTest::newRow("keys in any case, letters longer in upper case") << u"; Straße\r\nsite=c\r\ndbq=/srv/Straße/plov.mdb\r\n"_s.toUtf8() << u"/srv/Straße/PLOV.mdb, temp <home>/Temp/"_s;
        QTest::newRow("code page 950") << toCp950(u"SITE=C\r\nDBQ=/srv/印刷/PLOV.MDB\r\n"_s) << u"/srv/印刷/PLOV.mdb, temp <home>/Temp/"_s;
        QTest::newRow("other site ignores DBQ=") << QByteArray("SITE=B\nDBQ=/srv/share/PLOV.MDB\n") << u"<program>/PLOV.mdb, temp <home>/Temp/"_s;
        QTest::newRow("site C without DBQ=: the whole text") << QByteArray("SITE=C\n") << u"SITE=C\nPLOV.mdb, temp <home>/Temp/"_s;
        QTest::newRow("apostrophe first: names nothing") << QByteArray("'SITE=C\nDBQ=/srv/share/PLOV.MDB\n") << u"<program>/PLOV.mdb, temp <home>/Temp/"_s;
        QTest::newRow("DBQ= without PLOV.MDB") << QByteArray("SITE=C\nDBQ=/srv/share/OTHER.MDB\n") << u"<program>/PLOV.mdb, temp <program>/"_s;
        QTest::newRow("only the first 64 KiB read") << QByteArray(kDataSourceFileLimit, '\n') + "SITE=C\nDBQ=/far/PLOV.MDB\n" << u"<program>/PLOV.mdb, temp <home>/Temp/"_s;
        QTest::newRow("folder holding ;Provider=") << QByteArray("SITE=C\nDBQ=/srv/a;Provider=PostgreSQL;Server=x;Database=y;/PLOV.MDB\n") << u"/srv/a;Provider=PostgreSQL;Server=x;Database=y;/PLOV.mdb, temp <home>/Temp/"_s;
        QTest::newRow("server in ODBC keys") << QByteArray("[ODBC]\nDRIVER=PostgreSQL Unicode\nSERVER=db.shop.lan\nPORT=5433\nDATABASE=plov\nUID=press\n") << u"server db.shop.lan:5433/plov press qtam5827qtam5827"_s;
        QTest::newRow("password in braces") << QByteArray("DRIVER=PostgreSQL\nDATABASE=plov\nPWD={ se;cr}}et }\n") << u"server localhost:5432/plov   se;cr}et "_s;
        QTest::newRow("DATABASE= misspelt") << QByteArray("DRIVER=PostgreSQL Unicode\nSERVER=db\nDATABSE=plov\n") << u"unusable: DATABASE="_s;
        QTest::newRow("PORT= no port") << QByteArray("DRIVER=PostgreSQL\nPORT=54x\nDATABASE=plov\n") << u"unusable: PORT="_s;
        QTest::newRow("client parameter passed on") << QByteArray("DRIVER=PostgreSQL\nDATABASE=plov\nSSLMODE=require\nSSLROOTCERT=/etc/ca.pem\n") << u"server localhost:5432/plov  qtam5827qtam5827 sslmode=require sslrootcert=/etc/ca.pem"_s;
        QTest::newRow("client parameter with ;") << QByteArray("DRIVER=PostgreSQL\nDATABASE=plov\nSSLMODE={re;quire}\n") << u"unusable: SSLMODE= 不能含有分號"_s;
        QTest::newRow("server beside a broken DBQ=") << QByteArray("DRIVER=PostgreSQL\nSITE=C\nDBQ=/x\n") << u"unusable: DATABASE="_s;
        // clang-format on
    }
    void dataSourceFile()
    {
        QString leadsTo = Fetch<QString>("leadsTo");
        leadsTo.replace(u"<program>"_s, m_program.path()).replace(u"<home>"_s, m_home.path());
        const DatabaseLocation loc = locate(Fetch<QByteArray>("dsn"));
        QCOMPARE(loc.MachineUserId, u"PC01\\mary"_s);
        QString seen; // from the connection string, which must name that and nothing else
        try {
            const ConnectionInfo c = parseConnectionString(BuildConnectionString(loc));
            seen = loc.Server ? u"server %1:%2/%3 %4 %5"_s.arg(c.host, QString::number(c.port),
                                                               c.database, c.user, c.password)
                              : c.dataSource + u", temp "_s + loc.TempFolder;
            for (auto it = c.parameters.cbegin(); it != c.parameters.cend(); ++it)
                seen += u' ' + it.key() + u'=' + it.value();
            if (leadsTo.startsWith(u"Provider=")) // the suite's own form
                seen = BuildConnectionString(loc) + u", temp "_s + loc.TempFolder;
        } catch (const DbError &) { // above all no local PLOV.mdb
            seen = u"unusable: "_s + loc.Problem;
        }
        QVERIFY2(leadsTo.startsWith(u"unusable: ") ? seen.contains(leadsTo.mid(10))
                                                   : seen == leadsTo,
                 qPrintable(seen));
    }
};

QTEST_GUILESS_MAIN(TestStartupRules)
#include "tst_startuprules.moc"
