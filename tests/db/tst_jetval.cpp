#include "db/jetval.h"
#include "testtables.h"

class TestJetVal : public QObject
{
    Q_OBJECT

private slots:
    void val_data()
    {
        AddColumns<QString, double>("text", "value");
        // clang-format off
        QTest::newRow("stops at the separator") << "1,200" << 1.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("plus sign") << "+4" << 4.0;
        QTest::newRow("second point stops") << "  -12.5.3" << -12.5;
        QTest::newRow("tab before") << "\t7" << 7.0;
        QTest::newRow("two signs") << "--5" << 0.0;
        QTest::newRow("sign then point") << "-.25" << -0.25;
        // clang-format on
    }
    void val() { QTEST(Val(Fetch<QString>("text")), "value"); }
};

QTEST_GUILESS_MAIN(TestJetVal)
#include "tst_jetval.moc"
