#include "gridtests.h"

#include "grid/spreadsheetgrid.h"
#include "grid/virtualkey.h"

#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

// Drives the grid as a user would, under the offscreen platform.
class SpreadsheetGridTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clickReportsTheCell_data();
    void clickReportsTheCell();
    void programMovesRaiseNoEvent();
    void arrowKeyMovesTheActiveCell();
    void typingStartsAnEditWithTheCharacter();
    void keyPressedZeroDiscardsTheCharacter();
    void keyPressedMayReplaceTheCharacter();
    void keyPressedFiltersKeysInTheEditor();
    void deleteKey_data();
    void deleteKey();
    void f2_data();
    void f2();
    void editStartedMayReplaceTheEditText();
    void editEnded_data();
    void editEnded();
    void escapeCancelsTheEdit();
    void endEditCommits();
    void enterOutsideAnEditStays();
    void clickElsewhereEndsTheEditBeforeMoving();
    void tabInTheEditorCommitsAndMovesRight();
    void doubleClickEditsTheCellText();
    void hiddenColumnsKeepTheirWidth();
    void columnWidthUnit_data();
    void columnWidthUnit();
    void maxRowLimitsWhatCanBeReached();
    void headingsAndAccessibility();
    void inputMethodTextStartsAnEdit();

private:
    QTableView *view() const { return m_grid->findChild<QTableView *>(); }
    QLineEdit *editor() const
    {
        return qobject_cast<QLineEdit *>(view()->indexWidget(view()->currentIndex()));
    }
    void clickCell(int row, int col);
    int digitWidth() const { return view()->fontMetrics().horizontalAdvance(QLatin1Char('0')); }

    std::unique_ptr<SpreadsheetGrid> m_grid;
    // What the handlers saw, and how they answer.
    QList<int> m_chars;
    QList<int> m_keys;
    QStringList m_log;
    std::function<void(int &)> m_onChar;
    std::function<void(int &)> m_onKey;
    std::function<void(QString &)> m_onEditStart;
    std::function<void(QString &, bool &)> m_onEditEnd;
};

void SpreadsheetGridTest::init()
{
    m_chars.clear();
    m_keys.clear();
    m_log.clear();
    m_onChar = nullptr;
    m_onKey = nullptr;
    m_onEditStart = nullptr;
    m_onEditEnd = nullptr;

    m_grid = std::make_unique<SpreadsheetGrid>();
    m_grid->setMaxRow(20);
    m_grid->setMaxCol(6);
    m_grid->resize(700, 400);
    SpreadsheetGrid *grid = m_grid.get();
    connect(grid, &SpreadsheetGrid::keyPressed, grid, [this](int &c) {
        m_chars.append(c);
        if (m_onChar)
            m_onChar(c);
    });
    connect(grid, &SpreadsheetGrid::keyDown, grid, [this](int &k, Qt::KeyboardModifiers) {
        m_keys.append(k);
        if (m_onKey)
            m_onKey(k);
    });
    connect(grid, &SpreadsheetGrid::editStarted, grid, [this](QString &text) {
        m_log.append(u"start:"_s + text);
        if (m_onEditStart)
            m_onEditStart(text);
    });
    connect(grid, &SpreadsheetGrid::editEnded, grid, [this](QString &text, bool &accept) {
        m_log.append(u"end:"_s + text);
        if (m_onEditEnd)
            m_onEditEnd(text, accept);
    });
    connect(grid, &SpreadsheetGrid::activeCellChanged, grid,
            [this](int r, int c) { m_log.append(u"move:%1,%2"_s.arg(r).arg(c)); });
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
}

void SpreadsheetGridTest::cleanup()
{
    m_grid.reset();
}

void SpreadsheetGridTest::clickCell(int row, int col)
{
    const QRect rect = view()->visualRect(view()->model()->index(row - 1, col - 1));
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, rect.center());
}

void SpreadsheetGridTest::clickReportsTheCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("first cell") << 1 << 1;
    QTest::newRow("row 3, column 4") << 3 << 4;
    QTest::newRow("row 5, column 2") << 5 << 2;
}

void SpreadsheetGridTest::clickReportsTheCell()
{
    QFETCH(int, row);
    QFETCH(int, col);
    QSignalSpy clicked(m_grid.get(), &SpreadsheetGrid::cellClicked);
    clickCell(row, col);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), row);
    QCOMPARE(clicked.at(0).at(1).toInt(), col);
    QCOMPARE(m_grid->activeRow(), row);
    QCOMPARE(m_grid->activeCol(), col);
    // The active cell has moved by the time the click is reported.
    const QStringList moves =
        row == 1 && col == 1 ? QStringList() : QStringList{u"move:%1,%2"_s.arg(row).arg(col)};
    QCOMPARE(m_log, moves);
}

