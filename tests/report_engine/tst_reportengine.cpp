#include "report_engine/reportpainter.h"
#include "report_engine/reportpreviewdialog.h"
#include "report_engine/reportpreviewer.h"
#include "testtables.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Bands written as letters: H a group header (kept with the next band, opening
// further pages of its group with C), D an entry, N an entry that starts a page,
// L a group's last entry (kept with the next band), F a group footer. Heights:
// H 3, C 2, F 1, the others 2.
QVector<ReportBand> Bands(const QString &letters)
{
    using K = ReportBand::Kind;
    const QHash<QChar, K> kinds{{u'H', K::GroupHeader}, {u'F', K::GroupFooter}};
    const QHash<QChar, int> heights{{u'H', 3}, {u'F', 1}};
    const auto continuation = std::make_shared<const ReportBand>(
        ReportBand{K::GroupHeader, 2, false, {{u"C"_s, {}, {}, {}}}, {}, {}});
    QVector<ReportBand> bands;
    for (const QChar c : letters) {
        bands.append({kinds.value(c, K::Detail),
                      heights.value(c, 2),
                      c == u'H' || c == u'L',
                      {{QString(c), {}, {}, {}}},
                      {},
                      c == u'H' ? continuation : nullptr,
                      {},
                      c == u'N'});
    }
    return bands;
}

// Letters 100 wide, CJK characters 200, half a character nothing.
qreal Advance(const QString &text)
{
    qreal width = 0;
    for (const char32_t c : text.toUcs4())
        width += c == 0xFFFD ? 0 : c >= 0x2E80 ? 200 : 100;
    return width;
}

// One group of entries on A4 landscape; twelve fill the report's own page.
ReportLayout OneGroup(int entries)
{
    using K = ReportBand::Kind;
    const auto text = [](const QString &t) {
        return ReportText{t, QRect(90, 0, 3000, 330), t, ReportFont{u"新細明體"_s, 10}};
    };
    QVector<ReportBand> bands{{K::GroupHeader, 1000, true, {text(u"header"_s)}, {}, {}}};
    for (int i = 1; i <= entries; ++i)
        bands.append({K::Detail, 800, i == entries, {text(u"entry %1"_s.arg(i))}, {}, {}});
    bands.append({K::GroupFooter, 600, false, {text(u"sign-off"_s)}, {}, {}});
    return {{QSize(16838, 11906), 400, 300, 300, 200, true}, bands};
}

// What a poppler tool says of a PDF file.
QString Poppler(const QString &tool, const QStringList &arguments)
{
    QProcess p;
    p.start(tool, arguments);
    return p.waitForFinished() ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

} // namespace

