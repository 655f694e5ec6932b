// plov import: the copy stage fed plain typed rows through the reader's seam
// (aim: at least 50,000 rows a second into SQLite; against the same multi-row
// inserts run directly on one connection, aim 2x), and the whole command on the
// largest Access file of the fixtures.

#include "benchsupport.h"
#include "db/connection.h"
#include "migration/plainrowsource.h"
#include "migration/tablecopy.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 100000;
constexpr int kRuns = 3;
constexpr int kSqliteBatch = 50; // rows a statement, as the copy sends them
constexpr int kServerBatch = 500;

// PRINTING_S as a shop's history holds it: every column, text, whole and real numbers.
PlainRowSource::Table history()
{
    const QList<std::pair<const char16_t *, SourceKind>> columns = {
        {u"PO", SourceKind::Text},        {u"NO", SourceKind::Integer},
        {u"DESC", SourceKind::Text},      {u"COLOR1", SourceKind::Integer},
        {u"COLOR2", SourceKind::Integer}, {u"COUNT", SourceKind::Real},
        {u"MEMB", SourceKind::Real},      {u"PLAT", SourceKind::Real},
        {u"SIZE", SourceKind::Text},      {u"QTY", SourceKind::Text},
        {u"QTY1", SourceKind::Real},      {u"QTY2", SourceKind::Real},
        {u"順序", SourceKind::Text},      {u"車別", SourceKind::Text},
        {u"ODATE", SourceKind::Text},     {u"FDATE", SourceKind::Text},
        {u"ACT", SourceKind::Text},       {u"REM", SourceKind::Text},
        {u"ID", SourceKind::Text},        {u"INO", SourceKind::Integer}};
    PlainRowSource::Table t;
    t.table.name = u"PRINTING_S"_s;
    for (const auto &[name, kind] : columns)
        t.table.columns.append({QString::fromUtf16(name), kind});
    t.table.rowCount = kRows;
    t.rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const QString po = u"A%1"_s.arg(1000000 + i / 3);
        t.rows.append({po,
                       i % 3 + 1,
                       u"春節禮盒 彩色印刷"_s,
                       4,
                       1,
                       2.5,
                       0.5,
                       1200.0,
                       u"菊全"_s,
                       u"0.167令 + 80張"_s,
                       5000.0 + i,
                       120.0,
                       u"%1"_s.arg(i % 50),
                       u"海德堡四色"_s,
                       u"1151204"_s,
                       i % 2 ? u"1205-14"_s : u""_s,
                       u""_s,
                       u"備註"_s,
                       u"P115120%1"_s.arg(i % 8),
                       i % 3 + 1});
    }
    return t;
}

// The same rows inserted directly: the statements the copy sends, without its
// conversion, on one connection in one transaction.
void insertDirectly(const QString &connectionString, const PlainRowSource::Table &t)
{
    Connection c;
    c.open(connectionString);
    QStringList names;
    for (const SourceColumn &column : t.table.columns)
        names.append(c.engine().quoteIdentifier(column.name));
    const QString one = u'(' + QString(u"?, "_s).repeated(names.size() - 1) + u"?)"_s;
    const int batch = c.engine().rowIdentity() == u"rowid" ? kSqliteBatch : kServerBatch;
    QStringList rows(batch, one);
    const QString sql = u"insert into "_s + c.engine().quoteIdentifier(t.table.name) + u" ("_s +
                        names.join(u", "_s) + u") values "_s + rows.join(u", "_s);
    TransactionGuard transaction(c);
    QVariantList values;
    for (int i = 0; i < kRows; i += batch) {
        values.clear();
        for (int r = i; r < i + batch; ++r)
            values += t.rows.at(r);
        c.run(sql, values).finish();
    }
    transaction.commit();
}

void reportRate(const QString &what, double rowsPerSecond, double aim)
{
    QTextStream out(stdout);
    out << what << ": " << qRound64(rowsPerSecond) << " rows/s";
    if (aim > 0)
        out << " (aim at least " << aim << " rows/s) " << (rowsPerSecond >= aim ? "OK" : "UNDER");
    out << "\n";
    out.flush();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const PlainRowSource::Table rows = history();
    QList<QList<double>> copyMs, directMs; // by engine, a time per run
    QStringList engines;
    for (int run = 0; run < kRuns; ++run) {
        const QList<BenchTarget> copyTargets = BenchTargets(false);
        const QList<BenchTarget> directTargets = BenchTargets(false);
        for (qsizetype e = 0; e < copyTargets.size(); ++e) {
            if (run == 0) {
                engines.append(copyTargets.at(e).name);
                copyMs.append(QList<double>());
                directMs.append(QList<double>());
            }
            PlainRowSource source({rows});
            QElapsedTimer timer;
            timer.start();
            const ImportReport report = CopyTables(source, copyTargets.at(e).connectionString);
            const double ms = timer.nsecsElapsed() / 1e6;
            if (!report.error.isEmpty())
                qFatal("copy failed: %s", qPrintable(report.error));
            timer.restart();
            insertDirectly(directTargets.at(e).connectionString, rows);
            const double direct = timer.nsecsElapsed() / 1e6;
            copyMs[e].append(ms);
            directMs[e].append(direct);
        }
        DropBenchDatabases();
    }
    for (qsizetype e = 0; e < engines.size(); ++e) {
        const double ms = Median(copyMs.at(e)), direct = Median(directMs.at(e));
        reportRate(engines.at(e) + u" copy of %1 rows of PRINTING_S (CopyTables)"_s.arg(kRows),
                   kRows / (ms / 1000), engines.at(e) == u"sqlite" ? 50000 : 0);
        reportRate(engines.at(e) + u" the same inserts run directly"_s, kRows / (direct / 1000), 0);
        ReportRatio(engines.at(e) + u" copy against the direct inserts"_s, ms / direct, 2);
    }

    // The whole command on the largest Access file of the fixtures, into SQLite.
    QString largest;
    for (const QFileInfo &f : QDir(QStringLiteral(PLOV_ACCESS_FIXTURES))
                                  .entryInfoList({u"*.mdb"_s}, QDir::Files, QDir::Size))
        largest = largest.isEmpty() ? f.filePath() : largest;
    if (largest.isEmpty()) {
        QTextStream(stdout) << "no Access files in " << PLOV_ACCESS_FIXTURES << "\n";
        return 0;
    }
    QTemporaryDir dir;
    int made = 0;
    const double ms = MedianMs(5, [&] {
        QProcess p;
        p.start(QStringLiteral(PLOV_TOOL),
                {u"import"_s, largest, dir.filePath(u"import%1.db"_s.arg(++made))});
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            qFatal("plov import failed: %s", p.readAllStandardError().constData());
    });
    Report(u"sqlite plov import of %1 (%2 KB), end to end"_s.arg(
               QFileInfo(largest).fileName(), QString::number(QFileInfo(largest).size() / 1024)),
           ms, 2000);
    return 0;
}
