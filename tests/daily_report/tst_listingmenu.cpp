// The main screen's grid menu driven as a user drives it: a right click, then
// the menu's item. The listing goes to a spreadsheet as the grid shows it, and
// this month's summary to the preview; each also when it fails. The rules
// behind them are tested in tst_spreadsheets, tst_summaryrules and tst_runsummary.

#include "mainscreen.h"
#include "workbookrows.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestListingMenu : public QObject, MainScreen
{
    Q_OBJECT

    QString exported() const { return m_window->findChild<QLabel *>(u"lbl匯出"_s)->text(); }

    // A right click on a cell, as the window system reports it (the press, the
    // menu's request, the release), then a click on the menu's item. Whether the
    // item could be chosen.
    bool choose(int row, int col, const QString &item)
    {
        bool enabled = false;
        QTimer picker;
        picker.setInterval(10);
        QObject::connect(&picker, &QTimer::timeout, this, [&] {
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
        setUp();
    }
    void cleanup() { QCOMPARE(tearDown(), 0); }

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
        QVERIFY(QFile::exists(m_temp->filePath(u"印刷排程_海德堡四色_1151204-1406.csv"_s)));
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
