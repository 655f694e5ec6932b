#include "lookups/stafflookup.h"
#include "sheetfixture.h"
#include "time_sheet/runcolumns.h"

#include <QListWidget>

#include <QLabel>

using namespace Qt::StringLiterals;

class TestSheet : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }
    void stampTypeAndConfirm();
    void deleteRunAndConfirm();
    void backAfterDeleting();
    void closedLineCannotBeConfirmed();
    void failedSaveWritesNothing();
    void runsSavedMeanwhileAreNotWiped();
    void failedLoadLocksTheBoxes();
    void operatorFromTheStaffLookup();
    void pickedFillCountIsComputed();
    void rowBelowABlankRowTakesNothing();
};

// A new run stamped and typed on an empty line is stored with its figures, the
// completion stamp reaches the production rows, and the main row shows both.
void TestSheet::stampTypeAndConfirm()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(8, 0)));
    const int row = screen.rowOf(u"A1151116"_s, 2);
    bool saved = false;
    screen.openSheet(u"A1151116"_s, 2, [&](TimeSheetWindow &sheet) {
        SpreadsheetGrid *grid = SheetScreen::grid(sheet);
        SheetScreen::click(grid, 1, RunCol::Start);
        clock.setNow(QDateTime(QDate(2026, 12, 4), QTime(10, 30)));
        SheetScreen::click(grid, 1, RunCol::End);
        QCOMPARE(grid->text(1, RunCol::Hours), u"2.5"_s);
        SheetScreen::click(grid, 1, RunCol::Finished);
        SheetScreen::type(grid, u"13000"_s);
        SheetScreen::click(grid, 1, RunCol::Operator);
        SheetScreen::type(grid, u"e003"_s);
        QCOMPARE(grid->text(1, RunCol::Operator), u"陳志明"_s);
        QCOMPARE(sheet.findChild<QLabel *>(u"lbl點數"_s)->text(), u"5"_s);
        SheetScreen::button(sheet, u"cmd日期"_s);
        SheetScreen::button(sheet, u"scmd確定"_s);
        saved = !sheet.isVisible();
    });
    QVERIFY(saved);
    QCOMPARE(screen.messages.texts(), QStringList());
    const auto run = [&](const QString &column) { return screen.runs(u"A1151116"_s, 2, column); };
    QCOMPARE(run(u"開始"_s), QStringList{u"1151204-08:00"_s});
    QCOMPARE(run(u"結束"_s), QStringList{u"1151204-10:30"_s});
    QCOMPARE(run(u"版數"_s) + run(u"看印"_s) + run(u"機別"_s),
             (QStringList{u"8"_s, u"V"_s, u"海德堡四色"_s}));
    QCOMPARE(run(u"完工數量"_s) + run(u"經辦代號"_s) + run(u"經辦人員"_s),
             (QStringList{u"13000"_s, u"E003"_s, u"陳志明"_s}));
    // 150 minutes less 8 plates, washing: 95 minutes; 1.58 h at 8000 an hour.
    QCOMPARE(run(u"耗時"_s) + run(u"有效耗時"_s) + run(u"標準數量"_s) + run(u"點數"_s),
             (QStringList{u"2.5"_s, u"1.58"_s, u"8000"_s, u"5"_s}));
    QCOMPARE(run(u"序"_s), QStringList{u"1"_s});
    for (const auto &[table, column] : {std::pair{u"PRINTING"_s, u"FDATE"_s},
                                        {u"PRINTING"_s, u"ACT"_s},
                                        {u"PRINTING_S"_s, u"FDATE"_s},
                                        {u"VENDERAC"_s, u"ODATE"_s},
                                        {u"預排資料明細"_s, u"ODATE"_s}})
        QCOMPARE(screen.stored(table, column, u"A1151116"_s, 2), u"1204-10"_s);
    QCOMPARE(screen.stored(u"PRINTING_S"_s, u"ODATE"_s, u"A1151116"_s, 2), u"1205-13"_s);
    QCOMPARE(RecordValueText(screen.db.scalar(
                 u"select 耗時 from [預排耗時_印刷] where 工單單號 = ? and 工單序 = 2"_s,
                 {u"A1151116"_s})),
             u"2.5"_s);
    QCOMPARE(screen.mainCell(row, ScheduleCol::TimeUsed), u"2.5"_s);
    QCOMPARE(screen.mainCell(row, ScheduleCol::Completion), u"1204-10"_s);
    QVERIFY(screen.main->isMarked(row, ScheduleCol::Completion));

    // The main screen's next save writes the same stamp again, as its own.
    screen.main->SaveCompletion();
    QCOMPARE(screen.messages.texts(), (QStringList{u"確定儲存資料?"_s, u"資料儲存完畢!"_s}));
}

