// The rules of a press run, without a screen: its figures from the stamps to the
// score, the entry rules chosen by the column (RunCol), and the run sheet on plain
// rows: what a click, an ended edit or a recalculation writes into which cells, the
// messages it raises, and which rows count as runs.

#include "grid/virtualkey.h"
#include "testtables.h"
#include "time_sheet/runcolumns.h"
#include "time_sheet/runcomputations.h"
#include "time_sheet/runediting.h"
#include "time_sheet/runhistory.h"
#include "time_sheet/runoverlap.h"
#include "time_sheet/runsheet.h"

using namespace Qt::StringLiterals;

namespace {

// The columns the tables name, in RunCol's order from RunCol::Start.
const QStringList kNames{u"Start"_s,  u"End"_s,        u"Front"_s,    u"Back"_s,  u"Sets"_s,
                         u"Plates"_s, u"Proofing"_s,   u"Fills"_s,    u"Ink"_s,   u"Finished"_s,
                         u"Press"_s,  u"OperatorId"_s, u"Operator"_s, u"Hours"_s, u"Effective"_s,
                         u"Note"_s,   u"Standard"_s,   u"Score"_s};

int columnNamed(const QString &name)
{
    if (!kNames.contains(name))
        qFatal("no column %s", qPrintable(name));
    return int(kNames.indexOf(name)) + RunCol::Start;
}

// A row written as "Start=1151204-08:00 Hours=2.5", blanks kept out of values.
RunCells rowFrom(const QString &cellsText)
{
    RunCells cells(RunCol::Last);
    for (const QString &cell : cellsText.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype equals = cell.indexOf(u'=');
        cells[columnNamed(cell.left(equals)) - 1] = cell.mid(equals + 1);
    }
    return cells;
}

TimeSheetJob job()
{
    TimeSheetJob job;
    job.po = u"A1151116"_s;
    job.line = u"2"_s;
    job.press = u"海德堡四色"_s;
    job.front = u"4"_s;
    job.back = u"2"_s;
    job.proofing = u"1"_s;
    return job;
}

// 1000 an hour; 5 minutes a plate, 10 proofing, 3 a fill, 15 washing.
const PressFigures kFigures{1000.0, {5, 10, 3, 15}};

enum class Op
{
    Click,
    Edit,
    Recalculate,
    RecalculateUnread, // the press's figures could not be read
    Pick,              // the operator picked in the lookup: code and name in text
};

} // namespace

