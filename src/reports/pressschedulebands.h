#pragma once

#include "report_engine/reportlayout.h"
#include "reports/pressscheduleentry.h"

#include <QString>

// The three bands of the press schedule (rpt工作排程表_印刷1), positions in twips.

inline constexpr int kPressScheduleHeaderHeight = 1575;
inline constexpr int kPressScheduleDetailHeight = 825;
inline constexpr int kPressScheduleFooterHeight = 615;

// One group header per press: the company title, the press, the print date and
// the column headings with their rules. Further pages of the press open with the
// same header without the title.
ReportBand PressScheduleGroupHeader(const QString &companyName, const QString &printDate,
                                    const QString &press);

// One two-line entry; the last of its press keeps with the sign-off strip.
ReportBand PressScheduleDetail(const PressScheduleEntry &entry, bool lastOfPress);

// The sign-off strip under each press.
ReportBand PressScheduleGroupFooter();
