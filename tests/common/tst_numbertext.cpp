#include "common/numbertext.h"

#include <QTest>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void formatThousands_data();
    void formatThousands();
    void val_data();
    void val();
    void numberText_data();
    void numberText();
    void parseNumericText_data();
    void parseNumericText();
};

void TestNumberText::formatThousands_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("millions") << "1234567"
                              << "1,234,567";
    QTest::newRow("one decimal") << "1234.5"
                                 << "1,234.5";
    QTest::newRow("typed trailing zero dropped") << "12.50"
                                                 << "12.5";
    QTest::newRow("negative") << "-2500"
                              << "-2,500";
    QTest::newRow("three decimals") << "0.125"
                                    << "0.125";
    QTest::newRow("already grouped") << "1,234"
                                     << "1,234";
    QTest::newRow("letters unchanged") << "abc"
                                       << "abc";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("three digits, no separator") << "999"
                                                << "999";
    QTest::newRow("four digits") << "1000"
                                 << "1,000";
    QTest::newRow("zero") << "0"
                          << "0";
    QTest::newRow("negative zero") << "-0.0"
                                   << "0";
    QTest::newRow("negative below one") << "-0.5"
                                        << "-0.5";
    QTest::newRow("negative with decimals") << "-1234567.25"
                                            << "-1,234,567.25";
    QTest::newRow("surrounding blanks") << "  4200 "
                                        << "4,200";
    QTest::newRow("plus sign") << "+7"
                               << "7";
    QTest::newRow("leading point") << ".5"
                                   << "0.5";
    QTest::newRow("trailing point") << "12."
                                    << "12";
    QTest::newRow("oddly grouped") << "12,34"
                                   << "1,234";
    QTest::newRow("exponent") << "1e3"
                              << "1,000";
    QTest::newRow("tiny value in plain decimals") << "1.5e-7"
                                                  << "0.00000015";
    QTest::newRow("huge value in plain decimals") << "1E20"
                                                  << "100,000,000,000,000,000,000";
    QTest::newRow("15 significant digits") << "123456789012345678"
                                           << "123,456,789,012,346,000";
    QTest::newRow("binary noise hidden") << "0.30000000000000004"
                                         << "0.3";
    QTest::newRow("digits then letters") << "12abc"
                                         << "12abc";
    QTest::newRow("two points") << "1.2.3"
                                << "1.2.3";
    QTest::newRow("sign alone") << "-"
                                << "-";
    QTest::newRow("point alone") << "."
                                 << ".";
    QTest::newRow("separator first") << ",123"
                                     << ",123";
    QTest::newRow("blank inside") << "12 34"
                                  << "12 34";
    QTest::newRow("exponent without digits") << "1e"
                                             << "1e";
    QTest::newRow("out of range") << "1e400"
                                  << "1e400";
    QTest::newRow("blanks only") << "   "
                                 << "   ";
}

void TestNumberText::formatThousands()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(FormatThousands(text), expected);
}

void TestNumberText::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("stops at the separator") << "1,200" << 1.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("unit after the number") << " 12.5kg" << 12.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("second point stops") << "  -12.5.3" << -12.5;
    QTest::newRow("tab before") << "\t7" << 7.0;
    QTest::newRow("blank stops") << "12 34" << 12.0;
    QTest::newRow("exponent not read") << "1e3" << 1.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("sign then point") << "-.25" << -0.25;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("run time") << "2.50" << 2.5;
}

void TestNumberText::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Val(text), expected);
}

void TestNumberText::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 1200.0 << "1200";
    QTest::newRow("half") << 1.5 << "1.5";
    QTest::newRow("binary noise") << 0.1 + 0.2 << "0.3";
    QTest::newRow("negative") << -2.5 << "-2.5";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("large") << 1e20 << "100000000000000000000";
    QTest::newRow("small") << 1e-7 << "0.0000001";
    QTest::newRow("rounded to 15 digits") << 123456789.123456789 << "123456789.123457";
    QTest::newRow("not shown as 2.67499999") << 2.675 << "2.675";
    QTest::newRow("hours") << 150.0 / 60.0 << "2.5";
}

void TestNumberText::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberText(value), expected);
}

void TestNumberText::parseNumericText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");
    QTest::newRow("grouped") << "1,234.5" << true << 1234.5;
    QTest::newRow("separators ignored") << "1,2,3" << true << 123.0;
    QTest::newRow("negative exponent") << "-2.5E-2" << true << -0.025;
    QTest::newRow("blanks around") << " 8 " << true << 8.0;
    QTest::newRow("unit") << "8kg" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
}

void TestNumberText::parseNumericText()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    const std::optional<double> parsed = ParseNumericText(text);
    QCOMPARE(parsed.has_value(), numeric);
    if (numeric)
        QCOMPARE(*parsed, value);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
