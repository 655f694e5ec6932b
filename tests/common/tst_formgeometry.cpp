#include "common/formgeometry.h"

#include <QTest>

class TestFormGeometry : public QObject
{
    Q_OBJECT

private slots:
    void centeredFormOrigin_data();
    void centeredFormOrigin();
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

QTEST_GUILESS_MAIN(TestFormGeometry)
#include "tst_formgeometry.moc"
