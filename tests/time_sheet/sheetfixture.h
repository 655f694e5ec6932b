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
#include "db/connection.h"
#include "db/recordset.h"
#include "grid/recordtext.h"
#include "grid/spreadsheetgrid.h"
#include "startup/processcontrol.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"
#include "time_sheet/runcolumns.h"
#include "time_sheet/timesheetwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

class SheetScreen
{
public:
    using Steps = std::function<void(TimeSheetWindow &)>;

    SheetScreen() : db(TestDatabase::Content::Demo)
    {
        Session().ConnectionString = db.connectionString();
        Session().ParentWindow = double(QCoreApplication::applicationPid());
        ProcessControl::SetEndHandler([] { throw std::runtime_error("program ended"); });
        SetTimeSheetOpener([this](QWidget *parent) {
            TimeSheetWindow sheet(parent);
            QObject::connect(&sheet, &TimeSheetWindow::ready, &sheet, [this, &sheet] {
                QTimer::singleShot(0, &sheet, [this, &sheet] {
                    m_steps(sheet);
                    if (sheet.isVisible()) // a failed step leaves it open
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

    // The main screen listing a press, as the user asks for it.
    [[nodiscard]] bool list(const QString &press, bool finishedOnly = false)
    {
        main = std::make_unique<DailyReportWindow>();
        main->show();
        main->activateWindow();
        auto *presses = main->findChild<QComboBox *>(QStringLiteral("cbo車別"));
        if (!QTest::qWaitFor([&] { return presses->count() > 1 && main->isEnabled(); }))
            return false;
        presses->setCurrentIndex(presses->findText(press));
        emit presses->activated(presses->currentIndex());
        QTest::mouseClick(main->findChild<QRadioButton *>(finishedOnly
                                                              ? QStringLiteral("opt完工_1")
                                                              : QStringLiteral("opt完工_0")),
                          Qt::LeftButton);
        QTest::mouseClick(main->findChild<QAbstractButton *>(QStringLiteral("scmd顯示資料")),
                          Qt::LeftButton);
        return main->filledRows() > 0;
    }

    // Moves into the line's 耗時 cell; the steps run while the sheet is open.
    void openSheet(const QString &po, int no, Steps steps)
    {
        m_steps = std::move(steps);
        click(mainGrid(), rowOf(po, no), ScheduleCol::PO);
        click(mainGrid(), rowOf(po, no), ScheduleCol::TimeUsed);
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

    // What the user does on the sheet.
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
    static QWidget *focusIn(SpreadsheetGrid *grid)
    {
        QWidget *focus = QApplication::focusWidget();
        return focus && grid->isAncestorOf(focus) ? focus : grid->findChild<QTableView *>();
    }
    // Types into the active cell and ends with Enter.
    static void type(SpreadsheetGrid *grid, const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(focusIn(grid), char(c.unicode()));
            else // what an input method gives: no key code, only the text
                QTest::sendKeyEvent(QTest::Click, focusIn(grid), Qt::Key_unknown, QString(c), {});
        }
        QTest::keyClick(focusIn(grid), Qt::Key_Return);
        QCoreApplication::processEvents(); // the Tab that Enter sends
    }

    // The stored runs of a line in run order, each as the texts of its fields.
    QList<QStringList> runs(const QString &po, int no)
    {
        Connection c;
        c.open(db.connectionString());
        Recordset rs(c);
        rs.open(QStringLiteral("select * from [預排資料耗時明細1] where 工單單號 = ? and "
                               "工單序 = ? order by 序"),
                {po, no});
        QList<QStringList> found;
        for (; !rs.eof(); rs.moveNext()) {
            found.append(QStringList());
            for (const QString &field : rs.fieldNames())
                found.last().append(RecordValueText(rs.value(field)));
        }
        return found;
    }
    QStringList runs(const QString &po, int no, int col)
    {
        QStringList values;
        for (const QStringList &run : runs(po, no))
            values.append(run.at(col - 1));
        return values;
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
    ScriptedMessageService messages;
    std::unique_ptr<DailyReportWindow> main;

private:
    Steps m_steps;
};
