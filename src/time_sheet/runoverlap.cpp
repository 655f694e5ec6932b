#include "time_sheet/runoverlap.h"

#include "common/datetext.h"

#include <QDateTime>
#include <algorithm>

using namespace Qt::StringLiterals;

std::optional<RunInterval> IntervalOf(const QString &startStamp, const QString &endStamp)
{
    const QDateTime start = StampDateTime(startStamp.trimmed());
    const QDateTime end = StampDateTime(endStamp.trimmed());
    if (!start.isValid() || !end.isValid() || end <= start)
        return std::nullopt;
    RunInterval interval;
    interval.start = start.toSecsSinceEpoch() / 60;
    interval.end = end.toSecsSinceEpoch() / 60;
    interval.startStamp = startStamp.trimmed();
    interval.endStamp = endStamp.trimmed();
    return interval;
}

void SortByStart(QVector<RunInterval> &runs)
{
    std::stable_sort(runs.begin(), runs.end(),
                     [](const RunInterval &a, const RunInterval &b) { return a.start < b.start; });
}

namespace {

// True when two intervals share some time; intervals that only touch (one ends
// when the other starts) do not.
bool Overlaps(const RunInterval &a, const RunInterval &b)
{
    return a.start < b.end && b.start < a.end;
}

} // namespace

QVector<std::optional<RunInterval>> OverlapsOf(const QVector<std::optional<RunInterval>> &runs,
                                               const QVector<RunInterval> &stored)
{
    // A press's history can hold many thousands of runs: each run looks only
    // at the stored runs starting before it ends, from the latest back, and not
    // at all when none of those ends after it starts.
    QVector<qint64> latestEnd(stored.size());
    for (qsizetype j = 0; j < stored.size(); ++j)
        latestEnd[j] = std::max(stored[j].end, j > 0 ? latestEnd[j - 1] : stored[j].end);
    QVector<std::optional<RunInterval>> found(runs.size());
    for (qsizetype i = 0; i < runs.size(); ++i) {
        if (!runs[i])
            continue;
        const RunInterval &run = *runs[i];
        for (qsizetype j = 0; j < runs.size() && !found[i]; ++j)
            if (j != i && runs[j] && Overlaps(run, *runs[j]))
                found[i] = runs[j];
        const auto before = std::lower_bound(
            stored.cbegin(), stored.cend(), run.end,
            [](const RunInterval &other, qint64 end) { return other.start < end; });
        for (qsizetype j = before - stored.cbegin() - 1; j >= 0 && !found[i]; --j) {
            if (latestEnd[j] <= run.start)
                break; // nothing this early ends after the run starts
            if (stored[j].end > run.start)
                found[i] = stored[j];
        }
    }
    return found;
}

QString OverlapText(const RunInterval &other)
{
    return u"與 %1 序 %2 第 %3 筆 %4–%5 重疊"_s.arg(other.po, other.line)
        .arg(other.seq)
        .arg(other.startStamp.right(5), other.endStamp.right(5));
}

QVector<std::pair<RunInterval, RunInterval>> OverlappingPairs(QVector<RunInterval> runs)
{
    std::sort(runs.begin(), runs.end(), [](const RunInterval &a, const RunInterval &b) {
        return std::tie(a.press, a.start, a.end) < std::tie(b.press, b.start, b.end);
    });
    QVector<std::pair<RunInterval, RunInterval>> pairs;
    for (qsizetype i = 0; i < runs.size(); ++i)
        for (qsizetype j = i + 1;
             j < runs.size() && runs[j].press == runs[i].press && runs[j].start < runs[i].end; ++j)
            pairs.append({runs[i], runs[j]});
    return pairs;
}
