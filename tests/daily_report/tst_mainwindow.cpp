// The main screen driven as a user drives it, a success and a failure per
// operation, with the database checked afterwards. The rules behind it are
// tested in tst_schedulerules and tst_scheduledata.

#include "common/cp950.h"
#include "common/handoff.h"
#include "daily_report/schedulecolumns.h"
#include "gridinput.h"
#include "mainscreen.h"
#include "startup/runningprogram.h"
#include "testtables.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

using namespace Qt::StringLiterals;
namespace C = ScheduleCol;

class TestMainWindow : public QObject, MainScreen
{
    Q_OBJECT

    QString label(const QString &name) const { return m_window->findChild<QLabel *>(name)->text(); }
    bool badge() const { return !m_window->findChild<QFrame *>(u"pic急件"_s)->isHidden(); }
    QString cell(int row, int col) const { return grid()->text(row, col); }
    bool marked(int row, int col) const { return m_window->isMarked(row, col); }
    // Keys go where the user's focus is: the press box, the grid or its cell editor.
    void press(Qt::Key key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(QApplication::focusWidget(), key);
    }
    // A column of a line's row in PRINTING_S, or in another table of the save.
    QString stored(const QString &column, const QString &po, int no, const QString &table = {})
    {
        const QString sql = u"select %1 from [%2] where PO = ? and [NO] = ?"_s;
        return m_db->scalar(sql.arg(column, table.isEmpty() ? u"PRINTING_S"_s : table), {po, no})
            .toString();
    }
    int registered()
    {
        const QString sql = u"select count(*) from [SYSUSER1] where ID = ? and FUNC = ?"_s;
        return m_db->scalar(sql, {Session().MachineUserId, kProgramTitle}).toInt();
    }

private slots:
    void init()
    {
        PLOV_REQUIRE_DATABASE();
        setUp();
    }
    void cleanup() { QCOMPARE(tearDown(), 0); }

    void opensEmptyAndRegistered()
    {
        QCOMPARE(registered(), 0);
        QVERIFY(open());
        QCOMPARE(m_db->scalar(u"select LPID from [SYSUSER1]"_s).toLongLong(),
                 QCoreApplication::applicationPid());
        press(Qt::Key_Return); // Enter moves on from the press choice too
        QTRY_VERIFY(!presses()->hasFocus());
        QCOMPARE(presses()->count(), 6);
        QVERIFY(!grid()->isEnabled());
        // Buttons without a command here, and those waiting for a listing, show disabled.
        for (const QString &key :
             {u"add"_s, u"edit"_s, u"search"_s, u"reload"_s, u"明細查詢"_s, u"預設"_s, u"del"_s,
              u"first"_s, u"previous"_s, u"next"_s, u"last"_s, u"save"_s, u"print"_s, u"工單"_s})
            QVERIFY2(!action(key)->isEnabled(), qPrintable(key));
        press(Qt::Key_F8); // nothing to save
        QCOMPARE(boxes(), QStringList());
        press(Qt::Key_F4); // prints whatever the print button says
        QCOMPARE(m_previews.size(), 1);
    }

    void goneMenuProgramEndsTheProgramAtFirstActivation()
    {
        Session().ParentWindow = 0;              // no menu program there
        QEvent activate(QEvent::WindowActivate); // handed over directly, so the end reaches us
        QVERIFY_THROWS_EXCEPTION(ProgramEnded,
                                 static_cast<QObject *>(m_window.get())->event(&activate));
        QCOMPARE(registered(), 0);
        QCOMPARE(boxes(), QStringList());
    }

    void queryListsALineUntilAnotherChoice()
    {
        QVERIFY(open(u"海德堡四色"_s, true));
        QVERIFY(action(u"save"_s)->isEnabled());
        QVERIFY(!action(u"print"_s)->isEnabled()); // finished lines do not print
        query(u"海德堡四色"_s);
        QCOMPARE(m_window->filledRows(), 9);
        QCOMPARE(grid()->maxRow(), 9);
        QCOMPARE(label(u"StatusBar1_2"_s), u"9"_s);
        QCOMPARE(cell(1, C::Po), u"A1151121"_s);
        for (const QString &key : {u"save"_s, u"print"_s, u"工單"_s})
            QVERIFY2(action(key)->isEnabled(), qPrintable(key));
        // A typed press name that loses the focus to the listing keeps the listing.
        presses()->setCurrentIndex(0);
        presses()->setEditText(u"海德堡四色"_s);
        emit presses()->lineEdit()->editingFinished();
        QCOMPARE(cell(1, C::Po), u"A1151121"_s);
        presses()->setCurrentIndex(2); // another press empties the screen
        emit presses()->activated(2);
        QVERIFY(!grid()->isEnabled() && !action(u"save"_s)->isEnabled());
        QCOMPARE(cell(1, C::Po) + label(u"lbl客戶"_s), QString());
        clickButton(u"refresh"_s);
        QCOMPARE(cell(1, C::Press), u"小森五色"_s);
        query(u"不存在的機台"_s); // nothing found: one empty, disabled row
        QCOMPARE(grid()->maxRow(), 1);
        QCOMPARE(cell(1, C::Po), QString());
        QVERIFY(!grid()->isEnabled() && !action(u"工單"_s)->isEnabled());
        QCOMPARE(boxes(), QStringList());
    }

