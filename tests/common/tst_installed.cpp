// What the program installs as it starts: the translations, with which Qt's own
// buttons and the program's own texts speak Chinese, and the log's handler, which
// writes to the system journal where the computer has one, otherwise to stderr in
// Qt's own format, debug output only when asked for.

#include "common/log.h"
#include "common/translations.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestInstalled : public QObject
{
    Q_OBJECT

private slots:
    void qtsAndOwnTextsAreChinese()
    {
        QVERIFY(InstallChineseTranslations());
        QMessageBox box(QMessageBox::Question, u"詢問"_s, u"確定離開嗎？"_s,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
        QStringList captions; // with their keys: 是(&Y)
        for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok})
            captions << box.button(button)->text().section(u'(', 0, 0);
        QCOMPARE(captions, (QStringList{u"是"_s, u"否"_s, u"確定"_s}));
        // The grid's name as a screen reader announces it.
        QCOMPARE(QCoreApplication::translate("SpreadsheetGrid", "Grid"), u"表格"_s);
    }

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

QTEST_MAIN(TestInstalled)
#include "tst_installed.moc"
