#pragma once

#include <QString>
#include <QVector>
#include <array>
#include <optional>

class QDate;

// A summary of the stored press runs (預排資料耗時明細1) of some days, per press
// and per operator. Every figure is a sum of what the time sheet stored for each
// run; nothing is computed again from the stamps or the press's allowances.

// The highest score a run earns; scores run from 0 to it.
inline constexpr int kTopScore = 10;

// Figures of a set of runs.
struct RunTotals
{
    qint64 runs = 0;
    double hours = 0;     // 耗時
    double effective = 0; // 有效耗時
    double finished = 0;  // 完工數量
    // What the press should have printed: per run its effective hours times its
    // standard quantity per hour (標準數量), rounded to whole sheets half away
    // from zero, as the time sheet shows it.
    double standard = 0;
    double scoreSum = 0;     // 點數
    double scoreSquares = 0; // 點數 squared

    // What the allowances (plates, proofing, special fills, washing) took off:
    // hours less effective hours, as stored.
    double allowances() const { return hours - effective; }
    double difference() const { return finished - standard; }
    // The mean of the stored scores (0 without runs) and their spread (the
    // standard deviation of all of them).
    double scoreAverage() const;
    double scoreSpread() const;

    RunTotals &operator+=(const RunTotals &other);
};

struct OperatorFigures
{
    QString id;   // 經辦代號, trimmed
    QString name; // 經辦人員, trimmed
    RunTotals totals;
    std::array<qint64, kTopScore + 1> scores{}; // runs per score 0 to 10
};

// The hours of one day (or, over a long range, one month) of a press.
struct PeriodHours
{
    QString label; // "1" … "31" for days ("12/1" where a month begins), "115/12" for months
    double hours = 0;
    double effective = 0;
};

struct PressSummary
{
    QString press;
    RunTotals totals;
    QVector<OperatorFigures> operators; // by code, then name
    QVector<PeriodHours> periods;       // every day (or month) of the range, in order
};

struct RunSummary
{
    QString from; // 7-digit dates, both days included
    QString to;
    QVector<PressSummary> presses; // by name
    RunTotals totals;
};

// What the summary's statements give, one row per group. The runs of a day are
// those that start on it (a run across midnight counts on the day it began).
struct OperatorRow
{
    QString press;
    QString id;
    QString name;
    RunTotals totals;
};
struct DayRow
{
    QString press;
    QString date7;
    double hours = 0;
    double effective = 0;
};
struct ScoreRow
{
    QString press;
    QString id;
    QString name;
    double score = 0;
    qint64 runs = 0;
};


// The bar of the score distribution a stored score falls in: rounded to a whole
// score, held within 0 to 10.
int ScoreBar(double score);

// Whether the hours chart of the range from `from` to `to` shows months rather
// than days: when the range is longer than 62 days.
bool ChartedByMonth(const QString &from, const QString &to);

// The periods of the hours chart: each day from `from` to `to`, or each month
// (ChartedByMonth); all with zero hours.
QVector<PeriodHours> ChartPeriods(const QString &from, const QString &to);

// The summary from the statements' rows. Rows of the same press and operator
// (the same code and name once trimmed) add up; a press's totals are the sums
// of its operators', the summary's those of its presses.
RunSummary AssembleRunSummary(const QString &from, const QString &to,
                              const QVector<OperatorRow> &operators, const QVector<DayRow> &days,
                              const QVector<ScoreRow> &scores);
