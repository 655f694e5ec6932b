// The frame of the main screen: the register of running programs, the
// maintenance lock, the closing question, the function keys, printing and the
// hand-off to the work-order program.

#include "common/clock.h"
#include "common/cp950.h"
#include "daily_report/schedulecolumns.h"
#include "mainwindowfixture.h"

#include <QCloseEvent>
#include <QFile>
#include <QProcess>
#include <QtTest/qtestspontaneevent.h>

namespace {

const QString kClosingQuestion = QStringLiteral("確定離開印刷日報登錄嗎？");

QString handOffPath(const MainScreen &screen)
{
    return screen.temp.path() + QStringLiteral("/PLOVTMP.TXT");
}

} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT

private slots:
    void init() { PLOV_REQUIRE_DATABASE(); }

    void registeredWhileRunningAndRemovedOnClose_data();
    void registeredWhileRunningAndRemovedOnClose();
    void closingAnsweredNoKeepsScreenAndEdits();
    void goneMenuProgramEndsTheProgramAtFirstActivation();
    void lockFoundBeforeQueryEndsTheProgram();
    void refreshRunsTheQuery();
    void inertButtonsChangeNothing();
    void f8WithNothingListedDoesNothing();
    void f4PrintsWhateverTheButtonState_data();
    void f4PrintsWhateverTheButtonState();
    void workOrderHandOff_data();
    void workOrderHandOff();
    void missingWorkOrderProgramIsReported();
};

void TestMainFrame::registeredWhileRunningAndRemovedOnClose_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Esc") << true;
    QTest::newRow("exit button") << false;
}

void TestMainFrame::registeredWhileRunningAndRemovedOnClose()
{
    QFETCH(bool, byKey);
    MainScreen screen;
    QCOMPARE(screen.registered(), 0);
    QVERIFY(screen.open());
    QCOMPARE(screen.registered(), 1);
    QCOMPARE(screen.db.scalar(QStringLiteral("select LPID from [SYSUSER1]")).toLongLong(),
             QCoreApplication::applicationPid());

    if (byKey)
        screen.press(Qt::Key_Escape);
    else
        screen.clickButton(QStringLiteral("exit"));

    QCOMPARE(screen.shownUnder(ProgramTitle), QStringList{kClosingQuestion});
    QVERIFY(!screen.window->isVisible());
    QCOMPARE(screen.registered(), 0);
}

void TestMainFrame::closingAnsweredNoKeepsScreenAndEdits()
{
    FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(14, 5)));
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    screen.clickCell(1, ScheduleCol::Completion);

    screen.messages.queueAnswer(MessageService::Answer::No);
    screen.press(Qt::Key_Escape);
    QCOMPARE(screen.shownUnder(ProgramTitle), QStringList{kClosingQuestion});
    QVERIFY(screen.window->isVisible());
    QCOMPARE(screen.cell(1, ScheduleCol::Completion), QStringLiteral("1204-14"));
    QVERIFY(screen.window->isMarked(1, ScheduleCol::Completion));
    QCOMPARE(screen.registered(), 1);

    // The close box asks the same question.
    screen.messages.queueAnswer(MessageService::Answer::No);
    QCloseEvent closeBox;
    QSpontaneKeyEvent::setSpontaneous(&closeBox); // as the window system sends it
    QCoreApplication::instance()->notify(screen.window.get(), &closeBox);
    QVERIFY(!closeBox.isAccepted());
    QCOMPARE(screen.shownUnder(ProgramTitle).size(), 2);
    QCOMPARE(screen.registered(), 1);
}

void TestMainFrame::goneMenuProgramEndsTheProgramAtFirstActivation()
{
    MainScreen screen;
    QProcess menu;
    menu.start(QStringLiteral("/bin/true"));
    QVERIFY(menu.waitForStarted());
    const qint64 gonePid = menu.processId();
    QVERIFY(menu.waitForFinished());
    Session().ParentWindow = double(gonePid);

    screen.create();
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, screen.activateDirectly());
    QCOMPARE(screen.registered(), 0);
    QCOMPARE(screen.messages.shown().size(), 0); // without a word
}

void TestMainFrame::lockFoundBeforeQueryEndsTheProgram()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.choosePress(QStringLiteral("海德堡四色"));
    screen.db.exec(QStringLiteral("insert into [SYSLOCK] ([USER]) values (' 系統管理員 ')"));

    QVERIFY_THROWS_EXCEPTION(ProgramEnded, screen.window->QuerySchedule());
    QCOMPARE(screen.shownUnder(QStringLiteral("系統維護")),
             QStringList{"系統管理員\r\n\r\n正在維護軟體中，請稍後再登入！"});
    QCOMPARE(Session().LockUser, QStringLiteral("系統管理員"));
    QCOMPARE(screen.window->filledRows(), 0);
    QCOMPARE(screen.registered(), 1); // a forced end leaves the register row
}

