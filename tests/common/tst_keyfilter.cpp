#include "common/keyfilter.h"
#include "testtables.h"

using namespace Qt::StringLiterals;

class TestKeyFilter : public QObject
{
    Q_OBJECT

private slots:
    void filterKey_data()
    {
        AddColumns<int, int, int>("mode", "key", "expected");
        // One row per key of the first text; the second gives what comes back,
        // "_" where the key is dropped. Backspace (8) and Enter (13) always pass.
        const auto addRows = [](int mode, const QString &keys, const QString &kept) {
            for (qsizetype i = 0; i < keys.size(); ++i) {
                const int key = keys.at(i).unicode();
                const int expected = kept.at(i) == u'_' ? 0 : kept.at(i).unicode();
                QTest::addRow("mode %d, key %d", mode, key) << mode << key << expected;
            }
        };
        // clang-format off
        addRows(0, u"a*\x1b"_s,            u"a*\x1b"_s);
        addRows(1, u"09-.+*aY \b\r\x1b"_s, u"09-______\b\r_"_s);
        addRows(2, u"aAzZm09-. @[`{\b\r"_s, u"AAZZM_________\b\r"_s);
        addRows(3, u"09.-+*,a \b\r"_s,     u"09.-_____\b\r"_s);
        addRows(4, u"09.*-+/,x\b\r"_s,     u"09.*-____\b\r"_s);
        addRows(5, u"09.+-*/,a\b\r"_s,     u"09.+-____\b\r"_s);
        addRows(6, u"yYnNxX10 -\b\r"_s,    u"YYNN______\b\r"_s);
        addRows(7, u"12034-.a\b\r\x1b"_s,  u"12______\b\r_"_s);
        addRows(8, u"a*\x1b"_s,            u"a*\x1b"_s);
        // clang-format on
    }
    void filterKey() { QTEST(FilterKey(Fetch<int>("key"), Fetch<int>("mode")), "expected"); }

    void upperKey_data()
    {
        AddColumns<int, int>("key", "expected");
        // clang-format off
        QTest::newRow("e acute") << 0xE9 << 0xC9;
        QTest::newRow("Chinese") << 0x4E2D << 0x4E2D;
        QTest::newRow("negative") << -5 << -5;
        // clang-format on
    }
    void upperKey() { QTEST(UpperKey(Fetch<int>("key")), "expected"); }
};

QTEST_GUILESS_MAIN(TestKeyFilter)
#include "tst_keyfilter.moc"
