// The main screen's grid menu driven as a user drives it: a right click, then
// the menu's item. The listing goes to a spreadsheet as the grid shows it, and
// this month's summary to the preview; each also when it fails. The rules
// behind them are tested in tst_spreadsheets, tst_summaryrules and tst_runsummary.

#include "common/clock.h"
#include "daily_report/dailyreportwindow.h"
#include "grid/spreadsheetgrid.h"
#include "modalboxes.h"
#include "report_engine/reportpreviewer.h"
#include "startup/processcontrol.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"
#include "workbookrows.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

class TestListingMenu : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<ModalBoxes> m_messages;
    std::unique_ptr<FixedClock> m_clock;
    std::unique_ptr<DailyReportWindow> m_window;
    QStringList m_previews; // object name: press line of the first page

    SpreadsheetGrid *grid() const { return m_window->findChild<SpreadsheetGrid *>(u"fml印刷"_s); }
    QTableView *view() const { return grid()->findChild<QTableView *>(); }
    QString exported() const { return m_window->findChild<QLabel *>(u"lbl匯出"_s)->text(); }
    QStringList boxes() const
    {
        QStringList boxes;
        for (const ScriptedMessageService::Shown &box : m_messages->shown())
            boxes.append(box.title + u": "_s + box.text);
        return boxes;
    }

    // Shows the screen and lists the press's open lines.
    [[nodiscard]] bool open(const QString &press)
    {
        m_window->show();
        m_window->activateWindow();
        auto *presses = m_window->findChild<QComboBox *>(u"cbo車別"_s);
        if (!QTest::qWaitForWindowActive(m_window.get()) ||
            !QTest::qWaitFor([&] { return presses->count() > 1; }))
            return false;
        presses->setEditText(press);
        QTest::mouseClick(m_window->findChild<QToolButton *>(u"scmd顯示資料"_s), Qt::LeftButton);
        return m_window->filledRows() > 0;
    }

    // A right click on a cell, as the window system reports it (the press, the
    // menu's request, the release), then a click on the menu's item. Whether the
    // item could be chosen.
    bool choose(int row, int col, const QString &item)
    {
        bool enabled = false;
        QTimer picker;
        picker.setInterval(10);
        connect(&picker, &QTimer::timeout, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            picker.stop();
            QAction *action = menu->findChild<QAction *>(item);
            enabled = action && action->isEnabled();
            if (enabled)
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            else
                menu->close();
        });
        picker.start();
        QWidget *cells = view()->viewport();
        const QPoint at = view()->visualRect(view()->model()->index(row - 1, col - 1)).center();
        QTest::mousePress(cells, Qt::RightButton, {}, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, cells->mapToGlobal(at));
        QApplication::sendEvent(cells, &request);
        QTest::mouseRelease(cells, Qt::RightButton, {}, at);
        return enabled;
    }

