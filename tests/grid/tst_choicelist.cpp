// Choice lists over grid cells: their items by list key, and the list object
// as a user opens, scrolls and picks from it.

#include "grid/choiceitems.h"
#include "grid/choicelist.h"
#include "grid/spreadsheetgrid.h"
#include "testtables.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Phrase rows (ID, ITEM, DESC[, REM, more]) as a record set gives them: (field, record).
RecordArray phrases(const QList<QStringList> &rows)
{
    RecordArray data(rows.first().size());
    for (const QStringList &row : rows)
        for (int f = 0; f < row.size(); ++f)
            data[f].append(row.at(f));
    return data;
}

const RecordArray kNoRows{{QVariant()}};

RecordArray presses()
{
    return phrases({{u"001"_s, u"機別"_s, u"海德堡速霸XL106八色對開印刷機"_s},
                    {u"002"_s, u"機別"_s, u"小森五色 "_s},
                    {u"003"_s, u"機別"_s, u"三菱雙色"_s},
                    {u"001"_s, u"停工說明"_s, u"等紙"_s}});
}

// Special-fill rows "1" to "n".
RecordArray fills(int n)
{
    QList<QStringList> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({QString::number(i), u"特滿"_s, QString::number(i)});
    return phrases(rows);
}

} // namespace

Q_DECLARE_METATYPE(RecordArray)

class TestChoiceList : public QObject
{
    Q_OBJECT

    std::unique_ptr<SpreadsheetGrid> m_grid;

    QListWidget *list() const { return m_grid->findChild<QListWidget *>(); }
    QTableView *view() const { return m_grid->findChild<QTableView *>(); }
    int open(const QString &kind, const QString &key, RecordArray data, int listId = 0)
    {
        const int id = FmlBuildChoiceList(kind, key, *m_grid, listId, data);
        FmlShowChoiceList(id, *m_grid);
        return id;
    }

private slots:
    void init()
    {
        m_grid = std::make_unique<SpreadsheetGrid>();
        m_grid->setObjectName(u"fml明細"_s);
        m_grid->setMaxRow(40);
        m_grid->setMaxCol(4);
        m_grid->resize(600, 700);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    }
    void cleanup() { m_grid.reset(); }

    void items_data()
    {
        AddColumns<QString, QString, QString, RecordArray, QStringList>("kind", "key", "current",
                                                                        "data", "items");
        const RecordArray sizes =
            phrases({{u"001"_s, u"D-印刷"_s, u"印刷尺寸"_s, u"菊全"_s, u"636x939"_s},
                     {u"002"_s, u"D-印刷"_s, u""_s, u"特規"_s, u""_s},
                     {u"003"_s, u"D-印刷"_s, u"紙別"_s, u"銅版"_s, u""_s},
                     {u"004"_s, u"C-紙品"_s, u"印刷尺寸"_s, u"四六"_s, u""_s}});
        const QString hidden = QString(100, u' ') + u"||"_s;
        // clang-format off
        QTest::newRow("YN, no rows, empty") << u""_s << u"YN"_s << u""_s << kNoRows << QStringList{u""_s, u"Y"_s, u"N"_s};
        QTest::newRow("YN, no rows, Y") << u""_s << u"YN"_s << u"Y"_s << kNoRows << QStringList{u"Y"_s, u"N"_s};
        QTest::newRow("YN, rows, empty") << u""_s << u"YN"_s << u""_s << presses() << QStringList{u""_s, u"Y"_s};
        QTest::newRow("YN1, no rows") << u""_s << u"YN1"_s << u"Y"_s << kNoRows << QStringList{u""_s, u"Y"_s, u"N"_s};
        QTest::newRow("YN1, rows") << u""_s << u"YN1"_s << u"Y"_s << presses() << QStringList{u" "_s, u"Y"_s, u"N"_s};
        QTest::newRow("判定") << u""_s << u"判定"_s << u"OK"_s << kNoRows << QStringList{u" "_s, u"OK"_s, u"NG"_s};
        QTest::newRow("製程種類") << u""_s << u"製程種類"_s << u"印刷"_s << presses() << QStringList{u" "_s, u"印前"_s, u"製版"_s, u"紙品"_s, u"印刷"_s, u"上光"_s, u"裱紙"_s, u"軋工"_s, u"糊工"_s, u"裁摺"_s, u"裝訂"_s, u"刀模"_s, u"燙金"_s, u"運送"_s, u"其它"_s};
        QTest::newRow("製程種類, no rows") << u""_s << u"製程種類"_s << u"印刷"_s << kNoRows << QStringList{u"印刷"_s};
        QTest::newRow("版別固定, 菊版") << u""_s << u"版別固定"_s << u"菊版"_s << presses() << QStringList{u"菊版"_s, u"全開"_s};
        QTest::newRow("車別 through the kind") << u"機別"_s << u"車別"_s << u" 小森五色"_s << presses() << QStringList{u"小森五色"_s, u"海德堡速霸XL106八色對開印刷機"_s, u"三菱雙色"_s};
        QTest::newRow("特滿") << u""_s << u"特滿"_s << u"3"_s << fills(9) << QStringList{u"3"_s, u"1"_s, u"2"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s};
        QTest::newRow("撥出倉位") << u""_s << u"撥出倉位"_s << u"機別"_s << presses() << QStringList{u"機別"_s, u"停工說明"_s};
        QTest::newRow("單位 repeats") << u""_s << u"單位"_s << u"機別"_s << presses() << QStringList{u"機別"_s, u"機別"_s, u"機別"_s, u"機別"_s, u"停工說明"_s};
        QTest::newRow("other key, kind's rows") << u"D-印刷"_s << u"紙別"_s << u"特規"_s << sizes << QStringList{u"特規"_s, u"銅版"_s};
        QTest::newRow("印刷尺寸 of D-印刷") << u"D-印刷"_s << u"印刷尺寸"_s << u""_s << sizes << QStringList{u""_s, u"菊全"_s + hidden + u"636x939"_s, u"特規"_s + hidden};
        // clang-format on
    }
    void items()
    {
        QTEST(ChoiceListItems(Fetch<QString>("kind"), Fetch<QString>("key"),
                              Fetch<QString>("current"), Fetch<RecordArray>("data")),
              "items");
    }

