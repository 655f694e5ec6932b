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
        m_log.append(QStringLiteral("start:") + text);
        if (m_onEditStart)
            m_onEditStart(text);
    });
    connect(grid, &SpreadsheetGrid::editEnded, grid, [this](QString &text, bool &accept) {
        m_log.append(QStringLiteral("end:") + text);
        if (m_onEditEnd)
            m_onEditEnd(text, accept);
    });
    connect(grid, &SpreadsheetGrid::activeCellChanged, grid,
            [this](int r, int c) { m_log.append(QStringLiteral("move:%1,%2").arg(r).arg(c)); });
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
    const QStringList moves = row == 1 && col == 1
                                  ? QStringList()
                                  : QStringList{QStringLiteral("move:%1,%2").arg(row).arg(col)};
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
    QCOMPARE(m_log, QStringList{QStringLiteral("move:2,1")});
    QCOMPARE(m_chars, QList<int>());
}

void SpreadsheetGridTest::typingStartsAnEditWithTheCharacter()
{
    QSignalSpy changed(m_grid.get(), &SpreadsheetGrid::contentsChanged);
    m_grid->setText(1, 1, QStringLiteral("old"));
    QTest::keyClick(view(), '7');
    QVERIFY(m_grid->isEditing());
    QCOMPARE(editor()->text(), QStringLiteral("7"));
    QTest::keyClick(editor(), '8');
    QTest::keyClick(editor(), Qt::Key_Return);
    QVERIFY(!m_grid->isEditing());
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("78"));
    QCOMPARE(m_chars, (QList<int>{'7', '8', VirtualKey::Enter}));
    QCOMPARE(m_log, (QStringList{QStringLiteral("start:"), QStringLiteral("end:78")}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_grid->activeRow(), 1); // Enter commits without moving
}

void SpreadsheetGridTest::keyPressedZeroDiscardsTheCharacter()
{
    m_grid->setText(1, 1, QStringLiteral("old"));
    m_onChar = [](int &c) { c = 0; };
    QTest::keyClick(view(), 'a');
    QCOMPARE(m_keys, QList<int>{'A'});
    QCOMPARE(m_chars, QList<int>{'a'});
    QVERIFY(!m_grid->isEditing());
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("old"));
}

void SpreadsheetGridTest::keyPressedMayReplaceTheCharacter()
{
    m_onChar = [](int &c) { c = QChar::toUpper(char32_t(c)); };
    QTest::keyClick(view(), 'a');
    QCOMPARE(editor()->text(), QStringLiteral("A"));
    QTest::keyClick(editor(), 'b');
    QCOMPARE(editor()->text(), QStringLiteral("AB"));
    QTest::keyClick(editor(), Qt::Key_Return);
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("AB"));
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
    QTest::keyClicks(editor(), QStringLiteral("a2.5x9"));
    QTest::keyClick(editor(), Qt::Key_Backspace);
    QCOMPARE(editor()->text(), QStringLiteral("12.5"));
    QTest::keyClick(editor(), Qt::Key_Return);
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("12.5"));
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
    m_grid->setText(2, 3, QStringLiteral("abc"));
    m_grid->setText(1, 1, QStringLiteral("other"));
    m_grid->setActiveCell(2, 3);
    if (swallow)
        m_onKey = [](int &k) { k = VirtualKey::None; };
    QSignalSpy changed(m_grid.get(), &SpreadsheetGrid::contentsChanged);
    QTest::keyClick(view(), Qt::Key_Delete);
    QCOMPARE(m_keys, QList<int>{VirtualKey::Delete});
    QCOMPARE(m_grid->text(2, 3), swallow ? QStringLiteral("abc") : QString());
    QCOMPARE(changed.count(), swallow ? 0 : 1);
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("other"));
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
    m_grid->setText(1, 1, QStringLiteral("abc"));
    if (swallow)
        m_onKey = [](int &k) {
            if (k == VirtualKey::F2)
                k = VirtualKey::None;
        };
    QTest::keyClick(view(), Qt::Key_F2);
    QCOMPARE(m_keys, QList<int>{VirtualKey::F2});
    QCOMPARE(m_grid->isEditing(), !swallow);
    if (!swallow) {
        QCOMPARE(editor()->text(), QStringLiteral("abc"));
        QCOMPARE(m_log, QStringList{QStringLiteral("start:abc")});
    }
}

