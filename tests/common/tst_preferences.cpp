// What the program remembers for its user: a window's place when it still fits
// the screens, and the press last chosen while it is still listed.

#include "common/preferences.h"
#include "testtables.h"

#include <QComboBox>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
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
        QTest::newRow("screen unplugged")      << QRect(2000, 100, 800, 600) << QList{left}       << false;
        QTest::newRow("nothing remembered")    << QRect()                    << QList{left}       << false;
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
        QComboBox chosen;
        chosen.addItems({QString(), u"海德堡四色"_s, u"小森雙色"_s});
        KeepLastPress(&chosen);
        chosen.setFocus();
        QTest::keyClick(&chosen, Qt::Key_Down); // the user picks 海德堡四色
        QComboBox reopened;
        reopened.addItems({QString(), u"小森雙色"_s, u"海德堡四色"_s});
        KeepLastPress(&reopened);
        QCOMPARE(reopened.currentText(), u"海德堡四色"_s);
        QComboBox withoutIt;
        withoutIt.addItems({QString(), u"小森雙色"_s});
        KeepLastPress(&withoutIt);
        QCOMPARE(withoutIt.currentText(), QString());
    }
};

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