void TestMainFrame::refreshRunsTheQuery()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.choosePress(QStringLiteral("秋山單色"));
    QCOMPARE(screen.window->filledRows(), 0);
    screen.clickButton(QStringLiteral("refresh"));
    QVERIFY(screen.window->filledRows() > 0);
    for (int row = 1; row <= screen.window->filledRows(); ++row)
        QCOMPARE(screen.cell(row, ScheduleCol::Press), QStringLiteral("秋山單色"));
}

void TestMainFrame::inertButtonsChangeNothing()
{
    FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(14, 5)));
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    screen.clickCell(2, ScheduleCol::Completion);
    const QStringList before = screen.listedLines();

    for (const QString &key : QStringList{"add", "edit", "search", "reload", "明細查詢", "預設",
                                          "del", "first", "previous", "next", "last"})
        screen.clickButton(key);
    QCOMPARE(screen.listedLines(), before);
    QCOMPARE(screen.cell(2, ScheduleCol::Completion), QStringLiteral("1204-14"));
    QVERIFY(screen.window->isMarked(2, ScheduleCol::Completion));
    QCOMPARE(screen.messages.shown().size(), 0);
    QCOMPARE(screen.previews, 0);
}

void TestMainFrame::f8WithNothingListedDoesNothing()
{
    MainScreen screen;
    QVERIFY(screen.open());
    QVERIFY(!screen.action(QStringLiteral("save"))->isEnabled());
    screen.press(Qt::Key_F8);
    QCOMPARE(screen.messages.shown().size(), 0);
    QVERIFY(screen.window->isVisible());
}

void TestMainFrame::f4PrintsWhateverTheButtonState_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("previews");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("every press") << QString() << 1 << QStringList();
    QTest::newRow("a press without lines")
        << QStringLiteral("不存在的機台") << 0 << QStringList{"查無任何資料!"};
}

void TestMainFrame::f4PrintsWhateverTheButtonState()
{
    QFETCH(QString, press);
    QFETCH(int, previews);
    QFETCH(QStringList, messages);
    MainScreen screen;
    QVERIFY(screen.open());
    screen.choosePress(press);
    QVERIFY(!screen.action(QStringLiteral("print"))->isEnabled());

    screen.press(Qt::Key_F4);
    QCOMPARE(screen.previews, previews);
    QCOMPARE(screen.messages.texts(), messages);
}

void TestMainFrame::workOrderHandOff_data()
{
    QTest::addColumn<QString>("right");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("full right") << QStringLiteral("1111") << true;
    QTest::newRow("right starting with 0") << QStringLiteral("0111") << false;
    QTest::newRow("no right") << QString() << false;
}

void TestMainFrame::workOrderHandOff()
{
    QFETCH(QString, right);
    QFETCH(bool, allowed);
    MainScreen screen;
    Session().Permissions[QStringLiteral("工單作業細部")] = right;
    ScheduleLine line;
    line.po = QStringLiteral(" A123 ");
    line.id = QStringLiteral("P1151299"); // listed first
    screen.insertLine(line);
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    screen.clickCell(2, ScheduleCol::NO);
    screen.clickCell(1, ScheduleCol::NO);
    QCOMPARE(screen.cell(1, ScheduleCol::PO), QStringLiteral(" A123 "));

    screen.clickButton(QStringLiteral("工單"));
    QVERIFY(screen.window->isEnabled());
    QFile handOff(handOffPath(screen));
    if (!allowed) {
        QCOMPARE(screen.shownUnder(QStringLiteral("訊息")),
                 QStringList{"你的權限無法使用該項功能!"});
        QVERIFY(!handOff.exists());
        QCOMPARE(screen.started, QStringList());
        return;
    }
    QVERIFY(handOff.open(QIODevice::ReadOnly));
    QCOMPARE(handOff.readAll(), toCp950(QStringLiteral("預排\r\nA123\r\n")));
    QCOMPARE(screen.started.size(), 1);
    QVERIFY(screen.started.first().endsWith(QStringLiteral("/工單作業系統.EXE")));
    QVERIFY(screen.startedWith.first().startsWith(QStringLiteral("-qta5827 ")));
    QCOMPARE(screen.messages.shown().size(), 0);
    QVERIFY(screen.window->isVisible());
}

void TestMainFrame::missingWorkOrderProgramIsReported()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(QStringLiteral("海德堡四色"));
    SetProgramStarter({}); // the real start, from the test's own folder, where there is none

    screen.clickButton(QStringLiteral("工單"));
    QCOMPARE(screen.shownUnder(QStringLiteral("錯誤")).size(), 1);
    QVERIFY(screen.window->isVisible());
    QVERIFY(screen.window->isEnabled());
    QCOMPARE(screen.window->filledRows(), 9);
    QVERIFY(QFile::exists(handOffPath(screen))); // written before the start was tried
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
