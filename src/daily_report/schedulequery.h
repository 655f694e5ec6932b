#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

// The press schedule: every job line pre-scheduled for printing on a press,
// open or finished, in the 25 columns of the schedule grid.

// The statement, with one "?" for the press prefix (the press text + "%").
QString ScheduleStatement(bool finishedOnly);

struct ScheduleResult
{
    int count = 0;
    QVector<QVector<QVariant>> records; // (field, record)
};

// Runs the statement for a press text (trimmed here; empty lists every press).
// Throws DbError.
ScheduleResult QueryScheduleRows(const QString &connectionString, const QString &press,
                                 bool finishedOnly);

// The press names of the press choice, in phrase order. Throws DbError.
QStringList ReadPressNames(const QString &connectionString);
