#include "time_sheet/runcomputations.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestComputations : public QObject
{
    Q_OBJECT

private slots:
    void timeConsumed_data();
    void timeConsumed();
    void effectiveTime_data();
    void effectiveTime();
    void figures_data();
    void figures();
    void scoreBands_data();
    void scoreBands();
    void quantityValue_data();
    void quantityValue();
};

void TestComputations::timeConsumed_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("hours");
    // clang-format off
    QTest::newRow("morning")          << u"1151204-08:00"_s << u"1151204-10:30"_s << true  << 2.5;
    QTest::newRow("over midnight")    << u"1151204-23:45"_s << u"1151205-00:15"_s << true  << 0.5;
    QTest::newRow("over month end")   << u"1151130-23:00"_s << u"1151201-01:00"_s << true  << 2.0;
    QTest::newRow("over year end")    << u"1141231-22:30"_s << u"1150101-00:00"_s << true  << 1.5;
    QTest::newRow("end before start") << u"1151204-10:30"_s << u"1151204-08:00"_s << true  << -2.5;
    QTest::newRow("two decimals")     << u"1151204-08:00"_s << u"1151204-08:25"_s << true  << 0.42;
    QTest::newRow("invalid start")    << u"1151204-8:00"_s  << u"1151204-10:30"_s << false << 0.0;
    QTest::newRow("invalid end")      << u"1151204-08:00"_s << u"1151232-10:30"_s << false << 0.0;
    // clang-format on
}

void TestComputations::timeConsumed()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(bool, valid);
    QFETCH(double, hours);
    const std::optional<double> result = TimeConsumedHours(start, end);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, hours);
}

void TestComputations::effectiveTime_data()
{
    QTest::addColumn<double>("hours");
    QTest::addColumn<double>("plates");
    QTest::addColumn<QString>("proofing");
    QTest::addColumn<double>("fills");
    QTest::addColumn<bool>("capacity");
    QTest::addColumn<QString>("expected");
    // Allowances 5 a plate, 10 for proofing, 3 a fill, 15 for washing.
    // clang-format off
    QTest::newRow("proofed")             << 2.0 << 4.0 << u"Y"_s << 2.0 << true  << u"1.15"_s;
    QTest::newRow("default mark V")      << 2.0 << 4.0 << u"V"_s << 2.0 << true  << u"1.32"_s;
    QTest::newRow("mark must be exact")  << 2.0 << 4.0 << u" Y"_s << 2.0 << true << u"1.32"_s;
    QTest::newRow("washing only")        << 1.0 << 0.0 << u""_s  << 0.0 << true  << u"0.75"_s;
    QTest::newRow("negative")            << 0.1 << 4.0 << u"Y"_s << 0.0 << true  << u"-0.65"_s;
    QTest::newRow("press without row")   << 2.0 << 4.0 << u"Y"_s << 2.0 << false << u"2.00"_s;
    // clang-format on
}

void TestComputations::effectiveTime()
{
    QFETCH(double, hours);
    QFETCH(double, plates);
    QFETCH(QString, proofing);
    QFETCH(double, fills);
    QFETCH(bool, capacity);
    QFETCH(QString, expected);
    const PressCapacity allowances = capacity ? PressCapacity{5, 10, 3, 15} : PressCapacity{};
    QCOMPARE(EffectiveTimeText(hours, plates, proofing, fills, allowances), expected);
}

void TestComputations::figures_data()
{
    QTest::addColumn<QString>("finished");
    QTest::addColumn<QString>("effective");
    QTest::addColumn<QString>("perHour");
    QTest::addColumn<QStringList>("expected"); // standard, actual, difference, score
    // clang-format off
    QTest::newRow("p 4.3")          << u"1200"_s << u"1.15"_s << u"1000"_s << QStringList{u"1150"_s, u"1200"_s, u"50"_s, u"5"_s};
    QTest::newRow("p 30.4")         << u"1500"_s << u"1.15"_s << u"1000"_s << QStringList{u"1150"_s, u"1500"_s, u"350"_s, u"10"_s};
    QTest::newRow("nothing done")   << u""_s     << u"1.15"_s << u"1000"_s << QStringList{u"1150"_s, u"0"_s, u"-1150"_s, u"0"_s};
    QTest::newRow("no standard")    << u"1200"_s << u"1.15"_s << u"0"_s    << QStringList{u"0"_s, u"1200"_s, u"1200"_s, u"0"_s};
    QTest::newRow("whole standard") << u"900"_s  << u"0.28"_s << u"8000"_s << QStringList{u"2240"_s, u"900"_s, u"-1340"_s, u"0"_s};
    QTest::newRow("grouped actual") << u"1,200"_s << u"1.15"_s << u"1000"_s << QStringList{u"1150"_s, u"1200"_s, u"50"_s, u"5"_s};
    // clang-format on
}