// Deleting run 2 of 3 and confirming stores the other two as runs 1 and 2.
void TestSheet::deleteRunAndConfirm()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"小森五色"_s, true));
    screen.openSheet(u"A1151103"_s, 1, [](TimeSheetWindow &sheet) {
        SpreadsheetGrid *grid = SheetScreen::grid(sheet);
        QCOMPARE(grid->text(3, RunCol::Hours), u"1.25"_s);
        SheetScreen::click(grid, 2, RunCol::Note);
        SheetScreen::button(sheet, u"scmd刪除"_s);
        QCOMPARE(SheetScreen::text(sheet, u"txt總耗時"_s), u"4.75"_s);
        SheetScreen::button(sheet, u"scmd確定"_s);
    });
    QCOMPARE(screen.runs(u"A1151103"_s, 1, u"開始"_s),
             (QStringList{u"1151202-08:30"_s, u"1151203-08:00"_s}));
    QCOMPARE(screen.runs(u"A1151103"_s, 1, u"序"_s), (QStringList{u"1"_s, u"2"_s}));
    QCOMPARE(screen.mainCell(screen.rowOf(u"A1151103"_s, 1), ScheduleCol::TimeUsed), u"4.75"_s);
}

// Going back after deleting a run stores nothing and leaves the main row alone.
void TestSheet::backAfterDeleting()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"小森五色"_s, true));
    screen.openSheet(u"A1151103"_s, 1, [](TimeSheetWindow &sheet) {
        SheetScreen::click(SheetScreen::grid(sheet), 2, RunCol::Note);
        SheetScreen::button(sheet, u"scmd刪除"_s);
        SheetScreen::button(sheet, u"ssc回前畫面"_s);
    });
    QVERIFY(!TimeSheetSaved());
    QCOMPARE(screen.runs(u"A1151103"_s, 1, u"序"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    const int row = screen.rowOf(u"A1151103"_s, 1);
    QCOMPARE(screen.mainCell(row, ScheduleCol::TimeUsed), u"9.25"_s);
    QVERIFY(!screen.main->isMarked(row, ScheduleCol::Completion));
}

// A closed line's runs open for looking, but the sheet cannot be confirmed.
void TestSheet::closedLineCannotBeConfirmed()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"三菱雙色"_s, true));
    bool confirmable = true;
    screen.openSheet(u"A1151104"_s, 1, [&](TimeSheetWindow &sheet) {
        confirmable = sheet.findChild<QPushButton *>(u"scmd確定"_s)->isEnabled();
    });
    QVERIFY(!confirmable);
}

// A save that fails halfway leaves the stored runs and stamps as they were, and
// the sheet open with the user's runs.
void TestSheet::failedSaveWritesNothing()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    screen.db.exec(u"alter table [VENDERAC] rename to [VENDERAC_OLD]"_s);
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        SpreadsheetGrid *grid = SheetScreen::grid(sheet);
        SheetScreen::click(grid, 3, RunCol::Start);
        SheetScreen::click(grid, 3, RunCol::End);
        SheetScreen::button(sheet, u"cmd日期"_s);
        SheetScreen::button(sheet, u"scmd確定"_s);
        QCOMPARE(screen.messages.shown().size(), 1);
        QCOMPARE(screen.messages.shown().first().title, u"儲存錯誤"_s);
        QVERIFY(sheet.isVisible());
        QCOMPARE(sheet.filledRows(), 3);
    });
    QCOMPARE(screen.runs(u"A1151116"_s, 1, u"序"_s), (QStringList{u"1"_s, u"2"_s}));
    QCOMPARE(screen.stored(u"PRINTING"_s, u"FDATE"_s, u"A1151116"_s, 1), QString());
    QCOMPARE(screen.stored(u"PRINTING_S"_s, u"FDATE"_s, u"A1151116"_s, 1), QString());
}

// Runs another user saved after the sheet was opened are not replaced: the save
// is refused, the grid kept, and opening the sheet again shows their runs.
void TestSheet::runsSavedMeanwhileAreNotWiped()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        screen.db.exec(u"update [預排資料耗時明細1] set 完工數量 = 15000 "
                       u"where 工單單號 = 'A1151116' and 工單序 = 1 and 序 = 1"_s);
        SpreadsheetGrid *grid = SheetScreen::grid(sheet);
        SheetScreen::click(grid, 2, RunCol::Finished);
        SheetScreen::type(grid, u"6000"_s);
        SheetScreen::button(sheet, u"scmd確定"_s);
        QCOMPARE(screen.messages.shown().size(), 1);
        QCOMPARE(screen.messages.shown().first().title, u"儲存錯誤"_s);
        QVERIFY(screen.messages.texts().first().contains(u"其他使用者"_s));
        QVERIFY(sheet.isVisible());
        QCOMPARE(grid->text(1, RunCol::Finished), u"14500"_s);
        QCOMPARE(grid->text(2, RunCol::Finished), u"6000"_s);
    });
    QCOMPARE(screen.runs(u"A1151116"_s, 1, u"完工數量"_s), (QStringList{u"15000"_s, u"5800"_s}));
    QString reopened;
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        reopened = SheetScreen::grid(sheet)->text(1, RunCol::Finished);
    });
    QCOMPARE(reopened, u"15000"_s);
}