    void queryRefusedByTheDatabaseOrTheLock()
    {
        QVERIFY(open());
        m_db->exec(u"alter table [PWORK] drop column PREM"_s); // lines listed, no detail
        query(u"海德堡四色"_s);
        m_db->exec(u"drop view [預排耗時_印刷]"_s);
        query(u"海德堡四色"_s);
        m_db->exec(u"drop table [PHRASE]"_s);
        m_window->FillPressList();
        int box = 0;
        for (const QString &title :
             {u"依工單單號取得資料錯誤"_s, u"顯示資料錯誤"_s, u"取得所有機別資料錯誤"_s})
            QVERIFY(boxes().value(box++).startsWith(title + u": "_s));
        QCOMPARE(m_window->filledRows(), 0);
        m_db->exec(u"insert into [SYSLOCK] ([USER]) values (' 系統管理員 ')"_s);
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, m_window->QuerySchedule());
        QCOMPARE(boxes().value(3), u"系統維護: 系統管理員\r\n\r\n正在維護軟體中，請稍後再登入！"_s);
        QCOMPARE(Session().LockUser, u"系統管理員"_s);
        QCOMPARE(registered(), 1); // a forced end leaves the register row
    }

    void detailPanelFollowsTheCursor()
    {
        QVERIFY(open(u"海德堡四色"_s));
        // The first line at once: a rush order; the line's own remark is empty.
        QCOMPARE(label(u"lbl客戶"_s) + label(u"lbl品名"_s), u"安心藥品感冒糖漿外盒"_s);
        QCOMPARE(label(u"lbl備註"_s), u"印刷備註:"_s);
        QCOMPARE(label(u"lbl備註1"_s), u" 交期緊急 請優先排印"_s);
        QVERIFY(badge());
        // Along the line nothing is read again; another line is read.
        m_db->exec(u"update [PWORK] set PREM = '改印特別色' where PO = 'A1151121'"_s);
        click(1, C::Qty);
        QCOMPARE(label(u"lbl備註1"_s), u" 交期緊急 請優先排印"_s);
        click(7, C::Product); // A1151110-1: the line's remark, then the order's note
        QCOMPARE(label(u"lbl備註1"_s), u"先印背面白墨 背面白墨打底"_s);
        QVERIFY(!badge());
        click(1, C::Po);
        QCOMPARE(label(u"lbl備註1"_s), u" 改印特別色"_s);
        // A blank row empties the captions and keeps the badge.
        m_window->ShowJobDetail(QString(), QString());
        QCOMPARE(label(u"lbl客戶"_s) + label(u"lbl備註1"_s), QString());
        QVERIFY(badge());
        // A new query reads the first line again.
        m_db->exec(u"update [PWORK] set PREM = '已改期', 急件 = '' where PO = 'A1151121'"_s);
        clickButton(u"refresh"_s);
        QCOMPARE(label(u"lbl備註1"_s), u" 已改期"_s);
        QVERIFY(!badge());
    }

    void stampsAndEntriesGoOnlyWhereTheyBelong()
    {
        QVERIFY(open(u"海德堡四色"_s));
        click(2, C::Completion); // A1151125-2, empty
        m_clock->advanceSeconds(3600);
        click(2, C::Completion); // stamped once
        QCOMPARE(cell(2, C::Completion), u"1204-14"_s);
        QVERIFY(marked(2, C::Completion));
        click(7, C::Planned); // typing over A1151110-1's planned stamp
        TypeKeys(*grid(), u"12345678"_s);
        press(Qt::Key_Return);
        QCOMPARE(cell(7, C::Planned), u"1234567"_s);
        QCOMPARE(boxes(), QStringList{u"訊息: 最多只可輸入7個字元!"_s});
        QVERIFY(marked(7, C::Planned));
        QTRY_COMPARE(grid()->activeCol(), int(C::Completion)); // Enter moves on, after the box
        QVERIFY(!marked(7, C::Completion));
        press(Qt::Key_Delete);
        QVERIFY(marked(7, C::Completion));
        // A closed line takes no stamp, no typing, no Delete and no edit.
        m_db->exec(u"update [印刷預排] set PDATE = '11512' where PO = 'A1151101'"_s);
        query(u"海德堡四色"_s, true);
        int row = 1;
        while (cell(row, C::Po) != u"A1151101")
            QVERIFY(++row <= m_window->filledRows());
        click(row, C::Completion); // stamped 1201-14
        TypeKeys(*grid(), u"1"_s);
        press(Qt::Key_Delete);
        click(row, C::Completion, true); // an edit opens on the cell's text
        press(Qt::Key_Backspace, 8);
        press(Qt::Key_Return);
        QCOMPARE(cell(row, C::Completion), u"1201-14"_s);
        QVERIFY(!marked(row, C::Completion));
    }

    void saveRefusesALineChangedMeanwhile()
    {
        QVERIFY(open(u"海德堡四色"_s));
        for (int row = 1; row <= 5; ++row)
            click(row, C::Completion);
        // Another program of the suite finishes the third line after it was listed.
        m_db->exec(u"update [PRINTING_S] set FDATE = '1204-09' where PO = 'A1151126'"_s);
        clickButton(u"save"_s);
        QCOMPARE(boxes().size(), 2);
        QVERIFY(boxes().at(1).startsWith(u"儲存錯誤: "_s));
        QVERIFY(marked(1, C::Completion) && marked(5, C::Completion)); // the edits are kept
        m_db->exec(u"insert into [SYSLOCK] ([USER]) values ('系統管理員')"_s);
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, m_window->SaveCompletion());
        QCOMPARE(stored(u"FDATE"_s, u"A1151121"_s, 2), QString()); // nothing written
    }

    // The server restarts between two operations, while their sessions wait in the
    // pool: the next save works. With the server down, the save says it did not.
    void saveOutlivesAServerRestart()
    {
        const QString server = qEnvironmentVariable("PLOV_TEST_PG_CTL"); // start, stop, restart
        if (!qEnvironmentVariableIsSet("PLOV_TEST_RESTART") || server.isEmpty())
            QSKIP("restarts the server: runs alone as test_daily_report_mainwindow.restart");
        QVERIFY(open(u"海德堡四色"_s));
        click(1, C::Completion); // A1151121-2
        QCOMPARE(QProcess::execute(server, {u"restart"_s}), 0);
        clickButton(u"save"_s);
        QCOMPARE(boxes().value(1), u"資料儲存: 資料儲存完畢!"_s);
        QCOMPARE(stored(u"FDATE"_s, u"A1151121"_s, 2), u"1204-14"_s);
        click(1, C::Completion);
        QCOMPARE(QProcess::execute(server, {u"stop"_s}), 0);
        clickButton(u"save"_s);
        QCOMPARE(QProcess::execute(server, {u"start"_s}), 0);
        QVERIFY2(boxes().value(3).startsWith(u"儲存錯誤: "_s), qPrintable(boxes().join(u'\n')));
    }

    // The line is listed twice (its work order has two ITEM_P rows): the time sheet's
    // result reaches both copies, so a stamp typed on the other copy afterwards saves
    // without a false conflict.
    void timeSheetTakesTheLineAndGivesItBack_data()
    {
        AddColumns<bool>("saved");
        QTest::newRow("saved") << true;
        QTest::newRow("closed without saving") << false;
    }
    void timeSheetTakesTheLineAndGivesItBack()
    {
        const bool saved = Fetch<bool>("saved");
        m_db->exec(u"insert into [ITEM_P] (PO, ITEM7) values ('A1151116', '1')"_s);
        QVERIFY(open(u"海德堡四色"_s));
        QList<int> copies;
        for (int row = 1; row <= m_window->filledRows(); ++row)
            if (cell(row, C::Po) == u"A1151116" && cell(row, C::No) == u"1")
                copies.append(row);
        QCOMPARE(copies.size(), 2);
        QStringList handedOver;
        m_timeSheet = [&](QWidget *parent) {
            handedOver = QStringList(JobHandOff().begin(), JobHandOff().begin() + 12);
            if (!saved || parent != m_window.get())
                return;
            // As the time sheet does, it stores the completion date itself.
            m_db->exec(
                u"update [PRINTING_S] set FDATE = '1204-16' where INO = 1 and PO = 'A1151116'"_s);
            JobHandOff()[0] = u"5.25"_s;
            JobHandOff()[1] = u"1204-16"_s;
            TimeSheetSaved() = true;
        };
        click(copies[1], C::TimeUsed);
        QCOMPARE(handedOver, QStringList({u"A1151116"_s, u"1"_s, u""_s, u"3.75"_s,
                                          u"Joe's 咖啡 冬季菜單"_s, u"海德堡四色"_s, u"4"_s, u""_s,
                                          u"1"_s, u"P1151205"_s, u"1"_s, u""_s}));
        for (const int row : copies) {
            QCOMPARE(cell(row, C::TimeUsed) + u' ' + cell(row, C::Completion),
                     saved ? u"5.25 1204-16"_s : u"3.75 "_s);
            QCOMPARE(marked(row, C::Completion), saved);
        }
        click(copies[1], C::Po);
        QCOMPARE(JobHandOff()[0], QString()); // leaving the column empties the list
        click(copies[0], C::Completion);
        TypeKeys(*grid(), u"1204-17"_s);
        press(Qt::Key_Return);
        // Saved after a No; the finished line leaves the list.
        m_messages->queueAnswer(MessageService::Answer::No);
        press(Qt::Key_F8);
        QCOMPARE(stored(u"ACT"_s, u"A1151116"_s, 1), QString());
        press(Qt::Key_F8);
        QCOMPARE(boxes(), QStringList({u"詢問: 確定儲存資料?"_s, u"詢問: 確定儲存資料?"_s,
                                       u"資料儲存: 資料儲存完畢!"_s}));
        QCOMPARE(stored(u"ACT"_s, u"A1151116"_s, 1) + u' ' +
                     stored(u"ODATE"_s, u"A1151116"_s, 1, u"VENDERAC"_s),
                 u"1204-17 1204-17"_s);
        QCOMPARE(m_window->filledRows(), 9); // of 11: both copies leave
        QVERIFY(!marked(copies[0], C::Completion));
    }

    void workOrderHandOff_data()
    {
        QTest::addColumn<QString>("right");
        QTest::newRow("full right") << u"1111"_s;
        QTest::newRow("right starting with 0") << u"0111"_s;
        QTest::newRow("no right") << QString();
    }
    void workOrderHandOff()
    {
        QFETCH(QString, right);
        Session().Permissions[u"工單作業細部"_s] = right;
        for (const QString &table : {u"PRINTING_S"_s, u"印刷預排"_s, u"PWORK"_s})
            m_db->exec(u"update [%1] set PO = ' A123 ' where PO = 'A1151110'"_s.arg(table));
        QVERIFY(open(u"海德堡四色"_s));
        click(7, C::No);
        clickButton(u"工單"_s);
        QFile handOff(m_temp->filePath(u"PLOVTMP.TXT"_s));
        if (right != u"1111") {
            QCOMPARE(boxes(), QStringList{u"訊息: 你的權限無法使用該項功能!"_s});
            QVERIFY(!handOff.exists() && m_started.isEmpty());
            return;
        }
        QVERIFY(handOff.open(QIODevice::ReadOnly));
        QCOMPARE(handOff.readAll(), toCp950(u"預排\r\nA123\r\n"_s));
        QVERIFY(m_started.at(0).endsWith(u"/工單作業系統.EXE"_s));
        QVERIFY(m_started.at(1).startsWith(u"-qta5827 "_s));
        SetProgramStarter({}); // the real start, from the test's folder, where there is none
        clickButton(u"工單"_s);
        QVERIFY(boxes().value(0).startsWith(u"錯誤: "_s));
        QVERIFY(m_window->isVisible() && m_window->isEnabled());
    }

    // Esc and the exit button ask alike; No keeps the screen and its edits, and the
    // close box asks the same.
    void closingAsksFirst()
    {
        QVERIFY(open(u"海德堡四色"_s));
        click(1, C::Completion);
        m_messages->queueAnswer(MessageService::Answer::No);
        press(Qt::Key_Escape);
        m_messages->queueAnswer(MessageService::Answer::No);
        QCloseEvent closeBox;
        QSpontaneKeyEvent::setSpontaneous(&closeBox); // as the window system sends it
        QCoreApplication::instance()->notify(m_window.get(), &closeBox);
        QVERIFY(!closeBox.isAccepted() && m_window->isVisible());
        QVERIFY(marked(1, C::Completion));
        QCOMPARE(registered(), 1);
        clickButton(u"exit"_s);
        QCOMPARE(boxes(), QStringList(3, kProgramTitle + u": 確定離開印刷日報登錄嗎？"_s));
        QVERIFY(!m_window->isVisible());
        QCOMPARE(registered(), 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
