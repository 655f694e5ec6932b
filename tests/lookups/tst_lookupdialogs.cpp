// The staff lookup driven as a user drives it over the form that called it, on
// the demo shop. The vendor lookup's own controls are driven through plov pick.

#include "common/colournumber.h"
#include "common/handoff.h"
#include "lookups/stafflookup.h"
#include "modaldriver.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLookupDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PLOV_REQUIRE_DATABASE(); }

    // The list opens over its caller with the filter handed over. A refill keeps the
    // row that was current, or takes the last row of a shorter list; a filter that
    // matches nobody leaves the headings only. A right click picks the row under the
    // mouse with every cell, hidden ones too.
    void filterRefillAndPick()
    {
        TestDatabase db(TestDatabase::Content::Demo);
        Session().ConnectionString = db.connectionString();
        QWidget caller;
        caller.setGeometry(100, 100, 900, 600);
        caller.show();
        QVERIFY(QTest::qWaitForWindowActive(&caller));
        LookupFilterText() = u"E00"_s;
        SetColours(Session());
        QStringList seen;
        QSet<QRgb> headingColours;
        const auto driver = WhenModal<QDialog>([&](QDialog *dialog) {
            auto *grid = dialog->findChild<QTableWidget *>(u"MSHFlexGrid1"_s);
            for (int r = 0; r < grid->rowCount(); ++r)
                seen << grid->item(r, 0)->text();
            // Against the caller's right edge, where the screen's centre would not put it.
            seen << QString::number(dialog->x() > caller.geometry().center().x())
                 << QString::number(grid->isColumnHidden(2) && grid->isColumnHidden(3));
            // The heading row is flat Color3 from top to bottom, beside its text.
            const QImage heading = grid->horizontalHeader()->grab().toImage();
            for (int y = 1; y < heading.height() - 2; ++y)
                headingColours.insert(heading.pixel(1, y));
            grid->setCurrentCell(2, 0);
            for (const QString &filter : {u"E0"_s, u"王"_s, u"沒有"_s, u"林"_s}) {
                auto *box = dialog->findChild<QLineEdit *>(u"txt篩選"_s);
                box->setText(filter); // keyClicks types ASCII only
                QTest::keyClick(box, Qt::Key_Return);
                seen << QString::number(grid->currentRow()) + u'/' +
                            QString::number(grid->selectionModel()->selectedRows().size()) + u'/' +
                            QString::number(grid->horizontalHeader()->isVisible());
            }
            const QRect row = grid->visualItemRect(grid->item(0, 0));
            QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, row.center());
            if (dialog->isVisible()) // the pick should have closed it
                dialog->reject();
        });
        OpenStaffLookup(&caller);
        QCOMPARE(headingColours, QSet<QRgb>{ColourFromNumberText(Session().Color3).rgb()});
        QCOMPARE(seen, (QStringList{u"E001"_s, u"E002"_s, u"E003"_s, u"E004"_s, u"E005"_s,
                                    u"E006"_s, u"E009"_s, u"1"_s, u"1"_s, u"2/1/1"_s, u"1/1/1"_s,
                                    u"-1/0/1"_s, u"0/1/1"_s}));
        QCOMPARE(QStringList(JobHandOff().begin(), JobHandOff().begin() + 5),
                 (QStringList{u"E002"_s, u"林美華"_s, u"E001"_s, u"王小明"_s, u""_s}));
    }
};

QTEST_MAIN(TestLookupDialogs)
#include "tst_lookupdialogs.moc"
