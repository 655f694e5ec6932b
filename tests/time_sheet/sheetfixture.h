#pragma once

// The time sheet as the user reaches it: a demo print shop, the main screen
// listing a press, and the sheet opened by moving into a line's 耗時 cell. The
// sheet runs modally as in the program; the test's steps run while it is open.

#include "common/clock.h"
#include "common/handoff.h"
#include "common/messagebox.h"
#include "daily_report/dailyreportwindow.h"
#include "daily_report/schedulecolumns.h"
#include "daily_report/timesheethook.h"
#include "grid/recordtext.h"
#include "grid/spreadsheetgrid.h"
#include "startup/processcontrol.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"
#include "time_sheet/timesheetwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

struct ProgramEnded
{
};

class SheetScreen
{
public:
    using Steps = std::function<void(TimeSheetWindow &)>;

    SheetScreen() : db(TestDatabase::Content::Demo)
    {
        SessionSettings &s = Session();
        s.ConnectionString = db.connectionString();
        s.MachineUserId = QStringLiteral("PRESSPC\\operator");
        s.ParentWindow = double(QCoreApplication::applicationPid());
        s.TempFolder = temp.path() + u'/';
        ProcessControl::SetEndHandler([] { throw ProgramEnded(); });
        SetTimeSheetOpener([this](QWidget *parent) {
            TimeSheetWindow sheet(parent);
            QObject::connect(&sheet, &TimeSheetWindow::ready, &sheet, [this, &sheet] {
                QTimer::singleShot(0, &sheet, [this, &sheet] {
                    if (m_steps)
                        m_steps(sheet);
                    if (sheet.isVisible()) // a step that failed leaves the sheet open
                        sheet.reject();
                });
            });
            sheet.exec();
        });
    }

    ~SheetScreen()
    {
        main.reset();
        SetTimeSheetOpener({});
        ProcessControl::SetEndHandler({});
    }

    // The main screen listing the press (finished lines only when asked).
    [[nodiscard]] bool list(const QString &press, bool finishedOnly = false)
    {
        main = std::make_unique<DailyReportWindow>();
        main->show();
        main->activateWindow();
        if (!QTest::qWaitForWindowActive(main.get()))
            return false;
        auto *presses = main->findChild<QComboBox *>(QStringLiteral("cbo車別"));
        if (!QTest::qWaitFor([&] { return presses->count() > 1 && main->isEnabled(); }))
            return false;
        presses->setCurrentIndex(presses->findText(press));
        emit presses->activated(presses->currentIndex());
        const QString option =
            finishedOnly ? QStringLiteral("opt完工_1") : QStringLiteral("opt完工_0");
        QTest::mouseClick(main->findChild<QRadioButton *>(option), Qt::LeftButton);
        QTest::mouseClick(main->findChild<QToolButton *>(QStringLiteral("scmd顯示資料")),
                          Qt::LeftButton);
        return main->filledRows() > 0;
    }

    // Moves into the 耗時 cell of a listed line: the sheet opens and the steps
    // run while it is open.
    void openSheet(const QString &po, int no, Steps steps)
    {
        m_steps = std::move(steps);
        click(mainGrid(), rowOf(po, no), ScheduleCol::PO); // the sheet opens on moving in
        click(mainGrid(), rowOf(po, no), ScheduleCol::TimeUsed);
        m_steps = {};
    }

    int rowOf(const QString &po, int no) const
    {
        for (int row = 1; row <= main->filledRows(); ++row)
            if (mainCell(row, ScheduleCol::PO) == po &&
                mainCell(row, ScheduleCol::NO).toInt() == no)
                return row;
        return 0;
    }
    SpreadsheetGrid *mainGrid() const
    {
        return main->findChild<SpreadsheetGrid *>(QStringLiteral("fml印刷"));
    }
    QString mainCell(int row, int col) const { return mainGrid()->text(row, col); }

    // What the user does on either screen.
    static SpreadsheetGrid *grid(TimeSheetWindow &sheet)
    {
        return sheet.findChild<SpreadsheetGrid *>(QStringLiteral("fml明細"));
    }
    static void click(SpreadsheetGrid *grid, int row, int col)
    {
        auto *view = grid->findChild<QTableView *>();
        const QModelIndex index = view->model()->index(row - 1, col - 1);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    static void button(TimeSheetWindow &sheet, const QString &name)
    {
        QTest::mouseClick(sheet.findChild<QAbstractButton *>(name), Qt::LeftButton);
    }
    // Types into the active cell and ends with Enter, as the user does.
    static void type(SpreadsheetGrid *grid, const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(focusIn(grid), char(c.unicode()));
            else // what an input method's key gives: no key code, only the text
                QTest::sendKeyEvent(QTest::Click, focusIn(grid), Qt::Key_unknown, QString(c), {});
        }
        QTest::keyClick(focusIn(grid), Qt::Key_Return);
        QCoreApplication::processEvents(); // the Tab that Enter sends
    }
    static QWidget *focusIn(SpreadsheetGrid *grid)
    {
        QWidget *focus = QApplication::focusWidget();
        return focus && grid->isAncestorOf(focus) ? focus : grid->findChild<QTableView *>();
    }
    static QString text(TimeSheetWindow &sheet, const QString &box)
    {
        return sheet.findChild<QLineEdit *>(box)->text();
    }

    // One column of the stored runs of a line, as text, in run order.
    QStringList runs(const QString &po, int no, const QString &column)
    {
        QStringList found;
        const int count = db.scalar(QStringLiteral("select count(*) from [預排資料耗時明細1] "
                                                   "where 工單單號 = ? and 工單序 = ?"),
                                    {po, no})
                              .toInt();
        for (int seq = 1; seq <= count; ++seq)
            found.append(
                RecordValueText(db.scalar(QStringLiteral("select %1 from [預排資料耗時明細1] where "
                                                         "工單單號 = ? and 工單序 = ? and 序 = ?")
                                              .arg(column),
                                          {po, no, seq})));
        return found;
    }
    QString stored(const QString &table, const QString &column, const QString &po, int no)
    {
        QString sql =
            QStringLiteral("select %1 from [%2] where PO = ? and [NO] = ?").arg(column, table);
        if (table == u"VENDERAC" || table == u"預排資料明細")
            sql += QStringLiteral(" and KIND = '印 刷'");
        return db.scalar(sql, {po, no}).toString();
    }

    TestDatabase db;
    QTemporaryDir temp;
    ScriptedMessageService messages;
    std::unique_ptr<DailyReportWindow> main;

private:
    Steps m_steps;
};
