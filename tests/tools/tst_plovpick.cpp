// plov pick as another program uses it: the lookup opens, the user picks or
// leaves, and the exit code and the printed line tell the caller what happened.
// The dialogs and the message box are real; a driver answers them.

#include "common/handoff.h"
#include "lookups/vendorlist.h"
#include "modaldriver.h"
#include "plovpick.h"
#include "testdatabase.h"
#include "testtables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;

class TestPlovPick : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;

private slots:
    void initTestCase()
    {
        PLOV_REQUIRE_DATABASE();
        m_db = std::make_unique<TestDatabase>(TestDatabase::Content::Demo);
    }
    void cleanupTestCase() { m_db.reset(); }

    void pick_data()
    {
        // The command line after "pick" (DB stands for the test database); the
        // controls shown beside the filter box; 設備 ticked or a kind of work chosen
        // first, then a key pressed on the list; the exit code; the line printed, or
        // the title of the box shown.
        AddColumns<QStringList, QString, QString, int, int, QString>("args", "controls", "choose",
                                                                     "key", "exitCode", "seen");
        const QString equipment =
            u"V013\t德聯機械\t5\t02-8990-6600\t范工程師\t02-8990-6601\t印刷機保養\t"
            u"新北市新莊區五工路 120 號\t月結 30 天\n"_s;
        const QString paper = u"V003\t聯合紙業\t5\t02-2268-7788\t楊經理\t02-2268-7789\t\t"
                              u"新北市土城區中央路四段 12 號\t月結 30 天\n"_s;
        const QString none = u"/nonexistent/none.mdb"_s;
        const int enter = Qt::Key_Return;
        // clang-format off
        QTest::newRow("staff picked") << QStringList{u"staff"_s, u"DB"_s, u"--filter"_s, u"林美華"_s} << QString() << QString() << enter << 0 << u"E002\t林美華\tE001\t王小明\n"_s;
        QTest::newRow("equipment ticked, vendor picked") << QStringList{u"vendor"_s, u"DB"_s, u"--kind"_s, u"紙品採購"_s, u"--equipment"_s} << u"設備"_s << u"設備"_s << enter << 0 << equipment;
        QTest::newRow("所有廠商 by C-紙品") << QStringList{u"vendor"_s, u"DB"_s, u"--kind"_s, kAllVendors} << u"種類"_s << u"C-紙品"_s << enter << 0 << paper;
        QTest::newRow("Esc") << QStringList{u"vendor"_s, u"DB"_s, u"--kind"_s, u"紙品"_s} << QString() << QString() << int(Qt::Key_Escape) << 1 << QString();
        QTest::newRow("blanks match nobody") << QStringList{u"staff"_s, u"DB"_s, u"--filter"_s, u"  "_s} << QString() << QString() << enter << 1 << QString();
        QTest::newRow("staff unreadable") << QStringList{u"staff"_s, none} << QString() << QString() << enter << 2 << u"取得所有業務員資料錯誤"_s;
        QTest::newRow("vendors unreadable") << QStringList{u"vendor"_s, none} << QString() << QString() << enter << 2 << u"依類別取得廠商資料錯誤"_s;
        QTest::newRow("usage: no database") << QStringList{u"staff"_s} << QString() << QString() << enter << 2 << QString();
        QTest::newRow("usage: vendor option for staff") << QStringList{u"staff"_s, u"DB"_s, u"--equipment"_s} << QString() << QString() << enter << 2 << QString();
        QTest::newRow("usage: option without value") << QStringList{u"vendor"_s, u"DB"_s, u"--kind"_s} << QString() << QString() << enter << 2 << QString();
        // clang-format on
    }
    void pick()
    {
        const QString choose = Fetch<QString>("choose");
        JobHandOff().fill(u"old"_s);
        QString out, err, boxTitle, shown;
        const auto driver = WhenModal<QDialog>([&](QDialog *dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
                boxTitle = box->windowTitle();
                box->button(QMessageBox::Ok)->click();
                return;
            }
            auto *equipment = dialog->findChild<QCheckBox *>(u"chk只秀設備"_s);
            auto *kinds = dialog->findChild<QComboBox *>(u"cbo種類"_s);
            shown = QString(equipment && equipment->isVisible() ? u"設備"_s : QString()) +
                    (kinds && kinds->isVisible() ? u"種類"_s : QString());
            if (choose == u"設備"_s)
                QTest::mouseClick(equipment, Qt::LeftButton);
            else
                for (int i = 0; !choose.isEmpty() && i < kinds->count(); ++i)
                    if (kinds->currentText() != choose) // each choice lists at once
                        QTest::keyClick(kinds, Qt::Key_Down);
            auto *list = dialog->findChild<QTableWidget *>(u"MSHFlexGrid1"_s);
            list->setFocus();
            QTest::keyClick(list, Qt::Key(Fetch<int>("key")));
            if (dialog->isVisible()) { // the key should have closed it
                shown += u" still open"_s;
                dialog->reject();
            }
        });
        QTextStream outStream(&out), errStream(&err);
        QStringList args = Fetch<QStringList>("args");
        args.replaceInStrings(QRegularExpression(u"^DB$"_s), m_db->target());
        const int exitCode = PlovPick(args, outStream, errStream);
        QTEST(exitCode, "exitCode");
        QTEST(out + boxTitle, "seen");
        QTEST(shown, "controls");
        QCOMPARE(err.startsWith(u"usage:"_s), exitCode == 2 && boxTitle.isEmpty());
        // Leaving hands back nothing at all.
        if (exitCode == 1)
            QCOMPARE(QStringList(JobHandOff().begin(), JobHandOff().end()).join(QString()),
                     QString());
    }
};

QTEST_MAIN(TestPlovPick)
#include "tst_plovpick.moc"
