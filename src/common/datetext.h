#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

// Dates of the shared database are 7-digit Minguo texts: the year less 1911
// in three digits, then MMDD (4 December 2026 is "1151204"). Fixed width and
// zero padding make them compare in date order as plain text.

// A date as 7-digit text.
QString Date7(const QDate &date);
// The day a 7-digit date text names; nothing unless it is seven digits naming a
// real date.
std::optional<QDate> DateOf7(const QString &date7);
// A 7-digit date text as shown to people: year without leading zeros, "/",
// MM, "/", DD ("0990131" -> "99/01/31").
QString ShownDate(const QString &date7);

// Today (from Clock::current()) as 7-digit and as shown text.
QString TodayDate7();
QString TodayDateShown();

// The planned/completion stamp of a job line, MMDD-HH ("1204-14").
QString StampMMDDHH(const QDateTime &moment);
QString StampMMDDHH();

// The start/end stamp of a press run, 7-digit date, "-", hh:nn
// ("1151204-14:05").
QString TimeStamp(const QDateTime &moment);
QString TimeStamp();

// The Gregorian date and time a run stamp stands for: year from its first
// three characters plus 1911, month from characters 4-5, day from characters
// 6-7, time from its last five characters ("hh:nn"). Invalid unless the first
// seven characters are digits naming a real date and the time is a real time.
// The result carries no time zone (UTC), so differences are plain
// calendar arithmetic.
QDateTime StampDateTime(const QString &stamp);

// Whole minute boundaries crossed going from one moment to another; negative
// when the end lies before the start.
qint64 MinutesBetween(const QDateTime &from, const QDateTime &to);

// Minutes between two run stamps, or nothing when either is not a valid stamp.
std::optional<qint64> MinutesBetweenStamps(const QString &startStamp, const QString &endStamp);
