// The staff lookup driven as a user drives it, over its caller.

#include "common/handoff.h"
#include "common/messagebox.h"
#include "lookupfixture.h"
#include "lookups/stafflookup.h"
#include "startup/sessionsettings.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QStringList listedCodes(const QTableWidget *grid)
{
    QStringList codes;
    for (int r = 0; r < grid->rowCount(); ++r)
        codes.append(grid->item(r, 0)->text());
    return codes;
}

QStringList handedBack(int count)
{
    QStringList cells;
    for (int i = 0; i < count; ++i)
        cells.append(JobHandOff()[i]);
    return cells;
}

} // namespace

class TestStaffLookup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_db.reset(); }
    void init();

    void enterPicksFromTheFilteredListOverTheCaller();
    void refillKeepsTheRowOrFallsBackToTheLast();
    void rightClickHandsBackEveryCell();
    void escHandsBackNothing();
    void noMatchShowsHeadingsOnly();
    void unreadableDatabaseShowsTheError();

private:
    // The dialog shown and activated, its first list loaded.
    std::unique_ptr<StaffLookupDialog> openDialog(const QString &filter);
    void refill(StaffLookupDialog &dialog, const QString &filter);
    static QTableWidget *grid(QWidget &d) { return d.findChild<QTableWidget *>(u"MSHFlexGrid1"_s); }

    std::unique_ptr<TestDatabase> m_db;
};

void TestStaffLookup::initTestCase()
{
    PLOV_REQUIRE_DATABASE();
    m_db = std::make_unique<TestDatabase>();
    AddLookupStaff(*m_db);
}

void TestStaffLookup::init()
{
    Session().ConnectionString = m_db->connectionString();
    for (QString &slot : JobHandOff())
        slot = u"old"_s;
}

std::unique_ptr<StaffLookupDialog> TestStaffLookup::openDialog(const QString &filter)
{
    LookupFilterText() = filter;
    auto dialog = std::make_unique<StaffLookupDialog>(nullptr);
    dialog->show();
    if (!QTest::qWaitForWindowActive(dialog.get()))
        return nullptr;
    return dialog;
}

void TestStaffLookup::refill(StaffLookupDialog &dialog, const QString &filter)
{
    auto *box = dialog.findChild<QLineEdit *>(u"txt篩選"_s);
    box->setText(filter); // keyClicks types ASCII only
    QTest::keyClick(box, Qt::Key_Return);
}

void TestStaffLookup::enterPicksFromTheFilteredListOverTheCaller()
{
    QWidget caller;
    caller.setGeometry(100, 100, 900, 600);
    caller.show();
    QVERIFY(QTest::qWaitForWindowActive(&caller));
    LookupFilterText() = u"王"_s;
    QStringList listed;
    QPoint place;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<StaffLookupDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QTRY_VERIFY(grid(*dialog)->rowCount() > 0);
        listed = listedCodes(grid(*dialog));
        place = dialog->pos();
        QTest::keyClick(grid(*dialog), Qt::Key_Down);
        QTest::keyClick(grid(*dialog), Qt::Key_Return);
    });
    OpenStaffLookup(&caller);
    QCOMPARE(listed, (QStringList{u"E01"_s, u"E02"_s}));
    QCOMPARE(handedBack(5), (QStringList{u"E02"_s, u"王大同"_s, u"E01"_s, u"王小明"_s, u""_s}));
    QVERIFY2(place.y() > caller.y(), "opens below the caller's top");
}

void TestStaffLookup::refillKeepsTheRowOrFallsBackToTheLast()
{
    const auto dialog = openDialog({});
    QVERIFY(dialog);
    QTableWidget *list = grid(*dialog);
    QCOMPARE(listedCodes(list), (QStringList{u"E01"_s, u"E02"_s, u"E03"_s, u"E06"_s, u"E07"_s}));
    QVERIFY(list->isColumnHidden(2) && list->isColumnHidden(3));
    list->setCurrentCell(2, 0);
    refill(*dialog, u"E0"_s);
    QCOMPARE(list->currentRow(), 2);
    refill(*dialog, u"王"_s);
    QCOMPARE(listedCodes(list), (QStringList{u"E01"_s, u"E02"_s}));
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
}

void TestStaffLookup::rightClickHandsBackEveryCell()
{
    const auto dialog = openDialog(u"陳"_s);
    QVERIFY(dialog);
    QTableWidget *list = grid(*dialog);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(0, 0)).center());
    QVERIFY(!dialog->isVisible());
    QCOMPARE(handedBack(5), (QStringList{u"E03"_s, u"陳志明"_s, u""_s, u""_s, u""_s}));
}

void TestStaffLookup::escHandsBackNothing()
{
    const auto dialog = openDialog(u"王"_s);
    QVERIFY(dialog);
    QTest::keyClick(grid(*dialog), Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    for (const QString &slot : JobHandOff())
        QCOMPARE(slot, QString());
}

void TestStaffLookup::noMatchShowsHeadingsOnly()
{
    // The first list takes the filter as handed over: blanks are a filter.
    const auto dialog = openDialog(u"  "_s);
    QVERIFY(dialog);
    QTableWidget *list = grid(*dialog);
    QCOMPARE(list->rowCount(), 0);
    QVERIFY(list->horizontalHeader()->isVisible());
    QCOMPARE(list->horizontalHeaderItem(1)->text(), u"業務員名稱"_s);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(JobHandOff()[0], QString());
}

void TestStaffLookup::unreadableDatabaseShowsTheError()
{
    const auto dialog = openDialog(u"王"_s);
    QVERIFY(dialog);
    QTemporaryDir dir;
    Session().ConnectionString =
        u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1"_s.arg(dir.filePath(u"none.mdb"_s));
    ScriptedMessageService boxes;
    dialog->findChild<QPushButton *>(u"scmd確定"_s)->click();
    QCOMPARE(boxes.shown().size(), 1);
    QCOMPARE(boxes.shown().first().title, u"取得所有業務員資料錯誤"_s);
    QCOMPARE(boxes.shown().first().icon, MessageService::Icon::Critical);
    QVERIFY(!boxes.shown().first().text.isEmpty());
    QCOMPARE(listedCodes(grid(*dialog)), (QStringList{u"E01"_s, u"E02"_s})); // kept
    QVERIFY(dialog->loadFailed());
}

QTEST_MAIN(TestStaffLookup)
#include "tst_stafflookup.moc"
