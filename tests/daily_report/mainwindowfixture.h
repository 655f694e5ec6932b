#pragma once

// What every test of the main screen starts from: a demo print shop, a session
// as the menu program would leave it, the screen shown and activated, and the
// seams that keep message boxes, printing, program starts and the end of the
// process observable instead of blocking or killing the test.

#include "common/messagebox.h"
#include "daily_report/dailyreportwindow.h"
#include "grid/spreadsheetgrid.h"
#include "report_engine/reportpreviewer.h"
#include "startup/processcontrol.h"
#include "startup/runningprogram.h"
#include "startup/sessionchecks.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <memory>

// Thrown by the end handler: "the program ends here".
struct ProgramEnded
{
};

// One job line of the schedule with the rows the save writes, for cases the
// demo does not hold.
struct ScheduleLine
{
    QString po;
    int no = 1;
    QString id = QStringLiteral("P1151209");
    int ino = 1;
    QString press = QStringLiteral("海德堡四色");
    QString order = QStringLiteral("1");
    double color1 = 1;
    double color2 = 0;
    QString planned;
    QString completion;
    QString closingMark;
    QString rush;
};

class MainScreen
{
public:
    explicit MainScreen(TestDatabase::Content content = TestDatabase::Content::Demo) : db(content)
    {
        SessionSettings &s = Session();
        s.ConnectionString = db.connectionString();
        s.MachineUserId = QStringLiteral("PRESSPC\\operator");
        s.ParentWindow = double(QCoreApplication::applicationPid()); // a live menu program
        s.TempFolder = temp.path() + u'/';
        s.Permissions[QStringLiteral("工單作業細部")] = QStringLiteral("1111");
        ProcessControl::SetEndHandler([] { throw ProgramEnded(); });
        m_previousPreview = ReportPreviewer::preview;
        ReportPreviewer::preview = [this](QWidget *, const ReportLayout &, const QString &,
                                          const QString &) { ++previews; };
        SetProgramStarter([this](const QString &program, const QString &commandLine) {
            started.append(program);
            startedWith.append(commandLine);
            return std::optional<QString>();
        });
    }

    ~MainScreen()
    {
        window.reset();
        SetProgramStarter({});
        ReportPreviewer::preview = m_previousPreview;
        ProcessControl::SetEndHandler({});
    }

    MainScreen(const MainScreen &) = delete;
    MainScreen &operator=(const MainScreen &) = delete;

    // Loads the screen without showing it.
    DailyReportWindow &create()
    {
        window = std::make_unique<DailyReportWindow>();
        return *window;
    }

    // Shows the screen and waits for its first activation to have filled the
    // press list.
    [[nodiscard]] bool open()
    {
        if (!window)
            create();
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        return QTest::qWaitFor([this] { return pressBox()->count() > 1 && window->isEnabled(); });
    }

    // The screen's first activation, handed to it directly: the end of the
    // program it may cause then reaches the test without crossing the event loop.
    void activateDirectly()
    {
        QEvent activate(QEvent::WindowActivate);
        static_cast<QObject *>(window.get())->event(&activate);
    }

    // Controls
    SpreadsheetGrid *grid() const
    {
        return window->findChild<SpreadsheetGrid *>(QStringLiteral("fml印刷"));
    }
    QTableView *view() const { return grid()->findChild<QTableView *>(); }
    QComboBox *pressBox() const
    {
        return window->findChild<QComboBox *>(QStringLiteral("cbo車別"));
    }
    QAction *action(const QString &key) const { return window->findChild<QAction *>(key); }
    QString label(const QString &name) const { return window->findChild<QLabel *>(name)->text(); }
    QString countPanel() const { return label(QStringLiteral("StatusBar1_2")); }
    bool rushBadgeShown() const
    {
        return !window->findChild<QFrame *>(QStringLiteral("pic急件"))->isHidden();
    }