private slots:
    void init()
    {
        PLOV_REQUIRE_DATABASE();
        m_db = std::make_unique<TestDatabase>(TestDatabase::Content::Demo);
        m_temp = std::make_unique<QTemporaryDir>();
        m_messages = std::make_unique<ModalBoxes>();
        m_clock = std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 4), QTime(14, 5)));
        SessionSettings &s = Session();
        s.ConnectionString = m_db->connectionString();
        s.MachineUserId = u"PRESSPC\\operator"_s;
        s.ParentWindow = double(QCoreApplication::applicationPid()); // a live menu program
        s.TempFolder = m_temp->path() + u'/';
        s.ExcelFolder = m_temp->path();
        s.XlsExt = u".xlsx"_s;
        ProcessControl::SetEndHandler([] { QFAIL("the program ended"); });
        m_previews.clear();
        ReportPreviewer::preview = [this](QWidget *, const ReportLayout &layout,
                                          const QString &name, const QString &) {
            m_previews.append(name + u": "_s + layout.bands.first().text(u"txt機別"_s)->text);
        };
        m_window =
            std::make_unique<DailyReportWindow>([](QWidget *) { QFAIL("a time sheet opened"); });
    }
    void cleanup()
    {
        QCOMPARE(m_messages->busy, 0); // the pointer is restored before any box
        m_window.reset();
        ProcessControl::SetEndHandler({});
        m_clock.reset();
        m_messages.reset();
        m_db.reset();
    }

    // The shown columns under their headings, cells as shown (numbers as
    // numbers, the work order and the dates as text), into the spreadsheet
    // folder under the press and the minute; a CSV file when the user's
    // extension says so. The right click moves nothing and stamps nothing.
    void exportWritesTheListingAsShown()
    {
        QVERIFY(open(u"海德堡四色"_s));
        grid()->setActiveCell(1, 1);
        QVERIFY(choose(2, 19, u"act匯出至試算表"_s)); // on 預定日 of the second line
        QCOMPARE(grid()->activeRow() * 100 + grid()->activeCol(), 101);
        QCOMPARE(grid()->text(2, 19), QString());
        const QString book =
            QDir(m_temp->path()).filePath(u"印刷排程_海德堡四色_1151204-1405.xlsx"_s);
        QCOMPARE(exported(), u"已匯出至 "_s + book);
        const QStringList rows = WorkbookRows(book);
        QCOMPARE(rows.size(), 2 + m_window->filledRows());
        QCOMPARE(rows.at(1), u"t:工單單號|t:序|t:客戶|t:品名|t:正色|t:反色|t:計|t:模數|t:台數|"
                             u"t:印刷尺寸|t:數量|t:順序|t:耗時|t:預定日|t:完工日"_s);
        QCOMPARE(rows.at(2), u"t:A1151121|n:2|t:安心藥品|t:感冒糖漿外盒|n:4|n:4|n:8|n:4|n:1|"
                             u"t:菊全|t:5000張|n:2|n:4.75|t:1208-10"_s);

        Session().XlsExt = u".csv"_s;
        m_clock->advanceSeconds(60);
        QVERIFY(choose(1, 1, u"act匯出至試算表"_s));
        QFile csv(QDir(m_temp->path()).filePath(u"印刷排程_海德堡四色_1151204-1406.csv"_s));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(csv.readAll().startsWith("\xEF\xBB\xBF工單單號,序,客戶,品名,正色"));
        QCOMPARE(boxes(), QStringList());
    }

    // A folder that cannot take the file: the reason in a box, no file anywhere.
    void exportFailureSaysWhy()
    {
        QVERIFY(open(u"海德堡四色"_s));
        const QString plain = QDir(m_temp->path()).filePath(u"plain.txt"_s);
        QFile file(plain);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        Session().ExcelFolder = plain;
        QVERIFY(choose(1, 1, u"act匯出至試算表"_s));
        QCOMPARE(boxes().size(), 1);
        QVERIFY2(boxes().first().startsWith(u"匯出錯誤: 無法寫入 "_s + plain + u"/印刷排程_"_s),
                 qPrintable(boxes().first()));
        QCOMPARE(exported(), QString());
        QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({u"plain.txt"_s}));
    }

    // This month's summary of the chosen press in the preview; a database that
    // fails says so and shows nothing.
    void monthSummaryPreviewsOrSaysWhy()
    {
        QVERIFY(open(u"海德堡四色"_s));
        QVERIFY(choose(1, 1, u"act本月產能摘要"_s));
        QCOMPARE(m_previews, QStringList({u"rpt印刷產能摘要: 車別：海德堡四色"_s}));
        m_db->exec(u"drop view [預排耗時_印刷]"_s);
        m_db->exec(u"drop table [預排資料耗時明細1]"_s);
        QVERIFY(choose(1, 1, u"act本月產能摘要"_s));
        QCOMPARE(m_previews.size(), 1);
        QCOMPARE(boxes().size(), 1);
        QVERIFY(boxes().first().startsWith(u"產能摘要錯誤: "_s));
    }
};

QTEST_MAIN(TestListingMenu)
#include "tst_listingmenu.moc"