// Bands placed on pages, text set in its box, and the report on paper: on the
// page the device offers, and through the preview's print button with the
// pages, copies and printer the print dialog names.
class TestReportEngine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void pages_data()
    {
        AddColumns<QString, int, QString>("bands", "height", "pages");
        // clang-format off
        QTest::newRow("one page") << u"HDLF"_s << 8 << u"HDLF"_s;
        QTest::newRow("a group goes on under its press line") << u"HDDDLF"_s << 10 << u"HDDD|CLF"_s;
        QTest::newRow("header kept with its first entry") << u"DDDHLF"_s << 10 << u"DDD|HLF"_s;
        QTest::newRow("strip kept with the last entry") << u"HDDLF"_s << 8 << u"HDD|CLF"_s;
        QTest::newRow("a new group opens with its own header") << u"HLFHLF"_s << 8 << u"HLF|HLF"_s;
        QTest::newRow("after a footer nothing carries over") << u"HLFDD"_s << 7 << u"HLF|DD"_s;
        QTest::newRow("a band taller than the page") << u"DHD"_s << 2 << u"D|H|CD"_s;
        QTest::newRow("bands that start a page") << u"DNDN"_s << 10 << u"D|ND|N"_s;
        QTest::newRow("the first band starts no empty page") << u"NDHLF"_s << 10 << u"NDHLF"_s;
        // clang-format on
    }
    void pages()
    {
        QStringList pages;
        for (const ReportPage &page :
             PaginateBands(Bands(Fetch<QString>("bands")), Fetch<int>("height"))) {
            QString letters;
            int y = 0;
            for (const PlacedBand &placed : page.bands) {
                QCOMPARE(placed.top, y); // one under the other, from the top
                y += placed.band.height;
                letters += placed.band.texts.first().name;
            }
            pages.append(letters);
        }
        QTEST(pages.join(u'|'), "pages");
    }

    void printedPages_data()
    {
        AddColumns<QString, int, bool, QString>("ranges", "copies", "collate", "printed"); // of 5
        // clang-format off
        QTest::newRow("every page") << u""_s << 1 << true << u"1 2 3 4 5"_s;
        QTest::newRow("pages 2 to 3") << u"2-3"_s << 1 << true << u"2 3"_s;
        QTest::newRow("a list of pages") << u"1,4-5"_s << 1 << true << u"1 4 5"_s;
        QTest::newRow("a range past the end") << u"4-9"_s << 1 << true << u"4 5"_s;
        QTest::newRow("two copies collated") << u"2-3"_s << 2 << true << u"2 3 2 3"_s;
        QTest::newRow("two copies uncollated") << u"2-3"_s << 2 << false << u"2 2 3 3"_s;
        // clang-format on
    }
    void printedPages()
    {
        QStringList printed;
        for (const int page : PrintedPages(5, QPageRanges::fromString(Fetch<QString>("ranges")),
                                           Fetch<int>("copies"), Fetch<bool>("collate")))
            printed.append(QString::number(page + 1));
        QTEST(printed.join(u' '), "printed");
    }

    // Text is set in its box: an inset of 30 on either side, blanks narrowed first
    // (to half at least), then letters (to 70% at least), then cut after a whole
    // character; the alignment holds throughout. Blanks here are 100 wide.
    void fitText_data()
    {
        // The text set: text|left|width|blank scale|squeeze.
        AddColumns<QString, int, int, QString>("text", "box", "alignment", "set");
        const int left = Qt::AlignLeft, right = Qt::AlignRight, centre = Qt::AlignHCenter;
        // clang-format off
        QTest::newRow("fits") << u"150張"_s << 800 << left << u"150張|30|500|1|1"_s;
        QTest::newRow("fits, right") << u"1,200"_s << 800 << right << u"1,200|270|500|1|1"_s;
        QTest::newRow("blanks narrowed") << u"a  b"_s << 400 << left << u"a  b|30|340|0.7|1"_s;
        QTest::newRow("blanks no narrower than half") << u"a  b"_s << 330 << right << u"a  b|30|270|0.5|0.85"_s;
        QTest::newRow("cut after a whole character") << u"月曆月曆月曆"_s << 600 << left << u"月曆月|30|420|1|0.7"_s;
        QTest::newRow("cut, right") << u"月曆月曆月曆"_s << 600 << right << u"月曆月|150|420|1|0.7"_s;
        QTest::newRow("characters beyond 16 bits stay whole") << u"𠀀𠀀𠀀"_s << 300 << centre << u"𠀀|80|140|1|0.7"_s;
        // clang-format on
    }
    void fitText()
    {
        const FittedText fit =
            FitText(Fetch<QString>("text"), Fetch<int>("box"),
                    Qt::Alignment(Fetch<int>("alignment")), kReportTextInset, 100, Advance);
        QTEST(QStringList({fit.text, QString::number(fit.left), QString::number(fit.width),
                           QString::number(fit.blankScale), QString::number(fit.squeeze)})
                  .join(u'|'),
              "set");
    }

    // The report on the page the device offers: twelve entries fill the report's own
    // page, and take two within margins of an inch, as a printer that cannot print
    // closer to the edge keeps them. Every page ends with the footer numbering it, in
    // the room the bands leave.
    void paintsOnThePageTheDeviceOffers()
    {
        ReportLayout layout = OneGroup(12);
        const QString own = m_dir.filePath(u"own.pdf"_s), wide = m_dir.filePath(u"wide.pdf"_s),
                      numbered = m_dir.filePath(u"numbered.pdf"_s);
        QCOMPARE(WriteReportPdf(layout, own, u"t"_s), std::nullopt);
        {
            QPdfWriter writer(wide);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                             QMarginsF(72, 72, 72, 72), QPageLayout::Point));
            QVERIFY(PaintReport(layout, writer));
        }
        const QString number = u"第 %1 頁，共 %2 頁"_s;
        layout.pageFooter = {ReportBand::Kind::Detail,
                             400,
                             false,
                             {{u"page"_s, QRect(90, 0, 3000, 330), number,
                               ReportFont{u"新細明體"_s, 10}, Qt::AlignCenter, true}},
                             {},
                             {}};
        QCOMPARE(WriteReportPdf(layout, numbered, u"t"_s), std::nullopt);
        for (const auto &[file, pages] : {std::pair{own, 1}, {wide, 2}, {numbered, 2}})
            QVERIFY(Poppler(u"pdfinfo"_s, {file})
                        .contains(QRegularExpression(u"Pages: +%1\n"_s.arg(pages))));
        const QString last = Poppler(u"pdftotext"_s, {u"-f"_s, u"2"_s, wide, u"-"_s});
        QVERIFY2(last.contains(u"entry 12"_s) && last.contains(u"sign-off"_s), qPrintable(last));
        for (const QString &page : {u"1"_s, u"2"_s}) {
            const QString text =
                Poppler(u"pdftotext"_s, {u"-f"_s, page, u"-l"_s, page, numbered, u"-"_s});
            QVERIFY2(text.contains(number.arg(page, u"2"_s)), qPrintable(text));
        }
    }

    // The preview says which page is in view; its print button prints what the
    // print dialog names, and nothing when the dialog is cancelled.
    void previewPrintsWhatTheDialogNames()
    {
        ReportPreviewDialog preview(OneGroup(80), u"t"_s);
        QCOMPARE(preview.windowFlags() & Qt::WindowType_Mask, Qt::Window); // its own taskbar button
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        preview.previewWidget()->updatePreview();
        QCOMPARE(preview.findChild<QLabel *>(u"lblPage"_s)->text(), u"第 1 頁，共 6 頁"_s);
        preview.findChild<QAction *>(u"actNextPage"_s)->trigger();
        QCOMPARE(preview.findChild<QLabel *>(u"lblPage"_s)->text(), u"第 2 頁，共 6 頁"_s);

        const QString file = m_dir.filePath(u"printed.pdf"_s);
        bool accepted = false;
        const auto previous = ReportPrintDialog::ask;
        ReportPrintDialog::ask = [&](QWidget *, QPrinter &printer, int pageCount) {
            printer.setOutputFileName(file);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
            printer.setCopyCount(2);
            return pageCount == 6 && accepted;
        };
        preview.findChild<QAction *>(u"actPrint"_s)->trigger();
        QVERIFY(!QFile::exists(file));
        accepted = true;
        preview.findChild<QAction *>(u"actPrint"_s)->trigger();
        ReportPrintDialog::ask = previous;
        const QString info = Poppler(u"pdfinfo"_s, {file});
        QVERIFY2(info.contains(QRegularExpression(u"Pages: +4\n"_s)) &&
                     info.contains(u"842 x 595"_s),
                 qPrintable(info));
    }
};

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
