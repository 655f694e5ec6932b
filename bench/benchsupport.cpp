#include "benchsupport.h"

#include "db/connectioninfo.h"
#include "delayproxy.h"

#include "db/databasecreator.h"
#include "db/dberror.h"
#include "db/postgresengine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
QTemporaryDir &benchDir()
{
    static QTemporaryDir dir;
    return dir;
}
QStringList &pgDatabases()
{
    static QStringList names;
    return names;
}
QString pgPrefix()
{
    return qEnvironmentVariable("PLOV_BENCH_PG");
}
// The server URL prefix with a database name put in front of its query part.
QString pgUrl(const QString &database)
{
    const QString prefix = pgPrefix();
    const qsizetype q = prefix.indexOf(u'?');
    return q >= 0 ? prefix.left(q) + database + prefix.mid(q) : prefix + database;
}
} // namespace

void DropBenchDatabases()
{
    PostgresEngine::clearPool();
    if (pgDatabases().isEmpty())
        return;
    for (const QString &name : pgDatabases()) {
        try {
            DropPostgresDatabase(pgUrl(name));
        } catch (const DbError &e) {
            qWarning("could not drop benchmark database: %s", qPrintable(e.description()));
        }
    }
    pgDatabases().clear();
    PostgresEngine::clearPool();
}

QList<BenchTarget> BenchTargets(bool withDemoData)
{
    static int counter = 0;
    ++counter;
    QList<BenchTarget> targets;
    targets.append(
        {u"sqlite"_s,
         CreatePlovDatabase(benchDir().filePath(u"bench%1.mdb"_s.arg(counter)), withDemoData)});
    if (!pgPrefix().isEmpty()) {
        const QString name =
            u"plovbench_%1_%2"_s.arg(QCoreApplication::applicationPid()).arg(counter);
        pgDatabases().append(name);
        targets.append({u"postgresql"_s, CreatePlovDatabase(pgUrl(name), withDemoData)});
    }
    return targets;
}

double Median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double MedianMs(int runs, const std::function<void()> &work)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.append(t.nsecsElapsed() / 1e6);
    }
    return Median(times);
}

void Report(const QString &what, double value, double budget, const QString &unit)
{
    QTextStream out(stdout);
    out << what << ": " << QString::number(value, 'f', 2) << " " << unit;
    if (budget >= 0)
        out << " (budget " << budget << " " << unit << ") " << (value <= budget ? "OK" : "OVER");
    out << "\n";
    out.flush();
}

void ReportRatio(const QString &what, double ratio, double aim)
{
    QTextStream out(stdout);
    out << what << ": " << QString::number(ratio, 'f', 2) << "x (aim " << aim << "x) "
        << (ratio <= aim ? "OK" : "OVER") << "\n";
    out.flush();
}

DistantServer AtDistance(const QString &connectionString, double delayMs)
{
    ConnectionInfo info = parseConnectionString(connectionString);
    auto proxy = std::make_shared<DelayProxy>(info.host.isEmpty() ? u"localhost"_s : info.host,
                                              info.port, delayMs);
    info.host = u"127.0.0.1"_s;
    info.port = proxy->port();
    return {proxy, postgresConnectionString(info)};
}

DistanceFigures MeasureAtDistance(const QString &connectionString, int runs,
                                  const std::function<void(const QString &)> &work,
                                  const std::function<void()> &prepare)
{
    const DistantServer far = AtDistance(connectionString);
    DistanceFigures figures;
    QList<double> nearTimes;
    QList<double> farTimes;
    for (int run = 0; run <= runs; ++run) {
        for (const bool distant : {false, true}) {
            if (prepare)
                prepare();
            const int before = far.proxy->exchanges();
            QElapsedTimer t;
            t.start();
            work(distant ? far.connectionString : connectionString);
            const double ms = t.nsecsElapsed() / 1e6;
            if (run == 0)
                continue;
            (distant ? farTimes : nearTimes).append(ms);
            if (distant)
                figures.exchanges = far.proxy->exchanges() - before;
        }
    }
    figures.nearMs = Median(nearTimes);
    figures.farMs = Median(farTimes);
    return figures;
}

void ReportDistance(const QString &what, const DistanceFigures &figures, int maxExchanges,
                    double farBudgetMs)
{
    QTextStream out(stdout);
    out << what << ": near " << QString::number(figures.nearMs, 'f', 2) << " ms, at 1 ms "
        << QString::number(figures.farMs, 'f', 2) << " ms";
    if (farBudgetMs >= 0)
        out << " (budget " << farBudgetMs << " ms) "
            << (figures.farMs <= farBudgetMs ? "OK" : "OVER");
    out << ", " << figures.exchanges << " exchanges";
    if (maxExchanges >= 0)
        out << " (aim " << maxExchanges << ") "
            << (figures.exchanges <= maxExchanges ? "OK" : "OVER");
    out << "\n";
    out.flush();
}
