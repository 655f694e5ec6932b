// plov pick as another program uses it: the lookup opens, the user picks or
// leaves, and the exit code and the printed line tell the caller what happened.
// The dialogs and the message box are real; a driver answers them.

#include "../lookups/lookupfixture.h"
#include "plovpick.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

struct Picked
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs plov pick; once a modal window of type T is up and active, act on it.
// The driver polls from whichever event loop runs, so it also reaches a box
// shown while the dialog is still being activated.
template <typename T> Picked pickWith(const QStringList &args, const std::function<void(T *)> &act)
{
    QTimer driver;
    driver.setInterval(10);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto *window = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!window || !window->isActiveWindow())
            return;
        driver.stop();
        act(window);
    });
    driver.start();
    Picked picked;
    QTextStream out(&picked.out);
    QTextStream err(&picked.err);
    picked.exitCode = PlovPick(args, out, err);
    return picked;
}

void pressOnTheList(QDialog *dialog, Qt::Key key)
{
    auto *list = dialog->findChild<QTableWidget *>(u"MSHFlexGrid1"_s);
    list->setFocus();
    QTest::keyClick(list, key);
}

} // namespace

class TestPlovPick : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_db.reset(); }

    void staffPickPrintsTheCellsOnOneLine();
    void leavingPicksNothing();
    void unreadableDatabaseShowsTheBoxAndExits2_data();
    void unreadableDatabaseShowsTheBoxAndExits2();
    void wrongCommandLines_data();
    void wrongCommandLines();

private:
    std::unique_ptr<TestDatabase> m_db;
};

void TestPlovPick::initTestCase()
{
    PLOV_REQUIRE_DATABASE();
    m_db = std::make_unique<TestDatabase>();
    AddLookupStaff(*m_db);
    AddLookupVendors(*m_db);
}

void TestPlovPick::staffPickPrintsTheCellsOnOneLine()
{
    const Picked picked = pickWith<QDialog>({u"staff"_s, m_db->target(), u"--filter"_s, u"大同"_s},
                                            [](QDialog *d) { pressOnTheList(d, Qt::Key_Return); });
    QCOMPARE(picked.exitCode, 0);
    QCOMPARE(picked.out, u"E02\t王大同\tE01\t王小明\n"_s);
}

void TestPlovPick::leavingPicksNothing()
{
    bool equipmentShown = false;
    const Picked picked = pickWith<QDialog>(
        {u"vendor"_s, m_db->target(), u"--kind"_s, u"紙品"_s, u"--equipment"_s}, [&](QDialog *d) {
            equipmentShown = d->findChild<QCheckBox *>(u"chk只秀設備"_s)->isVisible();
            pressOnTheList(d, Qt::Key_Escape);
        });
    QCOMPARE(picked.exitCode, 1);
    QCOMPARE(picked.out, QString());
    QVERIFY(equipmentShown);
}

void TestPlovPick::unreadableDatabaseShowsTheBoxAndExits2_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("title");
    QTest::newRow("staff") << u"staff"_s << u"取得所有業務員資料錯誤"_s;
    QTest::newRow("vendor") << u"vendor"_s << u"依類別取得廠商資料錯誤"_s;
}

void TestPlovPick::unreadableDatabaseShowsTheBoxAndExits2()
{
    QFETCH(QString, subject);
    QFETCH(QString, title);
    QTemporaryDir dir;
    QString shownTitle;
    const Picked picked =
        pickWith<QMessageBox>({subject, dir.filePath(u"none.mdb"_s)}, [&](QMessageBox *box) {
            shownTitle = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
    QCOMPARE(shownTitle, title);
    QCOMPARE(picked.exitCode, 2);
    QCOMPARE(picked.out, QString());
}

void TestPlovPick::wrongCommandLines_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no database") << QStringList{u"staff"_s};
    QTest::newRow("vendor option for staff")
        << QStringList{u"staff"_s, u"x.mdb"_s, u"--equipment"_s};
    QTest::newRow("option without value") << QStringList{u"vendor"_s, u"x.mdb"_s, u"--kind"_s};
}

void TestPlovPick::wrongCommandLines()
{
    QFETCH(QStringList, args);
    QString err;
    QTextStream errStream(&err);
    QTextStream out(stdout);
    QCOMPARE(PlovPick(args, out, errStream), 2);
    QVERIFY(err.contains(u"usage:"_s));
}

QTEST_MAIN(TestPlovPick)
#include "tst_plovpick.moc"
