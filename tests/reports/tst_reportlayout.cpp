#include "common/clock.h"
#include "common/datetext.h"
#include "fakelookups.h"
#include "report_engine/reportpainter.h"
#include "report_engine/reportpreviewdialog.h"
#include "reports/pressschedulereport.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

PressScheduleRow Row(const QString &press, const QString &po, const QString &no)
{
    PressScheduleRow r;
    r.press = press;
    r.po = po;
    r.no = no;
    r.desc1 = u"月曆 %1-%2"_s.arg(po, no);
    r.qty = u"0.167令 + 80張"_s;
    r.color1 = u"4"_s;
    return r;
}

QString TextOf(const PlacedBand &placed, const QString &name)
{
    const ReportText *t = placed.band.text(name);
    return t ? t->text : u"<missing %1>"_s.arg(name);
}

QVector<PlacedBand> AllBands(const ReportLayout &layout)
{
    QVector<PlacedBand> all;
    for (const ReportPage &page : layout.pages)
        all += page.bands;
    return all;
}

ReportLayout TwoPresses(FakeLookups &lookups)
{
    const QVector<PressScheduleRow> rows = {Row(u"01"_s, u"W1"_s, u"1"_s),
                                            Row(u"01"_s, u"W1"_s, u"2"_s),
                                            Row(u"02"_s, u"W0"_s, u"1"_s)};
    return BuildPressScheduleReport(rows, u"大和印刷"_s, TodayDateShown(), lookups);
}

} // namespace

