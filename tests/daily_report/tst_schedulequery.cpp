// The press schedule query of the main screen and the job detail panel that
// follows the cursor.

#include "daily_report/schedulecolumns.h"
#include "mainwindowfixture.h"

using namespace Qt::StringLiterals;

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
    QCOMPARE(names, QStringList({QString(), u"海德堡四色"_s, u"小森五色"_s, u"三菱雙色"_s,
                                 u"秋山單色"_s, u"海德堡雙色"_s}));
    QVERIFY(!screen.grid()->isEnabled());
    QCOMPARE(screen.grid()->maxRow(), 100);
    QCOMPARE(screen.countPanel(), u"0"_s);
    for (const QString &key : QStringList{u"save"_s, u"print"_s, u"工單"_s})
        QVERIFY2(!screen.action(key)->isEnabled(), qPrintable(key));
    QCOMPARE(screen.window->windowTitle(), u"印刷日報登錄"_s);
}

void TestScheduleQuery::listsTheLinesOfThePress_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<bool>("finishedOnly");
    QTest::addColumn<QString>("pressPrefix"); // what every listed 車別 starts with
    QTest::addColumn<int>("lines");

    // The demo's 51 lines: 36 open, 13 finished, 2 without a running order.
    QTest::newRow("one press, open") << u"海德堡四色"_s << false << u"海德堡四色"_s << 9;
    QTest::newRow("one press, finished") << u"海德堡四色"_s << true << u"海德堡四色"_s << 3;
    QTest::newRow("no press: every press, open") << QString() << false << QString() << 36;
    QTest::newRow("no press: every press, finished") << QString() << true << QString() << 13;
    QTest::newRow("a prefix matches both 海德堡 presses")
        << u"海德堡"_s << false << u"海德堡"_s << 9 + 6;
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
    QVERIFY(!screen.listedLines().contains(u"A1151109-2"_s)); // no running order
    for (int row = 1; row <= lines; ++row) {
        QVERIFY(screen.cell(row, ScheduleCol::Press).startsWith(pressPrefix));
        QVERIFY(!screen.cell(row, ScheduleCol::Order).isEmpty());
    }
    if (press.isEmpty() && !finishedOnly) {
        // Each of the four marks alone is enough to drop a line from the open list.
        for (const QString &line :
             QStringList{u"A1151101-1"_s, u"A1151106-1"_s, u"A1151104-1"_s, u"A1151107-1"_s})
            QVERIFY2(!screen.listedLines().contains(line), qPrintable(line));
    }
}

void TestScheduleQuery::ordersByDocumentDescendingThenRunningOrderNumerically()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);

    QCOMPARE(screen.listedLines(), QStringList({u"A1151121-2"_s, u"A1151125-2"_s, u"A1151126-1"_s,
                                                u"A1151127-1"_s, // P1151208: 2, 9, 10, 12
                                                u"A1151116-1"_s, u"A1151116-2"_s, // P1151205
                                                u"A1151110-1"_s, u"A1151110-2"_s, // P1151203
                                                u"A1151109-1"_s}));               // P1151202
    QCOMPARE(screen.cell(3, ScheduleCol::Order), u"10"_s);
    QCOMPARE(screen.cell(5, ScheduleCol::TimeUsed), u"3.75"_s); // from 預排耗時_印刷
    QCOMPARE(screen.cell(6, ScheduleCol::TimeUsed), QString()); // none logged yet
    QCOMPARE(screen.cell(1, ScheduleCol::ScheduleId), u"P1151208"_s);
    QCOMPARE(screen.cell(1, ScheduleCol::ScheduleLine), u"2"_s);
    QCOMPARE(screen.cell(1, ScheduleCol::Customer), u"安心藥品"_s);
    QCOMPARE(screen.cell(1, ScheduleCol::Product), u"感冒糖漿外盒"_s);
}

