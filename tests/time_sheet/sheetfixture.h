#pragma once

// The time sheet as the user reaches it: the main screen of a demo print shop lists
// a press, and moving into a line's 耗時 cell opens the sheet, modally.

#include "daily_report/dailyreportwindow.h"
#include "daily_report/schedulecolumns.h"
#include "grid/spreadsheetgrid.h"
#include "gridinput.h"
#include "modalboxes.h"
#include "modaldriver.h"
#include "queryrows.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"
#include "time_sheet/runcolumns.h"
#include "time_sheet/timesheetwindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

// The open sheet as a test's steps drive it.
struct Sheet
{
    TimeSheetWindow &window;
    SpreadsheetGrid &grid;

    void click(int row, int col) { ClickCell(grid, row, col); }
    // Types into the active cell and ends with Enter, which moves on.
    void type(const QString &text)
    {
        TypeKeys(grid, text);
        PressKey(grid, Qt::Key_Return);
        QCoreApplication::processEvents(); // the Tab that Enter sends
    }
    void button(const QString &name)
    {
        QTest::mouseClick(window.findChild<QAbstractButton *>(name), Qt::LeftButton);
    }
};

class SheetScreen
{
public:
    // The main screen listing a press, as the user asks for it.
    explicit SheetScreen(const QString &press, bool finishedOnly = false)
        : db(TestDatabase::Content::Demo)
    {
        Session().ConnectionString = db.connectionString();
        Session().ParentWindow = double(QCoreApplication::applicationPid());
        main = std::make_unique<DailyReportWindow>(ShowTimeSheet);
        main->show();
        main->activateWindow();
        auto *presses = main->findChild<QComboBox *>(QStringLiteral("cbo車別"));
        if (!QTest::qWaitFor([&] { return presses->count() > 1 && main->isEnabled(); }))
            return;
        presses->setCurrentIndex(presses->findText(press));
        emit presses->activated(presses->currentIndex());
        if (finishedOnly)
            QTest::mouseClick(main->findChild<QAbstractButton *>(QStringLiteral("opt完工_1")),
                              Qt::LeftButton);
        list();
    }
    void list()
    {
        QTest::mouseClick(main->findChild<QAbstractButton *>(QStringLiteral("scmd顯示資料")),
                          Qt::LeftButton);
    }

    // Moves into the line's 耗時 cell; the steps run while the sheet is open.
    void openSheet(const QString &po, int no, const std::function<void(Sheet &)> &steps)
    {
        const int row = rowOf(po, no);
        const auto driver = WhenModal<TimeSheetWindow>([&](TimeSheetWindow *window) {
            Sheet sheet{*window, *window->findChild<SpreadsheetGrid *>(QStringLiteral("fml明細"))};
            steps(sheet);
            if (window->isVisible()) // a failed step leaves it open
                window->reject();
        });
        ClickCell(mainGrid(), row, ScheduleCol::Po);
        ClickCell(mainGrid(), row, ScheduleCol::TimeUsed);
    }
    int rowOf(const QString &po, int no) const
    {
        for (int row = 1; row <= main->filledRows(); ++row)
            if (mainGrid().text(row, ScheduleCol::Po) == po &&
                mainGrid().text(row, ScheduleCol::No).toInt() == no)
                return row;
        return 0;
    }
    SpreadsheetGrid &mainGrid() const
    {
        return *main->findChild<SpreadsheetGrid *>(QStringLiteral("fml印刷"));
    }
    // The line's 耗時 and 完工日 on the main screen, and whether 完工日 waits to be saved.
    QString mainRow(const QString &po, int no) const
    {
        const int row = rowOf(po, no);
        return mainGrid().text(row, ScheduleCol::TimeUsed) + u' ' +
               mainGrid().text(row, ScheduleCol::Completion) +
               (main->isMarked(row, ScheduleCol::Completion) ? QStringLiteral(" marked")
                                                             : QString());
    }

    // The stored runs of a line in run order, each as its fields joined by "|".
    QStringList runs(const QString &po, int no, const QString &fields = QStringLiteral("*"))
    {
        return QueryRows(db,
                         QStringLiteral("select %1 from [預排資料耗時明細1] where 工單單號 = ? "
                                        "and 工單序 = ? order by 序")
                             .arg(fields),
                         {po, no});
    }

    TestDatabase db;
    ModalBoxes messages;
    std::unique_ptr<DailyReportWindow> main; // goes first
};
