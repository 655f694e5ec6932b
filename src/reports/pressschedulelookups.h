#pragma once

#include "reports/pressscheduleentry.h"
#include "reports/pressschedulerow.h"

#include <QString>
#include <QVector>

// The lookups one detail entry makes by its work order and line: the job's
// PAPER lines and PLATE lines. Each call may throw DbError.
class PressScheduleLookups
{
public:
    struct PaperLine
    {
        QString paperSpec;
        QString item;
        QString fdate;
    };

    virtual ~PressScheduleLookups() = default;
    // Told every row of the report before the first entry: the lookups of all of
    // them may be read at once.
    virtual void prepare(const QVector<PressScheduleRow> &rows) { Q_UNUSED(rows) }
    // Around the lookups of one entry (a connection of its own per entry).
    virtual void beginRow() {}
    virtual void endRow() {}
    virtual QVector<PaperLine> paperLines(const QString &po, double no) = 0;
    // FDATE of each PLATE line of the job.
    virtual QVector<QString> plateDates(const QString &po, double no) = 0;
};

// Completes an entry from the lookups: the paper text from the single PAPER line
// when the row names no paper of its own, then 版 and 紙 ("Y" when the job has
// exactly one line and its FDATE is filled). A failed lookup leaves the rest of
// the entry as it stands, without a message: the entry prints what it has.
void ApplyRowLookups(PressScheduleEntry &entry, const PressScheduleRow &row,
                     PressScheduleLookups &lookups);

// Every row's entry, numbered from 1 and completed from the lookups, which are
// told all the rows first so that they read them at once.
QVector<PressScheduleEntry> PressScheduleEntries(const QVector<PressScheduleRow> &rows,
                                                 PressScheduleLookups &lookups);