void TestComputations::figures()
{
    QFETCH(QString, finished);
    QFETCH(QString, effective);
    QFETCH(QString, perHour);
    QFETCH(QStringList, expected);
    const RunFigures f = FiguresOfRun(finished, effective, perHour);
    QCOMPARE(f.perHour, perHour);
    QCOMPARE((QStringList{f.standard, f.actual, f.difference, f.score}), expected);
}

void TestComputations::scoreBands_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<QString>("score");
    // Band edges, and the percentages between bands rounded to a whole percent.
    // clang-format off
    QTest::newRow("26")    << 26.0  << u"10"_s;
    QTest::newRow("25")    << 25.0  << u"9"_s;
    QTest::newRow("21")    << 21.0  << u"9"_s;
    QTest::newRow("20")    << 20.0  << u"8"_s;
    QTest::newRow("16")    << 16.0  << u"8"_s;
    QTest::newRow("15")    << 15.0  << u"7"_s;
    QTest::newRow("11")    << 11.0  << u"7"_s;
    QTest::newRow("10")    << 10.0  << u"6"_s;
    QTest::newRow("6")     << 6.0   << u"6"_s;
    QTest::newRow("5")     << 5.0   << u"5"_s;
    QTest::newRow("-5")    << -5.0  << u"5"_s;
    QTest::newRow("-6")    << -6.0  << u"4"_s;
    QTest::newRow("-10")   << -10.0 << u"4"_s;
    QTest::newRow("-11")   << -11.0 << u"3"_s;
    QTest::newRow("-15")   << -15.0 << u"3"_s;
    QTest::newRow("-16")   << -16.0 << u"2"_s;
    QTest::newRow("-20")   << -20.0 << u"2"_s;
    QTest::newRow("-21")   << -21.0 << u"1"_s;
    QTest::newRow("-25")   << -25.0 << u"1"_s;
    QTest::newRow("-26")   << -26.0 << u"0"_s;
    QTest::newRow("5.5")   << 5.5   << u"6"_s;
    QTest::newRow("5.49")  << 5.49  << u"5"_s;
    QTest::newRow("-5.5")  << -5.5  << u"4"_s;
    QTest::newRow("25.5")  << 25.5  << u"10"_s;
    QTest::newRow("-25.5") << -25.5 << u"0"_s;
    QTest::newRow("-25.4") << -25.4 << u"1"_s;
    // clang-format on
}

void TestComputations::scoreBands()
{
    QFETCH(double, percent);
    QFETCH(QString, score);
    QCOMPARE(ScoreText(percent * 10, 1000), score);
}

void TestComputations::quantityValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    // clang-format off
    QTest::newRow("plain")            << u"1200"_s      << 1200.0;
    QTest::newRow("grouped")          << u"1,200"_s     << 1200.0;
    QTest::newRow("grouped, decimals") << u"12,345.5"_s << 12345.5;
    QTest::newRow("two groups")       << u"1,234,567"_s << 1234567.0;
    QTest::newRow("not grouped")      << u"12,00"_s     << 12.0;
    QTest::newRow("leading number")   << u"12.5kg"_s    << 12.5;
    QTest::newRow("text")             << u"abc"_s       << 0.0;
    QTest::newRow("empty")            << u""_s          << 0.0;
    // clang-format on
}

void TestComputations::quantityValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(QuantityValue(text), value);
}

QTEST_GUILESS_MAIN(TestComputations)
#include "tst_computations.moc"
