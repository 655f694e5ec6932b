#include "common/clock.h"
#include "common/datetext.h"
#include "testtables.h"

using namespace Qt::StringLiterals;

class TestDateText : public QObject
{
    Q_OBJECT

private slots:
    void textsOfNow_data()
    {
        AddColumns<QDateTime, QString, QString, QString, QString>("now", "date7", "shown", "mmddhh",
                                                                  "timeStamp");
        // clang-format off
        QTest::newRow("year padded, after midnight") << QDateTime(QDate(2010, 1, 31), QTime(0, 59)) << "0990131" << "99/01/31" << "0131-00" << "0990131-00:59";
        QTest::newRow("three-digit year, seconds dropped") << QDateTime(QDate(2026, 12, 4), QTime(14, 5, 59)) << "1151204" << "115/12/04" << "1204-14" << "1151204-14:05";
        // clang-format on
    }
    void textsOfNow()
    {
        const FixedClock clock(Fetch<QDateTime>("now"));
        QTEST(TodayDate7(), "date7");
        QTEST(TodayDateShown(), "shown");
        QTEST(StampMMDDHH(), "mmddhh");
        QTEST(TimeStamp(), "timeStamp");
        QCOMPARE(Date7(QDate()), QString());
    }

    void minutesBetweenStamps_data()
    {
        AddColumns<QString, QString, QString>("start", "end", "minutes"); // empty: no answer
        // clang-format off
        QTest::newRow("over midnight") << "1151204-23:45" << "1151205-00:15" << "30";
        QTest::newRow("over a leap day") << "1130228-12:00" << "1130301-12:00" << "2880";
        QTest::newRow("over new year, padded year") << "0991231-23:00" << "1000101-01:00" << "120";
        QTest::newRow("end before start") << "1151204-10:30" << "1151204-09:00" << "-90";
        QTest::newRow("no leap day") << "1151204-10:00" << "1140229-12:00" << "";
        QTest::newRow("hour 24") << "1151204-10:00" << "1151204-24:00" << "";
        QTest::newRow("date only") << "1151204-10:00" << "1151204" << "";
        QTest::newRow("letters in the year") << "abc1204-14:05" << "1151204-14:05" << "";
        QTest::newRow("blank-padded year") << " 991204-14:05" << "1151204-14:05" << "";
        // clang-format on
    }
    void minutesBetweenStamps()
    {
        const auto minutes = MinutesBetweenStamps(Fetch<QString>("start"), Fetch<QString>("end"));
        QTEST(minutes ? QString::number(*minutes) : QString(), "minutes");
    }

    // Minute boundaries crossed, not elapsed time rounded.
    void minutesBetween_data()
    {
        AddColumns<QTime, QTime, qint64>("from", "to", "minutes");
        // clang-format off
        QTest::newRow("one second over a boundary") << QTime(10, 0, 59) << QTime(10, 1, 0) << qint64(1);
        QTest::newRow("59 seconds inside a minute") << QTime(10, 0, 0) << QTime(10, 0, 59) << qint64(0);
        QTest::newRow("backwards over a boundary") << QTime(10, 1, 0) << QTime(10, 0, 59) << qint64(-1);
        // clang-format on
    }
    void minutesBetween()
    {
        const QDate day(2026, 12, 4);
        const QDateTime from(day, Fetch<QTime>("from"), Qt::UTC);
        QTEST(MinutesBetween(from, QDateTime(day, Fetch<QTime>("to"), Qt::UTC)), "minutes");
    }
};

QTEST_GUILESS_MAIN(TestDateText)
#include "tst_datetext.moc"
