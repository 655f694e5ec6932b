// Saving the stamps of the marked lines into PRINTING, PRINTING_S, VENDERAC and
// 預排資料明細, all or nothing.

#include "common/clock.h"
#include "daily_report/schedulecolumns.h"
#include "mainwindowfixture.h"

namespace {

const QStringList kTables = {"PRINTING", "PRINTING_S", "VENDERAC", "預排資料明細"};

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
    screen.query(QStringLiteral("海德堡四色"));
    const QString po = QStringLiteral("A1151116");
    const int row = screen.rowOf(po, 1);
    screen.clickCell(row, ScheduleCol::Completion);

    if (byKey)
        screen.press(Qt::Key_F8);
    else
        screen.clickButton(QStringLiteral("save"));

    QCOMPARE(screen.shownUnder(QStringLiteral("詢問")), QStringList{"確定儲存資料?"});
    QCOMPARE(screen.shownUnder(QStringLiteral("資料儲存")), QStringList{"資料儲存完畢!"});
    for (const QString &table : QStringList{"PRINTING", "PRINTING_S"}) {
        QCOMPARE(screen.stored(table, QStringLiteral("ODATE"), po, 1), QStringLiteral("1205-08"));
        QCOMPARE(screen.stored(table, QStringLiteral("FDATE"), po, 1), QStringLiteral("1204-14"));
        QCOMPARE(screen.stored(table, QStringLiteral("ACT"), po, 1), QStringLiteral("1204-14"));
    }
    QCOMPARE(screen.stored(QStringLiteral("VENDERAC"), QStringLiteral("ODATE"), po, 1),
             QStringLiteral("1204-14"));
    QCOMPARE(screen.stored(QStringLiteral("預排資料明細"), QStringLiteral("ODATE"), po, 1),
             QStringLiteral("1204-14"));
    // The neighbouring line was not marked.
    QCOMPARE(screen.stored(QStringLiteral("PRINTING_S"), QStringLiteral("FDATE"), po, 2),
             QString());

    // The save ends with a fresh query: the completed line is no longer open.
    QCOMPARE(screen.window->filledRows(), 8);
    QCOMPARE(screen.rowOf(po, 1), 0);
    QVERIFY(!screen.window->isMarked(row, ScheduleCol::Completion));
}

void TestSaveCompletion::plannedStampAloneStillVisitsAllFourTables()
{
    FixedClock clock(stampMoment());
    MainScreen screen;
    const QString po = QStringLiteral("A1151125");
    // Marks in the two ODATE columns that take the completion stamp: the save
    // must overwrite them with the (empty) completion stamp of the grid.
    screen.db.exec(
        QStringLiteral("update [VENDERAC] set ODATE = '1203-09' where PO = ? and [NO] = 2"), {po});
    screen.db.exec(
        QStringLiteral("update [預排資料明細] set ODATE = '1203-09' where PO = ? and [NO] = 2"),
        {po});
    screen.db.exec(
        QStringLiteral(
            "update [PRINTING] set FDATE = 'old', ACT = 'old' where PO = ? and [NO] = 2"),
        {po});
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    const int row = screen.rowOf(po, 2);
    screen.clickCell(row, ScheduleCol::Planned);
    screen.press(Qt::Key_F8);

    QCOMPARE(screen.shownUnder(QStringLiteral("資料儲存")), QStringList{"資料儲存完畢!"});
    for (const QString &table : QStringList{"PRINTING", "PRINTING_S"}) {
        QCOMPARE(screen.stored(table, QStringLiteral("ODATE"), po, 2), QStringLiteral("1204-14"));
        QCOMPARE(screen.stored(table, QStringLiteral("FDATE"), po, 2), QString());
        QCOMPARE(screen.stored(table, QStringLiteral("ACT"), po, 2), QString());
    }
    QCOMPARE(screen.stored(QStringLiteral("VENDERAC"), QStringLiteral("ODATE"), po, 2), QString());
    QCOMPARE(screen.stored(QStringLiteral("預排資料明細"), QStringLiteral("ODATE"), po, 2),
             QString());
    QVERIFY(screen.rowOf(po, 2) > 0); // still open
    QCOMPARE(screen.cell(screen.rowOf(po, 2), ScheduleCol::Planned), QStringLiteral("1204-14"));
}

void TestSaveCompletion::deletedCompletionIsSavedEmpty()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"), true);
    const QString po = QStringLiteral("A1151101");
    const int row = screen.rowOf(po, 1);
    QCOMPARE(screen.cell(row, ScheduleCol::Completion), QStringLiteral("1201-14"));
    screen.clickCell(row, ScheduleCol::Completion);
    screen.press(Qt::Key_Delete);
    screen.clickButton(QStringLiteral("save"));

    QCOMPARE(screen.shownUnder(QStringLiteral("資料儲存")), QStringList{"資料儲存完畢!"});
    for (const QString &table : QStringList{"PRINTING", "PRINTING_S"}) {
        QCOMPARE(screen.stored(table, QStringLiteral("ODATE"), po, 1), QStringLiteral("1201-08"));
        QCOMPARE(screen.stored(table, QStringLiteral("FDATE"), po, 1), QString());
        QCOMPARE(screen.stored(table, QStringLiteral("ACT"), po, 1), QString());
    }
    QCOMPARE(screen.stored(QStringLiteral("VENDERAC"), QStringLiteral("ODATE"), po, 1), QString());
    QCOMPARE(screen.stored(QStringLiteral("預排資料明細"), QStringLiteral("ODATE"), po, 1),
             QString());
    QCOMPARE(screen.stored(QStringLiteral("PRINTING_S"), QStringLiteral("FDATE"), po, 2),
             QStringLiteral("1202-11")); // not marked, not touched

    // No mark is left on the line: it leaves the finished list and is open again.
    QCOMPARE(screen.rowOf(po, 1), 0);
    screen.query(QStringLiteral("海德堡四色"), false);
    QVERIFY(screen.rowOf(po, 1) > 0);
}

