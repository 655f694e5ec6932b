#pragma once

#include <QList>
#include <QString>
#include <functional>

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