void SpreadsheetGridTest::programMovesRaiseNoEvent()
{
    m_grid->setActiveCell(4, 2);
    m_grid->setMaxRow(3);
    QCOMPARE(m_grid->activeRow(), 3);
    QCOMPARE(m_grid->activeCol(), 2);
    QCOMPARE(m_log, QStringList());
}

void SpreadsheetGridTest::arrowKeyMovesTheActiveCell()
{
    QTest::keyClick(view(), Qt::Key_Down);
    QCOMPARE(m_keys, QList<int>{VirtualKey::Down});
    QCOMPARE(m_log, QStringList{u"move:2,1"_s});
    QCOMPARE(m_chars, QList<int>());
}

void SpreadsheetGridTest::typingStartsAnEditWithTheCharacter()
{
    QSignalSpy changed(m_grid.get(), &SpreadsheetGrid::contentsChanged);
    m_grid->setText(1, 1, u"old"_s);
    QTest::keyClick(view(), '7');
    QVERIFY(m_grid->isEditing());
    QCOMPARE(editor()->text(), u"7"_s);
    QTest::keyClick(editor(), '8');
    QTest::keyClick(editor(), Qt::Key_Return);
    QVERIFY(!m_grid->isEditing());
    QCOMPARE(m_grid->text(1, 1), u"78"_s);
    QCOMPARE(m_chars, (QList<int>{'7', '8', VirtualKey::Enter}));
    QCOMPARE(m_log, (QStringList{u"start:"_s, u"end:78"_s}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_grid->activeRow(), 1); // Enter commits without moving
}

void SpreadsheetGridTest::keyPressedZeroDiscardsTheCharacter()
{
    m_grid->setText(1, 1, u"old"_s);
    m_onChar = [](int &c) { c = 0; };
    QTest::keyClick(view(), 'a');
    QCOMPARE(m_keys, QList<int>{'A'});
    QCOMPARE(m_chars, QList<int>{'a'});
    QVERIFY(!m_grid->isEditing());
    QCOMPARE(m_grid->text(1, 1), u"old"_s);
}

void SpreadsheetGridTest::keyPressedMayReplaceTheCharacter()
{
    m_onChar = [](int &c) { c = QChar::toUpper(char32_t(c)); };
    QTest::keyClick(view(), 'a');
    QCOMPARE(editor()->text(), u"A"_s);
    QTest::keyClick(editor(), 'b');
    QCOMPARE(editor()->text(), u"AB"_s);
    QTest::keyClick(editor(), Qt::Key_Return);
    QCOMPARE(m_grid->text(1, 1), u"AB"_s);
}

void SpreadsheetGridTest::keyPressedFiltersKeysInTheEditor()
{
    // A numeric column's filter: digits, the point, Backspace and Enter.
    m_onChar = [](int &c) {
        if (!(QChar::isDigit(char32_t(c)) || c == '.' || c == VirtualKey::Backspace ||
              c == VirtualKey::Enter))
            c = 0;
    };
    QTest::keyClick(view(), 'x');
    QVERIFY(!m_grid->isEditing());
    QTest::keyClick(view(), '1');
    QTest::keyClicks(editor(), u"a2.5x9"_s);
    QTest::keyClick(editor(), Qt::Key_Backspace);
    QCOMPARE(editor()->text(), u"12.5"_s);
    QTest::keyClick(editor(), Qt::Key_Return);
    QCOMPARE(m_grid->text(1, 1), u"12.5"_s);
}

void SpreadsheetGridTest::deleteKey_data()
{
    QTest::addColumn<bool>("swallow");
    QTest::newRow("passed") << false;
    QTest::newRow("swallowed") << true;
}

void SpreadsheetGridTest::deleteKey()
{
    QFETCH(bool, swallow);
    m_grid->setText(2, 3, u"abc"_s);
    m_grid->setText(1, 1, u"other"_s);
    m_grid->setActiveCell(2, 3);
    if (swallow)
        m_onKey = [](int &k) { k = VirtualKey::None; };
    QSignalSpy changed(m_grid.get(), &SpreadsheetGrid::contentsChanged);
    QTest::keyClick(view(), Qt::Key_Delete);
    QCOMPARE(m_keys, QList<int>{VirtualKey::Delete});
    QCOMPARE(m_grid->text(2, 3), swallow ? u"abc"_s : QString());
    QCOMPARE(changed.count(), swallow ? 0 : 1);
    QCOMPARE(m_grid->text(1, 1), u"other"_s);
}

void SpreadsheetGridTest::f2_data()
{
    QTest::addColumn<bool>("swallow");
    QTest::newRow("passed") << false;
    QTest::newRow("swallowed") << true;
}

void SpreadsheetGridTest::f2()
{
    QFETCH(bool, swallow);
    m_grid->setText(1, 1, u"abc"_s);
    if (swallow)
        m_onKey = [](int &k) {
            if (k == VirtualKey::F2)
                k = VirtualKey::None;
        };
    QTest::keyClick(view(), Qt::Key_F2);
    QCOMPARE(m_keys, QList<int>{VirtualKey::F2});
    QCOMPARE(m_grid->isEditing(), !swallow);
    if (!swallow) {
        QCOMPARE(editor()->text(), u"abc"_s);
        QCOMPARE(m_log, QStringList{u"start:abc"_s});
    }
}

void SpreadsheetGridTest::editStartedMayReplaceTheEditText()
{
    m_grid->setText(1, 1, u"1151204-08:00"_s);
    // The time sheet corrects a stamp rather than retyping it.
    m_onEditStart = [this](QString &text) { text = m_grid->activeText(); };
    QTest::keyClick(view(), '5');
    QCOMPARE(editor()->text(), u"1151204-08:005"_s);
}

void SpreadsheetGridTest::editEnded_data()
{
    QTest::addColumn<QString>("answer"); // what the handler does
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("changes");
    QTest::newRow("kept") << "keep"
                          << "12345" << 1;
    QTest::newRow("cut") << "cut"
                         << "123" << 1;
    QTest::newRow("refused") << "refuse"
                             << "old" << 0;
}

void SpreadsheetGridTest::editEnded()
{
    QFETCH(QString, answer);
    QFETCH(QString, cell);
    QFETCH(int, changes);
    m_grid->setText(1, 1, u"old"_s);
    m_onEditEnd = [answer](QString &text, bool &accept) {
        if (answer == QLatin1String("cut"))
            text = text.left(3);
        else if (answer == QLatin1String("refuse"))
            accept = false;
    };
    QSignalSpy changed(m_grid.get(), &SpreadsheetGrid::contentsChanged);
    QTest::keyClick(view(), '1');
    QTest::keyClicks(editor(), u"2345"_s);
    QTest::keyClick(editor(), Qt::Key_Return);
    QCOMPARE(m_grid->text(1, 1), cell);
    QCOMPARE(changed.count(), changes);
    QCOMPARE(m_log.last(), u"end:12345"_s);
}

void SpreadsheetGridTest::escapeCancelsTheEdit()
{
    m_grid->setText(1, 1, u"old"_s);
    QTest::keyClick(view(), '5');
    QTest::keyClick(editor(), Qt::Key_Escape);
    QVERIFY(!m_grid->isEditing());
    QCOMPARE(m_grid->text(1, 1), u"old"_s);
    QCOMPARE(m_log, QStringList{u"start:"_s});
}

void SpreadsheetGridTest::endEditCommits()
{
    QTest::keyClick(view(), '5');
    m_grid->endEdit();
    QVERIFY(!m_grid->isEditing());
    QCOMPARE(m_grid->text(1, 1), u"5"_s);
    QCOMPARE(m_log, (QStringList{u"start:"_s, u"end:5"_s}));
    m_grid->endEdit(); // nothing open: nothing happens
    QCOMPARE(m_log.size(), 2);
}

void SpreadsheetGridTest::enterOutsideAnEditStays()
{
    m_grid->setActiveCell(2, 2);
    QTest::keyClick(view(), Qt::Key_Return);
    QCOMPARE(m_keys, QList<int>{VirtualKey::Enter});
    QCOMPARE(m_chars, QList<int>{VirtualKey::Enter});
    QCOMPARE(m_grid->activeRow(), 2);
    QCOMPARE(m_grid->activeCol(), 2);
    QVERIFY(!m_grid->isEditing());
}

void SpreadsheetGridTest::clickElsewhereEndsTheEditBeforeMoving()
{
    QTest::keyClick(view(), '5');
    clickCell(3, 2);
    QCOMPARE(m_grid->text(1, 1), u"5"_s);
    QCOMPARE(m_log, (QStringList{u"start:"_s, u"end:5"_s, u"move:3,2"_s}));
}

void SpreadsheetGridTest::tabInTheEditorCommitsAndMovesRight()
{
    QTest::keyClick(view(), '5');
    QTest::keyClick(editor(), Qt::Key_Tab);
    QCOMPARE(m_grid->text(1, 1), u"5"_s);
    QCOMPARE(m_grid->activeRow(), 1);
    QCOMPARE(m_grid->activeCol(), 2);
    QVERIFY(!m_grid->isEditing());
}

void SpreadsheetGridTest::doubleClickEditsTheCellText()
{
    m_grid->setText(2, 2, u"abc"_s);
    const QRect rect = view()->visualRect(view()->model()->index(1, 1));
    // A real double click starts with a plain click.
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, rect.center());
    QVERIFY(m_grid->isEditing());
    QCOMPARE(editor()->text(), u"abc"_s);
}

