// What the lookups list, read from the demo shop as the dialogs read it, and
// where they open; the staff lookup driven as a user drives it over the form that
// called it. The vendor lookup's own controls are driven through plov pick.

#include "common/colournumber.h"
#include "common/handoff.h"
#include "lookups/lookupplacement.h"
#include "lookups/stafflist.h"
#include "lookups/stafflookup.h"
#include "lookups/vendorlist.h"
#include "modaldriver.h"
#include "startup/sessionsettings.h"
#include "testdatabase.h"
#include "testtables.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

using namespace Qt::StringLiterals;

class TestLookups : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;

    static QStringList codes(const LookupRows &rows)
    {
        QStringList codes;
        for (const QStringList &row : rows.rows)
            codes.append(row.first());
        return codes;
    }

private slots:
    void initTestCase()
    {
        PLOV_REQUIRE_DATABASE();
        m_db = std::make_unique<TestDatabase>(TestDatabase::Content::Demo);
    }
    void cleanupTestCase() { m_db.reset(); }

    void lists_data()
    {
        // The staff when the kind is "staff", else the vendors of the kind: the codes
        // listed, and whether the vendors' filter box is emptied.
        AddColumns<QString, QString, bool, QString, QStringList, bool>(
            "kind", "filter", "equipment", "work", "listed", "clearBox");
        const QString staff = u"staff"_s;
        const QStringList usable{u"V001"_s, u"V002"_s, u"V003"_s, u"V004"_s, u"V005"_s,
                                 u"V006"_s, u"V007"_s, u"V008"_s, u"V009"_s, u"V010"_s,
                                 u"V011"_s, u"V013"_s, u"V014"_s};
        // clang-format off
        QTest::newRow("staff: everyone current outside 運送部") << staff << u""_s << false << u""_s << QStringList{u"E001"_s, u"E002"_s, u"E003"_s, u"E004"_s, u"E005"_s, u"E006"_s, u"E009"_s, u"E010"_s, u"E011"_s, u"E012"_s, u"E013"_s, u"E014"_s} << false;
        QTest::newRow("staff: same surname") << staff << u"王"_s << false << u""_s << QStringList{u"E001"_s, u"E012"_s} << false;
        QTest::newRow("staff: by code") << staff << u"E003"_s << false << u""_s << QStringList{u"E003"_s} << false;
        QTest::newRow("staff: apostrophe") << staff << u"O'N"_s << false << u""_s << QStringList{u"E014"_s} << false;
        QTest::newRow("staff: _ is any character") << staff << u"王_明"_s << false << u""_s << QStringList{u"E001"_s} << false;
        QTest::newRow("staff: % is any text") << staff << u"王%豪"_s << false << u""_s << QStringList{u"E012"_s} << false;
        QTest::newRow("staff: blanks are a filter") << staff << u"  "_s << false << u""_s << QStringList() << false;
        QTest::newRow("no kind") << u""_s << u""_s << false << u""_s << usable << false;
        QTest::newRow("unknown kind") << u"雜工"_s << u""_s << false << u""_s << usable << false;
        QTest::newRow("印前") << u"印前"_s << u""_s << false << u""_s << QStringList{u"V004"_s, u"V007"_s} << false;
        QTest::newRow("紙品") << u"紙品"_s << u""_s << false << u""_s << QStringList{u"V003"_s, u"V011"_s} << false;
        QTest::newRow("印刷, one suspended") << u"印刷"_s << u""_s << false << u""_s << QStringList{u"V008"_s} << false;
        QTest::newRow("裁工") << u"裁工"_s << u""_s << false << u""_s << QStringList{u"V002"_s} << false;
        QTest::newRow("其他") << u"其他"_s << u""_s << false << u""_s << QStringList{u"V013"_s} << false;
        QTest::newRow("紙品採購: paper, mounting or other") << u"紙品採購"_s << u""_s << false << u""_s << QStringList{u"V003"_s, u"V011"_s, u"V013"_s, u"V014"_s} << false;
        QTest::newRow("filter with an apostrophe") << u"紙品採購"_s << u"Nature's"_s << false << u""_s << QStringList{u"V014"_s} << false;
        QTest::newRow("filter by name") << u"紙品"_s << u"台北"_s << false << u""_s << QStringList{u"V011"_s} << false;
        QTest::newRow("filter matches none") << u"紙品"_s << u"沒有"_s << false << u""_s << QStringList{u"V003"_s, u"V011"_s} << true;
        QTest::newRow("suspended by name") << u""_s << u"老張"_s << false << u""_s << usable << true;
        QTest::newRow("所有廠商, everyone") << kAllVendors << u""_s << false << u""_s << usable << false;
        QTest::newRow("所有廠商, none chosen") << kAllVendors << u"印"_s << false << u""_s << QStringList{u"V007"_s, u"V008"_s} << false;
        QTest::newRow("所有廠商, no match keeps the box") << kAllVendors << u"沒有"_s << false << u"C-紙品"_s << QStringList{u"V003"_s, u"V011"_s} << false;
        QTest::newRow("所有廠商, equipment") << kAllVendors << u""_s << true << u"N-其它"_s << QStringList{u"V013"_s} << false;
        // clang-format on
    }
    void lists()
    {
        const QString db = m_db->connectionString(), kind = Fetch<QString>("kind"),
                      filter = Fetch<QString>("filter");
        const VendorRows rows = kind == u"staff"
                                    ? VendorRows{ReadStaffList(db, filter), false}
                                    : ReadVendorList(db, {kind, filter, Fetch<bool>("equipment"),
                                                          Fetch<QString>("work")});
        QCOMPARE(rows.error, std::nullopt);
        QTEST(codes(rows), "listed");
        QTEST(rows.clearFilterBox, "clearBox");
    }

    void origin_data()
    {
        AddColumns<QRect, QPoint>("caller", "origin");
        // Screen 19200 x 14400 twips; the dialog 4590 x 6660.
        // clang-format off
        QTest::newRow("against the caller") << QRect(1000, 500, 12000, 9000) << QPoint(8210, 1800);
        QTest::newRow("caller too narrow: centred across") << QRect(0, 500, 4000, 9000) << QPoint(7305, 1800);
        QTest::newRow("caller high up: centred down") << QRect(1000, -1300, 12000, 9000) << QPoint(8210, 3660);
        // clang-format on
    }
    void origin()
    {
        QTEST(LookupOrigin(Fetch<QRect>("caller"), QSize(4590, 6660), QSize(19200, 14400)),
              "origin");
    }

    // The list opens over its caller with the filter handed over. A refill keeps the
    // row that was current, or takes the last row of a shorter list; a filter that
    // matches nobody leaves the headings only. A right click picks the row under the
    // mouse with every cell, hidden ones too.
    void filterRefillAndPick()
    {
        Session().ConnectionString = m_db->connectionString();
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

QTEST_MAIN(TestLookups)
#include "tst_lookups.moc"
