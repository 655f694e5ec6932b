// Saving the stamps of the marked lines into PRINTING, PRINTING_S, VENDERAC and
// 預排資料明細, all or nothing.

#include "common/clock.h"
#include "daily_report/schedulecolumns.h"
#include "mainwindowfixture.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList kTables = {u"PRINTING"_s, u"PRINTING_S"_s, u"VENDERAC"_s, u"預排資料明細"_s};

QDateTime stampMoment()
{
    return QDateTime(QDate(2026, 12, 4), QTime(14, 5));
}

} // namespace

class TestSaveCompletion : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void completionReachesAllFourTablesAndTheLineDropsOut_data();
    void completionReachesAllFourTablesAndTheLineDropsOut();
    void plannedStampAloneStillVisitsAllFourTables();
    void deletedCompletionIsSavedEmpty();
    void ambiguousOrCostedRowsAreLeftAlone_data();
    void ambiguousOrCostedRowsAreLeftAlone();
    void answeringNoChangesNothing();
    void conflictWritesNothingAndKeepsTheMarks_data();
    void conflictWritesNothingAndKeepsTheMarks();
    void lockFoundAtSaveEndsTheProgram();
};

void TestSaveCompletion::completionReachesAllFourTablesAndTheLineDropsOut_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("save button") << false;
    QTest::newRow("F8") << true;
}

void TestSaveCompletion::completionReachesAllFourTablesAndTheLineDropsOut()
{
    QFETCH(bool, byKey);
    FixedClock clock(stampMoment());
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    const QString po = u"A1151116"_s;
    const int row = screen.rowOf(po, 1);
    screen.clickCell(row, ScheduleCol::Completion);

    if (byKey)
        screen.press(Qt::Key_F8);
    else
        screen.clickButton(u"save"_s);

    QCOMPARE(screen.shownUnder(u"詢問"_s), QStringList{u"確定儲存資料?"_s});
    QCOMPARE(screen.shownUnder(u"資料儲存"_s), QStringList{u"資料儲存完畢!"_s});
    for (const QString &table : QStringList{u"PRINTING"_s, u"PRINTING_S"_s}) {
        QCOMPARE(screen.stored(table, u"ODATE"_s, po, 1), u"1205-08"_s);
        QCOMPARE(screen.stored(table, u"FDATE"_s, po, 1), u"1204-14"_s);
        QCOMPARE(screen.stored(table, u"ACT"_s, po, 1), u"1204-14"_s);
    }
    QCOMPARE(screen.stored(u"VENDERAC"_s, u"ODATE"_s, po, 1), u"1204-14"_s);
    QCOMPARE(screen.stored(u"預排資料明細"_s, u"ODATE"_s, po, 1), u"1204-14"_s);
    // The neighbouring line was not marked.
    QCOMPARE(screen.stored(u"PRINTING_S"_s, u"FDATE"_s, po, 2), QString());

    // The save ends with a fresh query: the completed line is no longer open.
    QCOMPARE(screen.window->filledRows(), 8);
    QCOMPARE(screen.rowOf(po, 1), 0);
    QVERIFY(!screen.window->isMarked(row, ScheduleCol::Completion));
}

