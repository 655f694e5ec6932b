#include "startup/platform.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void windowsVersion_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("expected");
        QTest::newRow("Windows 7") << "6.1.7601"
                                   << "Microsoft Windows 7 Professional" << 6.1;
        QTest::newRow("XP") << "5.1.2600"
                            << "Microsoft Windows XP" << 5.1;
        QTest::newRow("Windows 11 reports 10.0") << "10.0.22631"
                                                 << "Microsoft Windows 11 Pro" << 11.0;
        QTest::newRow("Windows 10") << "10.0.19045"
                                    << "Microsoft Windows 10 Home" << 10.0;
        QTest::newRow("server edition") << "6.3.9600"
                                        << "Microsoft Windows Server 2012 R2" << 0.0;
        QTest::newRow("no second dot") << "6.1"
                                       << "" << 6.0;
        QTest::newRow("no dot at all") << "10"
                                       << "" << 0.0;
        QTest::newRow("Linux kernel") << "6.1.0-13-amd64"
                                      << "Debian GNU/Linux 12 (bookworm)" << 6.1;
    }
    void windowsVersion()
    {
        QFETCH(QString, version);
        QFETCH(QString, caption);
        QFETCH(double, expected);
        QVERIFY(qFuzzyCompare(WindowsVersionFrom(version, caption) + 1, expected + 1));
    }

    void parentAliveOnlyWhileItsProcessRuns()
    {
        QVERIFY(IsParentAlive(QCoreApplication::applicationPid()));
        QVERIFY(!IsParentAlive(0));
        QVERIFY(!IsParentAlive(-5));
        QProcess menu;
        menu.start(u"/bin/sleep"_s, {u"30"_s});
        QVERIFY(menu.waitForStarted());
        const double pid = double(menu.processId());
        QVERIFY(IsParentAlive(pid));
        menu.kill();
        QVERIFY(menu.waitForFinished());
        QVERIFY(!IsParentAlive(pid));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
