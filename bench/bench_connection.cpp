// Opening and closing a connection a thousand times, pooled and unpooled, and the
// single-row statements the screens run per line, on each engine.

#include "benchsupport.h"
#include "daily_report/completionsave.h"
#include "daily_report/jobdetail.h"
#include "startup/db/connection.h"
#include "startup/db/postgresengine.h"
#include "startup/db/recordset.h"
#include "startup/runningprogram.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QList<BenchTarget> targets = BenchTargets(true);
    for (const BenchTarget &t : targets) {
        const auto openClose = [&] {
            for (int i = 0; i < 1000; ++i) {
                Connection c;
                c.open(t.connectionString);
            }
        };
        if (t.name == u"postgresql") {
            PostgresEngine::setPooling(false);
            Report(t.name + QStringLiteral(" open+close x1000, unpooled"), MedianMs(3, openClose));
            PostgresEngine::setPooling(true);
            Report(t.name + QStringLiteral(" open+close x1000, pooled"), MedianMs(3, openClose));
        } else {
            Report(t.name + QStringLiteral(" open+close x1000"), MedianMs(3, openClose));
        }

        Report(t.name + QStringLiteral(" maintenance lock check"),
               MedianMs(50, [&] { ReadMaintenanceLock(t.connectionString); }));
        Report(t.name + QStringLiteral(" job detail read"), MedianMs(50, [&] {
                   ReadJobDetail(t.connectionString, QStringLiteral("A1151101"));
               }));
        Report(t.name + QStringLiteral(" one line's completion propagation"), MedianMs(50, [&] {
                   Connection c;
                   c.open(t.connectionString);
                   TransactionGuard g(c);
                   CompletionLine line;
                   line.po = QStringLiteral("A1151101");
                   line.no = 1;
                   line.id = QStringLiteral("P1151201");
                   line.ino = 1;
                   line.planned = QStringLiteral("1204-08");
                   PropagateCompletion(c, line, true);
                   g.commit();
               }));
    }
    DropBenchDatabases();
    return 0;
}
