#include "reports/pressschedulelookups.h"

#include "db/dberror.h"
#include "db/jetval.h"
#include "reports/pressscheduleformat.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

QString DoneMark(const QVector<QString> &dates)
{
    return dates.size() == 1 && !dates.first().trimmed().isEmpty() ? u"Y"_s : QString();
}

QVector<QString> PaperDates(const QVector<PressScheduleLookups::PaperLine> &lines)
{
    QVector<QString> dates;
    dates.reserve(lines.size());
    for (const PressScheduleLookups::PaperLine &line : lines)
        dates.append(line.fdate);
    return dates;
}

} // namespace

void ApplyRowLookups(PressScheduleEntry &entry, const PressScheduleRow &row,
                     PressScheduleLookups &lookups)
{
    const QString po = row.po.trimmed();
    const double no = Val(row.no);
    try {
        lookups.beginRow();
        // The paper lines are read once: for the paper text when the row names
        // no paper, otherwise after the plates, for 紙 alone.
        std::optional<QVector<PressScheduleLookups::PaperLine>> paper;
        if (row.paperSpec.trimmed().isEmpty() && row.paperItem.trimmed().isEmpty()) {
            paper = lookups.paperLines(po, no);
            if (paper->size() == 1)
                entry.paperText = PaperLineText(paper->first().paperSpec, paper->first().item);
        }
        entry.plateDone = DoneMark(lookups.plateDates(po, no));
        if (!paper)
            paper = lookups.paperLines(po, no);
        entry.paperArrived = DoneMark(PaperDates(*paper));
    } catch (const DbError &) {
        // The entry prints with what it has so far.
    }
    try {
        lookups.endRow();
    } catch (const DbError &) {
    }
}

QVector<PressScheduleEntry> PressScheduleEntries(const QVector<PressScheduleRow> &rows,
                                                 PressScheduleLookups &lookups)
{
    lookups.prepare(rows);
    QVector<PressScheduleEntry> entries;
    entries.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        entries.append(FormatPressScheduleEntry(rows[i], int(i + 1)));
        ApplyRowLookups(entries.last(), rows[i], lookups);
    }
    return entries;
}