void TestSaveCompletion::ambiguousOrCostedRowsAreLeftAlone_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("po");
    QTest::addColumn<QString>("untouched"); // the table the save must leave as it was

    QTest::newRow("PRINTING with EAMT")
        << QStringLiteral("秋山單色") << QStringLiteral("A1151119") << QStringLiteral("PRINTING");
    QTest::newRow("two VENDERAC rows")
        << QStringLiteral("海德堡四色") << QStringLiteral("A1151110") << QStringLiteral("VENDERAC");
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
    screen.clickButton(QStringLiteral("save"));
    QCOMPARE(screen.shownUnder(QStringLiteral("資料儲存")), QStringList{"資料儲存完畢!"});

    const QString column =
        untouched == u"PRINTING" ? QStringLiteral("FDATE") : QStringLiteral("ODATE");
    QCOMPARE(screen.db
                 .scalar(QStringLiteral(
                             "select count(*) from [%1] where PO = ? and [NO] = 1 and %2 <> ''")
                             .arg(untouched, column),
                         {po})
                 .toInt(),
             0);
    for (const QString &table : kTables) {
        if (table == untouched)
            continue;
        const QString written = table == u"PRINTING" || table == u"PRINTING_S"
                                    ? QStringLiteral("FDATE")
                                    : QStringLiteral("ODATE");
        QCOMPARE(screen.stored(table, written, po, 1), QStringLiteral("1204-14"));
    }
}

void TestSaveCompletion::answeringNoChangesNothing()
{
    FixedClock clock(stampMoment());
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    screen.clickCell(1, ScheduleCol::Completion);
    screen.messages.queueAnswer(MessageService::Answer::No);
    screen.press(Qt::Key_F8);

    QCOMPARE(screen.shownUnder(QStringLiteral("詢問")), QStringList{"確定儲存資料?"});
    QCOMPARE(screen.messages.shown().size(), 1);
    QCOMPARE(screen.stored(QStringLiteral("PRINTING_S"), QStringLiteral("FDATE"),
                           QStringLiteral("A1151121"), 2),
             QString());
    QCOMPARE(screen.cell(1, ScheduleCol::Completion), QStringLiteral("1204-14"));
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
    screen.query(QStringLiteral("海德堡四色"));
    QList<QPair<QString, int>> lines;
    for (int row = 1; row <= marked; ++row) {
        screen.clickCell(row, ScheduleCol::Completion);
        lines.append(
            {screen.cell(row, ScheduleCol::PO), screen.cell(row, ScheduleCol::NO).toInt()});
    }

    // Another program of the suite stamps the line between the query and the save.
    const auto &[otherPo, otherNo] = lines.at(contended - 1);
    screen.db.exec(
        QStringLiteral("update [PRINTING_S] set ODATE = '1204-09' where PO = ? and [NO] = ?"),
        {otherPo, otherNo});
    screen.clickButton(QStringLiteral("save"));

    QCOMPARE(screen.shownUnder(QStringLiteral("儲存錯誤")).size(), 1);
    QCOMPARE(screen.shownUnder(QStringLiteral("資料儲存")), QStringList());
    for (int row = 1; row <= marked; ++row) {
        const auto &[po, no] = lines.at(row - 1);
        for (const QString &table : QStringList{"PRINTING", "PRINTING_S"})
            QCOMPARE(screen.stored(table, QStringLiteral("FDATE"), po, no), QString());
        QCOMPARE(screen.stored(QStringLiteral("預排資料明細"), QStringLiteral("ODATE"), po, no),
                 QString());
        QCOMPARE(screen.cell(row, ScheduleCol::Completion), QStringLiteral("1204-14"));
        QVERIFY(screen.window->isMarked(row, ScheduleCol::Completion));
    }
    QCOMPARE(screen.stored(QStringLiteral("PRINTING_S"), QStringLiteral("ODATE"), otherPo, otherNo),
             QStringLiteral("1204-09")); // the other program's stamp stays
    QCOMPARE(screen.window->filledRows(), 9);
}

void TestSaveCompletion::lockFoundAtSaveEndsTheProgram()
{
    FixedClock clock(stampMoment());
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    screen.clickCell(1, ScheduleCol::Completion);
    screen.db.exec(QStringLiteral("insert into [SYSLOCK] ([USER]) values ('系統管理員')"));

    QVERIFY_THROWS_EXCEPTION(ProgramEnded, screen.window->SaveCompletion());
    QCOMPARE(screen.shownUnder(QStringLiteral("系統維護")),
             QStringList{"系統管理員\r\n\r\n正在維護軟體中，請稍後再登入！"});
    QCOMPARE(screen.stored(QStringLiteral("PRINTING_S"), QStringLiteral("FDATE"),
                           QStringLiteral("A1151121"), 2),
             QString());
    QCOMPARE(screen.registered(), 1); // a forced end leaves the register row
}

QTEST_MAIN(TestSaveCompletion)
#include "tst_savecompletion.moc"
