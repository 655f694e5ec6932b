#pragma once

#include <QString>
#include <QVector>
#include <optional>

// Runs of one press whose times overlap. A press prints one job at a time, so
// an overlap is a typing slip (a wrong date, a forgotten end); it is flagged,
// never refused: the operator decides.

// A run's interval in minutes, with what names it.
struct RunInterval
{
    qint64 start = 0; // minutes, comparable across days
    qint64 end = 0;
    QString press;
    QString po;
    QString line;
    int seq = 0;        // the run's number within its line
    QString startStamp; // as stored
    QString endStamp;
};

// The run's interval, or nothing when it is not compared: a stamp missing or
// not a date and time, or an end that is not after the start.
std::optional<RunInterval> IntervalOf(const QString &startStamp, const QString &endStamp);

// Runs in order of their start, as OverlapsOf takes the stored ones.
void SortByStart(QVector<RunInterval> &runs);

// For each of `runs` (in order), the first of `runs` it overlaps, else the
// latest-starting of `stored` it overlaps; `stored` holds the other lines' runs
// of the same press, in order of their start.
QVector<std::optional<RunInterval>> OverlapsOf(const QVector<std::optional<RunInterval>> &runs,
                                               const QVector<RunInterval> &stored);

// The warning that names the other run: "與 A115001 序 2 第 1 筆 14:05–15:20 重疊".
QString OverlapText(const RunInterval &other);

// Every pair of runs of the same press that overlap, each pair once, the
// earlier-starting run first, in order of press and start.
QVector<std::pair<RunInterval, RunInterval>> OverlappingPairs(QVector<RunInterval> runs);
