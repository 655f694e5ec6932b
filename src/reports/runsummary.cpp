#include "reports/runsummary.h"

#include "common/datetext.h"

#include <QDate>
#include <QHash>
#include <QMap>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// A range longer than this is charted by month.
constexpr qint64 kMostDaysCharted = 62;

QString MonthLabel(const QDate &date)
{
    return ShownDate(Date7(date)).section(u'/', 0, 1); // "115/12"
}

using OperatorKey = std::pair<QString, QString>; // code, name

} // namespace

double RunTotals::scoreAverage() const
{
    return runs > 0 ? scoreSum / double(runs) : 0;
}

double RunTotals::scoreSpread() const
{
    if (runs == 0)
        return 0;
    const double mean = scoreAverage();
    return std::sqrt(std::max(0.0, scoreSquares / double(runs) - mean * mean));
}

RunTotals &RunTotals::operator+=(const RunTotals &o)
{
    runs += o.runs;
    hours += o.hours;
    effective += o.effective;
    finished += o.finished;
    standard += o.standard;
    scoreSum += o.scoreSum;
    scoreSquares += o.scoreSquares;
    return *this;
}

int ScoreBar(double score)
{
    return int(std::clamp(std::round(score), 0.0, double(kTopScore)));
}

bool ChartedByMonth(const QString &from, const QString &to)
{
    const std::optional<QDate> first = DateOf7(from);
    const std::optional<QDate> last = DateOf7(to);
    return first && last && first->daysTo(*last) + 1 > kMostDaysCharted;
}

QVector<PeriodHours> ChartPeriods(const QString &from, const QString &to)
{
    const std::optional<QDate> first = DateOf7(from);
    const std::optional<QDate> last = DateOf7(to);
    QVector<PeriodHours> periods;
    if (!first || !last || *last < *first)
        return periods;
    if (ChartedByMonth(from, to)) {
        for (QDate month(first->year(), first->month(), 1); month <= *last;
             month = month.addMonths(1))
            periods.append({MonthLabel(month)});
        return periods;
    }
    for (QDate day = *first; day <= *last; day = day.addDays(1)) {
        const bool showsMonth = day == *first || day.day() == 1;
        periods.append(
            {showsMonth ? u"%1/%2"_s.arg(day.month()).arg(day.day()) : QString::number(day.day())});
    }
    return periods;
}

RunSummary AssembleRunSummary(const QString &from, const QString &to,
                              const QVector<OperatorRow> &operators, const QVector<DayRow> &days,
                              const QVector<ScoreRow> &scores)
{
    QMap<QString, QMap<OperatorKey, OperatorFigures>> byPress;
    for (const OperatorRow &row : operators) {
        const OperatorKey key{row.id.trimmed(), row.name.trimmed()};
        OperatorFigures &figures = byPress[row.press.trimmed()][key];
        figures.id = key.first;
        figures.name = key.second;
        figures.totals += row.totals;
    }
    for (const ScoreRow &row : scores) {
        const auto press = byPress.find(row.press.trimmed());
        if (press == byPress.end())
            continue;
        const auto figures = press->find({row.id.trimmed(), row.name.trimmed()});
        if (figures != press->end())
            figures->scores[size_t(ScoreBar(row.score))] += row.runs;
    }

    const QVector<PeriodHours> periods = ChartPeriods(from, to);
    const std::optional<QDate> first = DateOf7(from);
    const bool monthly = ChartedByMonth(from, to);
    // Each day's hours in its press's period, every day read once.
    QHash<QString, QVector<PeriodHours>> hoursByPress;
    for (const DayRow &day : days) {
        const std::optional<QDate> date = DateOf7(day.date7);
        if (!date || !first)
            continue;
        const qint64 index =
            monthly ? (date->year() - first->year()) * 12 + (date->month() - first->month())
                    : first->daysTo(*date);
        if (index < 0 || index >= periods.size())
            continue;
        auto hours = hoursByPress.find(day.press.trimmed());
        if (hours == hoursByPress.end())
            hours = hoursByPress.insert(day.press.trimmed(), periods);
        (*hours)[index].hours += day.hours;
        (*hours)[index].effective += day.effective;
    }
    RunSummary summary{from, to, {}, {}};
    for (auto press = byPress.cbegin(); press != byPress.cend(); ++press) {
        PressSummary p{press.key(), {}, press->values(), hoursByPress.value(press.key(), periods)};
        for (const OperatorFigures &o : std::as_const(p.operators))
            p.totals += o.totals;
        summary.totals += p.totals;
        summary.presses.append(p);
    }
    return summary;
}
