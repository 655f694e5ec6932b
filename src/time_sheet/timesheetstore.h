#pragma once

#include "db/recordset.h"
#include "production/changehistory.h"
#include "time_sheet/runcomputations.h"
#include "time_sheet/timesheetjob.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

// The time sheet's reads and its save. Every call opens its own connection and
// closes it; a database failure comes back as its own description, never thrown.

// What a read gave: on a failure, what was read before it and the failure's
// description.
template <typename T> struct StoreRead
{
    T value{};
    std::optional<QString> error;
};

// The stored runs of a job, in run order, all 21 fields.
StoreRead<RecordArray> LoadRuns(const QString &connectionString, const TimeSheetJob &job);
// The number of runs in such a result.
int RunCount(const RecordArray &runs);

// The phrase rows (ID, ITEM, DESC) of the press and stoppage lists, or a single
// empty element when there are none (or they could not be read).
StoreRead<RecordArray> ReadRunChoices(const QString &connectionString);
// The special-fill list: "1" to "9" as (ID, ITEM, DESC) rows.
RecordArray SpecialFillChoices();

// What the runs of a press are worked out with, read on one connection (the
// allowances all 0 when the press has none or they could not be read).
StoreRead<PressFigures> ReadPressFigures(const QString &connectionString, const QString &press);

// The staff member whose code or name is the typed text.
struct StaffMember
{
    QString id;
    QString name;
};
StoreRead<std::optional<StaffMember>> ReadOperator(const QString &connectionString,
                                                   const QString &typed);

// Replaces the stored runs of the job by `rows` (the grid's filled rows, one
// text per column from column 1), renumbered 1, 2, 3 …, and writes the
// completion stamp into the line's production rows by the completion
// propagation rule, all in one transaction. `seen` is what LoadRuns gave when
// the sheet was opened: when the stored runs are no longer those, another user
// saved this job meanwhile, and the save writes nothing rather than wipe runs
// nobody here has seen; so does a line whose PRINTING_S no longer holds the
// completion stamp it was listed with (the job's listedCompletion). Gives the
// failure's description when nothing was saved. With an editor, what it changed
// (runs and stamps) is recorded in the history of saves in the same transaction.
std::optional<QString> SaveRuns(const QString &connectionString, const TimeSheetJob &job,
                                const QVector<QVector<QString>> &rows, const QString &completion,
                                const RecordArray &seen,
                                const std::optional<Editor> &editor = std::nullopt);
