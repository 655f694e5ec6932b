#pragma once

#include "time_sheet/runcomputations.h"
#include "time_sheet/timesheetjob.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>
#include <utility>

// The time sheet's reads and its save. Every call opens its own connection;
// failures throw DbError.

// A result as the grid layer takes it: subscripted (field, record).
using RecordArray = QVector<QVector<QVariant>>;

// The stored runs of a job, in run order, all 21 fields.
RecordArray LoadRuns(const QString &connectionString, const TimeSheetJob &job);
// The number of runs in such a result.
int RunCount(const RecordArray &runs);

// The phrase rows (ID, ITEM, DESC) of the press and stoppage lists, or a single
// empty element when there are none.
RecordArray ReadRunChoices(const QString &connectionString);
// The special-fill list: "1" to "9" as (ID, ITEM, DESC) rows.
RecordArray SpecialFillChoices();

// The standard quantity per hour of a press (its PHRASE REM), 0 when unknown.
double ReadStandardQuantity(const QString &connectionString, const QString &press);
// The allowances of a press, all 0 when it has none.
PressCapacity ReadPressCapacity(const QString &connectionString, const QString &press);
// The staff member whose code or name is the typed text: (code, name).
std::optional<std::pair<QString, QString>> ReadOperator(const QString &connectionString,
                                                        const QString &typed);

// Replaces the stored runs of the job by `rows` (the grid's filled rows, one
// text per column from column 1), renumbered 1, 2, 3 …, and writes the
// completion stamp into the line's production rows by the completion
// propagation rule, all in one transaction. `seen` is what LoadRuns gave when
// the sheet was opened: when the stored runs are no longer those, another user
// saved this job meanwhile, and the save writes nothing and throws
// DbConflictError rather than wipe runs nobody here has seen.
void SaveRuns(const QString &connectionString, const TimeSheetJob &job,
              const QVector<QVector<QString>> &rows, const QString &completion,
              const RecordArray &seen);
