#include "lookups/stafflookup.h"
#include "sheetfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

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
    void listsAndBlankRows();
};

// A run stamped and typed on an empty line is stored with its figures, the
// completion stamp reaches the production rows, and the main row shows both.
void TestSheet::stampTypeAndConfirm()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(8, 0)));
    screen.openSheet(u"A1151116"_s, 2, [&](TimeSheetWindow &sheet) {
        SpreadsheetGrid *grid = SheetScreen::grid(sheet);
        SheetScreen::click(grid, 1, RunCol::Start);
        clock.setNow(QDateTime(QDate(2026, 12, 4), QTime(10, 30)));
        SheetScreen::click(grid, 1, RunCol::End);
        SheetScreen::click(grid, 1, RunCol::Finished);
        SheetScreen::type(grid, u"13000"_s);
        SheetScreen::click(grid, 1, RunCol::Operator);
        SheetScreen::type(grid, u"e003"_s);
        QCOMPARE(sheet.findChild<QLabel *>(u"lbl點數"_s)->text(), u"5"_s);
        SheetScreen::button(sheet, u"cmd日期"_s);
        SheetScreen::button(sheet, u"scmd確定"_s);
    });
    QCOMPARE(screen.messages.texts(), QStringList());
    // 150 minutes less 8 plates and washing: 95 minutes, 1.58 h at 8000 an hour.
    QCOMPARE(screen.runs(u"A1151116"_s, 2), QList<QStringList>({{u"1151204-08:00"_s,
                                                                 u"1151204-10:30"_s,
                                                                 u"4"_s,
                                                                 u"4"_s,
                                                                 u""_s,
                                                                 u"8"_s,
                                                                 u"V"_s,
                                                                 u""_s,
                                                                 u""_s,
                                                                 u"13000"_s,
                                                                 u"海德堡四色"_s,
                                                                 u"E003"_s,
                                                                 u"陳志明"_s,
                                                                 u"2.5"_s,
                                                                 u"1.58"_s,
                                                                 u""_s,
                                                                 u"8000"_s,
                                                                 u"5"_s,
                                                                 u"A1151116"_s,
                                                                 u"2"_s,
                                                                 u"1"_s}}));
    for (const auto &[table, column] : {std::pair{u"PRINTING"_s, u"ACT"_s},
                                        {u"PRINTING_S"_s, u"FDATE"_s},
                                        {u"VENDERAC"_s, u"ODATE"_s},
                                        {u"預排資料明細"_s, u"ODATE"_s}})
        QCOMPARE(screen.stored(table, column, u"A1151116"_s, 2), u"1204-10"_s);
    QCOMPARE(screen.stored(u"PRINTING_S"_s, u"ODATE"_s, u"A1151116"_s, 2), u"1205-13"_s);
    QCOMPARE(screen.db.scalar(u"select 耗時 from [預排耗時_印刷] where 工單單號 = 'A1151116' "
                              u"and 工單序 = 2"_s),
             QVariant(2.5));
    const int row = screen.rowOf(u"A1151116"_s, 2);
    QCOMPARE(screen.mainCell(row, ScheduleCol::TimeUsed) + u' ' +
                 screen.mainCell(row, ScheduleCol::Completion),
             u"2.5 1204-10"_s);
    // The main screen's next save writes the stamp again without a false conflict.
    screen.main->SaveCompletion();
    QCOMPARE(screen.messages.texts(), (QStringList{u"確定儲存資料?"_s, u"資料儲存完畢!"_s}));
}

// Deleting run 2 of 3 and confirming stores the other two as runs 1 and 2.
void TestSheet::deleteRunAndConfirm()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"小森五色"_s, true));
    screen.openSheet(u"A1151103"_s, 1, [](TimeSheetWindow &sheet) {
        SheetScreen::click(SheetScreen::grid(sheet), 2, RunCol::Note);
        SheetScreen::button(sheet, u"scmd刪除"_s);
        SheetScreen::button(sheet, u"scmd確定"_s);
    });
    QCOMPARE(screen.runs(u"A1151103"_s, 1, RunCol::Start),
             (QStringList{u"1151202-08:30"_s, u"1151203-08:00"_s}));
    QCOMPARE(screen.runs(u"A1151103"_s, 1, RunCol::Seq), (QStringList{u"1"_s, u"2"_s}));
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
    QCOMPARE(screen.runs(u"A1151103"_s, 1, RunCol::Seq), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    const int row = screen.rowOf(u"A1151103"_s, 1);
    QCOMPARE(screen.mainCell(row, ScheduleCol::TimeUsed), u"9.25"_s);
    QVERIFY(!screen.main->isMarked(row, ScheduleCol::Completion));
}

void TestSheet::closedLineCannotBeConfirmed()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"三菱雙色"_s, true));
    bool confirmable = true;
    screen.openSheet(u"A1151104"_s, 1, [&](TimeSheetWindow &sheet) {
        confirmable = sheet.findChild<QAbstractButton *>(u"scmd確定"_s)->isEnabled();
    });
    QVERIFY(!confirmable);
}

