#include "common/formgeometry.h"

#include <QTest>

class TestFormGeometry : public QObject
{
    Q_OBJECT

private slots:
    void centeredFormOrigin_data();
    void centeredFormOrigin();
    void twipsAndPixels_data();
    void twipsAndPixels();
    void partPixelsRoundToNearest();
    void zeroWidthUnits_data();
    void zeroWidthUnits();
};

void TestFormGeometry::centeredFormOrigin_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("form");
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("1024x768 screen")
        << QSize(15360, 11520) << QSize(4590, 6660) << QPoint(5385, 2220);
    QTest::newRow("form as large as the screen")
        << QSize(15360, 11520) << QSize(15360, 11520) << QPoint(0, -210);
    QTest::newRow("800x600 screen")
        << QSize(12000, 9000) << QSize(6000, 4000) << QPoint(3000, 2290);
}

void TestFormGeometry::centeredFormOrigin()
{
    QFETCH(QSize, screen);
    QFETCH(QSize, form);
    QFETCH(QPoint, origin);
    QCOMPARE(CenteredFormOrigin(screen, form), origin);
}

void TestFormGeometry::twipsAndPixels_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("twips");
    QTest::newRow("96 dpi, screen width") << 96.0 << 1024 << 15360;
    QTest::newRow("96 dpi, one pixel") << 96.0 << 1 << 15;
    QTest::newRow("120 dpi, one inch") << 120.0 << 120 << 1440;
    QTest::newRow("144 dpi") << 144.0 << 2 << 20;
}

void TestFormGeometry::twipsAndPixels()
{
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QFETCH(int, twips);
    QCOMPARE(PixelsToTwips(pixels, dpi), twips);
    QCOMPARE(TwipsToPixels(twips, dpi), pixels);
}

void TestFormGeometry::partPixelsRoundToNearest()
{
    QCOMPARE(TwipsToPixels(7, 96.0), 0);
    QCOMPARE(TwipsToPixels(8, 96.0), 1);
    QCOMPARE(TwipsToPixels(-60, 96.0), -4);
}

void TestFormGeometry::zeroWidthUnits_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<double>("zeroWidth");
    QTest::addColumn<int>("pixels");
    QTest::newRow("ten zeros of 7 px") << 2560 << 7.0 << 70;
    QTest::newRow("half a zero") << 128 << 8.0 << 4;
    QTest::newRow("fractional zero width") << 1024 << 6.5 << 26;
    QTest::newRow("nothing") << 0 << 7.0 << 0;
}

void TestFormGeometry::zeroWidthUnits()
{
    QFETCH(int, units);
    QFETCH(double, zeroWidth);
    QFETCH(int, pixels);
    QCOMPARE(ZeroWidthUnitsToPixels(units, zeroWidth), pixels);
    QCOMPARE(PixelsToZeroWidthUnits(pixels, zeroWidth), units);
}

QTEST_GUILESS_MAIN(TestFormGeometry)
#include "tst_formgeometry.moc"
