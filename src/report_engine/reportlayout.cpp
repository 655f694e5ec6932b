#include "report_engine/reportlayout.h"

#include <algorithm>

const ReportText *ReportBand::text(const QString &name) const
{
    for (const ReportText &t : texts) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

QVector<ReportPage> PaginateBands(const QVector<ReportBand> &bands, int printableHeight)
{
    QVector<ReportPage> pages;
    int y = 0;
    const ReportBand *continuation = nullptr; // of the group under way
    for (qsizetype i = 0; i < bands.size(); ++i) {
        const ReportBand &band = bands[i];
        // The height that must fit: this band plus the bands chained to it.
        int needed = 0;
        qsizetype j = i;
        while (true) {
            needed += bands[j].height;
            if (!bands[j].keepWithNext || j + 1 >= bands.size())
                break;
            ++j;
        }
        if (pages.isEmpty() || (y > 0 && (band.startsPage || y + needed > printableHeight))) {
            pages.append(ReportPage{});
            y = 0;
            if (continuation && band.kind != ReportBand::Kind::GroupHeader) {
                pages.last().bands.append(PlacedBand{0, *continuation});
                y = continuation->height;
            }
        }
        pages.last().bands.append(PlacedBand{y, band});
        y += band.height;
        if (band.kind == ReportBand::Kind::GroupHeader)
            continuation = band.continuation.get();
        else if (band.kind == ReportBand::Kind::GroupFooter)
            continuation = nullptr;
    }
    return pages;
}

int ReportContentWidth(const QVector<ReportBand> &bands)
{
    int width = 0;
    for (const ReportBand &band : bands) {
        for (const ReportText &t : band.texts)
            width = std::max(width, t.rect.right() + 1);
        for (const ReportLine &l : band.lines)
            width = std::max({width, l.from.x(), l.to.x()});
        for (const ReportPicture &p : band.pictures)
            width = std::max(width, p.rect.right() + 1);
    }
    return width;
}

ReportBand PageFooter(const ReportBand &footer, int page, int pageCount)
{
    ReportBand band = footer;
    for (ReportText &t : band.texts) {
        if (t.pageNumbered)
            t.text = t.text.arg(QString::number(page), QString::number(pageCount));
    }
    return band;
}

QVector<int> PrintedPages(int pageCount, const QPageRanges &ranges, int copies, bool collate)
{
    QVector<int> chosen;
    for (int page = 1; page <= pageCount; ++page) {
        if (ranges.isEmpty() || ranges.contains(page))
            chosen.append(page - 1);
    }
    copies = std::max(copies, 1);
    QVector<int> printed;
    if (collate) {
        for (int c = 0; c < copies; ++c)
            printed += chosen;
    } else {
        for (int page : std::as_const(chosen))
            printed += QVector<int>(copies, page);
    }
    return printed;
}