void TestSaveCompletion::plannedStampAloneStillVisitsAllFourTables()
{
    FixedClock clock(stampMoment());
    MainScreen screen;
    const QString po = u"A1151125"_s;
    // Marks in the two ODATE columns that take the completion stamp: the save
    // must overwrite them with the (empty) completion stamp of the grid.
    screen.db.exec(u"update [VENDERAC] set ODATE = '1203-09' where PO = ? and [NO] = 2"_s, {po});
    screen.db.exec(u"update [預排資料明細] set ODATE = '1203-09' where PO = ? and [NO] = 2"_s,
                   {po});
    screen.db.exec(u"update [PRINTING] set FDATE = 'old', ACT = 'old' where PO = ? and [NO] = 2"_s,
                   {po});
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    const int row = screen.rowOf(po, 2);
    screen.clickCell(row, ScheduleCol::Planned);
    screen.press(Qt::Key_F8);

    QCOMPARE(screen.shownUnder(u"資料儲存"_s), QStringList{u"資料儲存完畢!"_s});
    for (const QString &table : QStringList{u"PRINTING"_s, u"PRINTING_S"_s}) {
        QCOMPARE(screen.stored(table, u"ODATE"_s, po, 2), u"1204-14"_s);
        QCOMPARE(screen.stored(table, u"FDATE"_s, po, 2), QString());
        QCOMPARE(screen.stored(table, u"ACT"_s, po, 2), QString());
    }
    QCOMPARE(screen.stored(u"VENDERAC"_s, u"ODATE"_s, po, 2), QString());
    QCOMPARE(screen.stored(u"預排資料明細"_s, u"ODATE"_s, po, 2), QString());
    QVERIFY(screen.rowOf(po, 2) > 0); // still open
    QCOMPARE(screen.cell(screen.rowOf(po, 2), ScheduleCol::Planned), u"1204-14"_s);
}

void TestSaveCompletion::deletedCompletionIsSavedEmpty()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s, true);
    const QString po = u"A1151101"_s;
    const int row = screen.rowOf(po, 1);
    QCOMPARE(screen.cell(row, ScheduleCol::Completion), u"1201-14"_s);
    screen.clickCell(row, ScheduleCol::Completion);
    screen.press(Qt::Key_Delete);
    screen.clickButton(u"save"_s);

    QCOMPARE(screen.shownUnder(u"資料儲存"_s), QStringList{u"資料儲存完畢!"_s});
    for (const QString &table : QStringList{u"PRINTING"_s, u"PRINTING_S"_s}) {
        QCOMPARE(screen.stored(table, u"ODATE"_s, po, 1), u"1201-08"_s);
        QCOMPARE(screen.stored(table, u"FDATE"_s, po, 1), QString());
        QCOMPARE(screen.stored(table, u"ACT"_s, po, 1), QString());
    }
    QCOMPARE(screen.stored(u"VENDERAC"_s, u"ODATE"_s, po, 1), QString());
    QCOMPARE(screen.stored(u"預排資料明細"_s, u"ODATE"_s, po, 1), QString());
    QCOMPARE(screen.stored(u"PRINTING_S"_s, u"FDATE"_s, po, 2),
             u"1202-11"_s); // not marked, not touched

    // No mark is left on the line: it leaves the finished list and is open again.
    QCOMPARE(screen.rowOf(po, 1), 0);
    screen.query(u"海德堡四色"_s, false);
    QVERIFY(screen.rowOf(po, 1) > 0);
}

void TestSaveCompletion::ambiguousOrCostedRowsAreLeftAlone_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("po");
    QTest::addColumn<QString>("untouched"); // the table the save must leave as it was

    QTest::newRow("PRINTING with EAMT") << u"秋山單色"_s << u"A1151119"_s << u"PRINTING"_s;
    QTest::newRow("two VENDERAC rows") << u"海德堡四色"_s << u"A1151110"_s << u"VENDERAC"_s;
}

void TestSaveCompletion::ambiguousOrCostedRowsAreLeftAlone()
{
    QFETCH(QString, press);
    QFETCH(QString, po);
    QFETCH(QString, untouched);
    FixedClock clock(stampMoment());
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(press);
    screen.clickCell(screen.rowOf(po, 1), ScheduleCol::Completion);
    screen.clickButton(u"save"_s);
    QCOMPARE(screen.shownUnder(u"資料儲存"_s), QStringList{u"資料儲存完畢!"_s});

    const QString column = untouched == u"PRINTING" ? u"FDATE"_s : u"ODATE"_s;
    QCOMPARE(screen.db
                 .scalar(u"select count(*) from [%1] where PO = ? and [NO] = 1 and %2 <> ''"_s.arg(
                             untouched, column),
                         {po})
                 .toInt(),
             0);
    for (const QString &table : kTables) {
        if (table == untouched)
            continue;
        const QString written =
            table == u"PRINTING" || table == u"PRINTING_S" ? u"FDATE"_s : u"ODATE"_s;
        QCOMPARE(screen.stored(table, written, po, 1), u"1204-14"_s);
    }
}

