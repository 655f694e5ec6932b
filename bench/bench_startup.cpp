// Start to main screen shown on the demo database, against a bare Qt main window
// of the same size started and shown the same way (aim: 1.5 times or less; sanity
// budget 300 ms); with PLOV_BENCH_PG, also on a PostgreSQL demo database near and
// at 1 ms, with the exchanges after connecting (aim: 15). Each program is started as the menu
// starts it, from a folder of its own beside a fresh demo database, and timed from its start until
// it reports that its first activation is done. The two take turns, so a busy machine slows both
// alike.
//
// Run it on a window system (a desktop, or under `xvfb-run -a`); without a
// display both run offscreen, where a bare window costs next to nothing and
// the ratio says little.

#include "benchsupport.h"
#include "db/connection.h"
#include "db/connectioninfo.h"
#include "db/databasecreator.h"
#include "db/postgresengine.h"
#include "delayproxy.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 15;

// Milliseconds from the start of the process until it reports its main screen
// shown; nothing when it did not.
std::optional<double> timeToShown(const QString &program, const QStringList &arguments,
                                  const QProcessEnvironment &environment)
{
    QProcess p;
    p.setProcessEnvironment(environment);
    QElapsedTimer t;
    t.start();
    p.start(program, arguments);
    QByteArray out;
    while (!out.contains("shown after") && p.waitForReadyRead(30000))
        out += p.readAllStandardOutput();
    const double ms = t.nsecsElapsed() / 1e6;
    p.waitForFinished(30000);
    if (!out.contains("shown after")) {
        QTextStream(stderr) << program << " did not report its start: " << out
                            << p.readAllStandardError() << "\n";
        return std::nullopt;
    }
    return ms;
}

// Writes the program folder's PLOV.DSN naming a PostgreSQL server.
void nameServer(const QString &folder, const QString &connectionString)
{
    const ConnectionInfo info = parseConnectionString(connectionString);
    QFile f(folder + u"/PLOV.DSN"_s);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write PLOV.DSN");
    f.write(u"DRIVER=PostgreSQL\nSERVER=%1\nPORT=%2\nDATABASE=%3\nUID=%4\nPWD=%5\n"_s.arg(info.host)
                .arg(info.port)
                .arg(info.database, info.user, info.password)
                .toUtf8());
}

// The exchanges of opening one session: the connection itself.
int exchangesOfConnecting(const QString &connectionString)
{
    const DistantServer far = AtDistance(connectionString, 0);
    {
        Connection c;
        c.open(far.connectionString);
    }
    const int exchanges = far.proxy->exchanges();
    PostgresEngine::clearPool(); // the program will open its own
    return exchanges;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString program = dir.filePath(u"daily_report"_s);
    const QString bare = dir.filePath(u"barewindow"_s);
    // The program's own Main, in a launcher that prints when the main screen is shown.
    QFile::copy(QCoreApplication::applicationDirPath() + u"/bench_startupprogram"_s, program);
    QFile::copy(QCoreApplication::applicationDirPath() + u"/bench_barewindow"_s, bare);
    CreatePlovDatabase(dir.filePath(u"PLOV.mdb"_s), true);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The programs keep their one-copy lock, preferences, hand-off files and
    // temporary files in the temporary folder, never among the user's own. The
    // display stays reachable: its cookie and a Wayland socket named relative to
    // the user's runtime folder are named in full.
    if (!env.contains(u"XAUTHORITY"_s))
        env.insert(u"XAUTHORITY"_s, QDir::home().filePath(u".Xauthority"_s));
    const QString wayland = env.value(u"WAYLAND_DISPLAY"_s);
    if (!wayland.isEmpty() && QDir::isRelativePath(wayland))
        env.insert(u"WAYLAND_DISPLAY"_s, env.value(u"XDG_RUNTIME_DIR"_s) + u'/' + wayland);
    for (const QString &folder :
         {u"HOME"_s, u"XDG_RUNTIME_DIR"_s, u"XDG_CONFIG_HOME"_s, u"TMPDIR"_s})
        env.insert(folder, dir.path());
    if (!env.contains(u"DISPLAY"_s) && !env.contains(u"WAYLAND_DISPLAY"_s))
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    const QStringList arguments = {u"-qta5827"_s,
                                   u"-AD=王小明"_s,
                                   u"-NAME=王小明"_s,
                                   u"-ID=E001"_s,
                                   u"-XLS=.xlsx"_s,
                                   u"-DOC=.docx"_s,
                                   u"-PID=%1"_s.arg(QCoreApplication::applicationPid())};

    QList<double> programTimes;
    QList<double> bareTimes;
    for (int run = 0; run < kRuns; ++run) {
        const auto b = timeToShown(bare, {}, env);
        const auto p = timeToShown(program, arguments, env);
        if (!b || !p)
            return 1;
        bareTimes.append(*b);
        programTimes.append(*p);
    }
    const double shown = Median(programTimes);
    const double limit = Median(bareTimes);
    const QString platform = env.value(u"QT_QPA_PLATFORM"_s, u"the window system"_s);
    Report(u"bare main window, start to shown (median of %1, %2)"_s.arg(kRuns).arg(platform),
           limit);
    Report(u"start to main screen shown (median of %1)"_s.arg(kRuns), shown, 300);
    ReportRatio(u"start-up against the bare window"_s, shown / limit, 1.5);

    // The same on a PostgreSQL demo database, near and through the delaying proxy.
    for (const BenchTarget &t : BenchTargets(true)) {
        if (t.name != u"postgresql"_s)
            continue;
        const int connecting = exchangesOfConnecting(t.connectionString);
        const DistantServer far = AtDistance(t.connectionString);
        DistanceFigures figures;
        QList<double> nearTimes, farTimes;
        for (int run = 0; run < 5; ++run) {
            for (const bool distant : {false, true}) {
                nameServer(dir.path(), distant ? far.connectionString : t.connectionString);
                const int exchanges = far.proxy->exchanges();
                const int connections = far.proxy->connections();
                const auto p = timeToShown(program, arguments, env);
                if (!p)
                    return 1;
                (distant ? farTimes : nearTimes).append(*p);
                if (distant)
                    figures.exchanges = far.proxy->exchanges() - exchanges -
                                        connecting * (far.proxy->connections() - connections);
            }
        }
        figures.nearMs = Median(nearTimes);
        figures.farMs = Median(farTimes);
        ReportDistance(u"postgresql start to main screen shown (median of 5; exchanges after "
                       u"connecting, %1 per connection)"_s.arg(connecting),
                       figures, 15);
    }
    DropBenchDatabases();
    return 0;
}
