// What the lookups list, read from a database as the dialogs read it, and where
// they open.

#include "lookupfixture.h"
#include "lookups/lookupplacement.h"
#include "lookups/stafflist.h"
#include "lookups/vendorlist.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList codes(const LookupRows &rows)
{
    QStringList result;
    for (const QStringList &row : rows.rows)
        result.append(row.first());
    return result;
}

} // namespace

class TestLookupLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_db.reset(); }

    void staffList_data();
    void staffList();
    void staffRowHoldsTheHiddenColumns();
    void vendorList_data();
    void vendorList();
    void failureComesBackAsTheDescription();
    void origin_data();
    void origin();

private:
    std::unique_ptr<TestDatabase> m_db;
};

void TestLookupLists::initTestCase()
{
    PLOV_REQUIRE_DATABASE();
    m_db = std::make_unique<TestDatabase>();
    AddLookupStaff(*m_db);
    AddLookupVendors(*m_db);
}

void TestLookupLists::staffList_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("listed");
    // clang-format off
    QTest::newRow("everyone current outside 運送部") << u""_s << QStringList{u"E01"_s, u"E02"_s, u"E03"_s, u"E06"_s, u"E07"_s};
    QTest::newRow("same surname") << u"王"_s << QStringList{u"E01"_s, u"E02"_s};
    QTest::newRow("by code") << u"E03"_s << QStringList{u"E03"_s};
    QTest::newRow("apostrophe") << u"O'B"_s << QStringList{u"E06"_s};
    QTest::newRow("_ is any character") << u"王_明"_s << QStringList{u"E01"_s};
    QTest::newRow("% is any text") << u"王%同"_s << QStringList{u"E02"_s};
    QTest::newRow("blanks are a filter") << u"  "_s << QStringList();
    QTest::newRow("nobody") << u"沒有這個人"_s << QStringList();
    QTest::newRow("left the shop") << u"蔡宜君"_s << QStringList();
    // clang-format on
}

void TestLookupLists::staffList()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, listed);
    const LookupRows rows = ReadStaffList(m_db->connectionString(), filter);
    QCOMPARE(rows.error, std::nullopt);
    QCOMPARE(codes(rows), listed);
}

void TestLookupLists::staffRowHoldsTheHiddenColumns()
{
    const LookupRows rows = ReadStaffList(m_db->connectionString(), u"大同"_s);
    QCOMPARE(rows.rows, (QVector<QStringList>{{u"E02"_s, u"王大同"_s, u"E01"_s, u"王小明"_s}}));
}

void TestLookupLists::vendorList_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("equipment");
    QTest::addColumn<QString>("work");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<bool>("clearBox");
    const QStringList usable{u"V01"_s, u"V02"_s, u"V03"_s, u"V04"_s,
                             u"V05"_s, u"V06"_s, u"V08"_s, u"V09"_s};
    // clang-format off
    QTest::newRow("no kind") << u""_s << u""_s << false << u""_s << usable << false;
    QTest::newRow("unknown kind") << u"雜工"_s << u""_s << false << u""_s << usable << false;
    QTest::newRow("印前") << u"印前"_s << u""_s << false << u""_s << QStringList{u"V01"_s} << false;
    QTest::newRow("製版") << u"製版"_s << u""_s << false << u""_s << QStringList{u"V02"_s} << false;
    QTest::newRow("紙品") << u"紙品"_s << u""_s << false << u""_s << QStringList{u"V03"_s, u"V09"_s} << false;
    QTest::newRow("印刷, one suspended") << u"印刷"_s << u""_s << false << u""_s << QStringList{u"V08"_s} << false;
    QTest::newRow("裁工") << u"裁工"_s << u""_s << false << u""_s << QStringList{u"V05"_s} << false;
    QTest::newRow("裁摺") << u"裁摺"_s << u""_s << false << u""_s << QStringList{u"V05"_s} << false;
    QTest::newRow("其他") << u"其他"_s << u""_s << false << u""_s << QStringList{u"V06"_s} << false;
    QTest::newRow("紙品採購") << u"紙品採購"_s << u""_s << false << u""_s << QStringList{u"V03"_s, u"V04"_s, u"V06"_s, u"V09"_s} << false;
    QTest::newRow("filter by name") << u"紙品"_s << u"華新"_s << false << u""_s << QStringList{u"V09"_s} << false;
    QTest::newRow("filter matches none") << u"紙品"_s << u"沒有"_s << false << u""_s << QStringList{u"V03"_s, u"V09"_s} << true;
    QTest::newRow("equipment") << u"紙品採購"_s << u""_s << true << u""_s << QStringList{u"V06"_s} << false;
    QTest::newRow("suspended by name") << u""_s << u"停業"_s << false << u""_s << usable << true;
    QTest::newRow("所有廠商, C-紙品") << kAllVendors << u""_s << false << u"C-紙品"_s << QStringList{u"V03"_s, u"V09"_s} << false;
    QTest::newRow("所有廠商, none chosen") << kAllVendors << u"印"_s << false << u""_s << QStringList{u"V01"_s, u"V06"_s, u"V08"_s} << false;
    QTest::newRow("所有廠商, no match keeps the box") << kAllVendors << u"沒有"_s << false << u"C-紙品"_s << QStringList{u"V03"_s, u"V09"_s} << false;
    QTest::newRow("所有廠商, equipment") << kAllVendors << u""_s << true << u"N-其它"_s << QStringList{u"V06"_s} << false;
    // clang-format on
}

void TestLookupLists::vendorList()
{
    QFETCH(QString, kind);
    QFETCH(QString, filter);
    QFETCH(bool, equipment);
    QFETCH(QString, work);
    QFETCH(QStringList, listed);
    QFETCH(bool, clearBox);
    const VendorRows rows =
        ReadVendorList(m_db->connectionString(), {kind, filter, equipment, work});
    QCOMPARE(rows.error, std::nullopt);
    QCOMPARE(codes(rows), listed);
    QCOMPARE(rows.clearFilterBox, clearBox);
}

void TestLookupLists::failureComesBackAsTheDescription()
{
    QTemporaryDir dir;
    const QString missing =
        u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1"_s.arg(dir.filePath(u"none.mdb"_s));
    const LookupRows rows = ReadStaffList(missing, {});
    QVERIFY(rows.error && !rows.error->isEmpty());
    QVERIFY(rows.rows.isEmpty());
}

void TestLookupLists::origin_data()
{
    QTest::addColumn<QRect>("caller");
    QTest::addColumn<QPoint>("origin");
    // Screen 19200 x 14400 twips; the dialog 4590 x 6660.
    // clang-format off
    QTest::newRow("against the caller") << QRect(1000, 500, 12000, 9000) << QPoint(1000 + 12000 - 4590 - 200, 1800);
    QTest::newRow("caller too narrow: centred across") << QRect(0, 500, 4000, 9000) << QPoint((19200 - 4590) / 2, 1800);
    QTest::newRow("caller high up: centred down") << QRect(1000, -1300, 12000, 9000) << QPoint(8210, (14400 - 6660 - 420) / 2);
    // clang-format on
}

void TestLookupLists::origin()
{
    QFETCH(QRect, caller);
    QFETCH(QPoint, origin);
    QCOMPARE(LookupOrigin(caller, QSize(4590, 6660), QSize(19200, 14400)), origin);
}

QTEST_GUILESS_MAIN(TestLookupLists)
#include "tst_lookuplists.moc"
