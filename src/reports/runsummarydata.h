#pragma once

#include "reports/runsummary.h"

#include <QString>
#include <optional>

class Connection;
class QDate;

// The runs a summary covers: those starting on the days from `from` to `to`
// (7-digit dates, both included) on the press named exactly `press`, or on every
// press when it is empty.
struct SummaryRange
{
    QString from;
    QString to;
    QString press;
};

// The runs of the month of a day on a press (every press when empty).
SummaryRange MonthSummaryRange(const QDate &day, const QString &press);

// Reads the summary with one statement per kind of figure, whatever the number
// of runs: the sums per press and operator, the hours per press and day, and the
// runs per press, operator and score. A missing value counts as 0, as the time
// sheet reads it. Failures throw DbError.
RunSummary LoadRunSummary(Connection &connection, const SummaryRange &range);

