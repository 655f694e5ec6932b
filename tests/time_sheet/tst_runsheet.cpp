// The time sheet's rules on plain rows: what a click, an ended edit or a
// recalculation writes into which cells, the messages it raises, and which
// rows count as runs.

#include "testtables.h"
#include "time_sheet/runcolumns.h"
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

class TestRunSheet : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(TestRunSheet)
#include "tst_runsheet.moc"