class TestRunRules : public QObject
{
    Q_OBJECT

private slots:
    void figures_data()
    {
        // Hours, effective time, standard, actual, difference and score, then the
        // effective time and the score written out; none for a stamp that is not a
        // date and time. Every run has 4 plates and 2 fills; the allowances are 5
        // minutes a plate, 10 proofing, 3 a fill, 15 washing.
        AddColumns<QString, QString, QString, bool, QString, QString, QStringList>(
            "start", "end", "proofing", "capacity", "finished", "perHour", "expected");
        const QString eight = u"1151204-08:00"_s;
        const QString ten = u"1151204-10:00"_s;
        // clang-format off
        QTest::newRow("08:00 to 10:30")   << eight << u"1151204-10:30"_s << u"Y"_s << true << u"1200"_s << u"1000"_s << QStringList{u"2.5"_s, u"1.65"_s, u"1650"_s, u"1200"_s, u"-450"_s, u"0"_s, u"150 分 − 版 4 × 5 − 看印 10 − 特滿 2 × 3 − 洗車 15 = 99 分 = 1.65 小時"_s, u"標準數量 1650，實際數量 1200，差異 -450（-27%），落在 -26% 以下，點數 0"_s};
        QTest::newRow("over midnight")    << u"1151204-23:45"_s << u"1151205-00:15"_s << u"Y"_s << true << u"0"_s << u"1000"_s << QStringList{u"0.5"_s, u"-0.35"_s, u"-350"_s, u"0"_s, u"350"_s, u"0"_s, u"30 分 − 版 4 × 5 − 看印 10 − 特滿 2 × 3 − 洗車 15 = -21 分 = -0.35 小時"_s, u"標準數量 -350，實際數量 0，差異 350（-100%），落在 -26% 以下，點數 0"_s};
        QTest::newRow("end before start") << u"1151204-10:30"_s << eight << u"Y"_s << true << u"0"_s << u"1000"_s << QStringList{u"-2.5"_s, u"-3.35"_s, u"-3350"_s, u"0"_s, u"3350"_s, u"0"_s, u"-150 分 − 版 4 × 5 − 看印 10 − 特滿 2 × 3 − 洗車 15 = -201 分 = -3.35 小時"_s, u"標準數量 -3350，實際數量 0，差異 3350（-100%），落在 -26% 以下，點數 0"_s};
        QTest::newRow("two decimals")     << eight << u"1151204-08:25"_s << u"Y"_s << true << u"0"_s << u"1000"_s << QStringList{u"0.42"_s, u"-0.43"_s, u"-430"_s, u"0"_s, u"430"_s, u"0"_s, u"25.2 分 − 版 4 × 5 − 看印 10 − 特滿 2 × 3 − 洗車 15 = -25.8 分 = -0.43 小時"_s, u"標準數量 -430，實際數量 0，差異 430（-100%），落在 -26% 以下，點數 0"_s};
        QTest::newRow("invalid stamp")    << u"1151204-8:00"_s << ten << u"Y"_s << true << u"0"_s << u"1000"_s << QStringList();
        QTest::newRow("proofed, p 4.3")   << eight << ten << u"Y"_s << true  << u"1200"_s  << u"1000"_s << QStringList{u"2"_s, u"1.15"_s, u"1150"_s, u"1200"_s, u"50"_s, u"5"_s, u"120 分 − 版 4 × 5 − 看印 10 − 特滿 2 × 3 − 洗車 15 = 69 分 = 1.15 小時"_s, u"標準數量 1150，實際數量 1200，差異 50（4%），落在 -5% 至 5%，點數 5"_s};
        QTest::newRow("p 30.4")           << eight << ten << u"Y"_s << true  << u"1500"_s  << u"1000"_s << QStringList{u"2"_s, u"1.15"_s, u"1150"_s, u"1500"_s, u"350"_s, u"10"_s, u"120 分 − 版 4 × 5 − 看印 10 − 特滿 2 × 3 − 洗車 15 = 69 分 = 1.15 小時"_s, u"標準數量 1150，實際數量 1500，差異 350（30%），落在 26% 以上，點數 10"_s};
        QTest::newRow("nothing done")     << eight << ten << u"Y"_s << true  << u""_s      << u"1000"_s << QStringList{u"2"_s, u"1.15"_s, u"1150"_s, u"0"_s, u"-1150"_s, u"0"_s, u"120 分 − 版 4 × 5 − 看印 10 − 特滿 2 × 3 − 洗車 15 = 69 分 = 1.15 小時"_s, u"標準數量 1150，實際數量 0，差異 -1150（-100%），落在 -26% 以下，點數 0"_s};
        QTest::newRow("default mark V")   << eight << ten << u"V"_s << true  << u"1,200"_s << u"1000"_s << QStringList{u"2"_s, u"1.32"_s, u"1320"_s, u"1200"_s, u"-120"_s, u"4"_s, u"120 分 − 版 4 × 5 − 特滿 2 × 3 − 洗車 15 = 79 分 = 1.32 小時"_s, u"標準數量 1320，實際數量 1200，差異 -120（-9%），落在 -10% 至 -6%，點數 4"_s};
        QTest::newRow("no capacity row")  << eight << ten << u"Y"_s << false << u"2000"_s  << u"1000"_s << QStringList{u"2"_s, u"2.00"_s, u"2000"_s, u"2000"_s, u"0"_s, u"5"_s, u"120 分 − 版 4 × 0 − 看印 0 − 特滿 2 × 0 − 洗車 0 = 120 分 = 2.00 小時"_s, u"標準數量 2000，實際數量 2000，差異 0（0%），落在 -5% 至 5%，點數 5"_s};
        QTest::newRow("no standard")      << eight << ten << u"Y"_s << true  << u"1200"_s  << u"0"_s    << QStringList{u"2"_s, u"1.15"_s, u"0"_s, u"1200"_s, u"1200"_s, u"0"_s, u"120 分 − 版 4 × 5 − 看印 10 − 特滿 2 × 3 − 洗車 15 = 69 分 = 1.15 小時"_s, u"標準數量 0，實際數量 1200，差異 1200；標準數量為 0，點數 0"_s};
        // clang-format on
    }
    void figures()
    {
        QStringList figures;
        if (const auto hours = TimeConsumedHours(Fetch<QString>("start"), Fetch<QString>("end"))) {
            const QString mark = Fetch<QString>("proofing"), perHour = Fetch<QString>("perHour");
            const PressCapacity capacity =
                Fetch<bool>("capacity") ? PressCapacity{5, 10, 3, 15} : PressCapacity{};
            const QString effective = EffectiveTimeText(*hours, 4, mark, 2, capacity);
            const RunFigures f = FiguresOfRun(Fetch<QString>("finished"), effective, perHour);
            figures << QString::number(*hours) << effective << f.standard << f.actual
                    << f.difference << f.score
                    << EffectiveTimeExplained(*hours, 4, mark, 2, capacity)
                    << ScoreExplained(Fetch<QString>("finished"), effective, perHour);
        }
        QTEST(figures, "expected");
    }

