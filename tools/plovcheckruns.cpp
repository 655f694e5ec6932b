#include "plovcheckruns.h"

#include "db/databasecreator.h"
#include "time_sheet/pressruns.h"

using namespace Qt::StringLiterals;

namespace {

QString runText(const RunInterval &run)
{
    return u"%1 序 %2 第 %3 筆 %4–%5"_s.arg(run.po, run.line)
        .arg(run.seq)
        .arg(run.startStamp, run.endStamp);
}

} // namespace

int PlovCheckRuns(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QStringList rest;
    QString from, to;
    bool wrong = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if ((arg == u"--from" || arg == u"--to") && i + 1 < args.size())
            (arg == u"--from" ? from : to) = args.at(++i);
        else if (arg.startsWith(u'-'))
            wrong = true; // an option this command does not have, or one without its value
        else
            rest.append(arg);
    }
    if (wrong || rest.isEmpty() || rest.size() > 2) {
        err << "usage: plov check-runs DB [PRESS] [--from DATE7] [--to DATE7]\n";
        return 2;
    }
    StoreRead<QVector<RunInterval>> runs =
        ReadRunIntervals(ConnectionStringForTarget(rest.at(0)), rest.value(1));
    if (runs.error) {
        err << "plov: 無法讀取耗時明細：" << *runs.error << "\n";
        return 2;
    }
    // DATE7 texts compare as their dates do.
    runs.value.removeIf([&](const RunInterval &run) {
        const QString day = run.startStamp.left(7);
        return (!from.isEmpty() && day < from) || (!to.isEmpty() && day > to);
    });
    const auto pairs = OverlappingPairs(runs.value);
    for (const auto &[first, second] : pairs)
        out << first.press << '\t' << runText(first) << '\t' << runText(second) << '\n';
    if (pairs.isEmpty()) {
        out << "沒有重疊的耗時明細\n";
        return 0;
    }
    return 1;
}