// Runs that cannot be read leave the sheet open with its boxes read-only.
void TestSheet::failedLoadLocksTheBoxes()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    screen.db.exec(u"alter table [預排資料耗時明細1] rename to [耗時明細_OLD]"_s);
    bool locked = false;
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        locked = sheet.findChild<QLineEdit *>(u"txt完工日期"_s)->isReadOnly();
    });
    QCOMPARE(screen.messages.shown().size(), 1);
    QCOMPARE(screen.messages.shown().first().title, u"錯誤"_s);
    QVERIFY(locked);
}

// A new run takes the operator of the run before; a name that is nobody's code
// or name is looked up in the staff lookup, and a lookup left without a pick
// changes nothing.
void TestSheet::operatorFromTheStaffLookup()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    QStringList filters;
    QString pick;
    SetStaffLookupOpener([&](QWidget *) {
        filters.append(LookupFilterText());
        ClearJobHandOff();
        if (!pick.isEmpty()) {
            JobHandOff()[0] = pick;
            JobHandOff()[1] = u"林美華"_s;
        }
    });
    QStringList operators;
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        SpreadsheetGrid *grid = SheetScreen::grid(sheet);
        SheetScreen::click(grid, 3, RunCol::Start);
        operators << grid->text(3, RunCol::OperatorId) + grid->text(3, RunCol::Operator);
        SheetScreen::click(grid, 3, RunCol::Operator);
        pick = u"E002"_s;
        SheetScreen::type(grid, u"林"_s);
        operators << grid->text(3, RunCol::OperatorId) + grid->text(3, RunCol::Operator);
        SheetScreen::click(grid, 3, RunCol::Operator);
        pick.clear();
        SheetScreen::button(sheet, u"scmd輔助"_s);
        operators << grid->text(3, RunCol::OperatorId) + grid->text(3, RunCol::Operator);
    });
    SetStaffLookupOpener({});
    QCOMPARE(operators, (QStringList{u"E003陳志明"_s, u"E002林美華"_s, u"E002林美華"_s}));
    QCOMPARE(filters, (QStringList{u"林"_s, QString()}));
}

// A fill count picked from the list below the cell takes its allowance off the
// run's effective time at once.
void TestSheet::pickedFillCountIsComputed()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    QString effective;
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        SpreadsheetGrid *grid = SheetScreen::grid(sheet);
        SheetScreen::click(grid, 1, RunCol::Fills);
        auto *list = grid->findChild<QListWidget *>(u"fml明細"_s);
        QVERIFY(list && list->isVisible());
        QCOMPARE(list->geometry().top(),
                 grid->cellRangeRect(1, RunCol::Fills, 1, RunCol::Fills).top());
        const QList<QListWidgetItem *> two = list->findItems(u"2"_s, Qt::MatchExactly);
        QCOMPARE(two.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(two.first()).center());
        QCOMPARE(grid->text(1, RunCol::Fills), u"2"_s);
        effective = grid->text(1, RunCol::Effective);
    });
    QCOMPARE(effective, u"1.65"_s); // 150 minutes less 4 plates, proofing, 2 fills, washing
}

// Below a blank row nothing is typed or picked; the cursor still moves.
void TestSheet::rowBelowABlankRowTakesNothing()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        SpreadsheetGrid *grid = SheetScreen::grid(sheet);
        SheetScreen::click(grid, 4, RunCol::Note);
        const auto *list = grid->findChild<QListWidget *>(u"fml明細"_s);
        QVERIFY(!list || !list->isVisible());
        QTest::keyClick(SheetScreen::focusIn(grid), 'x');
        QCOMPARE(grid->text(4, RunCol::Note), QString());
        QCOMPARE(sheet.filledRows(), 2);
        QTest::keyClick(SheetScreen::focusIn(grid), Qt::Key_Up);
        QCOMPARE(grid->activeRow(), 3);
    });
    QCOMPARE(screen.messages.texts(), QStringList{u"前一列資料尚未輸入!"_s});
}

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