    // What the user does
    void choosePress(const QString &press)
    {
        QComboBox *box = pressBox();
        const int index = box->findText(press);
        if (index < 0) {
            box->setEditText(press);
            return;
        }
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void chooseFinishedOnly(bool finishedOnly)
    {
        const QString name =
            finishedOnly ? QStringLiteral("opt完工_1") : QStringLiteral("opt完工_0");
        QTest::mouseClick(window->findChild<QRadioButton *>(name), Qt::LeftButton);
    }
    void showData()
    {
        QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("scmd顯示資料")),
                          Qt::LeftButton);
    }
    void query(const QString &press, bool finishedOnly = false)
    {
        choosePress(press);
        chooseFinishedOnly(finishedOnly);
        showData();
    }
    void clickCell(int row, int col)
    {
        const QModelIndex index = view()->model()->index(row - 1, col - 1);
        view()->scrollTo(index);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {},
                          view()->visualRect(index).center());
    }
    // Keys go where the user's focus is: the grid, or its cell editor once an
    // edit has begun.
    QWidget *keyTarget() const
    {
        QWidget *focus = QApplication::focusWidget();
        return focus && focus->window() == window.get() ? focus : view();
    }
    void press(Qt::Key key) { QTest::keyClick(keyTarget(), key); }
    void type(const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(keyTarget(), char(c.unicode()));
            else // what an input method's key gives: no key code, only the text
                QTest::sendKeyEvent(QTest::Click, keyTarget(), Qt::Key_unknown, QString(c), {});
        }
    }
    // A toolbar button clicked with the mouse.
    void clickButton(const QString &key)
    {
        QAction *a = action(key);
        for (QToolBar *bar : window->findChildren<QToolBar *>())
            if (QWidget *button = bar->widgetForAction(a))
                QTest::mouseClick(button, Qt::LeftButton);
    }

    // What the grid shows
    QString cell(int row, int col) const { return grid()->text(row, col); }
    // "PO-NO" of every listed row, in grid order.
    QStringList listedLines() const
    {
        QStringList lines;
        for (int row = 1; row <= window->filledRows(); ++row)
            lines.append(cell(row, 1).trimmed() + u'-' + cell(row, 2).trimmed());
        return lines;
    }
    // The grid row of a listed line, 0 when it is not listed.
    int rowOf(const QString &po, int no) const
    {
        return int(listedLines().indexOf(po + u'-' + QString::number(no))) + 1;
    }

    // The database
    void insertLine(const ScheduleLine &l)
    {
        db.exec(QStringLiteral(
                    "insert into [印刷預排] (PO, [NO], ID, FDATE, PDATE) values (?, ?, ?, ?, ?)"),
                {l.po, l.no, l.id, QStringLiteral(""), l.closingMark});
        db.exec(QStringLiteral("insert into [PRINTING_S] (PO, [NO], [DESC], COLOR1, COLOR2, 順序, "
                               "車別, ODATE, FDATE, ACT, ID, INO) "
                               "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {l.po, l.no, QStringLiteral("測試"), l.color1, l.color2, l.order, l.press,
                 l.planned, l.completion, l.completion, l.id, l.ino});
        db.exec(QStringLiteral("insert into [PRINTING] (PO, [NO], ODATE, FDATE, ACT, EAMT) "
                               "values (?, ?, ?, ?, ?, 0)"),
                {l.po, l.no, l.planned, l.completion, l.completion});
        db.exec(QStringLiteral("insert into [VENDERAC] (PO, [NO], KIND, ODATE, EAMT) "
                               "values (?, ?, '印 刷', ?, 0)"),
                {l.po, l.no, l.completion});
        db.exec(QStringLiteral("insert into [預排資料明細] (PO, [NO], ODATE, KIND, ID, INO) "
                               "values (?, ?, ?, '印 刷', ?, ?)"),
                {l.po, l.no, l.completion, l.id, l.ino});
        if (db.scalar(QStringLiteral("select count(*) from [PWORK] where PO = ?"), {l.po})
                .toInt() == 0)
            db.exec(QStringLiteral("insert into [PWORK] (PO, CUST, [DESC], FDATE, PREM, 急件) "
                                   "values (?, 'C001', '測試品', '', '', ?)"),
                    {l.po, l.rush});
    }
    // One column of a line's row in PRINTING, PRINTING_S, VENDERAC (kind 印 刷)
    // or 預排資料明細 (kind 印 刷).
    QString stored(const QString &table, const QString &column, const QString &po, int no)
    {
        QString sql =
            QStringLiteral("select %1 from [%2] where PO = ? and [NO] = ?").arg(column, table);
        if (table == u"VENDERAC" || table == u"預排資料明細")
            sql += QStringLiteral(" and KIND = '印 刷'");
        return db.scalar(sql, {po, no}).toString();
    }
    int registered()
    {
        return db
            .scalar(QStringLiteral("select count(*) from [SYSUSER1] where ID = ? and FUNC = ?"),
                    {Session().MachineUserId, ProgramTitle})
            .toInt();
    }
    // The texts of the boxes shown under a title.
    QStringList shownUnder(const QString &title) const
    {
        QStringList texts;
        for (const ScriptedMessageService::Shown &box : messages.shown())
            if (box.title == title)
                texts.append(box.text);
        return texts;
    }

    TestDatabase db;
    QTemporaryDir temp;
    ScriptedMessageService messages;
    std::unique_ptr<DailyReportWindow> window;
    int previews = 0;
    QStringList started;
    QStringList startedWith;

private:
    ReportPreviewer::Function m_previousPreview;
};