    void opensOverTheCell_data()
    {
        AddColumns<QString, int, int, int>("current", "count", "selected", "rowsBelow");
        QTest::newRow("10 items, empty cell") << u""_s << 9 << -1 << 11;
        QTest::newRow("11 items, 3 at the head") << u"3"_s << 11 << 0 << 10;
    }
    // One list object per grid: built hidden, opened over the active cell with its
    // text preselected and dropping below it, hidden when the cursor moves, and
    // built again in place.
    void opensOverTheCell()
    {
        int listId = 77; // a number the grid does not know: it has no list yet
        connect(m_grid.get(), &SpreadsheetGrid::activeCellChanged, this,
                [&] { FmlHideChoiceList(*m_grid, listId); });
        m_grid->setActiveCell(1, 3);
        QTest::keyClick(view(), Qt::Key_Down);
        QCOMPARE(listId, 0);
        m_grid->setActiveText(Fetch<QString>("current"));
        listId = open(u""_s, u"特滿"_s, fills(Fetch<int>("count")));
        QVERIFY(list()->isVisible());
        QTEST(list()->currentRow(), "selected");
        const QRect cell = view()->visualRect(view()->model()->index(1, 2));
        QCOMPARE(list()->geometry(),
                 QRect(cell.topLeft(), QSize(view()->columnWidth(2), (1 + Fetch<int>("rowsBelow")) *
                                                                         view()->rowHeight(1))));
        QTest::keyClick(view(), Qt::Key_Right);
        QVERIFY(!list()->isVisible());
        QCOMPARE(open(u"機別"_s, u"車別"_s, presses(), listId), listId);
        QCOMPARE(m_grid->findChildren<QListWidget *>().size(), 1);
    }

    void picks_data()
    {
        // A key pressed in the list opened with Alt+Down and moved down one item,
        // or 0 for a click on that item; what the cell then holds.
        AddColumns<int, QString>("key", "cell");
        // The second item, 30 bytes in code page 950, is cut to 19: the next
        // character would straddle the 20th byte.
        // clang-format off
        QTest::newRow("clicked")   << 0                   << u"海德堡速霸XL106八色"_s;
        QTest::newRow("Enter")     << int(Qt::Key_Return) << u"海德堡速霸XL106八色"_s;
        QTest::newRow("Esc")       << int(Qt::Key_Escape) << u"三菱雙色"_s;
        // clang-format on
    }
    void picks()
    {
        const int key = Fetch<int>("key");
        m_grid->setActiveCell(2, 1);
        m_grid->setActiveText(u"三菱雙色"_s);
        open(u"機別"_s, u"車別"_s, presses());
        QSignalSpy picked(m_grid.get(), &SpreadsheetGrid::choicePicked);
        if (key == 0) {
            const QRect item = list()->visualItemRect(list()->item(1));
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, item.center());
        } else {
            view()->setFocus();
            QTest::keyClick(view(), Qt::Key_Down, Qt::AltModifier);
            QVERIFY(list()->hasFocus());
            QTest::keyClick(list(), Qt::Key_Down);
            QTest::keyClick(list(), Qt::Key(key));
        }
        QTEST(m_grid->text(2, 1), "cell");
        QCOMPARE(picked.count(), int(key != Qt::Key_Escape));
        QCOMPARE(QString::number(m_grid->activeRow()) + QString::number(m_grid->activeCol()),
                 u"21"_s);
        QVERIFY(!list()->isVisible());
        QVERIFY(view()->hasFocus());
    }
};

QTEST_MAIN(TestChoiceList)
#include "tst_choicelist.moc"