void SpreadsheetGridTest::editStartedMayReplaceTheEditText()
{
    m_grid->setText(1, 1, QStringLiteral("1151204-08:00"));
    // The time sheet corrects a stamp rather than retyping it.
    m_onEditStart = [this](QString &text) { text = m_grid->activeText(); };
    QTest::keyClick(view(), '5');
    QCOMPARE(editor()->text(), QStringLiteral("1151204-08:005"));
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
    m_grid->setText(1, 1, QStringLiteral("old"));
    m_onEditEnd = [answer](QString &text, bool &accept) {
        if (answer == QLatin1String("cut"))
            text = text.left(3);
        else if (answer == QLatin1String("refuse"))
            accept = false;
    };
    QSignalSpy changed(m_grid.get(), &SpreadsheetGrid::contentsChanged);
    QTest::keyClick(view(), '1');
    QTest::keyClicks(editor(), QStringLiteral("2345"));
    QTest::keyClick(editor(), Qt::Key_Return);
    QCOMPARE(m_grid->text(1, 1), cell);
    QCOMPARE(changed.count(), changes);
    QCOMPARE(m_log.last(), QStringLiteral("end:12345"));
}

void SpreadsheetGridTest::escapeCancelsTheEdit()
{
    m_grid->setText(1, 1, QStringLiteral("old"));
    QTest::keyClick(view(), '5');
    QTest::keyClick(editor(), Qt::Key_Escape);
    QVERIFY(!m_grid->isEditing());
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("old"));
    QCOMPARE(m_log, QStringList{QStringLiteral("start:")});
}

void SpreadsheetGridTest::endEditCommits()
{
    QTest::keyClick(view(), '5');
    m_grid->endEdit();
    QVERIFY(!m_grid->isEditing());
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("5"));
    QCOMPARE(m_log, (QStringList{QStringLiteral("start:"), QStringLiteral("end:5")}));
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
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("5"));
    QCOMPARE(m_log, (QStringList{QStringLiteral("start:"), QStringLiteral("end:5"),
                                 QStringLiteral("move:3,2")}));
}

void SpreadsheetGridTest::tabInTheEditorCommitsAndMovesRight()
{
    QTest::keyClick(view(), '5');
    QTest::keyClick(editor(), Qt::Key_Tab);
    QCOMPARE(m_grid->text(1, 1), QStringLiteral("5"));
    QCOMPARE(m_grid->activeRow(), 1);
    QCOMPARE(m_grid->activeCol(), 2);
    QVERIFY(!m_grid->isEditing());
}

void SpreadsheetGridTest::doubleClickEditsTheCellText()
{
    m_grid->setText(2, 2, QStringLiteral("abc"));
    const QRect rect = view()->visualRect(view()->model()->index(1, 1));
    // A real double click starts with a plain click.
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, rect.center());
    QVERIFY(m_grid->isEditing());
    QCOMPARE(editor()->text(), QStringLiteral("abc"));
}

void SpreadsheetGridTest::hiddenColumnsKeepTheirWidth()
{
    m_grid->setColumns({
        {QStringLiteral("工單單號"), 2901, QStringLiteral("General"), CellAlign::General, false},
        {QStringLiteral("序"), 725, QStringLiteral("General"), CellAlign::Right, true},
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
    m_grid->setText(8, 1, QStringLiteral("beyond"));
    m_grid->setMaxRow(5);
    QCOMPARE(view()->model()->rowCount(), 5);
    m_grid->setActiveCell(9, 1);
    QCOMPARE(m_grid->activeRow(), 5);
    QTest::keyClick(view(), Qt::Key_Down);
    QCOMPARE(m_grid->activeRow(), 5);
    QCOMPARE(m_grid->text(8, 1), QStringLiteral("beyond"));
}

void SpreadsheetGridTest::headingsAndAccessibility()
{
    m_grid->setObjectName(QStringLiteral("fml印刷"));
    m_grid->setHeadings({QStringLiteral("工單單號"), QStringLiteral("序")});
    m_grid->setColumnFormat(2, QStringLiteral("0.0"));
    m_grid->setText(1, 2, QStringLiteral("3"));
    const QAbstractItemModel *model = view()->model();
    QCOMPARE(view()->accessibleName(), QStringLiteral("fml印刷"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("序"));
    QCOMPARE(m_grid->heading(2), QStringLiteral("序"));
    QCOMPARE(model->data(model->index(0, 1), Qt::AccessibleTextRole).toString(),
             QStringLiteral("3.0"));
    QCOMPARE(m_grid->text(1, 2), QStringLiteral("3")); // the stored text, not the shown one
}

void SpreadsheetGridTest::inputMethodTextStartsAnEdit()
{
    QInputMethodEvent event;
    event.setCommitString(QStringLiteral(u"中文"));
    QApplication::sendEvent(view(), &event);
    QVERIFY(m_grid->isEditing());
    QCOMPARE(editor()->text(), QStringLiteral(u"中文"));
    QCOMPARE(m_chars, (QList<int>{0x4E2D, 0x6587}));
}

int runSpreadsheetGridTests(int argc, char **argv)
{
    SpreadsheetGridTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_spreadsheetgrid.moc"
