#include "reports/runsummarydata.h"

#include "common/datetext.h"
#include "db/connection.h"
#include "db/recordset.h"

using namespace Qt::StringLiterals;

namespace {

QString Zero(const QString &column)
{
    return u"coalesce([%1], 0)"_s.arg(column);
}

// A run's standard quantity: effective hours times the standard per hour, rounded
// half away from zero on either engine (PostgreSQL rounds a double's halves to
// even, so a half left over is taken away from zero by hand).
QString RunStandard()
{
    const QString x = u"(%1 * %2)"_s.arg(Zero(u"有效耗時"_s), Zero(u"標準數量"_s));
    return u"(round(%1) + case when %1 >= 0 and %1 - round(%1) = 0.5 then 1 "
           u"when %1 < 0 and round(%1) - %1 = 0.5 then -1 else 0 end)"_s.arg(x);
}

// The runs of the range; the press's condition only when one is named.
QString RunsOf(bool onePress)
{
    return u" from [預排資料耗時明細1] where substr([開始], 1, 7) between ? and ?"_s +
           (onePress ? u" and [機別] = ?"_s : QString());
}

QString OperatorStatement(bool onePress)
{
    return u"select [機別] as press, [經辦代號] as id, [經辦人員] as name, count(*) as runs, "
           u"sum(%1) as hours, sum(%2) as effective, sum(%3) as finished, sum(%4) as standard, "
           u"sum(%5) as scores, sum(%5 * %5) as squares"_s.arg(Zero(u"耗時"_s), Zero(u"有效耗時"_s),
                                                               Zero(u"完工數量"_s), RunStandard(),
                                                               Zero(u"點數"_s)) +
           RunsOf(onePress) + u" group by [機別], [經辦代號], [經辦人員]"_s;
}

QString DayStatement(bool onePress)
{
    return u"select [機別] as press, substr([開始], 1, 7) as day, sum(%1) as hours, "
           u"sum(%2) as effective"_s.arg(Zero(u"耗時"_s), Zero(u"有效耗時"_s)) +
           RunsOf(onePress) + u" group by [機別], substr([開始], 1, 7)"_s;
}

QString ScoreStatement(bool onePress)
{
    return u"select [機別] as press, [經辦代號] as id, [經辦人員] as name, %1 as score, "
           u"count(*) as runs"_s.arg(Zero(u"點數"_s)) +
           RunsOf(onePress) +
           u" group by [機別], [經辦代號], [經辦人員], %1"_s.arg(Zero(u"點數"_s));
}

double Number(const Recordset &rs, const QString &field)
{
    return rs.value(field).toDouble();
}

} // namespace

SummaryRange MonthSummaryRange(const QDate &day, const QString &press)
{
    const QDate first(day.year(), day.month(), 1);
    return {Date7(first), Date7(first.addMonths(1).addDays(-1)), press.trimmed()};
}

RunSummary LoadRunSummary(Connection &connection, const SummaryRange &range)
{
    const QString press = range.press.trimmed();
    const bool onePress = !press.isEmpty();
    QVariantList params{range.from, range.to};
    if (onePress)
        params.append(press);

    Recordset rs(connection);
    QVector<OperatorRow> operators;
    rs.open(OperatorStatement(onePress), params);
    for (; !rs.eof(); rs.moveNext()) {
        RunTotals t;
        t.runs = rs.value(u"runs"_s).toLongLong();
        t.hours = Number(rs, u"hours"_s);
        t.effective = Number(rs, u"effective"_s);
        t.finished = Number(rs, u"finished"_s);
        t.standard = Number(rs, u"standard"_s);
        t.scoreSum = Number(rs, u"scores"_s);
        t.scoreSquares = Number(rs, u"squares"_s);
        operators.append({rs.text(u"press"_s), rs.text(u"id"_s), rs.text(u"name"_s), t});
    }
    QVector<DayRow> days;
    rs.open(DayStatement(onePress), params);
    for (; !rs.eof(); rs.moveNext()) {
        days.append({rs.text(u"press"_s), rs.text(u"day"_s), Number(rs, u"hours"_s),
                     Number(rs, u"effective"_s)});
    }
    QVector<ScoreRow> scores;
    rs.open(ScoreStatement(onePress), params);
    for (; !rs.eof(); rs.moveNext()) {
        scores.append({rs.text(u"press"_s), rs.text(u"id"_s), rs.text(u"name"_s),
                       Number(rs, u"score"_s), rs.value(u"runs"_s).toLongLong()});
    }
    return AssembleRunSummary(range.from, range.to, operators, days, scores);
}

