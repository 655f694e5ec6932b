#include "common/keyfilter.h"

#include <QTest>

class TestKeyFilter : public QObject
{
    Q_OBJECT

private slots:
    void filterKey_data();
    void filterKey();
    void backspaceAndEnterAlwaysPass_data();
    void backspaceAndEnterAlwaysPass();
    void modesOutsideTheRangePassEverything_data();
    void modesOutsideTheRangePassEverything();
    void upperKey_data();
    void upperKey();
};

namespace {

// One row per character: kept characters come back as given in "to" (the
// same character unless the mode upper-cases it), dropped ones give 0.
void addRows(int mode, const QString &from, const QString &to)
{
    for (qsizetype i = 0; i < from.size(); ++i) {
        const int key = from.at(i).unicode();
        const int expected = to.at(i) == u'_' ? 0 : to.at(i).unicode();
        QTest::addRow("mode %d, '%c'", mode, key) << mode << key << expected;
    }
}

} // namespace

void TestKeyFilter::filterKey_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    // "_" in the second text marks a dropped key.
    addRows(1, "0159-.+*aY ", "0159-______");
    addRows(2, "aAzZm019-. @[`{", "AAZZM__________");
    addRows(3, "0159.-+*,a ", "0159.-_____");
    addRows(4, "0159.*-+/,x", "0159.*-____");
    addRows(5, "0159.+-*/,a", "0159.+-____");
    addRows(6, "yYnNxX10 -", "YYNN______");
    addRows(7, "12034-.a", "12______");
}

void TestKeyFilter::filterKey()
{
    QFETCH(int, mode);
    QFETCH(int, key);
    QFETCH(int, expected);
    QCOMPARE(FilterKey(key, mode), expected);
}

void TestKeyFilter::backspaceAndEnterAlwaysPass_data()
{
    QTest::addColumn<int>("mode");
    for (int mode = 1; mode <= 7; ++mode)
        QTest::addRow("mode %d", mode) << mode;
}

void TestKeyFilter::backspaceAndEnterAlwaysPass()
{
    QFETCH(int, mode);
    QCOMPARE(FilterKey(8, mode), 8);
    QCOMPARE(FilterKey(13, mode), 13);
    QCOMPARE(FilterKey(27, mode), 0); // Esc is not among them
}

void TestKeyFilter::modesOutsideTheRangePassEverything_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("0") << 0;
    QTest::newRow("8") << 8;
    QTest::newRow("-1") << -1;
}

void TestKeyFilter::modesOutsideTheRangePassEverything()
{
    QFETCH(int, mode);
    for (int key = 0; key < 256; ++key)
        QCOMPARE(FilterKey(key, mode), key);
}

void TestKeyFilter::upperKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("a") << int('a') << int('A');
    QTest::newRow("z") << int('z') << int('Z');
    QTest::newRow("already upper") << int('Q') << int('Q');
    QTest::newRow("digit") << int('7') << int('7');
    QTest::newRow("Enter") << 13 << 13;
    QTest::newRow("e acute") << 0xE9 << 0xC9;
    QTest::newRow("full-width a") << 0xFF41 << 0xFF21;
    QTest::newRow("Chinese") << 0x4E2D << 0x4E2D;
    QTest::newRow("negative") << -5 << -5;
}

void TestKeyFilter::upperKey()
{
    QFETCH(int, key);
    QFETCH(int, expected);
    QCOMPARE(UpperKey(key), expected);
}

QTEST_GUILESS_MAIN(TestKeyFilter)
#include "tst_keyfilter.moc"
