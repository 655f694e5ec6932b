// The vendor lookup driven as a user drives it.

#include "common/handoff.h"
#include "common/messagebox.h"
#include "lookupfixture.h"
#include "lookups/vendorlist.h"
#include "lookups/vendorlookup.h"
#include "startup/sessionsettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList listedCodes(const QTableWidget *grid)
{
    QStringList codes;
    for (int r = 0; r < grid->rowCount(); ++r)
        codes.append(grid->item(r, 0)->text());
    return codes;
}

} // namespace

class TestVendorLookup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_db.reset(); }
    void init();

    void allVendorsByTheChosenKind();
    void tickingEquipmentRerunsAtOnce();
    void noMatchListsTheKindAndEmptiesTheBox();
    void unreadableDatabaseShowsTheError();

private:
    std::unique_ptr<VendorLookupDialog> openDialog(const QString &kind, const QString &filter,
                                                   const QString &equipment = {});
    static QTableWidget *grid(QWidget &d) { return d.findChild<QTableWidget *>(u"MSHFlexGrid1"_s); }

    std::unique_ptr<TestDatabase> m_db;
};

void TestVendorLookup::initTestCase()
{
    PLOV_REQUIRE_DATABASE();
    m_db = std::make_unique<TestDatabase>();
    AddLookupVendors(*m_db);
}

void TestVendorLookup::init()
{
    Session().ConnectionString = m_db->connectionString();
}

std::unique_ptr<VendorLookupDialog>
TestVendorLookup::openDialog(const QString &kind, const QString &filter, const QString &equipment)
{
    VendorLookupKind() = kind;
    VendorEquipmentFlag() = equipment;
    LookupFilterText() = filter;
    auto dialog = std::make_unique<VendorLookupDialog>(nullptr);
    dialog->show();
    if (!QTest::qWaitForWindowActive(dialog.get()))
        return nullptr;
    return dialog;
}

void TestVendorLookup::allVendorsByTheChosenKind()
{
    const auto dialog = openDialog(kAllVendors, {});
    QVERIFY(dialog);
    auto *kinds = dialog->findChild<QComboBox *>(u"cbo種類"_s);
    QVERIFY(kinds->isVisible());
    QVERIFY(!dialog->findChild<QCheckBox *>(u"chk只秀設備"_s)->isVisible());
    QCOMPARE(grid(*dialog)->rowCount(), 8); // every usable vendor
    kinds->setFocus();
    for (int i = 0; i < 3; ++i) // "" -> A-印前 -> B-製版 -> C-紙品, each chosen at once
        QTest::keyClick(kinds, Qt::Key_Down);
    QCOMPARE(kinds->currentText(), u"C-紙品"_s);
    QCOMPARE(listedCodes(grid(*dialog)), (QStringList{u"V03"_s, u"V09"_s}));

    grid(*dialog)->setFocus();
    QTest::keyClick(grid(*dialog), Qt::Key_Return);
    QCOMPARE(JobHandOff()[0], u"V03"_s);
    QCOMPARE(JobHandOff()[1], u"聯合紙業"_s);
    QCOMPARE(JobHandOff()[3], u"02-1234"_s);
    QCOMPARE(JobHandOff()[2], u"0"_s); // RATE, a hidden column
}

void TestVendorLookup::tickingEquipmentRerunsAtOnce()
{
    const auto dialog = openDialog(u"紙品採購"_s, {}, u"設備"_s);
    QVERIFY(dialog);
    QCOMPARE(listedCodes(grid(*dialog)), (QStringList{u"V03"_s, u"V04"_s, u"V06"_s, u"V09"_s}));
    auto *equipment = dialog->findChild<QCheckBox *>(u"chk只秀設備"_s);
    QVERIFY(equipment->isVisible());
    QTest::mouseClick(equipment, Qt::LeftButton);
    QCOMPARE(listedCodes(grid(*dialog)), QStringList{u"V06"_s});
}

void TestVendorLookup::noMatchListsTheKindAndEmptiesTheBox()
{
    const auto dialog = openDialog(u"紙品"_s, u"沒有這家"_s);
    QVERIFY(dialog);
    QCOMPARE(listedCodes(grid(*dialog)), (QStringList{u"V03"_s, u"V09"_s}));
    QCOMPARE(dialog->findChild<QLineEdit *>(u"txt篩選"_s)->text(), QString());
    QVERIFY(grid(*dialog)->isColumnHidden(2) && grid(*dialog)->isColumnHidden(8));
}

void TestVendorLookup::unreadableDatabaseShowsTheError()
{
    QTemporaryDir dir;
    Session().ConnectionString =
        u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1"_s.arg(dir.filePath(u"none.mdb"_s));
    ScriptedMessageService boxes;
    const auto dialog = openDialog({}, {});
    QVERIFY(dialog);
    QCOMPARE(boxes.shown().size(), 1);
    QCOMPARE(boxes.shown().first().title, u"依類別取得廠商資料錯誤"_s);
    QCOMPARE(grid(*dialog)->rowCount(), 0);
}

QTEST_MAIN(TestVendorLookup)
#include "tst_vendorlookup.moc"
