#include "grid/spreadsheetgrid.h"
#include "grid/virtualkey.h"
#include "testtables.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTableView>
#include <memory>

using namespace Qt::StringLiterals;
using Grid = SpreadsheetGrid;

// Drives the grid as a user would. Handlers run in the order they were
// connected: the log sees what the grid reports before a test's handler answers.
class TestSpreadsheetGrid : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_grid = std::make_unique<Grid>();
        m_grid->resize(700, 400);
        m_log.clear();
        on(&Grid::editStarted, [this](QString &text) { m_log << u"start:"_s + text; });
        on(&Grid::editEnded, [this](QString &text, bool &) { m_log << u"end:"_s + text; });
        on(&Grid::contentsChanged, [this] { m_log << u"changed"_s; });
        on(&Grid::activeCellChanged,
           [this](int r, int c) { m_log << u"move:%1,%2"_s.arg(r).arg(c); });
        on(&Grid::cellClicked, [this](int r, int c) { m_log << u"click:%1,%2"_s.arg(r).arg(c); });
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    }
    void cleanup() { m_grid.reset(); }

    void keyPressedFiltersWhatIsTyped()
    {
        QList<int> chars;
        on(&Grid::keyPressed, [&chars](int &c) {
            chars << c;
            c = c == 'x' ? 0 : int(QChar::toUpper(char32_t(c)));
        });
        QTest::keyClick(view(), 'x');
        QVERIFY(!m_grid->isEditing());
        QInputMethodEvent event; // Chinese input: each character passes the handler
        event.setCommitString(u"中x"_s);
        QApplication::sendEvent(view(), &event);
        QTest::keyClicks(editor(), u"bx7"_s);
        QTest::keyClick(editor(), Qt::Key_Backspace);
        QCOMPARE(editor()->text(), u"中B"_s);
        QTest::keyClick(editor(), Qt::Key_Return); // commits without moving
        QCOMPARE(m_grid->text(1, 1), u"中B"_s);
        QCOMPARE(chars, (QList<int>{'x', 0x4E2D, 'x', 'b', 'x', '7', '\b', '\r'}));
        QCOMPARE(m_log, (QStringList{u"start:"_s, u"end:中B"_s, u"changed"_s}));
    }

    void onlyTheUsersMovesRaiseEvents()
    {
        QList<int> keys, chars;
        on(&Grid::keyDown, [&keys](int &key, Qt::KeyboardModifiers) { keys << key; });
        on(&Grid::keyPressed, [&chars](int &c) { chars << c; });
        m_grid->setText(8, 1, u"beyond"_s);
        m_grid->setActiveCell(2, 2);
        QTest::keyClick(view(), Qt::Key_Down);
        QTest::keyClick(view(), Qt::Key_Return); // outside an edit Enter stays
        m_grid->setMaxRow(2);                    // takes the active cell back to row 2, quietly
        QTest::keyClick(view(), Qt::Key_Down);   // the maximum row is the last one reached
        m_grid->setActiveCell(9, 1);
        QCOMPARE(QPoint(m_grid->activeCol(), m_grid->activeRow()), QPoint(1, 2));
        QCOMPARE(keys, (QList<int>{VirtualKey::Down, VirtualKey::Enter, VirtualKey::Down}));
        QCOMPARE(chars, QList<int>{'\r'});
        QCOMPARE(m_log, QStringList{u"move:3,2"_s});
        QCOMPARE(m_grid->text(8, 1), u"beyond"_s);
    }

    void keyDownMaySwallowDeleteAndF2_data()
    {
        AddColumns<int, bool, QString, QString>("key", "swallow", "cell", "editor");
        // clang-format off
        QTest::newRow("Delete") << int(Qt::Key_Delete) << false << "" << "";
        QTest::newRow("Delete swallowed") << int(Qt::Key_Delete) << true << "abc" << "";
        QTest::newRow("F2 edits the cell's text") << int(Qt::Key_F2) << false << "abc" << "abc";
        QTest::newRow("F2 swallowed") << int(Qt::Key_F2) << true << "abc" << "";
        // clang-format on
    }
    void keyDownMaySwallowDeleteAndF2()
    {
        m_grid->setText(2, 3, u"abc"_s);
        m_grid->setActiveCell(2, 3);
        if (Fetch<bool>("swallow"))
            on(&Grid::keyDown, [](int &key, Qt::KeyboardModifiers) { key = 0; });
        QTest::keyClick(view(), Qt::Key(Fetch<int>("key")));
        QTEST(m_grid->text(2, 3), "cell");
        QTEST(editor() ? editor()->text() : QString(), "editor");
    }

    void editEndedMayChangeOrRefuse_data()
    {
        AddColumns<int, QString>("keep", "cell"); // characters kept, -1 to refuse
        // clang-format off
        QTest::newRow("cut") << 3 << "123";
        QTest::newRow("refused") << -1 << "old";
        // clang-format on
    }
    void editEndedMayChangeOrRefuse()
    {
        m_grid->setText(1, 1, u"old"_s);
        const int keep = Fetch<int>("keep");
        on(&Grid::editEnded, [keep](QString &text, bool &accept) {
            text.truncate(keep);
            accept = keep >= 0;
        });
        QTest::keyClick(view(), '1');
        QTest::keyClicks(editor(), u"2345"_s);
        QTest::keyClick(editor(), Qt::Key_Return);
        QTEST(m_grid->text(1, 1), "cell");
    }

    void tabEscapeEndEditAndClick()
    {
        QTest::keyClick(view(), '5');
        QTest::keyClick(editor(), Qt::Key_Tab); // commits and moves right
        QTest::keyClick(view(), '6');
        QTest::keyClick(editor(), Qt::Key_Escape); // cancels
        QTest::keyClick(view(), '7');
        m_grid->endEdit(); // commits as Enter would
        m_grid->endEdit(); // nothing open: nothing happens
        QTest::keyClick(view(), '8');
        clickCell(3, 4); // commits, then moves
        QCOMPARE(m_grid->toArray(1, 1, 1, 2), (QVector<QVector<QString>>{{u"5"_s, u"8"_s}}));
        const QStringList events{u"start:"_s,   u"end:5"_s,  u"changed"_s, u"move:1,2"_s,
                                 u"start:"_s,   u"start:"_s, u"end:7"_s,   u"changed"_s,
                                 u"start:"_s,   u"end:8"_s,  u"changed"_s, u"move:3,4"_s,
                                 u"click:3,4"_s};
        QCOMPARE(m_log, events);
    }

    void doubleClickEditsTheCellText()
    {
        m_grid->setText(2, 2, u"1151204-08:00"_s);
        // The time sheet corrects a stamp: its handler may change the text to edit.
        on(&Grid::editStarted, [](QString &text) { text += u'!'; });
        clickCell(2, 2, true);
        QCOMPARE(editor()->text(), u"1151204-08:00!"_s);
    }

    void columnLayout()
    {
        m_grid->setObjectName(u"fml印刷"_s);
        QCOMPARE(view()->accessibleName(), u"fml印刷"_s);
        const int digit = view()->fontMetrics().horizontalAdvance(u'0');
        m_grid->setColumns({{u"工單單號"_s, 2560, u"General"_s, CellAlign::General, false},
                            {u"序"_s, 512, u"General"_s, CellAlign::Right, true}});
        QCOMPARE(view()->columnWidth(0), 10 * digit); // in 1/256 of the digit zero
        QCOMPARE(m_grid->heading(2), u"序"_s);
        QVERIFY(view()->isColumnHidden(1));
        m_grid->setColumnHidden(2, false);
        QCOMPARE(view()->columnWidth(1), 2 * digit); // kept while hidden
        m_grid->setColumnHidden(2, true);
        m_grid->setMaxCol(1);
        m_grid->setMaxCol(6); // a column dropped by a smaller extent comes back hidden
        QVERIFY(view()->isColumnHidden(1));
    }

    // The right button only asks for the menu, where the user clicked; the menu
    // key too, where the active cell is.
    void rightClickAsksForTheMenu()
    {
        QList<QPoint> asked;
        on(&Grid::contextMenuRequested, [&asked](const QPoint &at) { asked << at; });
        QWidget *cells = view()->viewport();
        const QPoint at = view()->visualRect(view()->model()->index(2, 2)).center();
        QTest::mouseClick(cells, Qt::RightButton, {}, at);
        QTest::mouseDClick(cells, Qt::RightButton, {}, at);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, cells->mapToGlobal(at));
        QApplication::sendEvent(cells, &click);
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              view()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(view(), &key);
        QCOMPARE(asked, (QList<QPoint>{cells->mapToGlobal(at), view()->mapToGlobal(QPoint(5, 5))}));
        QCOMPARE(m_grid->activeRow() * 10 + m_grid->activeCol(), 11);
        QCOMPARE(m_log, QStringList());
    }

private:
    template <typename S, typename F> void on(S s, F f)
    {
        connect(m_grid.get(), s, m_grid.get(), f);
    }
    QTableView *view() const { return m_grid->findChild<QTableView *>(); }
    QLineEdit *editor() const
    {
        return qobject_cast<QLineEdit *>(view()->indexWidget(view()->currentIndex()));
    }
    // A click, or with twice a real double click: a plain click, then a double one.
    void clickCell(int row, int col, bool twice = false)
    {
        const QPoint at = view()->visualRect(view()->model()->index(row - 1, col - 1)).center();
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, at);
    }

    std::unique_ptr<Grid> m_grid;
    QStringList m_log; // edit, change, move and click events
};

QTEST_MAIN(TestSpreadsheetGrid)
#include "tst_spreadsheetgrid.moc"
