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

using namespace Qt::StringLiterals;

namespace {

const QString kClosingQuestion = u"確定離開印刷日報登錄嗎？"_s;

QString handOffPath(const MainScreen &screen)
{
    return screen.temp.path() + u"/PLOVTMP.TXT"_s;
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
    QCOMPARE(screen.db.scalar(u"select LPID from [SYSUSER1]"_s).toLongLong(),
             QCoreApplication::applicationPid());

    if (byKey)
        screen.press(Qt::Key_Escape);
    else
        screen.clickButton(u"exit"_s);

    QCOMPARE(screen.shownUnder(ProgramTitle), QStringList{kClosingQuestion});
    QVERIFY(!screen.window->isVisible());
    QCOMPARE(screen.registered(), 0);
}

void TestMainFrame::closingAnsweredNoKeepsScreenAndEdits()
{
    FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(14, 5)));
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    screen.clickCell(1, ScheduleCol::Completion);

    screen.messages.queueAnswer(MessageService::Answer::No);
    screen.press(Qt::Key_Escape);
    QCOMPARE(screen.shownUnder(ProgramTitle), QStringList{kClosingQuestion});
    QVERIFY(screen.window->isVisible());
    QCOMPARE(screen.cell(1, ScheduleCol::Completion), u"1204-14"_s);
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
    menu.start(u"/bin/true"_s);
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
    screen.choosePress(u"海德堡四色"_s);
    screen.db.exec(u"insert into [SYSLOCK] ([USER]) values (' 系統管理員 ')"_s);

    QVERIFY_THROWS_EXCEPTION(ProgramEnded, screen.window->QuerySchedule());
    QCOMPARE(screen.shownUnder(u"系統維護"_s),
             QStringList{u"系統管理員\r\n\r\n正在維護軟體中，請稍後再登入！"_s});
    QCOMPARE(Session().LockUser, u"系統管理員"_s);
    QCOMPARE(screen.window->filledRows(), 0);
    QCOMPARE(screen.registered(), 1); // a forced end leaves the register row
}

void TestMainFrame::refreshRunsTheQuery()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.choosePress(u"秋山單色"_s);
    QCOMPARE(screen.window->filledRows(), 0);
    screen.clickButton(u"refresh"_s);
    QVERIFY(screen.window->filledRows() > 0);
    for (int row = 1; row <= screen.window->filledRows(); ++row)
        QCOMPARE(screen.cell(row, ScheduleCol::Press), u"秋山單色"_s);
}

void TestMainFrame::inertButtonsChangeNothing()
{
    FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(14, 5)));
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    screen.clickCell(2, ScheduleCol::Completion);
    const QStringList before = screen.listedLines();

    for (const QString &key :
         QStringList{u"add"_s, u"edit"_s, u"search"_s, u"reload"_s, u"明細查詢"_s, u"預設"_s,
                     u"del"_s, u"first"_s, u"previous"_s, u"next"_s, u"last"_s})
        screen.clickButton(key);
    QCOMPARE(screen.listedLines(), before);
    QCOMPARE(screen.cell(2, ScheduleCol::Completion), u"1204-14"_s);
    QVERIFY(screen.window->isMarked(2, ScheduleCol::Completion));
    QCOMPARE(screen.messages.shown().size(), 0);
    QCOMPARE(screen.previews, 0);
}

void TestMainFrame::f8WithNothingListedDoesNothing()
{
    MainScreen screen;
    QVERIFY(screen.open());
    QVERIFY(!screen.action(u"save"_s)->isEnabled());
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
        << u"不存在的機台"_s << 0 << QStringList{u"查無任何資料!"_s};
}

void TestMainFrame::f4PrintsWhateverTheButtonState()
{
    QFETCH(QString, press);
    QFETCH(int, previews);
    QFETCH(QStringList, messages);
    MainScreen screen;
    QVERIFY(screen.open());
    screen.choosePress(press);
    QVERIFY(!screen.action(u"print"_s)->isEnabled());

    screen.press(Qt::Key_F4);
    QCOMPARE(screen.previews, previews);
    QCOMPARE(screen.messages.texts(), messages);
}

void TestMainFrame::workOrderHandOff_data()
{
    QTest::addColumn<QString>("right");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("full right") << u"1111"_s << true;
    QTest::newRow("right starting with 0") << u"0111"_s << false;
    QTest::newRow("no right") << QString() << false;
}

void TestMainFrame::workOrderHandOff()
{
    QFETCH(QString, right);
    QFETCH(bool, allowed);
    MainScreen screen;
    Session().Permissions[u"工單作業細部"_s] = right;
    ScheduleLine line;
    line.po = u" A123 "_s;
    line.id = u"P1151299"_s; // listed first
    screen.insertLine(line);
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    screen.clickCell(2, ScheduleCol::NO);
    screen.clickCell(1, ScheduleCol::NO);
    QCOMPARE(screen.cell(1, ScheduleCol::PO), u" A123 "_s);

    screen.clickButton(u"工單"_s);
    QVERIFY(screen.window->isEnabled());
    QFile handOff(handOffPath(screen));
    if (!allowed) {
        QCOMPARE(screen.shownUnder(u"訊息"_s), QStringList{u"你的權限無法使用該項功能!"_s});
        QVERIFY(!handOff.exists());
        QCOMPARE(screen.started, QStringList());
        return;
    }
    QVERIFY(handOff.open(QIODevice::ReadOnly));
    QCOMPARE(handOff.readAll(), toCp950(u"預排\r\nA123\r\n"_s));
    QCOMPARE(screen.started.size(), 1);
    QVERIFY(screen.started.first().endsWith(u"/工單作業系統.EXE"_s));
    QVERIFY(screen.startedWith.first().startsWith(u"-qta5827 "_s));
    QCOMPARE(screen.messages.shown().size(), 0);
    QVERIFY(screen.window->isVisible());
}

void TestMainFrame::missingWorkOrderProgramIsReported()
{
    MainScreen screen;
    QVERIFY(screen.open());
    screen.query(u"海德堡四色"_s);
    SetProgramStarter({}); // the real start, from the test's own folder, where there is none

    screen.clickButton(u"工單"_s);
    QCOMPARE(screen.shownUnder(u"錯誤"_s).size(), 1);
    QVERIFY(screen.window->isVisible());
    QVERIFY(screen.window->isEnabled());
    QCOMPARE(screen.window->filledRows(), 9);
    QVERIFY(QFile::exists(handOffPath(screen))); // written before the start was tried
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
