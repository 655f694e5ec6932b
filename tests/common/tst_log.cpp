// Where the log goes: the system journal where the computer has one, otherwise
// stderr in Qt's own format; debug output only when asked for.

#include "common/log.h"

#include <QFile>
#include <QTemporaryFile>
#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestLog : public QObject
{
    Q_OBJECT

private slots:
    void withoutJournalTheLogGoesToStderr()
    {
        if (QFile::exists(u"/run/systemd/journal/socket"_s))
            QSKIP("this computer's journal takes the log");
        QTemporaryFile file;
        QVERIFY(file.open());
        const QtMessageHandler testOutput = qInstallMessageHandler(nullptr);
        const int savedStderr = dup(STDERR_FILENO);
        dup2(file.handle(), STDERR_FILENO);
        InstallLogHandler(ChooseLogSink()); // stderr is a file here, not a terminal
        qCCritical(LogMainScreen).noquote() << u"儲存錯誤: database is locked"_s;
        qCDebug(LogMainScreen).noquote() << u"not asked for"_s;
        dup2(savedStderr, STDERR_FILENO);
        close(savedStderr);
        qInstallMessageHandler(testOutput);
        QFile written(file.fileName());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(written.readAll()),
                 u"plov.daily_report: 儲存錯誤: database is locked\n"_s);
    }
};

QTEST_GUILESS_MAIN(TestLog)
#include "tst_log.moc"
