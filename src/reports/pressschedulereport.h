#pragma once

#include "report_engine/reportlayout.h"
#include "reports/pressschedulelookups.h"
#include "reports/pressschedulerow.h"

#include <QString>
#include <QVector>

// The press schedule report (rpt工作排程表_印刷1): A4 landscape, margins left 400,
// top 300, right 300, bottom 200 twips.
ReportPageSetup PressSchedulePageSetup();

// Builds the report from rows already in press, work-order and line order: a
// group per press (a header before its first row, the sign-off strip after its
// last), one entry per row numbered on across the groups, and the lookups of
// each entry run as it is formatted. printDate is the shown date of the header.
ReportLayout BuildPressScheduleReport(const QVector<PressScheduleRow> &rows,
                                      const QString &companyName, const QString &printDate,
                                      PressScheduleLookups &lookups);