void SpreadsheetGridTest::hiddenColumnsKeepTheirWidth()
{
    m_grid->setColumns({
        {u"工單單號"_s, 2901, u"General"_s, CellAlign::General, false},
        {u"序"_s, 725, u"General"_s, CellAlign::Right, true},
    });
    QVERIFY(m_grid->isColumnHidden(2));
    QVERIFY(view()->isColumnHidden(1));
    QVERIFY(!view()->isColumnHidden(0));
    QCOMPARE(m_grid->columnWidth(2), 725);
    m_grid->setColumnHidden(2, false);
    QVERIFY(!view()->isColumnHidden(1));
    QCOMPARE(view()->columnWidth(1), qRound(725.0 * digitWidth() / 256));
    // A column dropped by a smaller extent comes back hidden.
    m_grid->setColumnHidden(2, true);
    m_grid->setMaxCol(1);
    m_grid->setMaxCol(6);
    QVERIFY(view()->isColumnHidden(1));
}

void SpreadsheetGridTest::columnWidthUnit_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("digits");
    QTest::newRow("one digit") << 256 << 1;
    QTest::newRow("ten digits") << 2560 << 10;
    QTest::newRow("nothing") << 0 << 0;
}

void SpreadsheetGridTest::columnWidthUnit()
{
    QFETCH(int, units);
    QFETCH(int, digits);
    m_grid->setColumnWidth(3, units);
    QCOMPARE(view()->columnWidth(2), digits * digitWidth());
    QCOMPARE(m_grid->columnWidth(3), units);
}

