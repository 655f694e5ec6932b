// What the user may do to the schedule grid: stamp clicks, typing, Delete, F2,
// and the time sheet of a line.

#include "common/clock.h"
#include "common/handoff.h"
#include "daily_report/schedulecolumns.h"
#include "daily_report/timesheethook.h"
#include "mainwindowfixture.h"

using namespace Qt::StringLiterals;

namespace {

// 4 December (Minguo 115), 14:05.
QDateTime stampMoment()
{
    return QDateTime(QDate(2026, 12, 4), QTime(14, 5));
}

// A line of 海德堡四色 with both stamps empty, and one with a planned stamp.
const QString kEmptyLine = u"A1151125"_s;   // line 2
const QString kPlannedLine = u"A1151110"_s; // line 1, planned 1204-08

// Lists a line of 海德堡四色 with both stamps set, closed or open, under
// 只秀已完工; gives its grid row.
int listStampedLine(MainScreen &screen, bool closed)
{
    ScheduleLine line;
    line.po = u"A1151193"_s;
    line.planned = u"1203-08"_s;
    line.completion = u"1204-10"_s;
    line.closingMark = closed ? u"11512"_s : QString();
    screen.insertLine(line);
    if (!screen.open())
        return 0;
    screen.query(u"海德堡四色"_s, true);
    return screen.rowOf(line.po, 1);
}

} // namespace

class TestScheduleEditing : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void clickStampsAnEmptyStampCellOnce_data();
    void clickStampsAnEmptyStampCellOnce();
    void clickLeavesOtherCellsAlone_data();
    void clickLeavesOtherCellsAlone();
    void closedRowTakesNoStamp();
    void typedStampIsCutToSevenCharacters();
    void typingIsSwallowedOutsideStampCells_data();
    void typingIsSwallowedOutsideStampCells();
    void deleteClearsOnlyStampsOfOpenRows_data();
    void deleteClearsOnlyStampsOfOpenRows();
    void f2NeverStartsAnEdit();
    void doubleClickEditsOnlyStampsOfOpenRows_data();
    void doubleClickEditsOnlyStampsOfOpenRows();
    void timeSheetHandsTheLineOverAndBack_data();
    void timeSheetHandsTheLineOverAndBack();
};

void TestScheduleEditing::clickStampsAnEmptyStampCellOnce_data()
{
    QTest::addColumn<int>("col");
    QTest::newRow("完工日") << int(ScheduleCol::Completion);
    QTest::newRow("預定日") << int(ScheduleCol::Planned);
}

void TestScheduleEditing::clickStampsAnEmptyStampCellOnce()
{
    QFETCH(int, col);
    FixedClock clock(stampMoment());
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    const int row = screen.rowOf(kEmptyLine, 2);
    QCOMPARE(screen.cell(row, col), QString());

    screen.clickCell(row, col);
    QCOMPARE(screen.cell(row, col), u"1204-14"_s);
    QVERIFY(screen.window->isMarked(row, col));

    // An hour later the stamp stays as it was.
    clock.advanceSeconds(3600);
    screen.clickCell(row, ScheduleCol::PO);
    screen.clickCell(row, col);
    QCOMPARE(screen.cell(row, col), u"1204-14"_s);

    // Nothing is written until the save.
    QCOMPARE(screen.stored(u"PRINTING_S"_s, u"FDATE"_s, kEmptyLine, 2), QString());
}

void TestScheduleEditing::clickLeavesOtherCellsAlone_data()
{
    QTest::addColumn<QString>("po");
    QTest::addColumn<int>("no");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("text");
    QTest::newRow("預定日 already stamped")
        << kPlannedLine << 1 << int(ScheduleCol::Planned) << u"1204-08"_s;
    QTest::newRow("數量") << kEmptyLine << 2 << int(ScheduleCol::Qty) << u"8000張"_s;
    QTest::newRow("客戶") << kEmptyLine << 2 << int(ScheduleCol::Customer) << u"海鷗旅行社"_s;
}

void TestScheduleEditing::clickLeavesOtherCellsAlone()
{
    QFETCH(QString, po);
    QFETCH(int, no);
    QFETCH(int, col);
    QFETCH(QString, text);
    FixedClock clock(stampMoment());
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    const int row = screen.rowOf(po, no);

    screen.clickCell(row, col);
    QCOMPARE(screen.cell(row, col), text);
    QVERIFY(!screen.window->isMarked(row, col));
}

