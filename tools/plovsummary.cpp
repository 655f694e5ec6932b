#include "plovsummary.h"

#include "common/datetext.h"
#include "db/databasecreator.h"
#include "reports/runsummaryfile.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

int usage(QTextStream &err)
{
    err << "usage: plov summary DB --from DATE7 --to DATE7 [--press PRESS] "
           "-o FILE.pdf|FILE.xlsx|FILE.csv\n"
           "DATE7 is a date as the shop writes it, 1151201 for 1 December 2026\n";
    return 2;
}

bool IsSummaryFile(const QString &file)
{
    for (const QString &ext : {u".pdf"_s, u".xlsx"_s, u".csv"_s}) {
        if (file.endsWith(ext, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

int PlovSummary(const QStringList &args, QTextStream &out, QTextStream &err)
{
    SummaryRange range;
    QString file;
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const bool valued = i + 1 < args.size();
        if (arg == u"--from" && valued)
            range.from = args.at(++i);
        else if (arg == u"--to" && valued)
            range.to = args.at(++i);
        else if (arg == u"--press" && valued)
            range.press = args.at(++i);
        else if (arg == u"-o" && valued)
            file = args.at(++i);
        else if (arg.startsWith(u"-"_s))
            return usage(err);
        else
            rest.append(arg);
    }
    const std::optional<QDate> from = DateOf7(range.from);
    const std::optional<QDate> to = DateOf7(range.to);
    if (rest.size() != 1 || !IsSummaryFile(file) || !from || !to || *to < *from)
        return usage(err);
    if (const auto error = WriteRunSummary(ConnectionStringForTarget(rest.at(0)), range, file)) {
        err << u"plov: "_s << *error << u'\n';
        return 1;
    }
    out << u"wrote "_s << file << u'\n';
    return 0;
}
