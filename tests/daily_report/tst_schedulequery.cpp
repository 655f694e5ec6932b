// The press schedule query of the main screen and the job detail panel that
// follows the cursor.

#include "daily_report/schedulecolumns.h"
#include "mainwindowfixture.h"

class TestScheduleQuery : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void firstActivationLeavesAnEmptyDisabledScreen();
    void listsTheLinesOfThePress_data();
    void listsTheLinesOfThePress();
    void ordersByDocumentDescendingThenRunningOrderNumerically();
    void colourCountsAreGroupedAndZeroIsBlank();
    void finishedOnlyListsFinishedLinesAndOffersNoPrint();
    void queryFindingNothingLeavesOneDisabledRow();
    void choosingAnotherPressEmptiesTheScreen();

    void detailPanelFollowsTheCursor();
    void detailReadsTheDatabaseOncePerLine();
    void rushBadgeShowsForRushOrdersOnly_data();
    void rushBadgeShowsForRushOrdersOnly();
    void blankRowEmptiesTheCaptionsButKeepsTheBadge();
    void newQueryReadsTheFirstLineAgain();
};

void TestScheduleQuery::firstActivationLeavesAnEmptyDisabledScreen()
{
    MainScreen screen;
    QVERIFY(screen.open());
    QComboBox *presses = screen.pressBox();
    QStringList names;
    for (int i = 0; i < presses->count(); ++i)
        names.append(presses->itemText(i));
    QCOMPARE(names, QStringList({QString(), QStringLiteral("海德堡四色"),
                                 QStringLiteral("小森五色"), QStringLiteral("三菱雙色"),
                                 QStringLiteral("秋山單色"), QStringLiteral("海德堡雙色")}));
    QVERIFY(!screen.grid()->isEnabled());
    QCOMPARE(screen.grid()->maxRow(), 100);
    QCOMPARE(screen.countPanel(), QStringLiteral("0"));
    for (const QString &key : QStringList{"save", "print", "工單"})
        QVERIFY2(!screen.action(key)->isEnabled(), qPrintable(key));
    QCOMPARE(screen.window->windowTitle(), QStringLiteral("印刷日報登錄"));
}

void TestScheduleQuery::listsTheLinesOfThePress_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<bool>("finishedOnly");
    QTest::addColumn<QString>("pressPrefix"); // what every listed 車別 starts with
    QTest::addColumn<int>("lines");

    // The demo's 51 lines: 36 open, 13 finished, 2 without a running order.
    QTest::newRow("one press, open")
        << QStringLiteral("海德堡四色") << false << QStringLiteral("海德堡四色") << 9;
    QTest::newRow("one press, finished")
        << QStringLiteral("海德堡四色") << true << QStringLiteral("海德堡四色") << 3;
    QTest::newRow("no press: every press, open") << QString() << false << QString() << 36;
    QTest::newRow("no press: every press, finished") << QString() << true << QString() << 13;
    QTest::newRow("a prefix matches both 海德堡 presses")
        << QStringLiteral("海德堡") << false << QStringLiteral("海德堡") << 9 + 6;
}

void TestScheduleQuery::listsTheLinesOfThePress()
{
    QFETCH(QString, press);
    QFETCH(bool, finishedOnly);
    QFETCH(QString, pressPrefix);
    QFETCH(int, lines);

    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(press, finishedOnly);

    QCOMPARE(screen.window->filledRows(), lines);
    QCOMPARE(screen.countPanel(), QString::number(lines));
    QCOMPARE(screen.grid()->maxRow(), lines);
    QVERIFY(screen.grid()->isEnabled());
    QVERIFY(!screen.listedLines().contains(QStringLiteral("A1151109-2"))); // no running order
    for (int row = 1; row <= lines; ++row) {
        QVERIFY(screen.cell(row, ScheduleCol::Press).startsWith(pressPrefix));
        QVERIFY(!screen.cell(row, ScheduleCol::Order).isEmpty());
    }
    if (press.isEmpty() && !finishedOnly) {
        // Each of the four marks alone is enough to drop a line from the open list.
        for (const QString &line :
             QStringList{"A1151101-1", "A1151106-1", "A1151104-1", "A1151107-1"})
            QVERIFY2(!screen.listedLines().contains(line), qPrintable(line));
    }
}