void TestScheduleQuery::colourCountsAreGroupedAndZeroIsBlank()
{
    MainScreen screen;
    ScheduleLine big;
    big.po = u"A1151190"_s;
    big.color1 = 1500;
    big.color2 = 0;
    screen.insertLine(big);
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);

    const int row = screen.rowOf(big.po, 1);
    QVERIFY(row > 0);
    QCOMPARE(screen.cell(row, ScheduleCol::Color1), u"1,500"_s);
    QCOMPARE(screen.cell(row, ScheduleCol::Color2), QString());
    const int demoRow = screen.rowOf(u"A1151127"_s, 1); // colours 4 and 0
    QCOMPARE(screen.cell(demoRow, ScheduleCol::Color1), u"4"_s);
    QCOMPARE(screen.cell(demoRow, ScheduleCol::Color2), QString());
}

void TestScheduleQuery::finishedOnlyListsFinishedLinesAndOffersNoPrint()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s, true);

    QStringList lines = screen.listedLines();
    lines.sort();
    QCOMPARE(lines, QStringList({u"A1151101-1"_s, u"A1151101-2"_s, u"A1151106-1"_s}));
    QVERIFY(screen.action(u"save"_s)->isEnabled());
    QVERIFY(screen.action(u"工單"_s)->isEnabled());
    QVERIFY(!screen.action(u"print"_s)->isEnabled());

    screen.query(u"海德堡四色"_s, false);
    QVERIFY(screen.action(u"print"_s)->isEnabled());
}

void TestScheduleQuery::queryFindingNothingLeavesOneDisabledRow()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s); // rows first, so the empty result has to undo them
    QVERIFY(screen.window->filledRows() > 0);

    screen.query(u"不存在的機台"_s);
    QCOMPARE(screen.window->filledRows(), 0);
    QCOMPARE(screen.grid()->maxRow(), 1);
    QVERIFY(!screen.grid()->isEnabled());
    QCOMPARE(screen.countPanel(), u"0"_s);
    QCOMPARE(screen.cell(1, ScheduleCol::PO), QString());
    for (const QString &key : QStringList{u"save"_s, u"print"_s, u"工單"_s})
        QVERIFY2(!screen.action(key)->isEnabled(), qPrintable(key));
    QCOMPARE(screen.messages.shown().size(), 0);
}

void TestScheduleQuery::choosingAnotherPressEmptiesTheScreen()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    screen.clickCell(2, ScheduleCol::Completion);
    QVERIFY(screen.window->isMarked(2, ScheduleCol::Completion));

    screen.choosePress(u"小森五色"_s);
    QVERIFY(!screen.grid()->isEnabled());
    QCOMPARE(screen.cell(1, ScheduleCol::PO), QString());
    QCOMPARE(screen.label(u"lbl客戶"_s), QString());
    QVERIFY(!screen.action(u"save"_s)->isEnabled());
    QCOMPARE(screen.messages.shown().size(), 0); // the edit is dropped without a question
}

void TestScheduleQuery::detailPanelFollowsTheCursor()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);

    // The query shows the first line at once: its own remark is empty.
    QCOMPARE(screen.label(u"lbl客戶"_s), u"安心藥品"_s);
    QCOMPARE(screen.label(u"lbl品名"_s), u"感冒糖漿外盒"_s);
    QCOMPARE(screen.label(u"lbl備註"_s), u"印刷備註:"_s);
    QCOMPARE(screen.label(u"lbl備註1"_s), u" 交期緊急 請優先排印"_s);

    // The line's remark, a blank, then the work order's printing note.
    const int row = screen.rowOf(u"A1151110"_s, 1);
    screen.clickCell(row, ScheduleCol::Product);
    QCOMPARE(screen.label(u"lbl客戶"_s), u"和風餐飲"_s);
    QCOMPARE(screen.label(u"lbl品名"_s), u"餐墊紙"_s);
    QCOMPARE(screen.label(u"lbl備註1"_s), u"先印背面白墨 背面白墨打底"_s);

    // Both empty: a single blank.
    screen.clickCell(screen.rowOf(u"A1151126"_s, 1), ScheduleCol::PO);
    QCOMPARE(screen.label(u"lbl備註1"_s), u" "_s);
}

