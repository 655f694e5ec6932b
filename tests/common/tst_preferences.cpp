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

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
