// The rules of the run summary without a database: where a score falls, the
// periods of the hours chart, its axes, how the statements' rows come together
// per press and operator, and how the figures print.

#include "reports/runsummary.h"
#include "reports/runsummarydata.h"
#include "reports/runsummaryreport.h"
#include "reports/summarycharts.h"
#include "testtables.h"

using namespace Qt::StringLiterals;

namespace {

RunTotals Totals(qint64 runs, double hours, double effective, double finished, double standard,
                 double scoreSum, double scoreSquares)
{
    return {runs, hours, effective, finished, standard, scoreSum, scoreSquares};
}

// The periods that hold hours, as "label hours/effective".
QStringList Worked(const PressSummary &press)
{
    QStringList worked;
    for (const PeriodHours &p : press.periods) {
        if (p.hours != 0 || p.effective != 0)
            worked.append(u"%1 %2/%3"_s.arg(p.label).arg(p.hours).arg(p.effective));
    }
    return worked;
}

} // namespace

class TestSummaryRules : public QObject
{
    Q_OBJECT

private slots:
    void scoreBars_data()
    {
        AddColumns<double, int>("score", "bar");
        // clang-format off
        QTest::newRow("a whole score") << 7.0 << 7;
        QTest::newRow("a half rounds up") << 4.5 << 5;
        QTest::newRow("below a half") << 0.4 << 0;
        QTest::newRow("below 0") << -1.0 << 0;
        QTest::newRow("above 10") << 12.0 << 10;
        // clang-format on
    }
    void scoreBars() { QCOMPARE(ScoreBar(Fetch<double>("score")), Fetch<int>("bar")); }

    void chartPeriods_data()
    {
        AddColumns<QString, QString, QString>("from", "to", "labels");
        // clang-format off
        QTest::newRow("days of a month") << u"1151201"_s << u"1151203"_s << u"12/1 2 3"_s;
        QTest::newRow("a new month names itself") << u"1151230"_s << u"1160102"_s << u"12/30 31 1/1 2"_s;
        QTest::newRow("62 days are days") << u"1151101"_s << u"1160101"_s << u"62"_s;
        QTest::newRow("longer by month") << u"1151115"_s << u"1160116"_s << u"115/11 115/12 116/01"_s;
        QTest::newRow("to before from") << u"1151205"_s << u"1151201"_s << QString();
        QTest::newRow("no such day") << u"1151131"_s << u"1151201"_s << QString();
        // clang-format on
    }
    void chartPeriods()
    {
        QStringList labels;
        const QVector<PeriodHours> periods =
            ChartPeriods(Fetch<QString>("from"), Fetch<QString>("to"));
        for (const PeriodHours &p : periods)
            labels.append(p.label);
        const QString expected = Fetch<QString>("labels");
        if (expected == u"62")
            QCOMPARE(periods.size(), 62);
        else
            QCOMPARE(labels.join(u' '), expected);
    }

    void monthRange_data()
    {
        AddColumns<QDate, QString>("day", "range");
        // clang-format off
        QTest::newRow("December") << QDate(2026, 12, 4) << u"1151201 1151231 一號機"_s;
        QTest::newRow("a leap February") << QDate(2028, 2, 1) << u"1170201 1170229 一號機"_s;
        // clang-format on
    }
    void monthRange()
    {
        const SummaryRange r = MonthSummaryRange(Fetch<QDate>("day"), u" 一號機 "_s);
        QCOMPARE(u"%1 %2 %3"_s.arg(r.from, r.to, r.press), Fetch<QString>("range"));
    }

    void chartAxis_data()
    {
        AddColumns<double, bool, QString>("highest", "counts", "axis"); // step, top
        // clang-format off
        QTest::newRow("nothing to show") << 0.0 << false << u"1 1"_s;
        QTest::newRow("hours") << 7.5 << false << u"2 8"_s;
        QTest::newRow("a step's multiple") << 10.0 << false << u"2 10"_s;
        QTest::newRow("past a multiple") << 12.5 << false << u"5 15"_s;
        QTest::newRow("small hours") << 0.3 << false << u"0.05 0.3"_s;
        QTest::newRow("one run") << 1.0 << true << u"1 1"_s;
        QTest::newRow("runs") << 13.0 << true << u"5 15"_s;
        // clang-format on
    }
    void chartAxis()
    {
        const ChartAxis axis = ChartAxisFor(Fetch<double>("highest"), Fetch<bool>("counts"));
        QCOMPARE(u"%1 %2"_s.arg(axis.step).arg(axis.top), Fetch<QString>("axis"));
    }

