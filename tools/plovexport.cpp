#include "plovexport.h"

#include "db/databasecreator.h"
#include "reports/schedulesheet.h"

using namespace Qt::StringLiterals;

namespace {

int usage(QTextStream &err)
{
    err << "usage: plov export-schedule DB [PRESS] -o FILE.xlsx|FILE.csv\n";
    return 2;
}

bool IsSheetFile(const QString &file)
{
    return file.endsWith(u".xlsx"_s, Qt::CaseInsensitive) ||
           file.endsWith(u".csv"_s, Qt::CaseInsensitive);
}

} // namespace

int PlovExportSchedule(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString file;
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"-o" && i + 1 < args.size())
            file = args.at(++i);
        else
            rest.append(args.at(i));
    }
    if (rest.isEmpty() || rest.size() > 2 || !IsSheetFile(file))
        return usage(err);
    const QString press = rest.size() == 2 ? rest.at(1) : QString();
    if (const auto error = WriteScheduleSheet(ConnectionStringForTarget(rest.at(0)), press, file)) {
        err << u"plov: "_s << *error << u'\n';
        return 1;
    }
    out << u"wrote "_s << file << u'\n';
    return 0;
}
