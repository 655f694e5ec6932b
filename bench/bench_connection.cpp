// Opening and closing a connection a thousand times, pooled and unpooled, and the
// single-row statements the screens run per line, on each engine.

#include "benchsupport.h"
#include "daily_report/jobdetail.h"
#include "db/connection.h"
#include "db/postgresengine.h"
#include "db/recordset.h"
#include "production/completionpropagation.h"
#include "startup/runningprogram.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

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
            Report(t.name + u" open+close x1000, unpooled"_s, MedianMs(3, openClose));
            PostgresEngine::setPooling(true);
            Report(t.name + u" open+close x1000, pooled"_s, MedianMs(3, openClose));
        } else {
            Report(t.name + u" open+close x1000"_s, MedianMs(3, openClose));
        }

        Report(t.name + u" maintenance lock check"_s,
               MedianMs(50, [&] { ReadMaintenanceLock(t.connectionString); }));
        Report(t.name + u" job detail read"_s,
               MedianMs(50, [&] { ReadJobDetail(t.connectionString, u"A1151101"_s); }));
        Report(t.name + u" one line's completion propagation"_s, MedianMs(50, [&] {
                   Connection c;
                   c.open(t.connectionString);
                   TransactionGuard g(c);
                   CompletionLine line;
                   line.po = u"A1151101"_s;
                   line.no = 1;
                   line.id = u"P1151201"_s;
                   line.ino = 1;
                   line.planned = u"1204-08"_s;
                   PropagateCompletion(c, line, PropagatedStamps::PlannedAndCompletion);
                   g.commit();
               }));
    }
    DropBenchDatabases();
    return 0;
}
