// The forms' helpers: their controls' style and locks, their place on the screen,
// keys sent to them, and what the program remembers for its user: a window's place
// when it still fits the screens, and the press last chosen while it is still listed.

#include "common/formhelpers.h"
#include "common/preferences.h"
#include "testtables.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

using namespace Qt::StringLiterals;

class TestForms : public QObject
{
    Q_OBJECT

private slots:
    void applyControlStyleClearsUntaggedControls()
    {
        QWidget form;
        auto *cleared = new QLineEdit(u"設計文字"_s, &form);
        auto *combo = new QComboBox(&form);
        combo->addItem(u"1號機"_s);
        auto *kept = new QComboBox(&form);
        kept->addItem(u"1號機"_s);
        kept->setEditable(true);
        kept->setEditText(u"typed"_s); // its text field belongs to the kept combo box
        kept->setProperty("Tag", u"-1"_s);
        ApplyControlStyle(&form, 6.1);
        QCOMPARE(cleared->text(), QString());
        QCOMPARE(combo->count(), 0);
        QCOMPARE(kept->count(), 1);
        QCOMPARE(kept->currentText(), u"typed"_s);
    }

    void toolbarMovesUpOnceAfterXp_data()
    {
        AddColumns<double, int, bool, int>("version", "height", "docked", "top");
        // clang-format off
        QTest::newRow("Vista, taller than 600 twips") << 6.0 << 50 << false << 96;
        QTest::newRow("XP stays") << 5.1 << 50 << false << 100;
        QTest::newRow("exactly 600 twips stays") << 6.1 << 40 << false << 100;
        QTest::newRow("docked stays") << 6.1 << 50 << true << 100;
        // clang-format on
    }
    void toolbarMovesUpOnceAfterXp()
    {
        QMainWindow form; // a toolbar in its own widget stands free
        QToolBar *bar =
            Fetch<bool>("docked") ? form.addToolBar(u"tools"_s) : new QToolBar(new QWidget(&form));
        bar->setGeometry(10, 100, 300, Fetch<int>("height"));
        ApplyControlStyle(&form, Fetch<double>("version"));
        ApplyControlStyle(&form, Fetch<double>("version"));
        QTEST(bar->y(), "top");
    }

    void lockControls()
    {
        QWidget form;
        auto *entry = new QLineEdit(&form);
        auto *combo = new QComboBox(&form);
        combo->addItems({u"1號機"_s, u"2號機"_s, u"3號機"_s});
        QTest::keyClick(combo, Qt::Key_Down);
        LockEntryControls(&form); // read-only, but still in the Tab order
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), 1); // moved once, before the lock
        QVERIFY(entry->isReadOnly());
        QVERIFY(entry->focusPolicy() & Qt::TabFocus);

        QLineEdit box(u"1204-14完工"_s);
        LockControl(&box); // read-only, grey and out of the Tab order
        QVERIFY(box.isReadOnly());
        QCOMPARE(box.focusPolicy() & Qt::TabFocus, 0);
        QCOMPARE(box.palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
        SelectAllText(&box);
        QCOMPARE(box.selectedText(), u"1204-14完工"_s);
    }

    void centerForm()
    {
        QWidget form;
        form.resize(306, 444);
        CenterForm(&form);
        const QRect area = form.screen()->geometry();
        // Centred, then 210 twips above the middle: 14 pixels at the offscreen 96 dpi.
        QCOMPARE(form.pos(), QPoint((area.width() - 306) / 2, (area.height() - 444 - 28) / 2));
    }

    void sendKeysViaShell()
    {
        QWidget form;
        auto *first = new QLineEdit(&form);
        auto *second = new QLineEdit(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        first->setFocus();
        QSignalSpy entered(first, &QLineEdit::returnPressed);
        SendKeysViaShell(u"ab{ENTER}~{tab}"_s, true); // handled at once
        QCOMPARE(first->text(), u"ab"_s);
        QCOMPARE(entered.count(), 2);
        QCOMPARE(QApplication::focusWidget(), second);
        SendKeysViaShell(u"{TAB}"_s, false); // queued
        QCOMPARE(QApplication::focusWidget(), second);
        QTRY_COMPARE(QApplication::focusWidget(), first);
    }

    void fitsScreens_data()
    {
        AddColumns<QRect, QList<QRect>, bool>("window", "screens", "fits");
        const QRect left(0, 0, 1920, 1040);
        const QRect right(1920, 0, 1280, 1024);
        // clang-format off
        QTest::newRow("on one screen")         << QRect(100, 100, 800, 600) << QList{left}        << true;
        QTest::newRow("partly beyond it")      << QRect(1500, 100, 800, 600) << QList{left}       << false;
        QTest::newRow("across two screens")    << QRect(1500, 100, 800, 600) << QList{left, right} << true;
        QTest::newRow("below the shorter one") << QRect(1500, 600, 800, 600) << QList{left, right} << false;
        // clang-format on
    }
    void fitsScreens()
    {
        QCOMPARE(FitsScreens(Fetch<QRect>("window"), Fetch<QList<QRect>>("screens")),
                 Fetch<bool>("fits"));
    }

    // Closed at one place, opened at it again; one closed beyond the screens opens
    // where the program puts it.
    void windowPlaceKept()
    {
        for (const QPoint corner : {QPoint(40, 30), QPoint(5000, 30)}) {
            QWidget closed;
            KeepWindowPlace(&closed, u"Sheet"_s, KeptPlace::PlaceAndSize);
            closed.setGeometry(QRect(corner, QSize(300, 200)));
            closed.show();
            closed.close();
            QWidget opened;
            opened.setGeometry(10, 10, 100, 100);
            KeepWindowPlace(&opened, u"Sheet"_s, KeptPlace::PlaceAndSize);
            opened.show();
            QCOMPARE(opened.geometry(),
                     corner.x() < 5000 ? closed.geometry() : QRect(10, 10, 100, 100));
        }
    }

    void lastPressKept()
    {
        const auto listing = [](const QStringList &presses) {
            auto box = std::make_unique<QComboBox>();
            box->addItems(QStringList{QString()} + presses);
            KeepLastPress(box.get());
            return box;
        };
        const auto chosen = listing({u"海德堡四色"_s, u"小森雙色"_s});
        chosen->setFocus();
        QTest::keyClick(chosen.get(), Qt::Key_Down); // the user picks 海德堡四色
        QCOMPARE(listing({u"小森雙色"_s, u"海德堡四色"_s})->currentText(), u"海德堡四色"_s);
        QCOMPARE(listing({u"小森雙色"_s})->currentText(), QString()); // no longer listed
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
