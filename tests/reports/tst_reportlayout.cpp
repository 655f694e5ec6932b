#include "common/clock.h"
#include "common/datetext.h"
#include "fakelookups.h"
#include "reports/pressschedulereport.h"
#include "reports/reportpainter.h"
#include "reports/reportpreviewdialog.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

PressScheduleRow Row(const QString &press, const QString &po, const QString &no)
{
    PressScheduleRow r;
    r.press = press;
    r.po = po;
    r.no = no;
    r.desc1 = QStringLiteral("月曆 %1-%2").arg(po, no);
    r.qty = QStringLiteral("0.167令 + 80張");
    r.color1 = QStringLiteral("4");
    return r;
}

QString TextOf(const PlacedBand &placed, const QString &name)
{
    const ReportText *t = placed.band.text(name);
    return t ? t->text : QStringLiteral("<missing %1>").arg(name);
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
    const QVector<PressScheduleRow> rows = {Row("01", "W1", "1"), Row("01", "W1", "2"),
                                            Row("02", "W0", "1")};
    return BuildPressScheduleReport(rows, QStringLiteral("大和印刷"), TodayDateShown(), lookups);
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
        QCOMPARE(TextOf(bands[0], "txt公司名稱"), QStringLiteral("大和印刷 - 印刷排程表"));
        QCOMPARE(TextOf(bands[0], "txt機別"), QStringLiteral("01"));
        QCOMPARE(TextOf(bands[4], "txt機別"), QStringLiteral("02"));
        QCOMPARE(TextOf(bands[4], "txt印表日期"), QStringLiteral("115/12/04"));
        QCOMPARE(TextOf(bands[1], "txt序"), QStringLiteral("1"));
        QCOMPARE(TextOf(bands[2], "txt序"), QStringLiteral("2"));
        QCOMPARE(TextOf(bands[5], "txt序"), QStringLiteral("3"));
        QCOMPARE(TextOf(bands[5], "PO"), QStringLiteral("W0"));
        QCOMPARE(TextOf(bands[3], "經　辦："), QStringLiteral("經　辦："));
        QCOMPARE(lookups.calls.count("plate W1/2"), 1);
    }

    void bandHeightsAndTitleFont()
    {
        FakeLookups lookups;
        const QVector<PlacedBand> bands = AllBands(TwoPresses(lookups));
        QCOMPARE(bands[0].band.height, 1575);
        QCOMPARE(bands[1].band.height, 825);
        QCOMPARE(bands[3].band.height, 615);
        const ReportText *title = bands[0].band.text("txt公司名稱");
        QVERIFY(title);
        QCOMPARE(title->rect, QRect(90, 0, 14685, 540));
        QCOMPARE(title->font, (ReportFont{QStringLiteral("標楷體"), 20}));
        QCOMPARE(bands[0].band.text("txt機別")->rect, QRect(1155, 765, 1725, 375));
        QCOMPARE(bands[0].band.text("txt機別")->font.pointSize, 14);
    }

    // Each field of the first line stands under its heading, and each heading
    // has its rule under it across its width.
    void fieldsUnderHeadings_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("width");
        QTest::newRow("序") << "序"
                            << "txt序" << 90 << 360;
        QTest::newRow("工單單號") << "工單單號"
                                  << "PO" << 495 << 990;
        QTest::newRow("印件名稱") << "印　    件    　名    　稱"
                                  << "DESC1" << 2370 << 3195;
        QTest::newRow("正色") << "正色"
                              << "COLOR1" << 6255 << 480;
        QTest::newRow("台數") << "台數"
                              << "PLAT" << 7785 << 615;
        QTest::newRow("預定日") << "預定日"
                                << "ODATE" << 10935 << 795;
        QTest::newRow("紙") << "紙"
                            << "txt紙" << 12555 << 270;
        QTest::newRow("看印") << "看印"
                              << "txt看印" << 14280 << 495;
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
        QCOMPARE(detail.text("txt令")->text, QStringLiteral("0.167令 "));
        QCOMPARE(detail.text("txt令")->rect, QRect(9360, 75, 810, 330));
        QCOMPARE(detail.text("+")->rect, QRect(10155, 30, 165, 375));
        QCOMPARE(detail.text("txt張")->text, QStringLiteral(" 80張"));
        QCOMPARE(detail.text("txt張")->rect, QRect(10305, 75, 630, 330));
        QCOMPARE(detail.text("txt用紙")->rect, QRect(6345, 435, 3210, 330));
    }

    // No entry is split, a header never ends a page, and the report fills the pages.
    void pageBreaks()
    {
        QVector<PressScheduleRow> rows;
        for (int i = 0; i < 40; ++i)
            rows.append(Row(i < 11   ? "01"
                            : i < 25 ? "02"
                                     : "03",
                            QStringLiteral("W%1").arg(i, 3, 10, QLatin1Char('0')), "1"));
        FakeLookups lookups;
        const ReportLayout layout = BuildPressScheduleReport(rows, "C", "115/12/04", lookups);
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
            QVERIFY2(y <= height, qPrintable(QStringLiteral("page %1 overflows").arg(p + 1)));
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
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed");
        FixedClock clock(QDateTime(QDate(2026, 12, 4), QTime(9, 30)));
        FakeLookups lookups;
        QTemporaryDir dir;
        const QString file = dir.filePath("schedule.pdf");
        QVERIFY(WriteReportPdf(TwoPresses(lookups), file, "t"));

        QProcess text;
        text.start("pdftotext", {"-layout", file, "-"});
        QVERIFY(text.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(out.contains(QStringLiteral("大和印刷 - 印刷排程表")), qPrintable(out));
        QVERIFY(out.contains(QStringLiteral("115/12/04")));
        QVERIFY(out.contains(QStringLiteral("月曆 W0-1")));
        QVERIFY(out.contains(QStringLiteral("0.167令")));

        QProcess info;
        info.start("pdfinfo", {file});
        QVERIFY(info.waitForFinished());
        const QString meta = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(meta.contains(QStringLiteral("842 x 595")), qPrintable(meta));
    }

    // The preview window: a window of its own, showing the report's landscape
    // pages, with its print and PDF buttons.
    void previewWindow()
    {
        QVector<PressScheduleRow> rows;
        for (int i = 0; i < 20; ++i)
            rows.append(Row("01", QStringLiteral("W%1").arg(i), "1"));
        FakeLookups lookups;
        const ReportLayout layout = BuildPressScheduleReport(rows, "C", "115/12/04", lookups);
        ReportPreviewDialog dialog(layout, "t");
        QCOMPARE(dialog.windowFlags() & Qt::WindowType_Mask, Qt::Window);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.previewWidget()->updatePreview();
        QCOMPARE(dialog.previewWidget()->pageCount(), int(layout.pages.size()));
        QCOMPARE(dialog.previewWidget()->orientation(), QPageLayout::Landscape);
        QVERIFY(dialog.findChild<QAction *>("actPrint"));
        QVERIFY(dialog.findChild<QAction *>("actSavePdf"));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestReportLayout test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_reportlayout.moc"