void TestScheduleEditing::closedRowTakesNoStamp()
{
    FixedClock clock(stampMoment());
    MainScreen screen;
    ScheduleLine closed;
    closed.po = u"A1151192"_s;
    closed.closingMark = u"11512"_s; // 付款年月: the line is closed
    screen.insertLine(closed);
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s, true);
    const int row = screen.rowOf(closed.po, 1);
    QVERIFY(row > 0);

    screen.clickCell(row, ScheduleCol::Planned);
    QCOMPARE(screen.cell(row, ScheduleCol::Planned), QString());
    screen.type(u"1204-09"_s);
    QVERIFY(!screen.grid()->isEditing());
    QCOMPARE(screen.cell(row, ScheduleCol::Planned), QString());
    QVERIFY(!screen.window->isMarked(row, ScheduleCol::Planned));

    // An open finished line of the same list still takes the click.
    const int open = screen.rowOf(u"A1151106"_s, 1);
    screen.clickCell(open, ScheduleCol::Completion);
    QCOMPARE(screen.cell(open, ScheduleCol::Completion), u"1204-14"_s);
}

void TestScheduleEditing::typedStampIsCutToSevenCharacters()
{
    FixedClock clock(stampMoment());
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    const int row = screen.rowOf(kPlannedLine, 1);
    screen.clickCell(row, ScheduleCol::Planned); // already stamped: the click changes nothing
    QVERIFY(!screen.window->isMarked(row, ScheduleCol::Planned));

    screen.type(u"12345678"_s);
    QVERIFY(screen.grid()->isEditing());
    screen.press(Qt::Key_Return);
    QVERIFY(!screen.grid()->isEditing());

    QCOMPARE(screen.cell(row, ScheduleCol::Planned), u"1234567"_s);
    QCOMPARE(screen.shownUnder(u"訊息"_s), QStringList{u"最多只可輸入7個字元!"_s});
    QVERIFY(screen.window->isMarked(row, ScheduleCol::Planned));

    // Enter moves on to the next cell, where seven characters fit without a word.
    QTRY_COMPARE(screen.grid()->activeCol(), int(ScheduleCol::Completion));
    QCOMPARE(screen.grid()->activeRow(), row);
    screen.messages.clear();
    screen.type(u"1204-16"_s);
    screen.press(Qt::Key_Return);
    QCOMPARE(screen.cell(row, ScheduleCol::Completion), u"1204-16"_s);
    QCOMPARE(screen.cell(row, ScheduleCol::Planned), u"1234567"_s);
    QVERIFY(screen.window->isMarked(row, ScheduleCol::Completion));
    QCOMPARE(screen.messages.shown().size(), 0);
}

void TestScheduleEditing::typingIsSwallowedOutsideStampCells_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("text");
    QTest::newRow("數量") << int(ScheduleCol::Qty) << u"8000張"_s;
    QTest::newRow("順序") << int(ScheduleCol::Order) << u"9"_s;
    QTest::newRow("品名") << int(ScheduleCol::Product) << u"海鷗旅行社 信封"_s;
}

void TestScheduleEditing::typingIsSwallowedOutsideStampCells()
{
    QFETCH(int, col);
    QFETCH(QString, text);
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    const int row = screen.rowOf(kEmptyLine, 2);
    screen.clickCell(row, col);

    screen.type(u"99中"_s);
    screen.press(Qt::Key_Backspace);
    QVERIFY(!screen.grid()->isEditing());
    QCOMPARE(screen.cell(row, col), text);
    QVERIFY(!screen.window->isMarked(row, col));
    QCOMPARE(screen.messages.shown().size(), 0);
}

void TestScheduleEditing::deleteClearsOnlyStampsOfOpenRows_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("完工日 of an open row") << int(ScheduleCol::Completion) << false << true;
    QTest::newRow("預定日 of an open row") << int(ScheduleCol::Planned) << false << true;
    QTest::newRow("完工日 of a closed row") << int(ScheduleCol::Completion) << true << false;
    QTest::newRow("客戶") << int(ScheduleCol::Customer) << false << false;
}

