// Start to main screen shown on the demo database (budget 300 ms): the program,
// copied into a folder of its own beside a fresh demo database, is started as
// the menu starts it and reports when its first activation is done.

#include "benchsupport.h"
#include "db/databasecreator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString program = dir.filePath(u"daily_report"_s);
    QFile::copy(QCoreApplication::applicationDirPath() + u"/../daily_report"_s, program);
    CreatePlovDatabase(dir.filePath(u"PLOV.mdb"_s), true);

    QList<double> times;
    QList<double> reported;
    for (int run = 0; run < 7; ++run) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"PLOV_REPORT_STARTUP"_s, u"1"_s);
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"TMPDIR"_s, dir.path());
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(program,
                {u"-qta5827"_s, u"-AD=王小明"_s, u"-NAME=王小明"_s, u"-ID=E001"_s, u"-XLS=.xlsx"_s,
                 u"-DOC=.docx"_s, u"-PID=%1"_s.arg(QCoreApplication::applicationPid())});
        p.waitForFinished(30000);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const qsizetype at = out.indexOf(u"after "_s);
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
    Report(u"start to main screen shown (inside the process, median of 7)"_s, reported.at(3), 300);
    Report(u"whole process, start to exit (median of 7)"_s, times.at(3));
    return 0;
}