void SpreadsheetGridTest::maxRowLimitsWhatCanBeReached()
{
    m_grid->setText(8, 1, u"beyond"_s);
    m_grid->setMaxRow(5);
    QCOMPARE(view()->model()->rowCount(), 5);
    m_grid->setActiveCell(9, 1);
    QCOMPARE(m_grid->activeRow(), 5);
    QTest::keyClick(view(), Qt::Key_Down);
    QCOMPARE(m_grid->activeRow(), 5);
    QCOMPARE(m_grid->text(8, 1), u"beyond"_s);
}

void SpreadsheetGridTest::headingsAndAccessibility()
{
    m_grid->setObjectName(u"fml印刷"_s);
    m_grid->setHeadings({u"工單單號"_s, u"序"_s});
    m_grid->setColumnFormat(2, u"0.0"_s);
    m_grid->setText(1, 2, u"3"_s);
    const QAbstractItemModel *model = view()->model();
    QCOMPARE(view()->accessibleName(), u"fml印刷"_s);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), u"序"_s);
    QCOMPARE(m_grid->heading(2), u"序"_s);
    QCOMPARE(model->data(model->index(0, 1), Qt::AccessibleTextRole).toString(), u"3.0"_s);
    QCOMPARE(m_grid->text(1, 2), u"3"_s); // the stored text, not the shown one
}

void SpreadsheetGridTest::inputMethodTextStartsAnEdit()
{
    QInputMethodEvent event;
    event.setCommitString(u"中文"_s);
    QApplication::sendEvent(view(), &event);
    QVERIFY(m_grid->isEditing());
    QCOMPARE(editor()->text(), u"中文"_s);
    QCOMPARE(m_chars, (QList<int>{0x4E2D, 0x6587}));
}

int runSpreadsheetGridTests(int argc, char **argv)
{
    SpreadsheetGridTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_spreadsheetgrid.moc"
