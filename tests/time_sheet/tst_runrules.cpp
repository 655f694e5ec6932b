// The rules of a press run, without a screen: its figures from the stamps to
// the score, and the entry rules chosen by the column's heading.

#include "grid/virtualkey.h"
#include "testtables.h"
#include "time_sheet/runcolumns.h"
#include "time_sheet/runcomputations.h"
#include "time_sheet/runediting.h"

using namespace Qt::StringLiterals;

class TestRunRules : public QObject
{
    Q_OBJECT

private slots:
    void figures_data()
    {
        // Hours, effective time, standard, actual, difference and score; none for a
        // stamp that is not a date and time. Every run has 4 plates and 2 fills;
        // the allowances are 5 minutes a plate, 10 proofing, 3 a fill, 15 washing.
        AddColumns<QString, QString, QString, bool, QString, QString, QStringList>(
            "start", "end", "proofing", "capacity", "finished", "perHour", "expected");
        const QString eight = u"1151204-08:00"_s;
        const QString ten = u"1151204-10:00"_s;
        // clang-format off
        QTest::newRow("08:00 to 10:30")   << eight << u"1151204-10:30"_s << u"Y"_s << true << u"1200"_s << u"1000"_s << QStringList{u"2.5"_s, u"1.65"_s, u"1650"_s, u"1200"_s, u"-450"_s, u"0"_s};
        QTest::newRow("over midnight")    << u"1151204-23:45"_s << u"1151205-00:15"_s << u"Y"_s << true << u"0"_s << u"1000"_s << QStringList{u"0.5"_s, u"-0.35"_s, u"-350"_s, u"0"_s, u"350"_s, u"0"_s};
        QTest::newRow("end before start") << u"1151204-10:30"_s << eight << u"Y"_s << true << u"0"_s << u"1000"_s << QStringList{u"-2.5"_s, u"-3.35"_s, u"-3350"_s, u"0"_s, u"3350"_s, u"0"_s};
        QTest::newRow("two decimals")     << eight << u"1151204-08:25"_s << u"Y"_s << true << u"0"_s << u"1000"_s << QStringList{u"0.42"_s, u"-0.43"_s, u"-430"_s, u"0"_s, u"430"_s, u"0"_s};
        QTest::newRow("invalid stamp")    << u"1151204-8:00"_s << ten << u"Y"_s << true << u"0"_s << u"1000"_s << QStringList();
        QTest::newRow("proofed, p 4.3")   << eight << ten << u"Y"_s << true  << u"1200"_s  << u"1000"_s << QStringList{u"2"_s, u"1.15"_s, u"1150"_s, u"1200"_s, u"50"_s, u"5"_s};
        QTest::newRow("p 30.4")           << eight << ten << u"Y"_s << true  << u"1500"_s  << u"1000"_s << QStringList{u"2"_s, u"1.15"_s, u"1150"_s, u"1500"_s, u"350"_s, u"10"_s};
        QTest::newRow("nothing done")     << eight << ten << u"Y"_s << true  << u""_s      << u"1000"_s << QStringList{u"2"_s, u"1.15"_s, u"1150"_s, u"0"_s, u"-1150"_s, u"0"_s};
        QTest::newRow("default mark V")   << eight << ten << u"V"_s << true  << u"1,200"_s << u"1000"_s << QStringList{u"2"_s, u"1.32"_s, u"1320"_s, u"1200"_s, u"-120"_s, u"4"_s};
        QTest::newRow("no capacity row")  << eight << ten << u"Y"_s << false << u"2000"_s  << u"1000"_s << QStringList{u"2"_s, u"2.00"_s, u"2000"_s, u"2000"_s, u"0"_s, u"5"_s};
        QTest::newRow("no standard")      << eight << ten << u"Y"_s << true  << u"1200"_s  << u"0"_s    << QStringList{u"2"_s, u"1.15"_s, u"0"_s, u"1200"_s, u"1200"_s, u"0"_s};
        // clang-format on
    }
    void figures()
    {
        QStringList figures;
        if (const auto hours = TimeConsumedHours(Fetch<QString>("start"), Fetch<QString>("end"))) {
            const QString effective = EffectiveTimeText(
                *hours, 4, Fetch<QString>("proofing"), 2,
                Fetch<bool>("capacity") ? PressCapacity{5, 10, 3, 15} : PressCapacity{});
            const RunFigures f =
                FiguresOfRun(Fetch<QString>("finished"), effective, Fetch<QString>("perHour"));
            figures = {
                QString::number(*hours), effective, f.standard, f.actual, f.difference, f.score};
        }
        QTEST(figures, "expected");
    }

