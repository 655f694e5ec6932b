#include "common/formhelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

using namespace Qt::StringLiterals;

class TestFormHelpers : public QObject
{
    Q_OBJECT

private slots:
    void applyControlStyleClearsUntaggedControls();
    void toolbarMovesUpOnceAfterXp_data();
    void toolbarMovesUpOnceAfterXp();
    void dockedToolbarStays();
    void lockControlTextBox();
    void lockControlComboBoxRefusesChanges();
    void lockEntryControlsLocksOnlyEntries();
    void selectAllText();
    void centerForm();
    void sendKeysTabMovesFocus();
    void sendKeysEnterAndCharacters();
};

namespace {

QLineEdit *textBox(QWidget *form, const QString &text, const QString &tag = QString())
{
    auto *box = new QLineEdit(text, form);
    if (!tag.isNull())
        box->setProperty("Tag", tag);
    return box;
}

QComboBox *comboBox(QWidget *form, bool editable, const QString &tag = QString())
{
    auto *box = new QComboBox(form);
    box->setEditable(editable);
    box->addItems({u"1號機"_s, u"2號機"_s, u"3號機"_s});
    if (!tag.isNull())
        box->setProperty("Tag", tag);
    return box;
}

} // namespace

void TestFormHelpers::applyControlStyleClearsUntaggedControls()
{
    QWidget form;
    QLineEdit *kept = textBox(&form, u"設計文字"_s, u"-1"_s);
    QLineEdit *cleared = textBox(&form, u"設計文字"_s);
    QLineEdit *otherTag = textBox(&form, u"x"_s, u"1"_s);
    QComboBox *keptCombo = comboBox(&form, false, u"-1"_s);
    QComboBox *clearedCombo = comboBox(&form, false);
    QComboBox *keptEditable = comboBox(&form, true, u"-1"_s);
    keptEditable->setEditText(u"typed"_s);

    ApplyControlStyle(&form, 6.1);

    QCOMPARE(kept->text(), u"設計文字"_s);
    QCOMPARE(cleared->text(), QString());
    QCOMPARE(otherTag->text(), QString());
    QCOMPARE(keptCombo->count(), 3);
    QCOMPARE(clearedCombo->count(), 0);
    // The text field inside a kept combo box is part of that combo box.
    QCOMPARE(keptEditable->count(), 3);
    QCOMPARE(keptEditable->currentText(), u"typed"_s);
}

void TestFormHelpers::toolbarMovesUpOnceAfterXp_data()
{
    QTest::addColumn<double>("version");
    QTest::addColumn<int>("height"); // pixels; 40 px = 600 twips at 96 dpi
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("expectedTop");
    QTest::newRow("Vista, tall") << 6.0 << 50 << QString() << 96;
    QTest::newRow("XP stays") << 5.1 << 50 << QString() << 100;
    QTest::newRow("exactly 600 twips stays") << 6.1 << 40 << QString() << 100;
    QTest::newRow("tagged -1 stays") << 6.1 << 50 << u"-1"_s << 100;
    QTest::newRow("already tagged stays") << 6.1 << 50 << u"1500"_s << 100;
}

void TestFormHelpers::toolbarMovesUpOnceAfterXp()
{
    QFETCH(double, version);
    QFETCH(int, height);
    QFETCH(QString, tag);
    QFETCH(int, expectedTop);
    QWidget form;
    if (form.logicalDpiY() != 96)
        QSKIP("the pixel figures assume 96 dpi");
    auto *bar = new QToolBar(&form);
    bar->setGeometry(10, 100, 300, height);
    if (!tag.isEmpty())
        bar->setProperty("Tag", tag);

    ApplyControlStyle(&form, version);
    QCOMPARE(bar->y(), expectedTop);
    ApplyControlStyle(&form, version);
    QCOMPARE(bar->y(), expectedTop);
    if (expectedTop != 100)
        QCOMPARE(bar->property("Tag").toString(), u"1500"_s);
}

