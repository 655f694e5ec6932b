#include "db/dberror.h"
#include "startup/commandline.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void cutsValues_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("ad");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("xls");
        QTest::addColumn<QString>("doc");
        QTest::addColumn<double>("pid");

        QTest::newRow("menu line")
            << "-qta5827 -AD=admin -NAME=王小明 -ID=E001 -XLS=.xlsx -DOC=.docx -PID=4242"
            << "admin"
            << "王小明"
            << "E001"
            << ".xlsx"
            << ".docx" << 4242.0;
        QTest::newRow("surrounding blanks trimmed once")
            << "  -qta5827 -AD=a -NAME=b -ID=c -XLS=d -DOC=e -PID=7  "
            << "a"
            << "b"
            << "c"
            << "d"
            << "e" << 7.0;
        QTest::newRow("double blank keeps one trailing blank")
            << "-qta5827 -AD=a  -NAME=b -ID=c -XLS=d -DOC=e -PID=1"
            << "a "
            << "b"
            << "c"
            << "d"
            << "e" << 1.0;
        QTest::newRow("value holding a later key is cut short")
            << "-qta5827 -AD=a -NAME=x-ID=y -ID=c -XLS=d -DOC=e -PID=1"
            << "a"
            << ""
            << "y -ID=c"
            << "d"
            << "e" << 1.0;
        QTest::newRow("empty values") << "-qta5827 -AD= -NAME= -ID= -XLS= -DOC= -PID=0"
                                      << ""
                                      << ""
                                      << ""
                                      << ""
                                      << "" << 0.0;
        QTest::newRow("apostrophe in a name")
            << "-qta5827 -AD=o'neil -NAME=O'Neil -ID=E'1 -XLS=x -DOC=y -PID=12"
            << "o'neil"
            << "O'Neil"
            << "E'1"
            << "x"
            << "y" << 12.0;
    }
    void cutsValues()
    {
        QFETCH(QString, line);
        const CommandLineIdentity id = CutCommandLine(line);
        QTEST(id.Ad, "ad");
        QTEST(id.UserName, "name");
        QTEST(id.UserId, "id");
        QTEST(id.XlsExt, "xls");
        QTEST(id.DocExt, "doc");
        QTEST(id.ParentWindow, "pid");
    }

    void failures_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("cutBeforeFailure"); // the user name cut before the failure

        QTest::newRow("no arguments") << "-qta5827"
                                      << "";
        QTest::newRow("keys out of order") << "-qta5827 -NAME=b -AD=a -ID=c -XLS=d -DOC=e -PID=1"
                                           << "";
        QTest::newRow("missing -ID=") << "-qta5827 -AD=a -NAME=b -XLS=d -DOC=e -PID=1"
                                      << "";
        QTest::newRow("empty -PID=") << "-qta5827 -AD=a -NAME=b -ID=c -XLS=d -DOC=e -PID="
                                     << "b";
        QTest::newRow("non-numeric -PID=") << "-qta5827 -AD=a -NAME=b -ID=c -XLS=d -DOC=e -PID=12x"
                                           << "b";
        QTest::newRow("token after -PID=") << "-AD=a -NAME=b -ID=c -XLS=d -DOC=e -PID=12 -qta5827"
                                           << "b";
    }
    void failures()
    {
        QFETCH(QString, line);
        QFETCH(QString, cutBeforeFailure);
        CommandLineIdentity partial;
        bool failed = false;
        try {
            CutCommandLine(line, &partial);
        } catch (const DbError &e) {
            failed = true;
            QVERIFY(!e.description().isEmpty());
        }
        QVERIFY(failed);
        QCOMPARE(partial.UserName, cutBeforeFailure);
        QCOMPARE(partial.ParentWindow, 0.0);
    }

    void launchToken_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("present");
        QTest::newRow("first") << "-qta5827 -AD=a" << true;
        QTest::newRow("anywhere") << "-AD=a -qta5827" << true;
        QTest::newRow("other case") << "-QTA5827 -AD=a" << false;
        QTest::newRow("absent") << "-AD=a -NAME=b" << false;
        QTest::newRow("empty") << "" << false;
    }
    void launchToken()
    {
        QFETCH(QString, line);
        QTEST(HasLaunchToken(line), "present");
    }

    void buildsTheSameLineItCuts()
    {
        CommandLineIdentity id;
        id.Ad = u"a"_s;
        id.UserName = u"王小明"_s;
        id.UserId = u"E001"_s;
        id.XlsExt = u".xlsx"_s;
        id.DocExt = u".docx"_s;
        id.ParentWindow = 65812;
        const QString line = BuildCommandLine(id);
        QCOMPARE(line, u"-qta5827 -AD=a -NAME=王小明 -ID=E001 -XLS=.xlsx -DOC=.docx -PID=65812"_s);
        const CommandLineIdentity back = CutCommandLine(line);
        QCOMPARE(back.UserName, id.UserName);
        QCOMPARE(back.ParentWindow, id.ParentWindow);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