    void scoreBands_data()
    {
        // Both edges of each band, half a percent out: the percentage is rounded to
        // a whole percent, half away from zero, before the bands apply.
        AddColumns<double, double, QString>("low", "high", "score");
        // clang-format off
        QTest::newRow("10") << 25.5   << 999.0  << u"10"_s;
        QTest::newRow("9")  << 20.5   << 25.49  << u"9"_s;
        QTest::newRow("8")  << 15.5   << 20.49  << u"8"_s;
        QTest::newRow("7")  << 10.5   << 15.49  << u"7"_s;
        QTest::newRow("6")  << 5.5    << 10.49  << u"6"_s;
        QTest::newRow("5")  << -5.49  << 5.49   << u"5"_s;
        QTest::newRow("4")  << -10.49 << -5.5   << u"4"_s;
        QTest::newRow("3")  << -15.49 << -10.5  << u"3"_s;
        QTest::newRow("2")  << -20.49 << -15.5  << u"2"_s;
        QTest::newRow("1")  << -25.49 << -20.5  << u"1"_s;
        QTest::newRow("0")  << -100.0 << -25.5  << u"0"_s;
        // clang-format on
    }
    void scoreBands()
    {
        // On a standard of 1000 a percentage p is a difference of 10 p.
        QTEST(ScoreText(Fetch<double>("low") * 10, 1000), "score");
        QTEST(ScoreText(Fetch<double>("high") * 10, 1000), "score");
    }

    // What a column keeps of the keys typed into it ("_" marks a dropped key) and
    // of an entry that ends an edit: the text and the message.
    void columns_data()
    {
        AddColumns<int, QString, QString, QString, QStringList>("col", "typed", "keysKept", "entry",
                                                                "kept");
        const QString ten = u"最多只可輸入10個字元!"_s;
        // clang-format off
        QTest::newRow("stamp fits")        << int(RunCol::Start)     << u"a-:"_s     << u"a-:"_s     << u"1151204-08:00"_s  << QStringList{u"1151204-08:00"_s, {}};
        QTest::newRow("stamp too long")    << int(RunCol::End)     << u""_s        << u""_s        << u"1151204-08:001"_s << QStringList{u"1151204-08:00"_s, u"最多只可輸入12個字!"_s};
        QTest::newRow("colours")           << int(RunCol::Front)     << u"12.5-A,"_s << u"12.5-__"_s << u"12345678901"_s    << QStringList{u"1234567890"_s, ten};
        QTest::newRow("sets")              << int(RunCol::Sets)       << u""_s        << u""_s        << u"一二三四五六"_s    << QStringList{u"一二三四五"_s, ten};
        QTest::newRow("press")             << int(RunCol::Press)     << u""_s        << u""_s        << u"海德堡四色"_s      << QStringList{u"海德堡"_s, u"最多只可輸入6個字元!"_s};
        QTest::newRow("operator")          << int(RunCol::Operator)     << u"e0x"_s     << u"E0X"_s     << u"ABCDEFGHIJKLMNOPQRSTUVWXY"_s << QStringList{u"ABCDEFGHIJKLMNOPQRST"_s, u"最多只可輸入20個字元!"_s};
        QTest::newRow("note")              << int(RunCol::Note)     << u"ab1"_s     << u"ab1"_s     << u"等紙等紙等紙等紙"_s << QStringList{u"等紙等紙等紙等"_s, u"最多只可輸入14個字元!"_s};
        QTest::newRow("hours formatted")   << int(RunCol::Hours)   << u"2.5h"_s    << u"2.5_"_s    << u"1.5"_s            << QStringList{u"1.50"_s, {}};
        QTest::newRow("hours too long")    << int(RunCol::Hours)   << u""_s        << u""_s        << u"123456789"_s      << QStringList{u"123456789."_s, ten};
        QTest::newRow("finished quantity") << int(RunCol::Finished) << u"1,200"_s   << u"1_200"_s   << u"1200"_s           << QStringList{u"1200"_s, {}};
        QTest::newRow("effective time")    << int(RunCol::Effective) << u"1\r"_s     << u"_\r"_s     << u"1.5"_s            << QStringList{u"1.5"_s, {}};
        // clang-format on
    }
    void columns()
    {
        const int col = Fetch<int>("col");
        QString keys;
        for (const QChar c : Fetch<QString>("typed")) {
            const int key = FilterRunKey(col, c.unicode());
            keys += key == 0 ? u'_' : QChar(key);
        }
        QTEST(keys, "keysKept");
        const ByteLimitedEntry result = LimitRunEntry(col, Fetch<QString>("entry"));
        QTEST((QStringList{result.text, result.message}), "kept");
    }

    void keysDown_data()
    {
        // mayBeWorked false: the row above is blank.
        AddColumns<int, int, bool, RunKeyAction>("col", "key", "mayBeWorked", "action");
        // clang-format off
        QTest::newRow("F2")               << int(RunCol::Note)     << VirtualKey::F2     << true << RunKeyAction::Swallow;
        QTest::newRow("Delete in 經辦")   << int(RunCol::Operator)     << VirtualKey::Delete << true << RunKeyAction::ClearOperator;
        QTest::newRow("Delete in 總耗時") << int(RunCol::Hours)   << VirtualKey::Delete << true << RunKeyAction::Swallow;
        QTest::newRow("Delete elsewhere") << int(RunCol::Start)     << VirtualKey::Delete << true << RunKeyAction::Pass;
        QTest::newRow("below a blank row: Delete") << int(RunCol::Note) << VirtualKey::Delete << false << RunKeyAction::Swallow;
        // clang-format on
    }
    void keysDown()
    {
        QTEST(RunKeyDownRule(Fetch<int>("col"), Fetch<int>("key"), Fetch<bool>("mayBeWorked")),
              "action");
    }
};

QTEST_GUILESS_MAIN(TestRunRules)
#include "tst_runrules.moc"