void TestScheduleEditing::deleteClearsOnlyStampsOfOpenRows()
{
    QFETCH(int, col);
    QFETCH(bool, closed);
    QFETCH(bool, cleared);
    MainScreen screen;
    const int row = listStampedLine(screen, closed);
    QVERIFY(row > 0);
    screen.clickCell(row, col);
    const QString before = screen.cell(row, col);
    QVERIFY(!before.isEmpty());

    screen.press(Qt::Key_Delete);
    QCOMPARE(screen.cell(row, col), cleared ? QString() : before);
    QCOMPARE(screen.window->isMarked(row, col), cleared);
}

void TestScheduleEditing::f2NeverStartsAnEdit()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    const int row = screen.rowOf(kPlannedLine, 1);
    screen.clickCell(row, ScheduleCol::Planned);
    screen.press(Qt::Key_F2);
    QVERIFY(!screen.grid()->isEditing());
    QCOMPARE(screen.cell(row, ScheduleCol::Planned), u"1204-08"_s);
}

void TestScheduleEditing::doubleClickEditsOnlyStampsOfOpenRows_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("takesEntry");
    QTest::newRow("客戶") << int(ScheduleCol::Customer) << false << false;
    QTest::newRow("數量") << int(ScheduleCol::Qty) << false << false;
    QTest::newRow("完工日 of a closed row") << int(ScheduleCol::Completion) << true << false;
    QTest::newRow("完工日 of an open row") << int(ScheduleCol::Completion) << false << true;
}

void TestScheduleEditing::doubleClickEditsOnlyStampsOfOpenRows()
{
    QFETCH(int, col);
    QFETCH(bool, closed);
    QFETCH(bool, takesEntry);
    MainScreen screen;
    const int row = listStampedLine(screen, closed);
    QVERIFY(row > 0);
    const QString before = screen.cell(row, col);
    const QModelIndex index = screen.view()->model()->index(row - 1, col - 1);
    screen.clickCell(row, col); // a real double click starts with a plain click
    QTest::mouseDClick(screen.view()->viewport(), Qt::LeftButton, {},
                       screen.view()->visualRect(index).center());
    QVERIFY(screen.grid()->isEditing());
    // The editor opens on the cell's text; the user empties it and types a stamp.
    for (int i = 0; i < 20; ++i)
        screen.press(Qt::Key_Backspace);
    screen.type(u"1205-09"_s);
    screen.press(Qt::Key_Return);
    QCOMPARE(screen.cell(row, col), takesEntry ? u"1205-09"_s : before);
}

void TestScheduleEditing::timeSheetHandsTheLineOverAndBack_data()
{
    QTest::addColumn<bool>("saved");
    QTest::newRow("saved") << true;
    QTest::newRow("closed without saving") << false;
}

void TestScheduleEditing::timeSheetHandsTheLineOverAndBack()
{
    QFETCH(bool, saved);
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    const int row = screen.rowOf(u"A1151116"_s, 1);

    QStringList handedOver;
    int opened = 0;
    SetTimeSheetOpener([&](QWidget *) {
        ++opened;
        for (int slot = 0; slot < 12; ++slot)
            handedOver.append(JobHandOff()[slot]);
        if (saved) {
            JobHandOff()[0] = u"5.25"_s;
            JobHandOff()[1] = u"1204-16"_s;
            TimeSheetSaved() = true;
        }
    });
    screen.clickCell(row, ScheduleCol::TimeUsed);
    SetTimeSheetOpener({});

    QCOMPARE(opened, 1);
    QCOMPARE(handedOver,
             QStringList({u"A1151116"_s, u"1"_s, u""_s, u"3.75"_s, u"Joe's 咖啡 冬季菜單"_s,
                          u"海德堡四色"_s, u"4"_s, u""_s, u"1"_s, u"P1151205"_s, u"1"_s, u""_s}));
    QCOMPARE(screen.cell(row, ScheduleCol::TimeUsed), saved ? u"5.25"_s : u"3.75"_s);
    QCOMPARE(screen.cell(row, ScheduleCol::Completion), saved ? u"1204-16"_s : QString());
    QCOMPARE(screen.window->isMarked(row, ScheduleCol::Completion), saved);

    // Leaving the column empties the hand-off list.
    screen.clickCell(row, ScheduleCol::PO);
    QCOMPARE(JobHandOff()[0], QString());
}

QTEST_MAIN(TestScheduleEditing)
#include "tst_scheduleediting.moc"