void TestFormHelpers::dockedToolbarStays()
{
    QMainWindow window;
    QToolBar *bar = window.addToolBar(u"tools"_s);
    bar->setGeometry(0, 100, 300, 50);
    ApplyControlStyle(&window, 6.1);
    QCOMPARE(bar->y(), 100);
    QVERIFY(bar->property("Tag").toString().isEmpty());
}

void TestFormHelpers::lockControlTextBox()
{
    QWidget form;
    QLineEdit *box = textBox(&form, u"abc"_s);
    LockControl(box);
    QVERIFY(box->isReadOnly());
    QCOMPARE(box->focusPolicy() & Qt::TabFocus, 0);
    QCOMPARE(box->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(box->property("Locked").toBool(), true);
}

void TestFormHelpers::lockControlComboBoxRefusesChanges()
{
    QWidget form;
    QComboBox *open = comboBox(&form, false);
    QComboBox *locked = comboBox(&form, true);
    LockControl(locked);

    QTest::keyClick(open, Qt::Key_Down);
    QCOMPARE(open->currentIndex(), 1); // the key does change an open combo box
    QTest::keyClick(locked, Qt::Key_Down);
    QCOMPARE(locked->currentIndex(), 0);
    QVERIFY(locked->lineEdit()->isReadOnly());
    QCOMPARE(locked->focusPolicy() & Qt::TabFocus, 0);
    QCOMPARE(locked->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
}

void TestFormHelpers::lockEntryControlsLocksOnlyEntries()
{
    QWidget form;
    QLineEdit *box = textBox(&form, u"abc"_s);
    QComboBox *combo = comboBox(&form, false);
    auto *button = new QPushButton(u"確認"_s, &form);
    LockEntryControls(&form);
    QVERIFY(box->isReadOnly());
    QCOMPARE(combo->property("Locked").toBool(), true);
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), 0);
    QVERIFY(!button->property("Locked").isValid());
    // Locked is not LockControl: the entries stay in the Tab order.
    QVERIFY(box->focusPolicy() & Qt::TabFocus);
}

void TestFormHelpers::selectAllText()
{
    QLineEdit box(u"1204-14完工"_s);
    box.setCursorPosition(3);
    SelectAllText(&box);
    QCOMPARE(box.selectionStart(), 0);
    QCOMPARE(box.selectedText(), u"1204-14完工"_s);
}

void TestFormHelpers::centerForm()
{
    QWidget form;
    const QScreen *screen = form.screen();
    QVERIFY(screen);
    if (screen->logicalDotsPerInchX() != 96 || screen->logicalDotsPerInchY() != 96)
        QSKIP("the pixel figures assume 96 dpi");
    form.resize(306, 444); // 4590 by 6660 twips
    CenterForm(&form);
    const QRect area = screen->geometry();
    // 210 twips (14 px) above the middle.
    QCOMPARE(form.x() - area.x(), (area.width() - 306) / 2);
    QCOMPARE(form.y() - area.y(), (area.height() - 444 - 28) / 2);
}

void TestFormHelpers::sendKeysTabMovesFocus()
{
    QWidget form;
    QLineEdit *first = textBox(&form, QString());
    QLineEdit *second = textBox(&form, QString());
    second->move(0, 40);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    first->setFocus();
    QCOMPARE(QApplication::focusWidget(), first);

    SendKeysViaShell(u"{TAB}"_s, false);
    QCOMPARE(QApplication::focusWidget(), first); // queued, not yet handled
    QTRY_COMPARE(QApplication::focusWidget(), second);

    SendKeysViaShell(u"{tab}"_s, true);
    QCOMPARE(QApplication::focusWidget(), first); // handled at once, wrapping round
}

void TestFormHelpers::sendKeysEnterAndCharacters()
{
    QWidget form;
    QLineEdit *box = textBox(&form, QString());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    box->setFocus();
    QSignalSpy entered(box, &QLineEdit::returnPressed);

    SendKeysViaShell(u"ab{ENTER}~"_s, true);
    QCOMPARE(box->text(), u"ab"_s);
    QCOMPARE(entered.count(), 2);
}

QTEST_MAIN(TestFormHelpers)
#include "tst_formhelpers.moc"
