#include "common/keyfilter.h"

#include <QTest>

using namespace Qt::StringLiterals;

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
    addRows(1, u"0159-.+*aY "_s, u"0159-______"_s);
    addRows(2, u"aAzZm019-. @[`{"_s, u"AAZZM__________"_s);
    addRows(3, u"0159.-+*,a "_s, u"0159.-_____"_s);
    addRows(4, u"0159.*-+/,x"_s, u"0159.*-____"_s);
    addRows(5, u"0159.+-*/,a"_s, u"0159.+-____"_s);
    addRows(6, u"yYnNxX10 -"_s, u"YYNN______"_s);
    addRows(7, u"12034-.a"_s, u"12______"_s);
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
