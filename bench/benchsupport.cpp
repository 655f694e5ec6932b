#include "benchsupport.h"

#include "startup/db/connection.h"
#include "startup/db/databasecreator.h"
#include "startup/db/postgresengine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

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
    try {
        Connection c;
        c.open(ConnectionStringForTarget(pgUrl(QStringLiteral("postgres"))));
        for (const QString &name : pgDatabases())
            c.execute(QStringLiteral("drop database if exists \"%1\" with (force)").arg(name));
    } catch (...) {
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
        {QStringLiteral("sqlite"),
         CreatePlovDatabase(benchDir().filePath(QStringLiteral("bench%1.mdb").arg(counter)),
                            withDemoData)});
    if (!pgPrefix().isEmpty()) {
        const QString name =
            QStringLiteral("plovbench_%1_%2").arg(QCoreApplication::applicationPid()).arg(counter);
        pgDatabases().append(name);
        targets.append(
            {QStringLiteral("postgresql"), CreatePlovDatabase(pgUrl(name), withDemoData)});
    }
    return targets;
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
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
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
