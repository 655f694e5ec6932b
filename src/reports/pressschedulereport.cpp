#include "reports/pressschedulereport.h"

#include "reports/pressschedulebands.h"
#include "reports/pressscheduleformat.h"
#include "reports/reportpage.h"

ReportPageSetup PressSchedulePageSetup()
{
    ReportPageSetup setup;
    setup.paper = QSize(kA4LongSide, kA4ShortSide);
    setup.landscape = true;
    setup.leftMargin = 400;
    setup.topMargin = 300;
    setup.rightMargin = 300;
    setup.bottomMargin = 200;
    return setup;
}

ReportLayout BuildPressScheduleReport(const QVector<PressScheduleRow> &rows,
                                      const QString &companyName, const QString &printDate,
                                      PressScheduleLookups &lookups)
{
    QVector<ReportBand> bands;
    bands.reserve(rows.size() + 16);
    const QVector<PressScheduleEntry> entries = PressScheduleEntries(rows, lookups);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const PressScheduleRow &row = rows[i];
        if (i == 0 || rows[i - 1].press != row.press)
            bands.append(PressScheduleGroupHeader(companyName, printDate, row.press));
        const bool last = i + 1 == rows.size() || rows[i + 1].press != row.press;
        bands.append(PressScheduleDetail(entries[i], last));
        if (last)
            bands.append(PressScheduleGroupFooter());
    }
    return {PressSchedulePageSetup(), bands};
}