    void overlaps_data()
    {
        // The sheet's runs ("start end") and the press's other stored runs; per
        // run, the warning naming the first run it overlaps, "-" for none.
        AddColumns<QStringList, QStringList, QStringList>("runs", "stored", "found");
        const QString other = u"1151204-09:00 1151204-09:30"_s;
        // clang-format off
        QTest::newRow("another line's run") << QStringList{u"1151204-08:00 1151204-10:00"_s} << QStringList{other} << QStringList{u"與 A9 序 3 第 1 筆 09:00–09:30 重疊"_s};
        QTest::newRow("touching") << QStringList{u"1151204-08:00 1151204-09:00"_s, u"1151204-09:30 1151204-10:00"_s} << QStringList{other} << QStringList{u"-"_s, u"-"_s};
        QTest::newRow("two runs of the sheet") << QStringList{u"1151204-08:00 1151204-10:00"_s, u"1151204-09:59 1151204-11:00"_s} << QStringList() << QStringList{u"與 A1 序 2 第 2 筆 09:59–11:00 重疊"_s, u"與 A1 序 2 第 1 筆 08:00–10:00 重疊"_s};
        QTest::newRow("across midnight") << QStringList{u"1151204-23:00 1151205-01:00"_s} << QStringList{u"1151205-00:30 1151205-02:00"_s} << QStringList{u"與 A9 序 3 第 1 筆 00:30–02:00 重疊"_s};
        QTest::newRow("a long run started earlier") << QStringList{u"1151204-08:00 1151204-09:00"_s} << QStringList{u"1151204-01:00 1151204-20:00"_s, u"1151204-05:00 1151204-05:30"_s, u"1151204-09:00 1151204-10:00"_s} << QStringList{u"與 A9 序 3 第 1 筆 01:00–20:00 重疊"_s};
        QTest::newRow("same hours, another day") << QStringList{u"1151205-09:00 1151205-09:30"_s} << QStringList{other} << QStringList{u"-"_s};
        QTest::newRow("no end, end before start, no date") << QStringList{u"1151204-08:00 "_s, u"1151204-10:00 1151204-08:00"_s, u"1150230-09:00 1150230-10:00"_s} << QStringList{other} << QStringList{u"-"_s, u"-"_s, u"-"_s};
        // clang-format on
    }
    void overlaps()
    {
        const auto interval = [](const QString &text, const QString &po, int seq) {
            const QStringList stamps = text.split(u' ');
            std::optional<RunInterval> run = IntervalOf(stamps.value(0), stamps.value(1));
            if (run) {
                run->po = po;
                run->line = po == u"A1" ? u"2"_s : u"3"_s;
                run->seq = seq;
            }
            return run;
        };
        QVector<std::optional<RunInterval>> runs;
        for (const QString &run : Fetch<QStringList>("runs"))
            runs.append(interval(run, u"A1"_s, int(runs.size()) + 1));
        QVector<RunInterval> stored;
        for (const QString &run : Fetch<QStringList>("stored"))
            stored.append(*interval(run, u"A9"_s, 1));
        SortByStart(stored);
        QStringList found;
        for (const std::optional<RunInterval> &other : OverlapsOf(runs, stored))
            found << (other ? OverlapText(*other) : u"-"_s);
        QTEST(found, "found");
    }

