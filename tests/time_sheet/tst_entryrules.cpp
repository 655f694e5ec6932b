#include "grid/virtualkey.h"
#include "time_sheet/runediting.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestEntryRules : public QObject
{
    Q_OBJECT

private slots:
    void limits_data();
    void limits();
    void keyFilters_data();
    void keyFilters();
    void keysDown_data();
    void keysDown();
};

void TestEntryRules::limits_data()
{
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("message");
    const QString ten = u"最多只可輸入10個字元!"_s;
    // clang-format off
    QTest::newRow("stamp fits")        << u"開始"_s << u"1151204-08:00"_s  << u"1151204-08:00"_s << QString();
    QTest::newRow("stamp too long")    << u"結束"_s << u"1151204-08:001"_s << u"1151204-08:00"_s << u"最多只可輸入12個字!"_s;
    QTest::newRow("colours")           << u"正色"_s << u"12345678901"_s  << u"1234567890"_s << ten;
    QTest::newRow("sets")              << u"台"_s   << u"一二三四五六"_s  << u"一二三四五"_s  << ten;
    QTest::newRow("press")             << u"車別"_s << u"海德堡四色"_s    << u"海德堡"_s     << u"最多只可輸入6個字元!"_s;
    QTest::newRow("operator 25 bytes") << u"經辦"_s << u"ABCDEFGHIJKLMNOPQRSTUVWXY"_s << u"ABCDEFGHIJKLMNOPQRST"_s << u"最多只可輸入20個字元!"_s;
    QTest::newRow("note")              << u"說明"_s << u"等紙等紙等紙等紙"_s << u"等紙等紙等紙等"_s << u"最多只可輸入14個字元!"_s;
    QTest::newRow("hours formatted")   << u"總耗時"_s << u"1.5"_s         << u"1.50"_s       << QString();
    QTest::newRow("hours too long")    << u"總耗時"_s << u"123456789"_s   << u"123456789."_s << ten;
    // clang-format on
}

void TestEntryRules::limits()
{
    QFETCH(QString, heading);
    QFETCH(QString, entry);
    QFETCH(QString, kept);
    QFETCH(QString, message);
    const RunEntry result = LimitRunEntry(heading, entry);
    QCOMPARE(result.text, kept);
    QCOMPARE(result.message, message);
}

void TestEntryRules::keyFilters_data()
{
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept"); // "_" marks a dropped key
    // clang-format off
    QTest::newRow("operator")  << u"經辦"_s     << u"e0x"_s   << u"E0X"_s;
    QTest::newRow("colours")   << u"正色"_s     << u"12.5-A,"_s << u"12.5-__"_s;
    QTest::newRow("finished")  << u"完工數量"_s << u"1,200"_s << u"1_200"_s;
    QTest::newRow("hours")     << u"總耗時"_s   << u"2.5h"_s  << u"2.5_"_s;
    QTest::newRow("effective") << u"有效耗時"_s << u"1\r"_s   << u"_\r"_s;
    QTest::newRow("note")      << u"說明"_s     << u"ab1"_s   << u"ab1"_s;
    // clang-format on
}

void TestEntryRules::keyFilters()
{
    QFETCH(QString, heading);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QString result;
    for (const QChar c : typed) {
        const int key = FilterRunKey(heading, c.unicode());
        result += key == 0 ? u'_' : QChar(key);
    }
    QCOMPARE(result, kept);
}

void TestEntryRules::keysDown_data()
{
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("mayBeWorked"); // false: the row above is blank
    QTest::addColumn<RunKeyAction>("action");
    // clang-format off
    QTest::newRow("F9 in 經辦")       << u"經辦"_s     << VirtualKey::F9     << true << RunKeyAction::LookUpOperator;
    QTest::newRow("F2")               << u"說明"_s     << VirtualKey::F2     << true << RunKeyAction::Swallow;
    QTest::newRow("Delete in 經辦")   << u"經辦"_s     << VirtualKey::Delete << true << RunKeyAction::ClearOperator;
    QTest::newRow("Delete in 總耗時") << u"總耗時"_s   << VirtualKey::Delete << true << RunKeyAction::Swallow;
    QTest::newRow("Delete elsewhere") << u"開始"_s     << VirtualKey::Delete << true << RunKeyAction::Pass;
    QTest::newRow("below a blank row: Delete") << u"說明"_s << VirtualKey::Delete << false << RunKeyAction::Swallow;
    QTest::newRow("below a blank row: arrow")  << u"經辦"_s << VirtualKey::Up     << false << RunKeyAction::Pass;
    QTest::newRow("below a blank row: letter") << u"說明"_s << int('X')           << false << RunKeyAction::Pass;
    // clang-format on
}

void TestEntryRules::keysDown()
{
    QFETCH(QString, heading);
    QFETCH(int, key);
    QFETCH(bool, mayBeWorked);
    QFETCH(RunKeyAction, action);
    QCOMPARE(RunKeyDownRule(heading, key, mayBeWorked), action);
}

QTEST_GUILESS_MAIN(TestEntryRules)
#include "tst_entryrules.moc"