    void figureTexts_data()
    {
        AddColumns<RunTotals, QString>("totals", "texts");
        // clang-format off
        QTest::newRow("several runs") << Totals(3, 5, 3.6, 16700, 15100, 15, 125) << u"3|5.00|3.60|1.40|16,700|15,100|1,600|5.00|4.08"_s;
        QTest::newRow("short of the standard") << Totals(2, 5.25, 1.87, 2000, 2183, 8, 40) << u"2|5.25|1.87|3.38|2,000|2,183|-183|4.00|2.00"_s;
        QTest::newRow("halves away from zero") << Totals(1, 0.125, -0.125, 0, 0, 0, 0) << u"1|0.13|-0.13|0.25|0|0|0|0.00|0.00"_s;
        QTest::newRow("a year of runs") << Totals(10000, 17500, 14000, 19000000, 11200000, 50000, 350000) << u"10,000|17,500.00|14,000.00|3,500.00|19,000,000|11,200,000|7,800,000|5.00|3.16"_s;
        QTest::newRow("short by thousands") << Totals(2, 1234.5, 1000, 0, 1234567, 0, 0) << u"2|1,234.50|1,000.00|234.50|0|1,234,567|-1,234,567|0.00|0.00"_s;
        QTest::newRow("no runs") << RunTotals{} << u"0|0.00|0.00|0.00|0|0|0|0.00|0.00"_s;
        // clang-format on
    }
    void figureTexts()
    {
        QCOMPARE(SummaryFigureTexts(Fetch<RunTotals>("totals")).join(u'|'),
                 Fetch<QString>("texts"));
    }

    // Rows of one operator add up whatever blanks the stored texts carry; a
    // press's figures are its operators', the summary's its presses'; a score
    // row of an operator without figures is left out; hours fall on their day.
    void assemblesPressesAndOperators()
    {
        const QVector<OperatorRow> operators{
            {u"一號機"_s, u"E1"_s, u"王小明"_s, Totals(1, 2.5, 1.75, 14500, 14000, 5, 25)},
            {u"一號機 "_s, u" E1"_s, u"王小明 "_s, Totals(1, 1.5, 1.1, 1500, 1100, 10, 100)},
            {u"一號機"_s, QString(), QString(), Totals(1, 1, 0.75, 700, 0, 0, 0)},
            {u"二號機"_s, u"E2"_s, u"李大同"_s, Totals(2, 5, 3, 2000, 2100, 8, 34)},
        };
        const QVector<DayRow> days{{u"一號機"_s, u"1151201"_s, 2.5, 1.75},
                                   {u"一號機"_s, u"1151203"_s, 2.5, 1.85},
                                   {u"二號機"_s, u"1151130"_s, 9, 9}};
        const QVector<ScoreRow> scores{{u"一號機"_s, u"E1"_s, u"王小明"_s, 5, 1},
                                       {u"一號機"_s, u"E1 "_s, u"王小明"_s, 10, 1},
                                       {u"二號機"_s, u"E9"_s, u"無此人"_s, 5, 4},
                                       {u"二號機"_s, u"E2"_s, u"李大同"_s, 3, 1},
                                       {u"二號機"_s, u"E2"_s, u"李大同"_s, 5.4, 1}};
        const RunSummary s =
            AssembleRunSummary(u"1151201"_s, u"1151203"_s, operators, days, scores);
        QCOMPARE(s.presses.size(), 2);
        const PressSummary &one = s.presses[0];
        QCOMPARE(one.press, u"一號機"_s);
        QCOMPARE(one.operators.size(), 2);
        QCOMPARE(one.operators[0].id + one.operators[1].id + one.operators[1].name, u"E1王小明"_s);
        QCOMPARE(SummaryFigureTexts(one.operators[1].totals).join(u'|'),
                 u"2|4.00|2.85|1.15|16,000|15,100|900|7.50|2.50"_s);
        QCOMPARE(SummaryFigureTexts(one.totals).join(u'|'),
                 u"3|5.00|3.60|1.40|16,700|15,100|1,600|5.00|4.08"_s);
        QCOMPARE(one.operators[1].scores[5] + one.operators[1].scores[10], 2);
        QCOMPARE(Worked(one), QStringList({u"12/1 2.5/1.75"_s, u"3 2.5/1.85"_s}));
        const PressSummary &two = s.presses[1];
        QCOMPARE(two.operators.size(), 1);
        QCOMPARE(two.operators[0].scores[3] + two.operators[0].scores[5], 2);
        QCOMPARE(Worked(two), QStringList()); // before the range
        QCOMPARE(s.totals.runs, 5);
        QCOMPARE(s.totals.finished, 18700);
    }

    void monthsCollectTheirDays()
    {
        const RunSummary s =
            AssembleRunSummary(u"1151101"_s, u"1160131"_s,
                               {{u"一號機"_s, u"E1"_s, u"王"_s, Totals(3, 6, 5, 0, 0, 0, 0)}},
                               {{u"一號機"_s, u"1151130"_s, 1, 1},
                                {u"一號機"_s, u"1160101"_s, 2, 1.5},
                                {u"一號機"_s, u"1160131"_s, 3, 2.5}},
                               {});
        QCOMPARE(Worked(s.presses.first()), QStringList({u"115/11 1/1"_s, u"116/01 5/4"_s}));
    }
};

QTEST_GUILESS_MAIN(TestSummaryRules)
#include "tst_summaryrules.moc"
