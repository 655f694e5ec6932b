// The program's rules on texts: dates and stamps, numbers, CP950 bytes and the
// keys an entry takes.

#include "common/clock.h"
#include "common/colournumber.h"
#include "common/cp950.h"
#include "common/datetext.h"
#include "common/keyfilter.h"
#include "common/numbertext.h"
#include "common/texttrim.h"
#include "testtables.h"

using namespace Qt::StringLiterals;

class TestTextRules : public QObject
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

    void parseNumericText_data()
    {
        AddColumns<QString, bool, double>("text", "numeric", "value");
        // clang-format off
        QTest::newRow("grouped") << "1,234.5" << true << 1234.5;
        QTest::newRow("oddly grouped") << "1,2,3" << true << 123.0;
        QTest::newRow("exponent") << "-2.5E-2" << true << -0.025;
        QTest::newRow("blanks, plus sign") << " +8 " << true << 8.0;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("trailing point") << "12." << true << 12.0;
        QTest::newRow("unit") << "8kg" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("sign alone") << "-" << false << 0.0;
        QTest::newRow("separator first") << ",123" << false << 0.0;
        QTest::newRow("out of range") << "1e400" << false << 0.0;
        // clang-format on
    }
    void parseNumericText()
    {
        const std::optional<double> parsed = ParseNumericText(Fetch<QString>("text"));
        QTEST(parsed.has_value(), "numeric");
        if (parsed)
            QTEST(*parsed, "value");
    }

    void numberText_data()
    {
        AddColumns<double, QString>("value", "text");
        // clang-format off
        QTest::newRow("whole") << 1200.0 << "1200";
        QTest::newRow("binary noise hidden") << 0.1 + 0.2 << "0.3";
        QTest::newRow("negative") << -2.5 << "-2.5";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("large, no exponent") << 1e20 << "100000000000000000000";
        QTest::newRow("small, no exponent") << 1e-7 << "0.0000001";
        QTest::newRow("15 significant digits") << 123456789.123456789 << "123456789.123457";
        // clang-format on
    }
    void numberText() { QTEST(NumberText(Fetch<double>("value")), "text"); }

    void formatThousands_data()
    {
        AddColumns<QString, QString>("text", "expected");
        // clang-format off
        QTest::newRow("empty") << "" << "";
        QTest::newRow("not a number") << "12abc" << "12abc";
        QTest::newRow("three digits") << "999" << "999";
        QTest::newRow("millions, negative, decimals") << "-1234567.25" << "-1,234,567.25";
        QTest::newRow("regrouped, blanks dropped") << " 12,34 " << "1,234";
        // clang-format on
    }
    void formatThousands() { QTEST(FormatThousands(Fetch<QString>("text")), "expected"); }

    void colourFromNumberText_data()
    {
        AddColumns<QString, QString>("text", "colour");
        // clang-format off
        QTest::newRow("red in the low byte") << "12632064" << "#00c0c0";
        QTest::newRow("its numeric value") << " 255.9 grey" << "#ff0000";
        QTest::newRow("blank: no colour") << "  " << "";
        // clang-format on
    }
    void colourFromNumberText()
    {
        const QColor colour = ColourFromNumberText(Fetch<QString>("text"));
        QTEST(colour.isValid() ? colour.name() : QString(), "colour");
    }

    void cp950_data()
    {
        // A text's bytes (none for bytes no text gives) and the text the bytes read as.
        AddColumns<QString, QByteArray, QString>("text", "bytes", "read");
        // clang-format off
        QTest::newRow("ASCII") << u"Ab1-"_s << QByteArray("Ab1-") << u"Ab1-"_s;
        QTest::newRow("Chinese, two bytes each") << u"中文"_s << QByteArray("\xA4\xA4\xA4\xE5") << u"中文"_s;
        QTest::newRow("one question mark for each character without a form") << u"aé中😀b"_s << QByteArray("a?\xA4\xA4?b") << u"a?中?b"_s;
        QTest::newRow("bad byte replaced alone") << QString() << QByteArray("A\xFF" "B") << u"A\uFFFDB"_s;
        QTest::newRow("cut character at the end") << QString() << QByteArray("A\xA4") << u"A\uFFFD"_s;
        // clang-format on
    }
    void cp950()
    {
        const auto text = Fetch<QString>("text");
        if (!text.isNull()) {
            QTEST(::toCp950(text), "bytes");
            QCOMPARE(Cp950ByteLength(text), Fetch<QByteArray>("bytes").size());
        }
        QTEST(::fromCp950(Fetch<QByteArray>("bytes")), "read");
    }

    void leftByBytes_data()
    {
        AddColumns<QString, int, QString>("text", "width", "left");
        // clang-format off
        QTest::newRow("fits") << "ABC" << 10 << "ABC";
        QTest::newRow("Chinese cut before the straddling character") << u"中文字"_s << 5 << u"中文"_s;
        QTest::newRow("mixed, exact width") << u"A中文"_s << 3 << u"A中"_s;
        QTest::newRow("first character too wide") << u"中"_s << 1 << "";
        QTest::newRow("negative width") << "ABC" << -3 << "";
        QTest::newRow("surrogate pair kept whole") << u"A😀B"_s << 2 << u"A😀"_s;
        // clang-format on
    }
    void leftByBytes() { QTEST(LeftByBytes(Fetch<QString>("text"), Fetch<int>("width")), "left"); }

    void filterKey_data()
    {
        AddColumns<int, int, int>("mode", "key", "expected");
        // One row per key of the first text; the second gives what comes back,
        // "_" where the key is dropped. Backspace (8) and Enter (13) always pass.
        const auto addRows = [](int mode, const QString &keys, const QString &kept) {
            for (qsizetype i = 0; i < keys.size(); ++i) {
                const int key = keys.at(i).unicode();
                const int expected = kept.at(i) == u'_' ? 0 : kept.at(i).unicode();
                QTest::addRow("mode %d, key %d", mode, key) << mode << key << expected;
            }
        };
        // clang-format off
        addRows(0, u"a*\x1b"_s,            u"a*\x1b"_s);
        addRows(1, u"09-.+*aY \b\r\x1b"_s, u"09-______\b\r_"_s);
        addRows(2, u"aAzZm09-. @[`{\b\r"_s, u"AAZZM_________\b\r"_s);
        addRows(3, u"09.-+*,a \b\r"_s,     u"09.-_____\b\r"_s);
        addRows(4, u"09.*-+/,x\b\r"_s,     u"09.*-____\b\r"_s);
        addRows(5, u"09.+-*/,a\b\r"_s,     u"09.+-____\b\r"_s);
        addRows(6, u"yYnNxX10 -\b\r"_s,    u"YYNN______\b\r"_s);
        addRows(7, u"12034-.a\b\r\x1b"_s,  u"12______\b\r_"_s);
        addRows(8, u"a*\x1b"_s,            u"a*\x1b"_s);
        // clang-format on
    }
    void filterKey() { QTEST(FilterKey(Fetch<int>("key"), Fetch<int>("mode")), "expected"); }

    void upperKey_data()
    {
        AddColumns<int, int>("key", "expected");
        // clang-format off
        QTest::newRow("e acute") << 0xE9 << 0xC9;
        QTest::newRow("Chinese") << 0x4E2D << 0x4E2D;
        QTest::newRow("negative") << -5 << -5;
        // clang-format on
    }
    void upperKey() { QTEST(UpperKey(Fetch<int>("key")), "expected"); }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
