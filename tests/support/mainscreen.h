#pragma once

#include "common/clock.h"
#include "daily_report/dailyreportwindow.h"
#include "grid/spreadsheetgrid.h"
#include "modalboxes.h"
#include "report_engine/reportpreviewer.h"
#include "startup/processcontrol.h"
#include "startup/sessionchecks.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"

#include <QAction>
#include <QComboBox>
#include <QRadioButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

// Thrown by the end handler a MainScreen installs: "the program ends here".
struct ProgramEnded
{
};

// The main screen on a demo print shop, with a session as the menu program leaves
// it, for a test class to derive from: setUp() in init(), tearDown() in cleanup().
// The seams keep boxes, previews, program starts and the end of the process
// observable; moving into 耗時 calls m_timeSheet when a test sets one.
class MainScreen
{
protected:
    void setUp()
    {
        m_db = std::make_unique<TestDatabase>(TestDatabase::Content::Demo);
        m_temp = std::make_unique<QTemporaryDir>();
        m_messages = std::make_unique<ModalBoxes>();
        m_clock = std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 4), QTime(14, 5)));
        SessionSettings &s = Session();
        s.ConnectionString = m_db->connectionString();
        s.MachineUserId = QStringLiteral("PRESSPC\\operator");
        s.ParentWindow = double(QCoreApplication::applicationPid()); // a live menu program
        s.TempFolder = m_temp->path() + u'/';
        s.ExcelFolder = m_temp->path();
        s.XlsExt = QStringLiteral(".xlsx");
        s.Permissions[QStringLiteral("工單作業細部")] = QStringLiteral("1111");
        ProcessControl::SetEndHandler([] { throw ProgramEnded(); });
        m_previews.clear();
        ReportPreviewer::preview = [this](QWidget *, const ReportLayout &layout,
                                          const QString &name, const QString &) {
            const ReportText *press = layout.bands.value(0).text(QStringLiteral("txt機別"));
            m_previews.append(name + QStringLiteral(": ") + (press ? press->text : QString()));
        };
        m_started.clear();
        SetProgramStarter([this](const QString &program, const QString &commandLine) {
            m_started << program << commandLine;
            return std::optional<QString>();
        });
        m_timeSheet = {};
        m_window = std::make_unique<DailyReportWindow>([this](QWidget *mainScreen) {
            if (m_timeSheet)
                m_timeSheet(mainScreen);
        });
    }
    // Gives the number of boxes shown under a busy pointer, which should be none.
    int tearDown()
    {
        const int busy = m_messages ? m_messages->busy : 0;
        m_window.reset();
        SetProgramStarter({});
        ProcessControl::SetEndHandler({});
        m_clock.reset();
        m_messages.reset();
        m_db.reset();
        return busy;
    }

    // Shows the screen, waits for its first activation, and lists a press if named.
    [[nodiscard]] bool open(const QString &press = {}, bool finishedOnly = false)
    {
        m_window->show();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window.get()) ||
            !QTest::qWaitFor([&] { return presses()->count() > 1; }))
            return false;
        if (!press.isEmpty())
            query(press, finishedOnly);
        return true;
    }
    void query(const QString &press, bool finishedOnly = false)
    {
        presses()->setEditText(press);
        const QString option = QStringLiteral("opt完工_%1").arg(int(finishedOnly));
        QTest::mouseClick(m_window->findChild<QRadioButton *>(option), Qt::LeftButton);
        QTest::mouseClick(m_window->findChild<QToolButton *>(QStringLiteral("scmd顯示資料")),
                          Qt::LeftButton);
    }
    SpreadsheetGrid *grid() const
    {
        return m_window->findChild<SpreadsheetGrid *>(QStringLiteral("fml印刷"));
    }
    QTableView *view() const { return grid()->findChild<QTableView *>(); }
    QComboBox *presses() const
    {
        return m_window->findChild<QComboBox *>(QStringLiteral("cbo車別"));
    }
    QAction *action(const QString &key) const { return m_window->findChild<QAction *>(key); }
    // Every box shown, as "title: text".
    QStringList boxes() const
    {
        QStringList boxes;
        for (const ScriptedMessageService::Shown &box : m_messages->shown())
            boxes.append(box.title + QStringLiteral(": ") + box.text);
        return boxes;
    }
    // A click on a cell (from 1), or with twice a real double click after it.
    void click(int row, int col, bool twice = false)
    {
        const QRect rect = view()->visualRect(view()->model()->index(row - 1, col - 1));
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, rect.center());
        if (twice)
            QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void clickButton(const QString &key)
    {
        QAction *a = action(key);
        QTest::mouseClick(qobject_cast<QToolBar *>(a->parent())->widgetForAction(a),
                          Qt::LeftButton);
    }

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<ModalBoxes> m_messages;
    std::unique_ptr<FixedClock> m_clock; // 2026-12-04 14:05
    std::unique_ptr<DailyReportWindow> m_window;
    TimeSheetOpener m_timeSheet;
    QStringList m_previews; // "object name: press line of the first page"
    QStringList m_started;  // program, command line
};
