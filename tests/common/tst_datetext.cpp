#include "common/clock.h"
#include "common/datetext.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestDateText : public QObject
{
    Q_OBJECT

private slots:
    void todayDate7_data();
    void todayDate7();
    void todayDateShown_data();
    void todayDateShown();
    void invalidDateGivesEmptyText();
    void stampMMDDHH_data();
    void stampMMDDHH();
    void timeStamp_data();
    void timeStamp();
    void stampsFollowTheClock();
    void stampDateTime_data();
    void stampDateTime();
    void minutesBetweenStamps_data();
    void minutesBetweenStamps();
    void minutesCountBoundaries_data();
    void minutesCountBoundaries();
};

void TestDateText::todayDate7_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2010, year padded") << QDateTime(QDate(2010, 1, 31), QTime(9, 0)) << "0990131";
    QTest::newRow("Minguo 100") << QDateTime(QDate(2011, 1, 1), QTime(0, 0)) << "1000101";
    QTest::newRow("2026") << QDateTime(QDate(2026, 12, 4), QTime(14, 5)) << "1151204";
    QTest::newRow("last second of the year")
        << QDateTime(QDate(2011, 12, 31), QTime(23, 59, 59)) << "1001231";
    QTest::newRow("Minguo 1") << QDateTime(QDate(1912, 3, 5), QTime(12, 0)) << "0010305";
}

void TestDateText::todayDate7()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);
    const FixedClock clock(now);
    QCOMPARE(TodayDate7(), expected);
    QCOMPARE(Date7(now.date()), expected);
}

void TestDateText::todayDateShown_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("expected");
    QTest::newRow("leading zero of the year dropped") << QDate(2010, 1, 31) << "99/01/31";
    QTest::newRow("three-digit year") << QDate(2026, 12, 4) << "115/12/04";
    QTest::newRow("Minguo 100") << QDate(2011, 1, 1) << "100/01/01";
    QTest::newRow("Minguo 1") << QDate(1912, 3, 5) << "1/03/05";
}

void TestDateText::todayDateShown()
{
    QFETCH(QDate, today);
    QFETCH(QString, expected);
    const FixedClock clock(QDateTime(today, QTime(8, 30)));
    QCOMPARE(TodayDateShown(), expected);
    QCOMPARE(ShownDate(Date7(today)), expected);
}

void TestDateText::invalidDateGivesEmptyText()
{
    QCOMPARE(Date7(QDate()), QString());
}

void TestDateText::stampMMDDHH_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");
    QTest::newRow("afternoon") << QDateTime(QDate(2026, 12, 4), QTime(14, 5)) << "1204-14";
    QTest::newRow("just after midnight")
        << QDateTime(QDate(2010, 1, 31), QTime(0, 59)) << "0131-00";
    QTest::newRow("last hour") << QDateTime(QDate(2011, 12, 31), QTime(23, 0)) << "1231-23";
    QTest::newRow("morning, one-digit hour")
        << QDateTime(QDate(2026, 7, 9), QTime(8, 0)) << "0709-08";
}

void TestDateText::stampMMDDHH()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);
    QCOMPARE(StampMMDDHH(now), expected);
}

void TestDateText::timeStamp_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");
    QTest::newRow("seconds dropped")
        << QDateTime(QDate(2026, 12, 4), QTime(14, 5, 59)) << "1151204-14:05";
    QTest::newRow("midnight") << QDateTime(QDate(2011, 1, 1), QTime(0, 0)) << "1000101-00:00";
    QTest::newRow("24-hour clock")
        << QDateTime(QDate(2010, 1, 31), QTime(23, 9)) << "0990131-23:09";
}

void TestDateText::timeStamp()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);
    QCOMPARE(TimeStamp(now), expected);
}

void TestDateText::stampsFollowTheClock()
{
    FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(14, 5)));
    QCOMPARE(StampMMDDHH(), u"1204-14"_s);
    QCOMPARE(TimeStamp(), u"1151204-14:05"_s);
    clock.advanceSeconds(10 * 3600);
    QCOMPARE(StampMMDDHH(), u"1205-00"_s);
    QCOMPARE(TimeStamp(), u"1151205-00:05"_s);
}