    void runChanges_data()
    {
        // Runs before and after a save ("start end finished"), and what the history
        // records: "action seq column before after".
        AddColumns<QStringList, QStringList, QStringList>("before", "after", "recorded");
        const QString one = u"1151204-08:00 1151204-09:00 1200"_s;
        const QString two = u"1151204-09:00 1151204-10:00 800"_s;
        const QString three = u"1151204-10:00 1151204-11:00 500"_s;
        // clang-format off
        QTest::newRow("unchanged") << QStringList{one, two} << QStringList{one, two} << QStringList();
        QTest::newRow("a value changed") << QStringList{one, two} << QStringList{u"1151204-08:00 1151204-09:00 1300"_s, two} << QStringList{u"修改 1 完工數量 1200 1300"_s};
        QTest::newRow("the middle run deleted") << QStringList{one, two, three} << QStringList{one, three} << QStringList{u"改序 2 序 3 2"_s, u"刪除 2  1151204-09:00–1151204-10:00 "_s};
        QTest::newRow("a run added") << QStringList{one} << QStringList{one, two} << QStringList{u"新增 2   1151204-09:00–1151204-10:00"_s};
        // clang-format on
    }
    void runChanges()
    {
        TimeSheetJob job;
        job.po = u"A1"_s;
        job.line = u"2"_s;
        const auto values = [&](const QString &text, int seq) {
            const QStringList parts = text.split(u' ');
            QVariantList run(21);
            run[0] = parts[0];
            run[1] = parts[1];
            run[9] = parts[2].toDouble();
            run[18] = job.po;
            run[19] = 2.0;
            run[20] = seq;
            return run;
        };
        RecordArray before(21);
        const QStringList was = Fetch<QStringList>("before");
        for (int r = 0; r < was.size(); ++r) {
            const QVariantList run = values(was[r], r + 1);
            for (int field = 0; field < 21; ++field)
                before[field].append(run[field]);
        }
        QVector<QVariantList> after;
        for (const QString &run : Fetch<QStringList>("after"))
            after.append(values(run, int(after.size()) + 1));
        QStringList recorded;
        for (const ChangeRow &row : RunChanges(job, before, after))
            recorded << QStringList{row.action, row.seq.toString(), row.column, row.before,
                                    row.after}
                            .join(u' ');
        QTEST(recorded, "recorded");
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

    void operations_data()
    {
        // The rows before (all runs), what the user did at (row, col), and what
        // it wrote ("row.Column=text"), the messages ("title:text", "!" before an
        // error's) and the runs counted.
        AddColumns<QStringList, Op, int, QString, QString, QStringList, QStringList, int>(
            "rows", "op", "row", "col", "text", "written", "messages", "runs");
        const QString now = u"1151204-10:30"_s;
        const QStringList twoRuns{
            u"Start=1151204-08:00 End=1151204-10:00 Plates=4 Proofing=Y Fills=2 Hours=2 Effective=9 Standard=1000 Score=3 Finished=1200 OperatorId=E003 Operator=陳志明"_s,
            u"Start=1151204-10:00 End=1151204-11:00 Hours=1 Effective=9 Standard=1000 Score=7 OperatorId=E002 Operator=林美華"_s};
        // clang-format off
        QTest::newRow("start: defaults and the operator above") << twoRuns << Op::Click << 3 << u"Start"_s << now << QStringList{u"3.Start=1151204-10:30"_s, u"3.Front=4"_s, u"3.Back=2"_s, u"3.Plates=6"_s, u"3.Proofing=V"_s, u"3.Press=海德堡四色"_s, u"3.OperatorId=E002"_s, u"3.Operator=林美華"_s, u"3.Standard=1000"_s, u"1.Effective=1.15"_s, u"2.Effective=0.75"_s, u"3.Effective=-0.75"_s, u"3.Score=0"_s} << QStringList() << 3;
        QTest::newRow("end without a start") << twoRuns << Op::Click << 3 << u"End"_s << now << QStringList() << QStringList() << 2;
        QTest::newRow("end after a start") << QStringList{u"Start=1151204-08:00 Plates=0"_s} << Op::Click << 1 << u"End"_s << now << QStringList{u"1.End=1151204-10:30"_s, u"1.Hours=2.5"_s, u"1.Press=海德堡四色"_s, u"1.Standard=1000"_s, u"1.Effective=2.25"_s, u"1.Score=0"_s} << QStringList() << 1;
        QTest::newRow("proofing marked") << QStringList{u"Start=1151204-08:00"_s} << Op::Click << 1 << u"Proofing"_s << now << QStringList{u"1.Proofing=Y"_s, u"1.Press=海德堡四色"_s, u"1.Standard=1000"_s, u"1.Effective=-0.42"_s, u"1.Score=0"_s} << QStringList() << 1;
        QTest::newRow("proofing unmarked") << QStringList{u"Proofing=Y"_s} << Op::Click << 1 << u"Proofing"_s << now << QStringList{u"1.Proofing="_s, u"1.Press=海德堡四色"_s, u"1.Standard=1000"_s, u"1.Effective=-0.25"_s, u"1.Score=0"_s} << QStringList() << 1;
        QTest::newRow("click elsewhere") << twoRuns << Op::Click << 1 << u"Note"_s << now << QStringList() << QStringList() << 2;
        QTest::newRow("click below a blank row") << twoRuns << Op::Click << 4 << u"Start"_s << now << QStringList() << QStringList() << 2;
        QTest::newRow("typed start, end present") << QStringList{u"End=1151204-10:30"_s} << Op::Edit << 1 << u"Start"_s << u"1151204-08:00"_s << QStringList{u"1.Start=1151204-08:00"_s, u"1.Hours=2.5"_s, u"1.Front=4"_s, u"1.Back=2"_s, u"1.Plates=6"_s, u"1.Proofing=V"_s, u"1.Press=海德堡四色"_s, u"1.Standard=1000"_s, u"1.Effective=1.75"_s, u"1.Score=0"_s} << QStringList() << 1;
        QTest::newRow("start emptied, end present") << QStringList{u"Start=1151204-08:00 End=1151204-10:30 Hours=2.5"_s} << Op::Edit << 1 << u"Start"_s << QString() << QStringList{u"1.Start="_s, u"1.Press=海德堡四色"_s, u"1.Standard=1000"_s, u"1.Effective=2.25"_s, u"1.Score=0"_s} << QStringList() << 1;
        QTest::newRow("typed end, no real date") << QStringList{u"Start=1150228-08:00 Hours=1"_s} << Op::Edit << 1 << u"End"_s << u"1150229-10:00"_s << QStringList{u"1.End=1150229-10:00"_s, u"1.Press=海德堡四色"_s, u"1.Standard=1000"_s, u"1.Effective=0.75"_s, u"1.Score=0"_s} << QStringList{u"!錯誤:時間格式輸入錯誤!"_s} << 1;
        QTest::newRow("typed colours: plates") << twoRuns << Op::Edit << 2 << u"Back"_s << u"3"_s << QStringList{u"2.Back=3"_s, u"2.Plates=3"_s, u"2.Press=海德堡四色"_s, u"1.Effective=1.15"_s, u"2.Effective=0.50"_s, u"2.Score=0"_s} << QStringList() << 2;
        QTest::newRow("operator typed: looked up") << twoRuns << Op::Edit << 3 << u"Operator"_s << u"e003 "_s << QStringList{u"3.Operator=e003 "_s, u"3.Press=海德堡四色"_s, u"3.Standard=1000"_s, u"1.Effective=1.15"_s, u"2.Effective=0.75"_s, u"3.Effective=-0.25"_s, u"3.Score=0"_s} << QStringList{u"lookup:e003"_s} << 3;
        QTest::newRow("operator too long: no lookup") << twoRuns << Op::Edit << 2 << u"Operator"_s << u"ABCDEFGHIJKLMNOPQRSTU"_s << QStringList{u"2.Operator=ABCDEFGHIJKLMNOPQRST"_s, u"2.Press=海德堡四色"_s, u"1.Effective=1.15"_s, u"2.Effective=0.75"_s, u"2.Score=0"_s} << QStringList{u"訊息:最多只可輸入20個字元!"_s} << 2;
        QTest::newRow("edit below a blank row") << twoRuns << Op::Edit << 4 << u"Note"_s << u"等紙"_s << QStringList() << QStringList{u"警告:前一列資料尚未輸入!"_s} << 2;
        QTest::newRow("recalculation scores the active run only") << twoRuns << Op::Recalculate << 1 << QString() << QString() << QStringList{u"1.Press=海德堡四色"_s, u"1.Effective=1.15"_s, u"2.Effective=0.75"_s, u"1.Score=5"_s} << QStringList() << 2;
        QTest::newRow("recalculation below the runs") << twoRuns << Op::Recalculate << 3 << QString() << QString() << QStringList{u"1.Effective=1.15"_s, u"2.Effective=0.75"_s} << QStringList() << 2;
        QTest::newRow("recalculation without the press's figures") << twoRuns << Op::RecalculateUnread << 2 << QString() << QString() << QStringList{u"2.Press=海德堡四色"_s} << QStringList() << 2;
        QTest::newRow("operator picked on a new row") << twoRuns << Op::Pick << 3 << QString() << u"E001 王小明"_s << QStringList{u"3.OperatorId=E001"_s, u"3.Operator=王小明"_s} << QStringList() << 3;
        // clang-format on
    }
    void operations()
    {
        QVector<RunCells> rows;
        for (const QString &text : Fetch<QStringList>("rows"))
            rows.append(rowFrom(text));
        const Op op = Fetch<Op>("op");
        RunSheet sheet(job(), rows, int(rows.size()),
                       op == Op::RecalculateUnread ? std::nullopt : std::optional(kFigures));
        const int row = Fetch<int>("row");
        const QString colName = Fetch<QString>("col");
        const int col = colName.isEmpty() ? 0 : columnNamed(colName);
        const QStringList text = Fetch<QString>("text").split(u' ');
        switch (op) {
        case Op::Click:
            sheet.click(row, col, Fetch<QString>("text"));
            break;
        case Op::Edit:
            sheet.endEdit(row, col, Fetch<QString>("text"));
            break;
        case Op::Recalculate:
        case Op::RecalculateUnread:
            sheet.recalculate(row);
            break;
        case Op::Pick:
            sheet.setOperator(row, text.value(0), text.value(1));
            break;
        }
        QStringList written;
        for (const CellChange &change : sheet.changes())
            written << u"%1.%2=%3"_s.arg(change.row)
                           .arg(kNames.value(change.col - RunCol::Start), change.text);
        QStringList messages;
        for (const SheetMessage &message : sheet.messages())
            messages << (message.critical ? u"!"_s : QString()) + message.title + u':' +
                            message.text;
        if (sheet.operatorToLookUp())
            messages << u"lookup:"_s + *sheet.operatorToLookUp();
        QTEST(written, "written");
        QTEST(messages, "messages");
        QTEST(sheet.filledRows(), "runs");
    }
};

QTEST_GUILESS_MAIN(TestRunRules)
#include "tst_runrules.moc"
