#pragma once

#include "db/recordset.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <optional>

// The press schedule: every job line pre-scheduled for printing on a press,
// open or finished, in the 25 columns of the schedule grid.

// The statement, with one "?" for the press prefix (the press text + "%").
QString ScheduleStatement(bool finishedOnly);

// A colour count as the schedule shows it: grouped by threes, zero blank.
QString ColourCountText(const QVariant &value);

struct ScheduleResult
{
    int count = 0;
    RecordArray records;          // (field, record), colour counts as shown
    std::optional<QString> error; // the engine's description when the query failed
};

// Runs the statement for a press text (trimmed here; empty lists every press).
ScheduleResult QueryScheduleRows(const QString &connectionString, const QString &press,
                                 bool finishedOnly);

// The planned and completion stamps a line held when it was listed.
struct ListedStamps
{
    QString planned;
    QString completion;
    bool operator==(const ListedStamps &) const = default;
};
// One per record, in grid order, as the grid shows them.
QVector<ListedStamps> ListedStampsOf(const RecordArray &records);

struct PressList
{
    QStringList names; // in phrase order
    std::optional<QString> error;
};
// The press names of the press choice.
PressList ReadPressNames(const QString &connectionString);
