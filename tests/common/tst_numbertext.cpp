#include "common/colournumber.h"
#include "common/numbertext.h"
#include "testtables.h"

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void parseNumericText_data()
    {
        AddColumns<QString, bool, double>("text", "numeric", "value");
        // clang-format off
        QTest::newRow("grouped") << "1,234.5" << true << 1234.5;
        QTest::newRow("oddly grouped") << "1,2,3" << true << 123.0;
        QTest::newRow("exponent") << "-2.5E-2" << true << -0.025;
        QTest::newRow("blanks, plus sign") << " +8 " << true << 8.0;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("trailing point") << "12." << true << 12.0;
        QTest::newRow("unit") << "8kg" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("sign alone") << "-" << false << 0.0;
        QTest::newRow("separator first") << ",123" << false << 0.0;
        QTest::newRow("out of range") << "1e400" << false << 0.0;
        // clang-format on
    }
    void parseNumericText()
    {
        const std::optional<double> parsed = ParseNumericText(Fetch<QString>("text"));
        QTEST(parsed.has_value(), "numeric");
        if (parsed)
            QTEST(*parsed, "value");
    }

    void numberText_data()
    {
        AddColumns<double, QString>("value", "text");
        // clang-format off
        QTest::newRow("whole") << 1200.0 << "1200";
        QTest::newRow("binary noise hidden") << 0.1 + 0.2 << "0.3";
        QTest::newRow("negative") << -2.5 << "-2.5";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("large, no exponent") << 1e20 << "100000000000000000000";
        QTest::newRow("small, no exponent") << 1e-7 << "0.0000001";
        QTest::newRow("15 significant digits") << 123456789.123456789 << "123456789.123457";
        // clang-format on
    }
    void numberText() { QTEST(NumberText(Fetch<double>("value")), "text"); }

    void formatThousands_data()
    {
        AddColumns<QString, QString>("text", "expected");
        // clang-format off
        QTest::newRow("empty") << "" << "";
        QTest::newRow("not a number") << "12abc" << "12abc";
        QTest::newRow("three digits") << "999" << "999";
        QTest::newRow("millions, negative, decimals") << "-1234567.25" << "-1,234,567.25";
        QTest::newRow("regrouped, blanks dropped") << " 12,34 " << "1,234";
        // clang-format on
    }
    void formatThousands() { QTEST(FormatThousands(Fetch<QString>("text")), "expected"); }

    void colourFromNumberText_data()
    {
        AddColumns<QString, QString>("text", "colour");
        // clang-format off
        QTest::newRow("red in the low byte") << "12632064" << "#00c0c0";
        QTest::newRow("its numeric value") << " 255.9 grey" << "#ff0000";
        QTest::newRow("blank: no colour") << "  " << "";
        // clang-format on
    }
    void colourFromNumberText()
    {
        const QColor colour = ColourFromNumberText(Fetch<QString>("text"));
        QTEST(colour.isValid() ? colour.name() : QString(), "colour");
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
