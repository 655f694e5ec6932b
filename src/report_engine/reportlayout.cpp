#include "report_engine/reportlayout.h"

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
    for (qsizetype i = 0; i < bands.size(); ++i) {
        // The height that must fit: this band plus the bands chained to it.
        int needed = 0;
        qsizetype j = i;
        while (true) {
            needed += bands[j].height;
            if (!bands[j].keepWithNext || j + 1 >= bands.size())
                break;
            ++j;
        }
        if (pages.isEmpty() || (y > 0 && y + needed > printableHeight)) {
            pages.append(ReportPage{});
            y = 0;
        }
        pages.last().bands.append(PlacedBand{y, bands[i]});
        y += bands[i].height;
    }
    return pages;
}
