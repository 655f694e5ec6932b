#include "time_sheet/runcomputations.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestComputations : public QObject
{
    Q_OBJECT

private slots:
    void timeConsumed_data();
    void timeConsumed();
    void figures_data();
    void figures();
    void scoreBands_data();
    void scoreBands();
};

void TestComputations::timeConsumed_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<double>("hours"); // NaN: not a valid stamp
    // clang-format off
    QTest::newRow("morning")          << u"1151204-08:00"_s << u"1151204-10:30"_s << 2.5;
    QTest::newRow("over midnight")    << u"1151204-23:45"_s << u"1151205-00:15"_s << 0.5;
    QTest::newRow("over year end")    << u"1141231-22:30"_s << u"1150101-00:00"_s << 1.5;
    QTest::newRow("end before start") << u"1151204-10:30"_s << u"1151204-08:00"_s << -2.5;
    QTest::newRow("two decimals")     << u"1151204-08:00"_s << u"1151204-08:25"_s << 0.42;
    QTest::newRow("invalid stamp")    << u"1151204-8:00"_s  << u"1151204-10:30"_s << qQNaN();
    // clang-format on
}

void TestComputations::timeConsumed()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(double, hours);
    const std::optional<double> result = TimeConsumedHours(start, end);
    QCOMPARE(result.has_value(), !qIsNaN(hours));
    if (result)
        QCOMPARE(*result, hours);
}

void TestComputations::figures_data()
{
    QTest::addColumn<double>("hours");
    QTest::addColumn<QString>("proofing");
    QTest::addColumn<bool>("capacity"); // 5 a plate, 10 proofing, 3 a fill, 15 washing
    QTest::addColumn<QString>("finished");
    QTest::addColumn<QString>("perHour");
    QTest::addColumn<QStringList>("expected"); // effective, standard, actual, difference, score
    // 4 plates, 2 fills.
    // clang-format off
    QTest::newRow("proofed, p 4.3")  << 2.0 << u"Y"_s << true  << u"1200"_s  << u"1000"_s << QStringList{u"1.15"_s, u"1150"_s, u"1200"_s, u"50"_s, u"5"_s};
    QTest::newRow("p 30.4")          << 2.0 << u"Y"_s << true  << u"1500"_s  << u"1000"_s << QStringList{u"1.15"_s, u"1150"_s, u"1500"_s, u"350"_s, u"10"_s};
    QTest::newRow("nothing done")    << 2.0 << u"Y"_s << true  << u""_s      << u"1000"_s << QStringList{u"1.15"_s, u"1150"_s, u"0"_s, u"-1150"_s, u"0"_s};
    QTest::newRow("default mark V")  << 2.0 << u"V"_s << true  << u"1,200"_s << u"1000"_s << QStringList{u"1.32"_s, u"1320"_s, u"1200"_s, u"-120"_s, u"4"_s};
    QTest::newRow("negative")        << 0.5 << u"Y"_s << true  << u"0"_s     << u"1000"_s << QStringList{u"-0.35"_s, u"-350"_s, u"0"_s, u"350"_s, u"0"_s};
    QTest::newRow("no capacity row") << 2.0 << u"Y"_s << false << u"2000"_s  << u"1000"_s << QStringList{u"2.00"_s, u"2000"_s, u"2000"_s, u"0"_s, u"5"_s};
    QTest::newRow("no standard")     << 2.0 << u"Y"_s << true  << u"1200"_s  << u"0"_s    << QStringList{u"1.15"_s, u"0"_s, u"1200"_s, u"1200"_s, u"0"_s};
    // clang-format on
}

void TestComputations::figures()
{
    QFETCH(double, hours);
    QFETCH(QString, proofing);
    QFETCH(bool, capacity);
    QFETCH(QString, finished);
    QFETCH(QString, perHour);
    QFETCH(QStringList, expected);
    const PressCapacity allowances = capacity ? PressCapacity{5, 10, 3, 15} : PressCapacity{};
    const QString effective = EffectiveTimeText(hours, 4, proofing, 2, allowances);
    const RunFigures f = FiguresOfRun(finished, effective, perHour);
    QCOMPARE((QStringList{effective, f.standard, f.actual, f.difference, f.score}), expected);
}

void TestComputations::scoreBands_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<QString>("score");
    // Both edges of each band; between bands the percentage is rounded to a
    // whole percent, half away from zero.
    // clang-format off
    QTest::newRow("10") << 26.0  << 999.0 << u"10"_s;
    QTest::newRow("9")  << 21.0  << 25.0  << u"9"_s;
    QTest::newRow("8")  << 16.0  << 20.0  << u"8"_s;
    QTest::newRow("7")  << 11.0  << 15.0  << u"7"_s;
    QTest::newRow("6")  << 6.0   << 10.0  << u"6"_s;
    QTest::newRow("5")  << -5.0  << 5.0   << u"5"_s;
    QTest::newRow("4")  << -10.0 << -6.0  << u"4"_s;
    QTest::newRow("3")  << -15.0 << -11.0 << u"3"_s;
    QTest::newRow("2")  << -20.0 << -16.0 << u"2"_s;
    QTest::newRow("1")  << -25.0 << -21.0 << u"1"_s;
    QTest::newRow("0")  << -100.0 << -26.0 << u"0"_s;
    QTest::newRow("5.49")          << 5.49  << 5.49  << u"5"_s;
    QTest::newRow("5.5 rounds up") << 5.5   << 5.5   << u"6"_s;
    QTest::newRow("25.5")          << 25.5  << 25.5  << u"10"_s;
    QTest::newRow("-5.5")          << -5.5  << -5.5  << u"4"_s;
    QTest::newRow("-25.5")         << -25.5 << -25.5 << u"0"_s;
    // clang-format on
}

void TestComputations::scoreBands()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(QString, score);
    // On a standard of 1000 a percentage p is a difference of 10 p.
    QCOMPARE(ScoreText(low * 10, 1000), score);
    QCOMPARE(ScoreText(high * 10, 1000), score);
}

QTEST_GUILESS_MAIN(TestComputations)
#include "tst_computations.moc"
