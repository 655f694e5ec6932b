// What the lookups list, read from a database as the dialogs read it, and where
// they open.

#include "lookups/lookupplacement.h"
#include "lookups/stafflist.h"
#include "lookups/vendorlist.h"
#include "testdatabase.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLookupLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_db.reset(); }

    void lists_data();
    void lists();
    void origin_data();
    void origin();

private:
    std::unique_ptr<TestDatabase> m_db;
};

void TestLookupLists::initTestCase()
{
    PLOV_REQUIRE_DATABASE();
    m_db = std::make_unique<TestDatabase>(TestDatabase::Content::Demo);
}

void TestLookupLists::lists_data()
{
    QTest::addColumn<bool>("staff"); // the staff list, else the vendors of the kind
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("equipment");
    QTest::addColumn<QString>("work");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<bool>("clearBox");
    const QStringList usable{u"V001"_s, u"V002"_s, u"V003"_s, u"V004"_s, u"V005"_s, u"V006"_s,
                             u"V007"_s, u"V008"_s, u"V009"_s, u"V010"_s, u"V011"_s, u"V013"_s};
    // clang-format off
    QTest::newRow("staff: everyone current outside 運送部") << true << QString() << u""_s << false << QString() << QStringList{u"E001"_s, u"E002"_s, u"E003"_s, u"E004"_s, u"E005"_s, u"E006"_s, u"E009"_s, u"E010"_s, u"E011"_s, u"E012"_s, u"E013"_s, u"E014"_s} << false;
    QTest::newRow("staff: same surname") << true << QString() << u"王"_s << false << QString() << QStringList{u"E001"_s, u"E012"_s} << false;
    QTest::newRow("staff: by code") << true << QString() << u"E003"_s << false << QString() << QStringList{u"E003"_s} << false;
    QTest::newRow("staff: apostrophe") << true << QString() << u"O'N"_s << false << QString() << QStringList{u"E014"_s} << false;
    QTest::newRow("staff: _ is any character") << true << QString() << u"王_明"_s << false << QString() << QStringList{u"E001"_s} << false;
    QTest::newRow("staff: % is any text") << true << QString() << u"王%豪"_s << false << QString() << QStringList{u"E012"_s} << false;
    QTest::newRow("staff: blanks are a filter") << true << QString() << u"  "_s << false << QString() << QStringList() << false;
    QTest::newRow("no kind") << false << u""_s << u""_s << false << u""_s << usable << false;
    QTest::newRow("unknown kind") << false << u"雜工"_s << u""_s << false << u""_s << usable << false;
    QTest::newRow("印前") << false << u"印前"_s << u""_s << false << u""_s << QStringList{u"V004"_s, u"V007"_s} << false;
    QTest::newRow("紙品") << false << u"紙品"_s << u""_s << false << u""_s << QStringList{u"V003"_s, u"V011"_s} << false;
    QTest::newRow("印刷, one suspended") << false << u"印刷"_s << u""_s << false << u""_s << QStringList{u"V008"_s} << false;
    QTest::newRow("裁工") << false << u"裁工"_s << u""_s << false << u""_s << QStringList{u"V002"_s} << false;
    QTest::newRow("其他") << false << u"其他"_s << u""_s << false << u""_s << QStringList{u"V013"_s} << false;
    QTest::newRow("紙品採購") << false << u"紙品採購"_s << u""_s << false << u""_s << QStringList{u"V003"_s, u"V011"_s, u"V013"_s} << false;
    QTest::newRow("filter by name") << false << u"紙品"_s << u"台北"_s << false << u""_s << QStringList{u"V011"_s} << false;
    QTest::newRow("filter matches none") << false << u"紙品"_s << u"沒有"_s << false << u""_s << QStringList{u"V003"_s, u"V011"_s} << true;
    QTest::newRow("suspended by name") << false << u""_s << u"老張"_s << false << u""_s << usable << true;
    QTest::newRow("所有廠商, everyone") << false << kAllVendors << u""_s << false << u""_s << usable << false;
    QTest::newRow("所有廠商, none chosen") << false << kAllVendors << u"印"_s << false << u""_s << QStringList{u"V007"_s, u"V008"_s} << false;
    QTest::newRow("所有廠商, no match keeps the box") << false << kAllVendors << u"沒有"_s << false << u"C-紙品"_s << QStringList{u"V003"_s, u"V011"_s} << false;
    QTest::newRow("所有廠商, equipment") << false << kAllVendors << u""_s << true << u"N-其它"_s << QStringList{u"V013"_s} << false;
    // clang-format on
}

void TestLookupLists::lists()
{
    QFETCH(bool, staff);
    QFETCH(QString, kind);
    QFETCH(QString, filter);
    QFETCH(bool, equipment);
    QFETCH(QString, work);
    QFETCH(QStringList, listed);
    QFETCH(bool, clearBox);
    const QString cs = m_db->connectionString();
    const VendorRows rows = staff ? VendorRows{ReadStaffList(cs, filter)}
                                  : ReadVendorList(cs, {kind, filter, equipment, work});
    QCOMPARE(rows.error, std::nullopt);
    QStringList codes;
    for (const QStringList &row : rows.rows)
        codes.append(row.first());
    QCOMPARE(codes, listed);
    QCOMPARE(rows.clearFilterBox, clearBox);
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
