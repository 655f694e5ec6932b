#include "report_engine/reportpainter.h"

#include "common/typefaces.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBoundaryFinder>

using namespace Qt::StringLiterals;

namespace {

// A rule is as thick as one screen pixel.
constexpr double kRuleWidthTwips = 15.0;

QFont DeviceFont(const ReportFont &font)
{
    QFont f(FaceForFamily(font.family));
    f.setPointSize(font.pointSize);
    f.setBold(font.bold);
    return f;
}

constexpr qreal kMinBlankScale = 0.5;
constexpr qreal kMinSqueeze = 0.7;

// Natural widths of the letters (the words between blanks) and of the blanks.
void Measure(const QString &text, qreal blankWidth, const TextAdvance &advance, qreal &letters,
             qreal &blanks)
{
    letters = 0;
    const QStringList words = text.split(QLatin1Char(' '));
    for (const QString &word : words) {
        if (!word.isEmpty())
            letters += advance(word);
    }
    blanks = blankWidth * qreal(words.size() - 1);
}

// Draws the text as FitText set it, word by word, on the baseline at y.
void DrawFitted(QPainter &painter, const FittedText &fit, qreal x, qreal y, qreal blankWidth,
                const QFontMetricsF &metrics)
{
    const QStringList words = fit.text.split(QLatin1Char(' '));
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (i > 0)
            x += blankWidth * fit.blankScale;
        const QString &word = words[i];
        if (word.isEmpty())
            continue;
        painter.save();
        painter.translate(x, y);
        painter.scale(fit.squeeze, 1.0);
        painter.drawText(QPointF(0, 0), word);
        painter.restore();
        x += metrics.horizontalAdvance(word) * fit.squeeze;
    }
}

} // namespace

FittedText FitText(const QString &text, qreal boxWidth, Qt::Alignment alignment, qreal inset,
                   qreal blankWidth, const TextAdvance &advance)
{
    const qreal room = qMax<qreal>(0, boxWidth - 2 * inset);
    FittedText fit;
    fit.text = text;
    qreal letters = 0;
    qreal blanks = 0;
    Measure(text, blankWidth, advance, letters, blanks);
    if (letters + blanks > room) {
        if (blanks > 0)
            fit.blankScale = qBound(kMinBlankScale, (room - letters) / blanks, 1.0);
        const qreal rest = room - blanks * fit.blankScale;
        if (letters > rest)
            fit.squeeze = rest > 0 ? qMax(kMinSqueeze, rest / letters) : kMinSqueeze;
    }
    const auto drawnWidth = [&](const QString &part) {
        Measure(part, blankWidth, advance, letters, blanks);
        return letters * fit.squeeze + blanks * fit.blankScale;
    };
    fit.width = letters * fit.squeeze + blanks * fit.blankScale;
    if (fit.width > room) {
        // The longest run of whole characters that fits, blanks at its end dropped.
        QList<qsizetype> ends;
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        while (finder.toNextBoundary() > 0)
            ends.append(finder.position());
        const auto cut = [&](qsizetype n) { return text.left(n).trimmed(); };
        qsizetype low = 0;                // fits
        qsizetype high = ends.size() - 1; // does not
        while (high - low > 1) {
            const qsizetype mid = (low + high) / 2;
            (drawnWidth(cut(ends[mid])) <= room ? low : high) = mid;
        }
        fit.text = ends.isEmpty() || drawnWidth(cut(ends[low])) > room ? QString() : cut(ends[low]);
        fit.width = drawnWidth(fit.text);
    }
    if (alignment & Qt::AlignRight)
        fit.left = boxWidth - inset - fit.width;
    else if (alignment & Qt::AlignHCenter)
        fit.left = (boxWidth - fit.width) / 2;
    else
        fit.left = inset;
    return fit;
}

void ApplyReportPageSetup(const ReportPageSetup &setup, QPagedPaintDevice &device)
{
    const QSizeF portraitPoints(qMin(setup.paper.width(), setup.paper.height()) / 20.0,
                                qMax(setup.paper.width(), setup.paper.height()) / 20.0);
    const QPageSize size(portraitPoints, QPageSize::Point, QString(), QPageSize::FuzzyMatch);
    const QMarginsF margins(setup.leftMargin / 20.0, setup.topMargin / 20.0,
                            setup.rightMargin / 20.0, setup.bottomMargin / 20.0);
    const auto orientation = setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (device.setPageLayout(QPageLayout(size, orientation, margins, QPageLayout::Point)))
        return;
    device.setPageSize(size);
    device.setPageOrientation(orientation);
}

