#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class DelayProxy;

// Where a benchmark's databases live: an SQLite file in a temporary folder, and,
// when PLOV_BENCH_PG names a server URL prefix (postgresql://user@host:port/),
// a PostgreSQL database made on that server for the run.
struct BenchTarget
{
    QString name;             // "sqlite" or "postgresql"
    QString connectionString; // of a fresh database with the schema
};

// Fresh databases for each engine available to this run.
QList<BenchTarget> BenchTargets(bool withDemoData);

// Drops the PostgreSQL databases made for the run; call before leaving main().
void DropBenchDatabases();

// The middle one of some measurements (the upper middle of an even number).
double Median(QList<double> values);

// Median milliseconds of `runs` runs of `work`.
double MedianMs(int runs, const std::function<void()> &work);

// One result line: "<what>: <value> ms (budget <budget> ms) OK|OVER".
void Report(const QString &what, double value, double budget = -1,
            const QString &unit = QStringLiteral("ms"));

// One ratio line: "<what>: <ratio>x (aim <aim>x) OK|OVER".
void ReportRatio(const QString &what, double ratio, double aim);

// The delay each way of a server "at 1 ms": a wired shop network.
inline constexpr double kHalfRoundTripMs = 0.5;

// A PostgreSQL connection string reached through a DelayProxy holding every chunk
// `delayMs` each way; the proxy lives as long as the returned object.
struct DistantServer
{
    std::shared_ptr<DelayProxy> proxy;
    QString connectionString;
};
DistantServer AtDistance(const QString &connectionString, double delayMs = kHalfRoundTripMs);

// One operation near the server and at 1 ms: medians of its times and the
// exchanges of one run at 1 ms (the last).
struct DistanceFigures
{
    double nearMs = 0;
    double farMs = 0;
    int exchanges = 0;
};
// `prepare` runs untimed before every run; `work` gets the connection string to use.
// A first run at each distance opens the pooled session and is not counted.
DistanceFigures MeasureAtDistance(const QString &connectionString, int runs,
                                  const std::function<void(const QString &)> &work,
                                  const std::function<void()> &prepare = {});
// "<what>: near <n> ms, at 1 ms <f> ms, <e> exchanges (aim ≤ <max>) OK|OVER".
void ReportDistance(const QString &what, const DistanceFigures &figures, int maxExchanges = -1,
                    double farBudgetMs = -1);