void TestScheduleQuery::ordersByDocumentDescendingThenRunningOrderNumerically()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));

    QCOMPARE(screen.listedLines(), QStringList({"A1151121-2", "A1151125-2", "A1151126-1",
                                                "A1151127-1", // P1151208: 2, 9, 10, 12
                                                "A1151116-1", "A1151116-2", // P1151205
                                                "A1151110-1", "A1151110-2", // P1151203
                                                "A1151109-1"}));            // P1151202
    QCOMPARE(screen.cell(3, ScheduleCol::Order), QStringLiteral("10"));
    QCOMPARE(screen.cell(5, ScheduleCol::TimeUsed), QStringLiteral("3.75")); // from 預排耗時_印刷
    QCOMPARE(screen.cell(6, ScheduleCol::TimeUsed), QString());              // none logged yet
    QCOMPARE(screen.cell(1, ScheduleCol::ScheduleId), QStringLiteral("P1151208"));
    QCOMPARE(screen.cell(1, ScheduleCol::ScheduleLine), QStringLiteral("2"));
    QCOMPARE(screen.cell(1, ScheduleCol::Customer), QStringLiteral("安心藥品"));
    QCOMPARE(screen.cell(1, ScheduleCol::Product), QStringLiteral("感冒糖漿外盒"));
}

void TestScheduleQuery::colourCountsAreGroupedAndZeroIsBlank()
{
    MainScreen screen;
    ScheduleLine big;
    big.po = QStringLiteral("A1151190");
    big.color1 = 1500;
    big.color2 = 0;
    screen.insertLine(big);
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));

    const int row = screen.rowOf(big.po, 1);
    QVERIFY(row > 0);
    QCOMPARE(screen.cell(row, ScheduleCol::Color1), QStringLiteral("1,500"));
    QCOMPARE(screen.cell(row, ScheduleCol::Color2), QString());
    const int demoRow = screen.rowOf(QStringLiteral("A1151127"), 1); // colours 4 and 0
    QCOMPARE(screen.cell(demoRow, ScheduleCol::Color1), QStringLiteral("4"));
    QCOMPARE(screen.cell(demoRow, ScheduleCol::Color2), QString());
}

void TestScheduleQuery::finishedOnlyListsFinishedLinesAndOffersNoPrint()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"), true);

    QStringList lines = screen.listedLines();
    lines.sort();
    QCOMPARE(lines, QStringList({"A1151101-1", "A1151101-2", "A1151106-1"}));
    QVERIFY(screen.action(QStringLiteral("save"))->isEnabled());
    QVERIFY(screen.action(QStringLiteral("工單"))->isEnabled());
    QVERIFY(!screen.action(QStringLiteral("print"))->isEnabled());

    screen.query(QStringLiteral("海德堡四色"), false);
    QVERIFY(screen.action(QStringLiteral("print"))->isEnabled());
}

void TestScheduleQuery::queryFindingNothingLeavesOneDisabledRow()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色")); // rows first, so the empty result has to undo them
    QVERIFY(screen.window->filledRows() > 0);

    screen.query(QStringLiteral("不存在的機台"));
    QCOMPARE(screen.window->filledRows(), 0);
    QCOMPARE(screen.grid()->maxRow(), 1);
    QVERIFY(!screen.grid()->isEnabled());
    QCOMPARE(screen.countPanel(), QStringLiteral("0"));
    QCOMPARE(screen.cell(1, ScheduleCol::PO), QString());
    for (const QString &key : QStringList{"save", "print", "工單"})
        QVERIFY2(!screen.action(key)->isEnabled(), qPrintable(key));
    QCOMPARE(screen.messages.shown().size(), 0);
}

void TestScheduleQuery::choosingAnotherPressEmptiesTheScreen()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    screen.clickCell(2, ScheduleCol::Completion);
    QVERIFY(screen.window->isMarked(2, ScheduleCol::Completion));

    screen.choosePress(QStringLiteral("小森五色"));
    QVERIFY(!screen.grid()->isEnabled());
    QCOMPARE(screen.cell(1, ScheduleCol::PO), QString());
    QCOMPARE(screen.label(QStringLiteral("lbl客戶")), QString());
    QVERIFY(!screen.action(QStringLiteral("save"))->isEnabled());
    QCOMPARE(screen.messages.shown().size(), 0); // the edit is dropped without a question
}

void TestScheduleQuery::detailPanelFollowsTheCursor()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));

    // The query shows the first line at once: its own remark is empty.
    QCOMPARE(screen.label(QStringLiteral("lbl客戶")), QStringLiteral("安心藥品"));
    QCOMPARE(screen.label(QStringLiteral("lbl品名")), QStringLiteral("感冒糖漿外盒"));
    QCOMPARE(screen.label(QStringLiteral("lbl備註")), QStringLiteral("印刷備註:"));
    QCOMPARE(screen.label(QStringLiteral("lbl備註1")), QStringLiteral(" 交期緊急 請優先排印"));

    // The line's remark, a blank, then the work order's printing note.
    const int row = screen.rowOf(QStringLiteral("A1151110"), 1);
    screen.clickCell(row, ScheduleCol::Product);
    QCOMPARE(screen.label(QStringLiteral("lbl客戶")), QStringLiteral("和風餐飲"));
    QCOMPARE(screen.label(QStringLiteral("lbl品名")), QStringLiteral("餐墊紙"));
    QCOMPARE(screen.label(QStringLiteral("lbl備註1")), QStringLiteral("先印背面白墨 背面白墨打底"));

    // Both empty: a single blank.
    screen.clickCell(screen.rowOf(QStringLiteral("A1151126"), 1), ScheduleCol::PO);
    QCOMPARE(screen.label(QStringLiteral("lbl備註1")), QStringLiteral(" "));
}

