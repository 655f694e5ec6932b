#pragma once

#include "migration/rowsource.h"
#include "migration/targetschema.h"

#include <QDateTime>
#include <QVariant>

// Turning a value read from an Access column into what a column of the new
// database holds. Text stays as stored; numbers stay exact (a whole number only
// into an integer column, within its range; currency and decimals as their exact
// decimal text); a date and time becomes the column's date, date and time, or day
// number (a number column holds the day number Access stores), or, in a text
// column, "yyyy-MM-dd HH:mm:ss". A number or a yes/no into a text column becomes
// its text (yes 1, no 0). Null stays null; in a column that may not be null it
// takes the column's default. Blank text into a number column counts as null.
struct ConvertedValue
{
    QVariant value;         // what is bound; invalid for null
    QString error;          // why the value does not fit the column; empty when it does
    bool defaulted = false; // a null that took the column's default
};

ConvertedValue ConvertValue(const QVariant &value, SourceKind kind, const TargetColumn &column);

// Access's date and time: days since 30 December 1899, the fraction the time of
// day (before 1899 the whole days count back and the fraction still forward).
QDateTime DateTimeFromJet(double days);
double JetFromDateTime(const QDateTime &dateTime);
// "yyyy-MM-dd HH:mm:ss", with ".zzz" when there are milliseconds.
QString DateTimeText(const QDateTime &dateTime);
