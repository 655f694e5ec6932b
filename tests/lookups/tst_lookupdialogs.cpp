// The staff and vendor lookups driven as a user drives them.

#include "common/handoff.h"
#include "lookupfixture.h"
#include "lookups/stafflookup.h"
#include "lookups/vendorlist.h"
#include "lookups/vendorlookup.h"
#include "startup/sessionsettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestLookupDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_db.reset(); }
    void init();

    void rightClickPicksFromTheFilteredListOverTheCaller();
    void refillKeepsTheRowOrFallsBackToTheLast();
    void escHandsBackNothing();
    void noMatchShowsHeadingsOnly();
    void allVendorsByTheChosenKind();
    void tickingEquipmentRerunsAtOnce();

private:
    // The dialog shown and activated, its first list loaded.
    template <typename Dialog> std::unique_ptr<Dialog> open(const QString &filter);
    static QTableWidget *list(QWidget &d) { return d.findChild<QTableWidget *>(u"MSHFlexGrid1"_s); }
    static QStringList listed(QWidget &d);
    static void refill(QWidget &d, const QString &filter);

    std::unique_ptr<TestDatabase> m_db;
};

void TestLookupDialogs::initTestCase()
{
    PLOV_REQUIRE_DATABASE();
    m_db = std::make_unique<TestDatabase>();
    AddLookupStaff(*m_db);
    AddLookupVendors(*m_db);
}

void TestLookupDialogs::init()
{
    Session().ConnectionString = m_db->connectionString();
    for (QString &slot : JobHandOff())
        slot = u"old"_s;
    VendorLookupKind().clear();
    VendorEquipmentFlag().clear();
}

template <typename Dialog> std::unique_ptr<Dialog> TestLookupDialogs::open(const QString &filter)
{
    LookupFilterText() = filter;
    auto dialog = std::make_unique<Dialog>(nullptr);
    dialog->show();
    if (!QTest::qWaitForWindowActive(dialog.get()))
        return nullptr;
    return dialog;
}

QStringList TestLookupDialogs::listed(QWidget &d)
{
    QStringList codes;
    for (int r = 0; r < list(d)->rowCount(); ++r)
        codes.append(list(d)->item(r, 0)->text());
    return codes;
}

void TestLookupDialogs::refill(QWidget &d, const QString &filter)
{
    auto *box = d.findChild<QLineEdit *>(u"txt篩選"_s);
    box->setText(filter); // keyClicks types ASCII only
    QTest::keyClick(box, Qt::Key_Return);
}

void TestLookupDialogs::rightClickPicksFromTheFilteredListOverTheCaller()
{
    QWidget caller;
    caller.setGeometry(100, 100, 900, 600);
    caller.show();
    QVERIFY(QTest::qWaitForWindowActive(&caller));
    LookupFilterText() = u"王"_s;
    QStringList shown;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = QApplication::activeModalWidget();
        QTRY_VERIFY(dialog && list(*dialog)->rowCount() > 0);
        shown = listed(*dialog);
        QVERIFY(dialog->y() > caller.y());
        const QRect row = list(*dialog)->visualItemRect(list(*dialog)->item(1, 0));
        QTest::mouseClick(list(*dialog)->viewport(), Qt::RightButton, {}, row.center());
    });
    OpenStaffLookup(&caller);
    QCOMPARE(shown, (QStringList{u"E01"_s, u"E02"_s}));
    QCOMPARE(QStringList(JobHandOff().begin(), JobHandOff().begin() + 5),
             (QStringList{u"E02"_s, u"王大同"_s, u"E01"_s, u"王小明"_s, u""_s}));
}

void TestLookupDialogs::refillKeepsTheRowOrFallsBackToTheLast()
{
    const auto dialog = open<StaffLookupDialog>({});
    QVERIFY(dialog);
    QCOMPARE(listed(*dialog), (QStringList{u"E01"_s, u"E02"_s, u"E03"_s, u"E06"_s}));
    QVERIFY(list(*dialog)->isColumnHidden(2) && list(*dialog)->isColumnHidden(3));
    list(*dialog)->setCurrentCell(2, 0);
    refill(*dialog, u"E0"_s);
    QCOMPARE(list(*dialog)->currentRow(), 2);
    refill(*dialog, u"王"_s);
    QCOMPARE(list(*dialog)->currentRow(), 1);
    QCOMPARE(list(*dialog)->selectionModel()->selectedRows().size(), 1);
}

void TestLookupDialogs::escHandsBackNothing()
{
    const auto dialog = open<StaffLookupDialog>(u"陳"_s);
    QVERIFY(dialog);
    QTest::keyClick(list(*dialog), Qt::Key_Escape);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    for (const QString &slot : JobHandOff())
        QCOMPARE(slot, QString());
}

void TestLookupDialogs::noMatchShowsHeadingsOnly()
{
    // The first list takes the filter as handed over: blanks are a filter.
    const auto dialog = open<StaffLookupDialog>(u"  "_s);
    QVERIFY(dialog);
    QCOMPARE(list(*dialog)->rowCount(), 0);
    QVERIFY(list(*dialog)->horizontalHeader()->isVisible());
    list(*dialog)->setFocus();
    QTest::keyClick(list(*dialog), Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(JobHandOff()[0], QString());
}

void TestLookupDialogs::allVendorsByTheChosenKind()
{
    VendorLookupKind() = kAllVendors;
    const auto dialog = open<VendorLookupDialog>({});
    QVERIFY(dialog);
    auto *kinds = dialog->findChild<QComboBox *>(u"cbo種類"_s);
    QVERIFY(kinds->isVisible());
    QVERIFY(!dialog->findChild<QCheckBox *>(u"chk只秀設備"_s)->isVisible());
    QCOMPARE(list(*dialog)->rowCount(), 8); // every usable vendor
    kinds->setFocus();
    for (int i = 0; i < 3; ++i) // "" -> A-印前 -> B-製版 -> C-紙品, each chosen at once
        QTest::keyClick(kinds, Qt::Key_Down);
    QCOMPARE(listed(*dialog), (QStringList{u"V03"_s, u"V09"_s}));
    list(*dialog)->setFocus();
    QTest::keyClick(list(*dialog), Qt::Key_Return);
    QCOMPARE(QStringList(JobHandOff().begin(), JobHandOff().begin() + 10),
             (QStringList{u"V03"_s, u"聯合紙業"_s, u"0"_s, {}, {}, {}, {}, {}, {}, {}}));
}

void TestLookupDialogs::tickingEquipmentRerunsAtOnce()
{
    VendorLookupKind() = u"紙品採購"_s;
    VendorEquipmentFlag() = u"設備"_s;
    const auto dialog = open<VendorLookupDialog>({});
    QVERIFY(dialog);
    QCOMPARE(listed(*dialog), (QStringList{u"V03"_s, u"V04"_s, u"V06"_s, u"V09"_s}));
    QTest::mouseClick(dialog->findChild<QCheckBox *>(u"chk只秀設備"_s), Qt::LeftButton);
    QCOMPARE(listed(*dialog), QStringList{u"V06"_s});
}

QTEST_MAIN(TestLookupDialogs)
#include "tst_lookupdialogs.moc"