// A save failing halfway leaves runs and stamps as they were and the sheet open.
void TestSheet::failedSaveWritesNothing()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    screen.db.exec(u"alter table [VENDERAC] rename to [VENDERAC_OLD]"_s);
    bool open = false;
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        SheetScreen::click(SheetScreen::grid(sheet), 3, RunCol::Start);
        SheetScreen::button(sheet, u"cmd日期"_s);
        SheetScreen::button(sheet, u"scmd確定"_s);
        open = sheet.isVisible() && sheet.filledRows() == 3;
    });
    QVERIFY(open);
    QCOMPARE(screen.messages.shown().size(), 1);
    QCOMPARE(screen.messages.shown().first().title, u"儲存錯誤"_s);
    QCOMPARE(screen.runs(u"A1151116"_s, 1, RunCol::Seq), (QStringList{u"1"_s, u"2"_s}));
    QCOMPARE(screen.stored(u"PRINTING"_s, u"FDATE"_s, u"A1151116"_s, 1), QString());
}

// Runs another user saved after the sheet opened are not replaced: the save is
// refused, the grid kept, and opening the sheet again shows their runs.
void TestSheet::runsSavedMeanwhileAreNotWiped()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    QStringList finished;
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        screen.db.exec(u"update [預排資料耗時明細1] set 完工數量 = 15000 "
                       u"where 工單單號 = 'A1151116' and 工單序 = 1 and 序 = 1"_s);
        SpreadsheetGrid *grid = SheetScreen::grid(sheet);
        SheetScreen::click(grid, 2, RunCol::Finished);
        SheetScreen::type(grid, u"6000"_s);
        SheetScreen::button(sheet, u"scmd確定"_s);
        if (sheet.isVisible())
            finished << grid->text(1, RunCol::Finished) << grid->text(2, RunCol::Finished);
    });
    QCOMPARE(finished, (QStringList{u"14500"_s, u"6000"_s}));
    QCOMPARE(screen.messages.shown().first().title, u"儲存錯誤"_s);
    QVERIFY(screen.messages.texts().first().contains(u"其他使用者"_s));
    QCOMPARE(screen.runs(u"A1151116"_s, 1, RunCol::Finished), (QStringList{u"15000"_s, u"5800"_s}));
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        finished = {SheetScreen::grid(sheet)->text(1, RunCol::Finished)};
    });
    QCOMPARE(finished, QStringList{u"15000"_s});
}

void TestSheet::failedLoadLocksTheBoxes()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    screen.db.exec(u"alter table [預排資料耗時明細1] rename to [耗時明細_OLD]"_s);
    bool locked = false;
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        locked = sheet.findChild<QLineEdit *>(u"txt完工日期"_s)->isReadOnly();
    });
    QCOMPARE(screen.messages.shown().first().title, u"錯誤"_s);
    QVERIFY(locked);
}

// A new run takes the operator of the run before; a name that is nobody's code
// or name goes to the staff lookup; a lookup left without a pick changes nothing.
void TestSheet::operatorFromTheStaffLookup()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    QStringList filters;
    QString pick = u"E002"_s;
    SetStaffLookupOpener([&](QWidget *) {
        filters.append(LookupFilterText());
        ClearJobHandOff();
        JobHandOff()[0] = pick;
        JobHandOff()[1] = u"林美華"_s;
    });
    QStringList operators;
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        SpreadsheetGrid *grid = SheetScreen::grid(sheet);
        const auto who = [&] { operators << grid->text(3, 12) + grid->text(3, 13); };
        SheetScreen::click(grid, 3, RunCol::Start);
        who();
        SheetScreen::click(grid, 3, RunCol::Operator);
        SheetScreen::type(grid, u"林"_s);
        who();
        SheetScreen::click(grid, 3, RunCol::Operator);
        pick.clear();
        SheetScreen::button(sheet, u"scmd輔助"_s);
        who();
    });
    SetStaffLookupOpener({});
    QCOMPARE(operators, (QStringList{u"E003陳志明"_s, u"E002林美華"_s, u"E002林美華"_s}));
    QCOMPARE(filters, (QStringList{u"林"_s, QString()}));
}

// A fill count picked from the list below its cell is taken off at once. Below
// a blank row nothing is typed or picked; the cursor still moves.
void TestSheet::listsAndBlankRows()
{
    SheetScreen screen;
    QVERIFY(screen.list(u"海德堡四色"_s));
    QString effective;
    screen.openSheet(u"A1151116"_s, 1, [&](TimeSheetWindow &sheet) {
        SpreadsheetGrid *grid = SheetScreen::grid(sheet);
        SheetScreen::click(grid, 1, RunCol::Fills);
        auto *list = grid->findChild<QListWidget *>(u"fml明細"_s);
        QCOMPARE(list->geometry().top(), grid->cellRangeRect(1, 8, 1, 8).top());
        const QListWidgetItem *two = list->findItems(u"2"_s, Qt::MatchExactly).value(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(two).center());
        effective = grid->text(1, RunCol::Fills) + u' ' + grid->text(1, RunCol::Effective);

        SheetScreen::click(grid, 4, RunCol::Fills);
        QVERIFY(!list->isVisible());
        QTest::keyClick(SheetScreen::focusIn(grid), '3');
        QTest::keyClick(SheetScreen::focusIn(grid), Qt::Key_Up);
        QCOMPARE(grid->activeRow(), 3);
        QCOMPARE(grid->text(4, RunCol::Fills) + QString::number(sheet.filledRows()), u"2"_s);
    });
    QCOMPARE(effective, u"2 1.65"_s); // 150 minutes less 4 plates, proofing, 2 fills, washing
    QCOMPARE(screen.messages.texts(), QStringList{u"前一列資料尚未輸入!"_s});
}

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
