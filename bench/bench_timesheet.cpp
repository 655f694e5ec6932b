// The time sheet on a job with 200 runs: opened and confirmed as the user does,
// and its save against the same delete and inserts run directly in one
// transaction (aim: at most twice that). On PostgreSQL, the load of the runs and
// their save also near and at 1 ms with their exchanges (the save: at most 6).

#include "benchsupport.h"
#include "common/handoff.h"
#include "db/connection.h"
#include "db/recordset.h"
#include "startup/sessionsettings.h"
#include "time_sheet/timesheetstore.h"
#include "time_sheet/timesheetwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 200;
constexpr int kRepeats = 9;

TimeSheetJob benchJob()
{
    ClearJobHandOff();
    JobHandOffList &h = JobHandOff();
    h[0] = u"A1151116"_s;
    h[1] = u"1"_s;
    h[4] = u"春節禮盒"_s;
    h[5] = u"海德堡四色"_s;
    h[6] = u"4"_s;
    h[8] = u"1"_s;
    h[9] = u"P1151205"_s;
    h[10] = u"1"_s;
    // Listed with the completion stamp the line holds now, as the main screen lists it.
    Connection c;
    c.open(Session().ConnectionString);
    Recordset rs(c);
    rs.open(u"select FDATE from [PRINTING_S] where PO = ? and [NO] = 1 and ID = ? and INO = 1"_s,
            {h[0], h[9]});
    h[12] = rs.eof() ? QString() : rs.text(u"FDATE"_s).trimmed();
    return JobFromHandOff(h);
}

// The runs' values in stored order, as the save writes them.
QVariantList runValues(const TimeSheetJob &job, int i)
{
    const QString day = u"11512%1"_s.arg(1 + i / 10, 2, 10, QLatin1Char('0'));
    const QString start = day + u"-%1:00"_s.arg(7 + i % 10, 2, 10, QLatin1Char('0'));
    const QString end = day + u"-%1:45"_s.arg(7 + i % 10, 2, 10, QLatin1Char('0'));
    return {start,  end,       u"4"_s, u"0"_s,    u"1"_s,    u"4"_s,      u"V"_s,
            u"1"_s, u"0.8"_s,  5000.0, job.press, u"E003"_s, u"陳志明"_s, 0.75,
            0.07,   u"換版"_s, 8000.0, 0.0,       job.po,    1.0,         i + 1};
}

// The runs as the sheet's grid holds them: each value as text.
QVector<QVector<QString>> runTexts(const TimeSheetJob &job)
{
    QVector<QVector<QString>> rows;
    for (int r = 0; r < kRuns; ++r) {
        QVector<QString> cells;
        for (const QVariant &value : runValues(job, r))
            cells.append(value.toString());
        rows.append(cells);
    }
    return rows;
}

// The same delete and inserts, run directly in one transaction.
void saveDirectly(const QString &connectionString, const TimeSheetJob &job)
{
    Connection c;
    c.open(connectionString);
    TransactionGuard transaction(c);
    c.execute(u"delete from [預排資料耗時明細1] where 機別 = ? And 工單單號 = ? And 工單序 = ?"_s,
              {job.press, job.po, 1.0});
    const QString insert =
        c.translate(u"insert into [預排資料耗時明細1] (開始, 結束, 正色, 反色, 台, 版數, 看印, "
                    u"特滿, 用墨量, 完工數量, 機別, 經辦代號, 經辦人員, 耗時, 有效耗時, 製作說明, "
                    u"標準數量, 點數, 工單單號, 工單序, 序) values "
                    u"(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    for (int i = 0; i < kRuns; ++i)
        c.run(insert, runValues(job, i)).finish();
    transaction.commit();
}

// Opens the sheet as the main screen does and confirms it; the times of the
// opening (to the runs shown) and of the confirmation.
std::pair<double, double> openAndConfirm()
{
    benchJob();
    QElapsedTimer opening;
    opening.start();
    double openMs = 0;
    double confirmMs = 0;
    TimeSheetWindow sheet;
    QObject::connect(&sheet, &TimeSheetWindow::ready, &sheet, [&] {
        openMs = opening.nsecsElapsed() / 1e6;
        QTimer::singleShot(0, &sheet, [&] {
            QElapsedTimer confirming;
            confirming.start();
            sheet.Confirm();
            confirmMs = confirming.nsecsElapsed() / 1e6;
        });
    });
    sheet.exec();
    if (sheet.filledRows() != kRuns || !TimeSheetSaved())
        qFatal("the sheet did not show and save %d runs", kRuns);
    return {openMs, confirmMs};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const BenchTarget &t : BenchTargets(true)) {
        Session().ConnectionString = t.connectionString;
        const TimeSheetJob job = benchJob();
        saveDirectly(t.connectionString, job);

        QList<double> direct, core, open, confirm;
        for (int i = 0; i < kRepeats; ++i) {
            QElapsedTimer timer;
            timer.start();
            saveDirectly(t.connectionString, job);
            direct.append(timer.nsecsElapsed() / 1e6);

            const RecordArray seen = LoadRuns(t.connectionString, job).value;
            const QVector<QVector<QString>> rows = runTexts(job);
            const TimeSheetJob listed = benchJob();
            timer.restart();
            if (const auto error = SaveRuns(t.connectionString, listed, rows, u"1206-17"_s, seen))
                qFatal("SaveRuns failed: %s", qUtf8Printable(*error));
            core.append(timer.nsecsElapsed() / 1e6);

            const auto [openMs, confirmMs] = openAndConfirm();
            open.append(openMs);
            confirm.append(confirmMs);
        }
        const double directMs = Median(direct);
        Report(t.name + u" delete and 200 inserts run directly"_s, directMs);
        Report(t.name + u" save of 200 runs (SaveRuns)"_s, Median(core), 2 * directMs);
        Report(t.name + u" time sheet opened on 200 runs"_s, Median(open));
        // The confirmation also checks the lock and recalculates every run first.
        Report(t.name + u" time sheet confirmed with 200 runs"_s, Median(confirm));
        if (t.name != u"postgresql"_s)
            continue;
        const QVector<QVector<QString>> rows = runTexts(job);
        ReportDistance(t.name + u" load of 200 runs (LoadRuns)"_s,
                       MeasureAtDistance(t.connectionString, kRepeats, [&](const QString &cs) {
                           if (const auto error = LoadRuns(cs, job).error)
                               qFatal("LoadRuns failed: %s", qUtf8Printable(*error));
                       }));
        // What the sheet read and the job it was opened on, fetched untimed
        // before each save.
        RecordArray seen;
        TimeSheetJob listed;
        ReportDistance(t.name + u" save of 200 runs (SaveRuns)"_s,
                       MeasureAtDistance(
                           t.connectionString, kRepeats,
                           [&](const QString &cs) {
                               if (const auto error =
                                       SaveRuns(cs, listed, rows, u"1206-17"_s, seen))
                                   qFatal("SaveRuns failed: %s", qUtf8Printable(*error));
                           },
                           [&] {
                               seen = LoadRuns(t.connectionString, job).value;
                               listed = benchJob();
                           }),
                       6);
    }
    DropBenchDatabases();
    return 0;
}