void TestScheduleQuery::detailReadsTheDatabaseOncePerLine()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    QCOMPARE(screen.label(u"lbl備註1"_s), u" 交期緊急 請優先排印"_s);

    // The note changes behind the screen's back: moving along the same line does
    // not read it again.
    screen.db.exec(u"update [PWORK] set PREM = ? where PO = ?"_s, {u"改印特別色"_s, u"A1151121"_s});
    for (const int col : {int(ScheduleCol::NO), int(ScheduleCol::Customer), int(ScheduleCol::Qty),
                          int(ScheduleCol::Planned)})
        screen.clickCell(1, col);
    QCOMPARE(screen.label(u"lbl備註1"_s), u" 交期緊急 請優先排印"_s);

    // Another line and back: read again.
    screen.clickCell(2, ScheduleCol::PO);
    QCOMPARE(screen.label(u"lbl客戶"_s), u"海鷗旅行社"_s);
    screen.clickCell(1, ScheduleCol::PO);
    QCOMPARE(screen.label(u"lbl備註1"_s), u" 改印特別色"_s);
}

void TestScheduleQuery::rushBadgeShowsForRushOrdersOnly_data()
{
    QTest::addColumn<QVariant>("rush");
    QTest::addColumn<bool>("badge");
    QTest::newRow("1") << QVariant(u"1"_s) << true;
    QTest::newRow("1 with blanks") << QVariant(u" 1 "_s) << true;
    QTest::newRow("0") << QVariant(u"0"_s) << false;
    QTest::newRow("empty") << QVariant(u""_s) << false;
    QTest::newRow("null") << QVariant() << false;
}

void TestScheduleQuery::rushBadgeShowsForRushOrdersOnly()
{
    QFETCH(QVariant, rush);
    QFETCH(bool, badge);

    MainScreen screen;
    ScheduleLine line;
    line.po = u"A1151191"_s;
    line.id = u"P1151299"_s; // listed first
    screen.insertLine(line);
    screen.db.exec(u"update [PWORK] set 急件 = ? where PO = ?"_s, {rush, line.po});
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    QCOMPARE(screen.rowOf(line.po, 1), 1);
    QCOMPARE(screen.rushBadgeShown(), badge);

    // Moving to the demo's rush order (A1151121) shows it, away again hides it
    // or keeps it shown.
    screen.clickCell(screen.rowOf(u"A1151121"_s, 2), ScheduleCol::PO);
    QVERIFY(screen.rushBadgeShown());
    screen.clickCell(1, ScheduleCol::NO);
    QCOMPARE(screen.rushBadgeShown(), badge);
}

void TestScheduleQuery::blankRowEmptiesTheCaptionsButKeepsTheBadge()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    QVERIFY(screen.rushBadgeShown());

    // A row that the query did not fill, as the panel refresh meets it.
    screen.window->ShowJobDetail(QString(), QString());
    QCOMPARE(screen.label(u"lbl客戶"_s), QString());
    QCOMPARE(screen.label(u"lbl品名"_s), QString());
    QCOMPARE(screen.label(u"lbl備註1"_s), QString());
    QVERIFY(screen.rushBadgeShown());
}

void TestScheduleQuery::newQueryReadsTheFirstLineAgain()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    screen.db.exec(u"update [PWORK] set PREM = ?, 急件 = '' where PO = ?"_s,
                   {u"已改期"_s, u"A1151121"_s});
    screen.showData();
    QCOMPARE(screen.rowOf(u"A1151121"_s, 2), 1);
    QCOMPARE(screen.label(u"lbl備註1"_s), u" 已改期"_s);
    QVERIFY(!screen.rushBadgeShown());
}

QTEST_MAIN(TestScheduleQuery)
#include "tst_schedulequery.moc"
