#include "report_engine/reportpainter.h"

#include "report_engine/reportfonts.h"

#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

using namespace Qt::StringLiterals;

namespace {

// A rule is as thick as one screen pixel.
constexpr double RuleWidthTwips = 15.0;

QFont DeviceFont(const ReportFont &font)
{
    QFont f(ReportFontFace(font.family));
    f.setPointSize(font.pointSize);
    f.setBold(font.bold);
    return f;
}

// Draws a text wider than its box. The stated faces run wider than the ones the
// report was designed with, blanks most of all, so the blanks are narrowed
// first (spread headings such as "數             量"), then the letters; what
// still sticks out is cut at the box rather than run into the next column.
void DrawSqueezed(QPainter &painter, const QRectF &box, const QString &text, qreal advance)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const qreal blanks = blank * text.count(QLatin1Char(' '));
    const qreal letters = advance - blanks;
    constexpr qreal MinBlankScale = 0.2;
    constexpr qreal MinSqueeze = 0.6;
    qreal blankScale = 1.0;
    qreal squeeze = 1.0;
    if (blanks > 0)
        blankScale = qMax(MinBlankScale, (box.width() - letters) / blanks);
    const qreal narrowed = letters + blanks * blankScale;
    if (narrowed > box.width())
        squeeze = qMax(MinSqueeze, box.width() / narrowed);

    painter.save();
    painter.setClipRect(box);
    painter.translate(box.left(),
                      box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent());
    painter.scale(squeeze, 1.0);
    qreal x = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.at(i) == QLatin1Char(' ')) {
            x += blank * blankScale;
            ++i;
            continue;
        }
        qsizetype end = text.indexOf(QLatin1Char(' '), i);
        if (end < 0)
            end = text.size();
        const QString word = text.mid(i, end - i);
        painter.drawText(QPointF(x, 0), word);
        x += metrics.horizontalAdvance(word);
        i = end;
    }
    painter.restore();
}

} // namespace

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
    painter.setPen(QPen(Qt::black, RuleWidthTwips * unitsPerTwip));
    for (const PlacedBand &placed : page.bands) {
        for (const ReportLine &line : placed.band.lines) {
            painter.drawLine(QPointF(line.from.x(), line.from.y() + placed.top) * unitsPerTwip,
                             QPointF(line.to.x(), line.to.y() + placed.top) * unitsPerTwip);
        }
    }
    for (const PlacedBand &placed : page.bands) {
        for (const ReportText &text : placed.band.texts) {
            if (text.text.isEmpty())
                continue;
            const QRectF box = toDevice(text.rect, placed.top);
            const QFont font = DeviceFont(text.font);
            painter.setFont(font);
            const qreal advance =
                QFontMetricsF(font, painter.device()).horizontalAdvance(text.text);
            if (advance <= box.width())
                painter.drawText(box, int(text.alignment | Qt::TextSingleLine), text.text);
            else
                DrawSqueezed(painter, box, text.text, advance);
        }
    }
    painter.restore();
}

bool PaintReport(const ReportLayout &layout, QPagedPaintDevice &device)
{
    ApplyReportPageSetup(layout.setup, device);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double unitsPerTwip = device.logicalDpiX() / 1440.0;
    for (qsizetype i = 0; i < layout.pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        PaintReportPage(painter, layout.pages[i], unitsPerTwip);
    }
    return painter.end();
}

bool WriteReportPdf(const ReportLayout &layout, const QString &pdfFile, const QString &title)
{
    QFile file(pdfFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter writer(&file);
    writer.setTitle(title);
    writer.setCreator(u"日報登錄作業"_s);
    writer.setResolution(1440);
    return PaintReport(layout, writer);
}