void PaintReportPage(QPainter &painter, const ReportPage &page, double unitsPerTwip)
{
    const auto toDevice = [unitsPerTwip](const QRect &r, int top) {
        return QRectF(r.left() * unitsPerTwip, (r.top() + top) * unitsPerTwip,
                      r.width() * unitsPerTwip, r.height() * unitsPerTwip);
    };
    painter.save();
    painter.setPen(QPen(Qt::black, kRuleWidthTwips * unitsPerTwip));
    for (const PlacedBand &placed : page.bands) {
        for (const ReportLine &line : placed.band.lines) {
            painter.drawLine(QPointF(line.from.x(), line.from.y() + placed.top) * unitsPerTwip,
                             QPointF(line.to.x(), line.to.y() + placed.top) * unitsPerTwip);
        }
    }
    for (const PlacedBand &placed : page.bands) {
        for (const ReportPicture &picture : placed.band.pictures) {
            if (!picture.drawing)
                continue;
            painter.save();
            picture.drawing->paint(painter, toDevice(picture.rect, placed.top), unitsPerTwip);
            painter.restore();
        }
    }
    for (const PlacedBand &placed : page.bands) {
        for (const ReportText &text : placed.band.texts) {
            if (text.text.isEmpty())
                continue;
            const QRectF box = toDevice(text.rect, placed.top);
            const QFont font = DeviceFont(text.font);
            painter.setFont(font);
            const QFontMetricsF metrics(font, painter.device());
            const qreal blank = metrics.horizontalAdvance(QLatin1Char(' '));
            const FittedText fit = FitText(
                text.text, box.width(), text.alignment, kReportTextInset * unitsPerTwip, blank,
                [&](const QString &word) { return metrics.horizontalAdvance(word); });
            const qreal baseline =
                box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
            DrawFitted(painter, fit, box.left() + fit.left, baseline, blank, metrics);
        }
    }
    painter.restore();
}

bool PaintReport(const ReportLayout &layout, QPagedPaintDevice &device,
                 const ReportPrintOptions &options)
{
    // The page the device really offers, in twips: a printer that cannot print
    // as close to the edge as the report asks keeps wider margins of its own.
    const QRectF paper = device.pageLayout().paintRect(QPageLayout::Point);
    const qreal width = paper.width() * 20;
    const int contentWidth =
        std::max(ReportContentWidth(layout.bands), ReportContentWidth({layout.pageFooter}));
    const qreal scale = contentWidth > width ? width / contentWidth : 1.0;
    const int pageHeight = qRound(paper.height() * 20 / scale);
    const int footerHeight = layout.pageFooter.height;
    QVector<ReportPage> pages = PaginateBands(layout.bands, pageHeight - footerHeight);
    if (footerHeight > 0) {
        for (qsizetype i = 0; i < pages.size(); ++i) {
            pages[i].bands.append(
                PlacedBand{pageHeight - footerHeight,
                           PageFooter(layout.pageFooter, int(i + 1), int(pages.size()))});
        }
    }

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double unitsPerTwip = device.logicalDpiX() / 1440.0 * scale;
    const QVector<int> printed =
        PrintedPages(int(pages.size()), options.pages, options.copies, options.collate);
    for (qsizetype i = 0; i < printed.size(); ++i) {
        if (i > 0)
            device.newPage();
        PaintReportPage(painter, pages[printed[i]], unitsPerTwip);
    }
    return painter.end();
}

std::optional<QString> WriteReportPdf(const ReportLayout &layout, const QString &pdfFile,
                                      const QString &title)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(title);
        writer.setCreator(u"日報登錄作業"_s);
        writer.setResolution(1440);
        ApplyReportPageSetup(layout.setup, writer);
        if (!PaintReport(layout, writer))
            return u"無法產生報表的 PDF"_s;
    }
    // Unbuffered: a write the disk refuses says why (a full disk) as it happens.
    QSaveFile file(pdfFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // A write cut short by the disk is tried again for the rest: that one fails
    // with the reason.
    for (qint64 written = 0; written < pdf.size();) {
        const qint64 n = file.write(pdf.data().constData() + written, pdf.size() - written);
        if (n <= 0) {
            const QString why = file.errorString();
            file.cancelWriting();
            return why;
        }
        written += n;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}