// The press schedule as a layout: groups, texts and positions, pages, and the PDF.
class TestReportLayout : public QObject
{
    Q_OBJECT

private slots:
    void groupsPerPressWithRunningCounter()
    {
        FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(9, 30)));
        FakeLookups lookups;
        const QVector<PlacedBand> bands = AllBands(TwoPresses(lookups));
        using K = ReportBand::Kind;
        QVector<K> kinds;
        for (const PlacedBand &b : bands)
            kinds.append(b.band.kind);
        QCOMPARE(kinds, QVector<K>({K::GroupHeader, K::Detail, K::Detail, K::GroupFooter,
                                    K::GroupHeader, K::Detail, K::GroupFooter}));
        QCOMPARE(TextOf(bands[0], u"txt公司名稱"_s), u"大和印刷 - 印刷排程表"_s);
        QCOMPARE(TextOf(bands[0], u"txt機別"_s), u"01"_s);
        QCOMPARE(TextOf(bands[4], u"txt機別"_s), u"02"_s);
        QCOMPARE(TextOf(bands[4], u"txt印表日期"_s), u"115/12/04"_s);
        QCOMPARE(TextOf(bands[1], u"txt序"_s), u"1"_s);
        QCOMPARE(TextOf(bands[2], u"txt序"_s), u"2"_s);
        QCOMPARE(TextOf(bands[5], u"txt序"_s), u"3"_s);
        QCOMPARE(TextOf(bands[5], u"PO"_s), u"W0"_s);
        QCOMPARE(TextOf(bands[3], u"經　辦："_s), u"經　辦："_s);
        QCOMPARE(lookups.calls.count(u"plate W1/2"_s), 1);
    }

    void bandHeightsAndTitleFont()
    {
        FakeLookups lookups;
        const QVector<PlacedBand> bands = AllBands(TwoPresses(lookups));
        QCOMPARE(bands[0].band.height, 1575);
        QCOMPARE(bands[1].band.height, 825);
        QCOMPARE(bands[3].band.height, 615);
        const ReportText *title = bands[0].band.text(u"txt公司名稱"_s);
        QVERIFY(title);
        QCOMPARE(title->rect, QRect(90, 0, 14685, 540));
        QCOMPARE(title->font, (ReportFont{u"標楷體"_s, 20}));
        QCOMPARE(bands[0].band.text(u"txt機別"_s)->rect, QRect(1155, 765, 1725, 375));
        QCOMPARE(bands[0].band.text(u"txt機別"_s)->font.pointSize, 14);
    }

    // Each field of the first line stands under its heading, and each heading
    // has its rule under it across its width.
    void fieldsUnderHeadings_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("width");
        QTest::newRow("序") << u"序"_s << u"txt序"_s << 90 << 360;
        QTest::newRow("工單單號") << u"工單單號"_s << u"PO"_s << 495 << 990;
        QTest::newRow("印件名稱") << u"印　    件    　名    　稱"_s << u"DESC1"_s << 2370 << 3195;
        QTest::newRow("正色") << u"正色"_s << u"COLOR1"_s << 6255 << 480;
        QTest::newRow("台數") << u"台數"_s << u"PLAT"_s << 7785 << 615;
        QTest::newRow("預定日") << u"預定日"_s << u"ODATE"_s << 10935 << 795;
        QTest::newRow("紙") << u"紙"_s << u"txt紙"_s << 12555 << 270;
        QTest::newRow("看印") << u"看印"_s << u"txt看印"_s << 14280 << 495;
    }
    void fieldsUnderHeadings()
    {
        QFETCH(QString, heading);
        QFETCH(QString, field);
        QFETCH(int, left);
        QFETCH(int, width);
        FakeLookups lookups;
        const QVector<PlacedBand> bands = AllBands(TwoPresses(lookups));
        const ReportText *h = bands[0].band.text(heading);
        QVERIFY(h);
        QCOMPARE(h->rect, QRect(left, 1230, width, 330));
        QCOMPARE(h->font.pointSize, 11);
        bool ruled = false;
        for (const ReportLine &l : bands[0].band.lines)
            ruled |= l.from == QPoint(left, 1560) && l.to == QPoint(left + width, 1560);
        QVERIFY(ruled);
        const ReportText *f = bands[1].band.text(field);
        QVERIFY(f);
        QCOMPARE(f->rect.left(), left);
        QCOMPARE(f->rect.width(), width);
    }

    void quantityAroundPlusLabel()
    {
        FakeLookups lookups;
        const QVector<PlacedBand> bands = AllBands(TwoPresses(lookups));
        const ReportBand &detail = bands[1].band;
        QCOMPARE(detail.text(u"txt令"_s)->text, u"0.167令 "_s);
        QCOMPARE(detail.text(u"txt令"_s)->rect, QRect(9360, 75, 810, 330));
        QCOMPARE(detail.text(u"+"_s)->rect, QRect(10155, 30, 165, 375));
        QCOMPARE(detail.text(u"txt張"_s)->text, u" 80張"_s);
        QCOMPARE(detail.text(u"txt張"_s)->rect, QRect(10305, 75, 630, 330));
        QCOMPARE(detail.text(u"txt用紙"_s)->rect, QRect(6345, 435, 3210, 330));
    }

    // No entry is split, a header never ends a page, and the report fills the pages.
    void pageBreaks()
    {
        QVector<PressScheduleRow> rows;
        for (int i = 0; i < 40; ++i)
            rows.append(Row(i < 11   ? u"01"_s
                            : i < 25 ? u"02"_s
                                     : u"03"_s,
                            u"W%1"_s.arg(i, 3, 10, QLatin1Char('0')), u"1"_s));
        FakeLookups lookups;
        const ReportLayout layout = BuildPressScheduleReport(rows, u"C"_s, u"115/12/04"_s, lookups);
        const int height = layout.setup.printableHeight();
        QCOMPARE(height, 11906 - 300 - 200);
        int details = 0;
        for (qsizetype p = 0; p < layout.pages.size(); ++p) {
            const QVector<PlacedBand> &bands = layout.pages[p].bands;
            QVERIFY(!bands.isEmpty());
            int y = 0;
            for (const PlacedBand &b : bands) {
                QCOMPARE(b.top, y);
                y += b.band.height;
                details += b.band.kind == ReportBand::Kind::Detail;
            }
            QVERIFY2(y <= height, qPrintable(u"page %1 overflows"_s.arg(p + 1)));
            QVERIFY(bands.last().band.kind != ReportBand::Kind::GroupHeader);
            // A page was only broken because the next band (with the entry a
            // header keeps) would not fit.
            if (p + 1 < layout.pages.size()) {
                const ReportBand &next = layout.pages[p + 1].bands.first().band;
                int needed = next.height;
                if (next.keepWithNext)
                    needed += layout.pages[p + 1].bands.at(1).band.height;
                QVERIFY(y + needed > height);
            }
        }
        QCOMPARE(details, 40);
    }

    void paginateKeepsHeaderWithEntry()
    {
        ReportBand header{ReportBand::Kind::GroupHeader, 300, true, {}, {}};
        ReportBand detail{ReportBand::Kind::Detail, 400, false, {}, {}};
        const QVector<ReportPage> pages = PaginateBands({detail, detail, header, detail}, 1000);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0].bands.size(), 2);
        QCOMPARE(pages[1].bands.first().band.kind, ReportBand::Kind::GroupHeader);
        QCOMPARE(pages[1].bands.last().top, 300);
    }

    void pdfTextAndLandscapePage()
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext is not installed");
        FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(9, 30)));
        FakeLookups lookups;
        QTemporaryDir dir;
        const QString file = dir.filePath(u"schedule.pdf"_s);
        QVERIFY(WriteReportPdf(TwoPresses(lookups), file, u"t"_s));

        QProcess text;
        text.start(u"pdftotext"_s, {u"-layout"_s, file, u"-"_s});
        QVERIFY(text.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(out.contains(u"大和印刷 - 印刷排程表"_s), qPrintable(out));
        QVERIFY(out.contains(u"115/12/04"_s));
        QVERIFY(out.contains(u"月曆 W0-1"_s));
        QVERIFY(out.contains(u"0.167令"_s));

        QProcess info;
        info.start(u"pdfinfo"_s, {file});
        QVERIFY(info.waitForFinished());
        const QString meta = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(meta.contains(u"842 x 595"_s), qPrintable(meta));
    }

    // The preview window: a window of its own, showing the report's landscape
    // pages, with its print and PDF buttons.
    void previewWindow()
    {
        QVector<PressScheduleRow> rows;
        for (int i = 0; i < 20; ++i)
            rows.append(Row(u"01"_s, u"W%1"_s.arg(i), u"1"_s));
        FakeLookups lookups;
        const ReportLayout layout = BuildPressScheduleReport(rows, u"C"_s, u"115/12/04"_s, lookups);
        ReportPreviewDialog dialog(layout, u"t"_s);
        QCOMPARE(dialog.windowFlags() & Qt::WindowType_Mask, Qt::Window);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.previewWidget()->updatePreview();
        QCOMPARE(dialog.previewWidget()->pageCount(), int(layout.pages.size()));
        QCOMPARE(dialog.previewWidget()->orientation(), QPageLayout::Landscape);
        QVERIFY(dialog.findChild<QAction *>(u"actPrint"_s));
        QVERIFY(dialog.findChild<QAction *>(u"actSavePdf"_s));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestReportLayout test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_reportlayout.moc"
