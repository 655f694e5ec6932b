#pragma once

#include <QString>

// The editing rules of the schedule grid that need no grid: which headings take
// stamps, and how long an entry may be.

// "預定日" and "完工日": the planned and completion stamp columns.
bool IsStampHeading(const QString &heading);

// A row whose closing mark holds anything besides blanks is closed.
bool IsClosedRow(const QString &closingMark);

// An entry that ends an edit, after its byte limit: the text the cell keeps and,
// when it was cut, the message that says so.
struct LimitedEntry
{
    QString text;
    QString message; // empty when the entry fitted
    bool setsText = true;
};
// "順序" takes 10 bytes, the stamp columns 7; other headings set no text.
LimitedEntry LimitScheduleEntry(const QString &heading, const QString &entry);