void TestSaveCompletion::answeringNoChangesNothing()
{
    FixedClock clock(stampMoment());
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    screen.clickCell(1, ScheduleCol::Completion);
    screen.messages.queueAnswer(MessageService::Answer::No);
    screen.press(Qt::Key_F8);

    QCOMPARE(screen.shownUnder(u"詢問"_s), QStringList{u"確定儲存資料?"_s});
    QCOMPARE(screen.messages.shown().size(), 1);
    QCOMPARE(screen.stored(u"PRINTING_S"_s, u"FDATE"_s, u"A1151121"_s, 2), QString());
    QCOMPARE(screen.cell(1, ScheduleCol::Completion), u"1204-14"_s);
    QVERIFY(screen.window->isMarked(1, ScheduleCol::Completion));
}

void TestSaveCompletion::conflictWritesNothingAndKeepsTheMarks_data()
{
    QTest::addColumn<int>("marked");    // rows 1 to this one are stamped
    QTest::addColumn<int>("contended"); // the row another program changes meanwhile
    QTest::newRow("the only marked line") << 1 << 1;
    QTest::newRow("the third of five") << 5 << 3;
}

void TestSaveCompletion::conflictWritesNothingAndKeepsTheMarks()
{
    QFETCH(int, marked);
    QFETCH(int, contended);
    FixedClock clock(stampMoment());
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    QList<QPair<QString, int>> lines;
    for (int row = 1; row <= marked; ++row) {
        screen.clickCell(row, ScheduleCol::Completion);
        lines.append(
            {screen.cell(row, ScheduleCol::PO), screen.cell(row, ScheduleCol::NO).toInt()});
    }

    // Another program of the suite stamps the line between the query and the save.
    const auto &[otherPo, otherNo] = lines.at(contended - 1);
    screen.db.exec(u"update [PRINTING_S] set ODATE = '1204-09' where PO = ? and [NO] = ?"_s,
                   {otherPo, otherNo});
    screen.clickButton(u"save"_s);

    QCOMPARE(screen.shownUnder(u"儲存錯誤"_s).size(), 1);
    QCOMPARE(screen.shownUnder(u"資料儲存"_s), QStringList());
    for (int row = 1; row <= marked; ++row) {
        const auto &[po, no] = lines.at(row - 1);
        for (const QString &table : QStringList{u"PRINTING"_s, u"PRINTING_S"_s})
            QCOMPARE(screen.stored(table, u"FDATE"_s, po, no), QString());
        QCOMPARE(screen.stored(u"預排資料明細"_s, u"ODATE"_s, po, no), QString());
        QCOMPARE(screen.cell(row, ScheduleCol::Completion), u"1204-14"_s);
        QVERIFY(screen.window->isMarked(row, ScheduleCol::Completion));
    }
    QCOMPARE(screen.stored(u"PRINTING_S"_s, u"ODATE"_s, otherPo, otherNo),
             u"1204-09"_s); // the other program's stamp stays
    QCOMPARE(screen.window->filledRows(), 9);
}

void TestSaveCompletion::lockFoundAtSaveEndsTheProgram()
{
    FixedClock clock(stampMoment());
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    screen.clickCell(1, ScheduleCol::Completion);
    screen.db.exec(u"insert into [SYSLOCK] ([USER]) values ('系統管理員')"_s);

    QVERIFY_THROWS_EXCEPTION(ProgramEnded, screen.window->SaveCompletion());
    QCOMPARE(screen.shownUnder(u"系統維護"_s),
             QStringList{u"系統管理員\r\n\r\n正在維護軟體中，請稍後再登入！"_s});
    QCOMPARE(screen.stored(u"PRINTING_S"_s, u"FDATE"_s, u"A1151121"_s, 2), QString());
    QCOMPARE(screen.registered(), 1); // a forced end leaves the register row
}

QTEST_MAIN(TestSaveCompletion)
#include "tst_savecompletion.moc"