void TestDateText::stampDateTime_data()
{
    QTest::addColumn<QString>("stamp");
    QTest::addColumn<QDateTime>("expected");
    const QDateTime invalid;
    QTest::newRow("run stamp") << "1151204-14:05"
                               << QDateTime(QDate(2026, 12, 4), QTime(14, 5), Qt::UTC);
    QTest::newRow("padded year") << "0990131-00:00"
                                 << QDateTime(QDate(2010, 1, 31), QTime(0, 0), Qt::UTC);
    QTest::newRow("leap day") << "1130229-23:59"
                              << QDateTime(QDate(2024, 2, 29), QTime(23, 59), Qt::UTC);
    QTest::newRow("no leap day") << "1140229-12:00" << invalid;
    QTest::newRow("month 13") << "1151304-14:05" << invalid;
    QTest::newRow("day 32") << "1151232-14:05" << invalid;
    QTest::newRow("hour 24") << "1151204-24:00" << invalid;
    QTest::newRow("minute 60") << "1151204-10:60" << invalid;
    QTest::newRow("letters in the time") << "1151204-1a:05" << invalid;
    QTest::newRow("letters in the month") << "115a204-14:05" << invalid;
    QTest::newRow("letters in the year") << "abc1204-14:05" << invalid;
    QTest::newRow("blank-padded year") << " 991204-14:05" << invalid;
    QTest::newRow("date only") << "1151204" << invalid;
    QTest::newRow("empty") << "" << invalid;
}

void TestDateText::stampDateTime()
{
    QFETCH(QString, stamp);
    QFETCH(QDateTime, expected);
    const QDateTime read = StampDateTime(stamp);
    QCOMPARE(read.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(read, expected);
}

void TestDateText::minutesBetweenStamps_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("minutes");
    QTest::newRow("same morning") << "1151204-08:00"
                                  << "1151204-10:30" << true << qint64(150);
    QTest::newRow("over midnight") << "1151204-23:45"
                                   << "1151205-00:15" << true << qint64(30);
    QTest::newRow("end before start") << "1151204-10:30"
                                      << "1151204-08:00" << true << qint64(-150);
    QTest::newRow("same minute") << "1151204-10:30"
                                 << "1151204-10:30" << true << qint64(0);
    QTest::newRow("over month end") << "1150131-23:59"
                                    << "1150201-00:01" << true << qint64(2);
    QTest::newRow("over a leap day") << "1130228-12:00"
                                     << "1130301-12:00" << true << qint64(2880);
    QTest::newRow("over new year") << "0991231-23:00"
                                   << "1000101-01:00" << true << qint64(120);
    QTest::newRow("bad start") << "1151204-8:00"
                               << "1151204-10:30" << false << qint64(0);
    QTest::newRow("bad end") << "1151204-08:00"
                             << "1151399-10:30" << false << qint64(0);
}

void TestDateText::minutesBetweenStamps()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(bool, valid);
    QFETCH(qint64, minutes);
    const std::optional<qint64> result = MinutesBetweenStamps(start, end);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, minutes);
}

void TestDateText::minutesCountBoundaries_data()
{
    QTest::addColumn<QTime>("from");
    QTest::addColumn<QTime>("to");
    QTest::addColumn<qint64>("minutes");
    QTest::newRow("one second over a boundary") << QTime(10, 0, 59) << QTime(10, 1, 0) << qint64(1);
    QTest::newRow("59 seconds inside a minute") << QTime(10, 0, 0) << QTime(10, 0, 59) << qint64(0);
    QTest::newRow("backwards over a boundary") << QTime(10, 1, 0) << QTime(10, 0, 59) << qint64(-1);
}

void TestDateText::minutesCountBoundaries()
{
    QFETCH(QTime, from);
    QFETCH(QTime, to);
    QFETCH(qint64, minutes);
    const QDate day(2026, 12, 4);
    QCOMPARE(MinutesBetween(QDateTime(day, from, Qt::UTC), QDateTime(day, to, Qt::UTC)), minutes);
}

QTEST_GUILESS_MAIN(TestDateText)
#include "tst_datetext.moc"
