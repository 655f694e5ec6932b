// Start to main screen shown on the demo database (budget 300 ms): the program,
// copied into a folder of its own beside a fresh demo database, is started as
// the menu starts it and reports when its first activation is done.

#include "benchsupport.h"
#include "startup/db/databasecreator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("daily_report"));
    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/../daily_report"),
                program);
    CreatePlovDatabase(dir.filePath(QStringLiteral("PLOV.mdb")), true);

    QList<double> times;
    QList<double> reported;
    for (int run = 0; run < 7; ++run) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PLOV_REPORT_STARTUP"), QStringLiteral("1"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TMPDIR"), dir.path());
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(program, {QStringLiteral("-qta5827"), QStringLiteral("-AD=王小明"),
                          QStringLiteral("-NAME=王小明"), QStringLiteral("-ID=E001"),
                          QStringLiteral("-XLS=.xlsx"), QStringLiteral("-DOC=.docx"),
                          QStringLiteral("-PID=%1").arg(QCoreApplication::applicationPid())});
        p.waitForFinished(30000);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const qsizetype at = out.indexOf(QStringLiteral("after "));
        if (at < 0) {
            QTextStream(stderr) << "the program did not report its start: " << out
                                << p.readAllStandardError() << "\n";
            return 1;
        }
        reported.append(out.mid(at + 6).section(u' ', 0, 0).toDouble());
        times.append(t.nsecsElapsed() / 1e6);
    }
    std::sort(reported.begin(), reported.end());
    std::sort(times.begin(), times.end());
    Report(QStringLiteral("start to main screen shown (inside the process, median of 7)"),
           reported.at(3), 300);
    Report(QStringLiteral("whole process, start to exit (median of 7)"), times.at(3));
    return 0;
}