void TestScheduleQuery::detailReadsTheDatabaseOncePerLine()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    QCOMPARE(screen.label(QStringLiteral("lbl備註1")), QStringLiteral(" 交期緊急 請優先排印"));

    // The note changes behind the screen's back: moving along the same line does
    // not read it again.
    screen.db.exec(QStringLiteral("update [PWORK] set PREM = ? where PO = ?"),
                   {QStringLiteral("改印特別色"), QStringLiteral("A1151121")});
    for (const int col : {int(ScheduleCol::NO), int(ScheduleCol::Customer), int(ScheduleCol::Qty),
                          int(ScheduleCol::Planned)})
        screen.clickCell(1, col);
    QCOMPARE(screen.label(QStringLiteral("lbl備註1")), QStringLiteral(" 交期緊急 請優先排印"));

    // Another line and back: read again.
    screen.clickCell(2, ScheduleCol::PO);
    QCOMPARE(screen.label(QStringLiteral("lbl客戶")), QStringLiteral("海鷗旅行社"));
    screen.clickCell(1, ScheduleCol::PO);
    QCOMPARE(screen.label(QStringLiteral("lbl備註1")), QStringLiteral(" 改印特別色"));
}

void TestScheduleQuery::rushBadgeShowsForRushOrdersOnly_data()
{
    QTest::addColumn<QVariant>("rush");
    QTest::addColumn<bool>("badge");
    QTest::newRow("1") << QVariant(QStringLiteral("1")) << true;
    QTest::newRow("1 with blanks") << QVariant(QStringLiteral(" 1 ")) << true;
    QTest::newRow("0") << QVariant(QStringLiteral("0")) << false;
    QTest::newRow("empty") << QVariant(QStringLiteral("")) << false;
    QTest::newRow("null") << QVariant() << false;
}

void TestScheduleQuery::rushBadgeShowsForRushOrdersOnly()
{
    QFETCH(QVariant, rush);
    QFETCH(bool, badge);

    MainScreen screen;
    ScheduleLine line;
    line.po = QStringLiteral("A1151191");
    line.id = QStringLiteral("P1151299"); // listed first
    screen.insertLine(line);
    screen.db.exec(QStringLiteral("update [PWORK] set 急件 = ? where PO = ?"), {rush, line.po});
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    QCOMPARE(screen.rowOf(line.po, 1), 1);
    QCOMPARE(screen.rushBadgeShown(), badge);

    // Moving to the demo's rush order (A1151121) shows it, away again hides it
    // or keeps it shown.
    screen.clickCell(screen.rowOf(QStringLiteral("A1151121"), 2), ScheduleCol::PO);
    QVERIFY(screen.rushBadgeShown());
    screen.clickCell(1, ScheduleCol::NO);
    QCOMPARE(screen.rushBadgeShown(), badge);
}

void TestScheduleQuery::blankRowEmptiesTheCaptionsButKeepsTheBadge()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    QVERIFY(screen.rushBadgeShown());

    // A row that the query did not fill, as the panel refresh meets it.
    screen.window->ShowJobDetail(QString(), QString());
    QCOMPARE(screen.label(QStringLiteral("lbl客戶")), QString());
    QCOMPARE(screen.label(QStringLiteral("lbl品名")), QString());
    QCOMPARE(screen.label(QStringLiteral("lbl備註1")), QString());
    QVERIFY(screen.rushBadgeShown());
}

void TestScheduleQuery::newQueryReadsTheFirstLineAgain()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    screen.db.exec(QStringLiteral("update [PWORK] set PREM = ?, 急件 = '' where PO = ?"),
                   {QStringLiteral("已改期"), QStringLiteral("A1151121")});
    screen.showData();
    QCOMPARE(screen.rowOf(QStringLiteral("A1151121"), 2), 1);
    QCOMPARE(screen.label(QStringLiteral("lbl備註1")), QStringLiteral(" 已改期"));
    QVERIFY(!screen.rushBadgeShown());
}

QTEST_MAIN(TestScheduleQuery)
#include "tst_schedulequery.moc"
